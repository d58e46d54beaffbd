// Where the agent window's parts go: the balloon, the character pictures, the text box and
// the button row, arranged by the side the balloon's tail points to, and the window's
// size. Twips, relative to the client area.
#pragma once

#include <array>

#include "core/geometry.h"

namespace agent {

inline constexpr int kCharacterPictures = 9;  // Picture1(1…9); Picture1(10) is the cover
inline constexpr int kCoverIndex = 10;
inline constexpr int kLaunchers = 5;

struct Size2 {
    double width = 0;
    double height = 0;
};

struct Place {
    double left = 0;
    double top = 0;
    friend bool operator==(const Place&, const Place&) = default;
};

struct LayoutInput {
    int tail = 2;   // 1 up, 2 down, 3 left, 4 right
    Size2 balloon;  // W0 × H0
    Place text;     // Text1 as laid over the balloon standing at (0, 0)
    std::array<Size2, kCharacterPictures> pictures;  // picture n at n - 1; 0 × 0 when none
    Size2 minButton;                                 // Wm × Hm
    double launcherWidth = 0;                        // Wl
    double gap = 60;                                 // FB_Space
    core::TwipsPerPixel tpp;
    core::SystemMetrics metrics;
};

struct AgentLayout {
    Place balloon;
    Place text;
    Size2 cover;  // the largest picture's width and height
    // Picture1(i) at index i - 1, i = 1…10 (the cover last).
    std::array<Place, kCoverIndex> pictures;
    Place minButton;
    std::array<Place, kLaunchers> launchers;  // CMD_Launch(i) and PIC_Cmd_L(i)
    Size2 window;                             // the outer window
};

// The tail side of the balloon for the F_Direct setting: balloon above the character (1)
// points down (2), below (2) up (1), left (3) right (4), right (4) left (3).
int TailForDirection(int fDirect);

AgentLayout ComputeAgentLayout(const LayoutInput& input);

}  // namespace agent
