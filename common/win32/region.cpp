#include "win32/region.h"

#include <vector>

namespace win32 {

HRGN CreateRegion(const forms::Region& region) {
    // One ExtCreateRegion call instead of a CombineRgn per rectangle: a picture's outline
    // has a rectangle per run of pixels, thousands of them.
    std::vector<char> data(sizeof(RGNDATAHEADER) + region.rects.size() * sizeof(RECT));
    auto* header = reinterpret_cast<RGNDATAHEADER*>(data.data());
    header->dwSize = sizeof(RGNDATAHEADER);
    header->iType = RDH_RECTANGLES;
    header->nCount = DWORD(region.rects.size());
    header->nRgnSize = DWORD(region.rects.size() * sizeof(RECT));
    RECT bounds{0, 0, 0, 0};
    auto* rects = reinterpret_cast<RECT*>(data.data() + sizeof(RGNDATAHEADER));
    for (size_t i = 0; i < region.rects.size(); ++i) {
        const forms::Rect& r = region.rects[i];
        rects[i] = {r.left, r.top, r.right, r.bottom};
        UnionRect(&bounds, &bounds, &rects[i]);
    }
    header->rcBound = bounds;
    HRGN result =
        ExtCreateRegion(nullptr, DWORD(data.size()), reinterpret_cast<const RGNDATA*>(data.data()));
    return result != nullptr ? result : CreateRectRgn(0, 0, 0, 0);
}

}  // namespace win32
