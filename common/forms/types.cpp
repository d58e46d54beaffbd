#include "forms/types.h"

namespace forms {

bool Region::Contains(int x, int y) const {
    for (const Rect& r : rects) {
        if (x >= r.left && x < r.right && y >= r.top && y < r.bottom) {
            return true;
        }
    }
    return false;
}

}  // namespace forms
