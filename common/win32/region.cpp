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

// The most rectangles the X window system takes in one window shape: under Wine a larger
// region ends the program with an X error or hangs it.
constexpr DWORD kMaxShapeRects = 32765;

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

DWORD RectCount(HRGN region) {
    const DWORD size = GetRegionData(region, 0, nullptr);
    return size > sizeof(RGNDATAHEADER) ? DWORD((size - sizeof(RGNDATAHEADER)) / sizeof(RECT)) : 0;
}

// The region's bands, each as one rectangle from its leftmost to its rightmost pixel (the
// region's rectangles come top to bottom, a band's from left to right).
forms::Region Bands(HRGN region) {
    forms::Region bands;
    const DWORD size = GetRegionData(region, 0, nullptr);
    std::vector<char> data(size);
    auto* rgn = reinterpret_cast<RGNDATA*>(data.data());
    if (size == 0 || GetRegionData(region, size, rgn) == 0) {
        return bands;
    }
    const auto* rects = reinterpret_cast<const RECT*>(rgn->Buffer);
    for (DWORD i = 0; i < rgn->rdh.nCount; ++i) {
        const RECT& r = rects[i];
        forms::Rect* last = bands.rects.empty() ? nullptr : &bands.rects.back();
        if (last != nullptr && last->top == r.top && last->bottom == r.bottom) {
            last->right = std::max(last->right, int(r.right));
        } else {
            bands.rects.push_back({r.left, r.top, r.right, r.bottom});
        }
    }
    return bands;
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
    HRGN result = parts.front();
    if (RectCount(result) <= kMaxShapeRects) {
        return result;
    }
    // Too fine for the window system: the outline of each band of rows instead.
    forms::Region bands = Bands(result);
    if (bands.rects.size() > kMaxShapeRects) {
        RECT all;
        GetRgnBox(result, &all);
        bands.rects = {{all.left, all.top, all.right, all.bottom}};
    }
    DeleteObject(result);
    return CreateRegion(bands);
}

}  // namespace win32
