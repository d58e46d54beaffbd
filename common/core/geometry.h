// Twips, pixels and the window-geometry arithmetic shared by the programs.
#pragma once

#include <cstdint>

namespace core {

// Twips per pixel on each axis (15 on a 96-dpi screen).
struct TwipsPerPixel {
    double x = 15.0;
    double y = 15.0;
};

int32_t TwipsToPixelsX(double twips, const TwipsPerPixel& tpp);
int32_t TwipsToPixelsY(double twips, const TwipsPerPixel& tpp);
double PixelsToTwipsX(double pixels, const TwipsPerPixel& tpp);
double PixelsToTwipsY(double pixels, const TwipsPerPixel& tpp);

// The system metrics the geometry helpers use, in pixels.
struct SystemMetrics {
    int cxFrame = 4, cyFrame = 4;        // SM_CXFRAME, SM_CYFRAME
    int cxDlgFrame = 3, cyDlgFrame = 3;  // SM_CXDLGFRAME, SM_CYDLGFRAME
    int cyCaption = 19;                  // SM_CYCAPTION
    int cySmCaption = 15;                // SM_CYSMCAPTION
    int cyMenu = 19;                     // SM_CYMENU
    int xVirtualScreen = 0, yVirtualScreen = 0;    // SM_XVIRTUALSCREEN, SM_YVIRTUALSCREEN
    int cxVirtualScreen = 0, cyVirtualScreen = 0;  // SM_CXVIRTUALSCREEN, SM_CYVIRTUALSCREEN
};

struct Position {
    int32_t left = 0;
    int32_t top = 0;
};

// Pulls position back so that at least 50 pixels of a width x height window (twips)
// stay on the virtual screen. screenWidth/Height (twips) stand in when the system has
// no virtual-screen metrics.
void KeepOnScreen(float width, float height, Position& position, const SystemMetrics& metrics,
                  const TwipsPerPixel& tpp, double screenWidth, double screenHeight);

struct FrameExtra {
    int32_t width = 0;   // twips
    int32_t height = 0;  // twips
};

enum class MenuState { None, Present, Visible };

// How much larger a form's outer size is than its client area, for its border style
// (0 none, 1 fixed single, 2 sizable, 3 fixed dialog, 4 fixed tool, 5 sizable tool).
FrameExtra FormFrameExtra(int borderStyle, MenuState menus, const SystemMetrics& metrics,
                          const TwipsPerPixel& tpp);

// The same for a picture box: border style 0/1, appearance 0 flat / 1 three-dimensional,
// draw width in pixels.
FrameExtra PictureFrameExtra(int borderStyle, int appearance, int drawWidth,
                             const TwipsPerPixel& tpp);

}  // namespace core
