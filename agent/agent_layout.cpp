#include "agent/agent_layout.h"

#include <algorithm>
#include <cmath>

namespace agent {

namespace {

constexpr double kMinGap = 315;  // between the minimise button and the first launcher
constexpr double kTailAllowance = 180;

double Half(double value) {
    return std::trunc(value / 2);
}

}  // namespace

int TailForDirection(int fDirect) {
    switch (fDirect) {
        case 2:
            return 1;
        case 3:
            return 4;
        case 4:
            return 3;
        default:
            return 2;
    }
}

AgentLayout ComputeAgentLayout(const LayoutInput& in) {
    AgentLayout out;
    const double W0 = in.balloon.width, H0 = in.balloon.height;
    for (const Size2& picture : in.pictures) {
        out.cover.width = std::max(out.cover.width, picture.width);
        out.cover.height = std::max(out.cover.height, picture.height);
    }
    const double Wc = out.cover.width, Hc = out.cover.height;
    const double Wm = in.minButton.width, Hm = in.minButton.height, G = in.gap;
    const double step = in.launcherWidth - in.tpp.x;  // neighbours share one pixel column
    const double T = (in.tail == 3 || in.tail == 4) ? kTailAllowance : 0;
    auto sizeOf = [&](int i) { return i < kCoverIndex ? in.pictures[i - 1] : out.cover; };

    // The button row centred under the balloon body, for the balloon at (0, 0).
    const double rowWidth = step * kLaunchers + Wm + kMinGap;
    double rowLeft = std::trunc((W0 - T - rowWidth) / 2);
    double rowTop = H0 + G;
    out.text = in.text;
    switch (in.tail) {
        case 1:  // balloon under the character
            out.balloon.top = Hc;
            rowTop += Hc;
            for (int i = 1; i <= kCoverIndex; ++i) {
                const Size2 size = sizeOf(i);
                out.pictures[i - 1] = {size.width < W0 ? Half(W0 - size.width) : 0, 0};
            }
            break;
        case 3:  // balloon right of the character
            for (int i = 1; i <= kCoverIndex; ++i) {
                const Size2 size = sizeOf(i);
                out.pictures[i - 1] = {0, size.height < H0 ? Half(H0 - size.height) : 0};
            }
            out.balloon.left = Wc;
            rowLeft += Wc + T;
            break;
        case 4:  // balloon left of the character
            for (int i = 1; i <= kCoverIndex; ++i) {
                const Size2 size = sizeOf(i);
                out.pictures[i - 1] = {W0, size.height < H0 ? Half(H0 - size.height) : 0};
            }
            break;
        default:  // 2: balloon over the character, the button row on top
            rowTop = 0;
            out.balloon.top = Hm + G;
            for (int i = 1; i <= kCoverIndex; ++i) {
                const Size2 size = sizeOf(i);
                out.pictures[i - 1] = {size.width < W0 ? Half(W0 - size.width) : 0,
                                       out.balloon.top + H0};
            }
            break;
    }
    out.text.left += out.balloon.left;
    out.text.top += out.balloon.top;
    out.minButton = {rowLeft, rowTop};
    double x = rowLeft + Wm + kMinGap;
    for (Place& launcher : out.launchers) {
        launcher = {x, rowTop};
        x += step;
    }

    const double Fw = in.tpp.x * 2 * in.metrics.cxDlgFrame;
    const double Fh = in.tpp.y * (2 * in.metrics.cyDlgFrame + in.metrics.cyCaption);
    if (in.tail == 3 || in.tail == 4) {
        out.window.width = W0 + Wc + Fw;
        out.window.height =
            G + H0 + Hm <= Hc ? out.balloon.top + Hc + Fh : out.balloon.top + H0 + Hm + G + Fh;
    } else if (in.tail == 1) {
        out.window.width = out.balloon.left + std::max(W0, Wc) + Fw;
        out.window.height = out.balloon.top + H0 + Hc + Hm + G + Fh;
    } else {
        out.window.width = out.balloon.left + std::max(W0, Wc) + Fw;
        out.window.height = out.minButton.top + Hm + G + H0 + Hc + Fh;
    }
    return out;
}

}  // namespace agent
