#include "win32/region.h"

#include <algorithm>
#include <vector>

namespace win32 {

namespace {

// Rectangles per ExtCreateRegion call. Some systems add the rectangles of one call one
// by one, each union costing as much as the region built so far, so one call with a
// picture outline's tens of thousands of rectangles takes the square of their number.
// Small calls merged pairwise stay near n log n.
constexpr size_t kRectsPerCall = 32;

HRGN CreateFromRects(const forms::Rect* first, size_t count) {
    std::vector<char> data(sizeof(RGNDATAHEADER) + count * sizeof(RECT));
    auto* header = reinterpret_cast<RGNDATAHEADER*>(data.data());
    header->dwSize = sizeof(RGNDATAHEADER);
    header->iType = RDH_RECTANGLES;
    header->nCount = DWORD(count);
    header->nRgnSize = DWORD(count * sizeof(RECT));
    RECT bounds{0, 0, 0, 0};
    auto* rects = reinterpret_cast<RECT*>(data.data() + sizeof(RGNDATAHEADER));
    for (size_t i = 0; i < count; ++i) {
        const forms::Rect& r = first[i];
        rects[i] = {r.left, r.top, r.right, r.bottom};
        UnionRect(&bounds, &bounds, &rects[i]);
    }
    header->rcBound = bounds;
    HRGN result =
        ExtCreateRegion(nullptr, DWORD(data.size()), reinterpret_cast<const RGNDATA*>(data.data()));
    return result != nullptr ? result : CreateRectRgn(0, 0, 0, 0);
}

}  // namespace

HRGN CreateRegion(const forms::Region& region) {
    const std::vector<forms::Rect>& rects = region.rects;
    if (rects.empty()) {
        return CreateRectRgn(0, 0, 0, 0);
    }
    std::vector<HRGN> parts;
    for (size_t at = 0; at < rects.size(); at += kRectsPerCall) {
        parts.push_back(CreateFromRects(&rects[at], std::min(kRectsPerCall, rects.size() - at)));
    }
    // Neighbours in the list lie close together, so each union mostly appends bands.
    while (parts.size() > 1) {
        std::vector<HRGN> merged;
        for (size_t i = 0; i + 1 < parts.size(); i += 2) {
            CombineRgn(parts[i], parts[i], parts[i + 1], RGN_OR);
            DeleteObject(parts[i + 1]);
            merged.push_back(parts[i]);
        }
        if (parts.size() % 2 == 1) {
            merged.push_back(parts.back());
        }
        parts.swap(merged);
    }
    return parts.front();
}

}  // namespace win32
