#include "win32/scroll_bar_window.h"

#include <algorithm>

namespace win32 {

ScrollBarWindow::ScrollBarWindow(Win32Host& host, forms::Control& control)
    : ControlWindow(host, control) {}

void ScrollBarWindow::ApplyValue() {
    const forms::VScrollBar& bar = Bar();
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    info.fMask = SIF_RANGE | SIF_POS | SIF_DISABLENOSCROLL;
    info.nMin = std::min(bar.Min(), bar.Max());
    info.nMax = std::max(bar.Min(), bar.Max());
    info.nPos = bar.Value();
    SetScrollInfo(window_, SB_CTL, &info, TRUE);
}

void ScrollBarWindow::OnScroll(WORD code) {
    forms::VScrollBar& bar = Bar();
    int value = bar.Value();
    switch (code) {
        case SB_LINEUP:
            value -= bar.SmallChange();
            break;
        case SB_LINEDOWN:
            value += bar.SmallChange();
            break;
        case SB_PAGEUP:
            value -= bar.LargeChange();
            break;
        case SB_PAGEDOWN:
            value += bar.LargeChange();
            break;
        case SB_TOP:
            value = bar.Min();
            break;
        case SB_BOTTOM:
            value = bar.Max();
            break;
        case SB_THUMBTRACK:
        case SB_THUMBPOSITION: {
            SCROLLINFO info{};
            info.cbSize = sizeof info;
            info.fMask = SIF_TRACKPOS;
            GetScrollInfo(window_, SB_CTL, &info);
            value = info.nTrackPos;
            break;
        }
        default:
            return;
    }
    bar.SetValue(value);
}

}  // namespace win32
