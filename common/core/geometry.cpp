#include "core/geometry.h"

#include <cmath>

namespace core {

namespace {

// Keep the window at least this many pixels on the screen.
constexpr double kOnScreenMarginPixels = 50.0;

int32_t Nearest(double value) {
    // Rounds halves to even, as an assignment to an integer does.
    return static_cast<int32_t>(std::nearbyint(value));
}

// One axis of KeepOnScreen.
double KeepAxis(double position, double size, double low, double high, double margin) {
    if (position <= low - size + margin) {
        position = low;
    }
    if (position >= high - margin) {
        position = high - size;
    }
    return position;
}

}  // namespace

int32_t TwipsToPixelsX(double twips, const TwipsPerPixel& tpp) { return Nearest(twips / tpp.x); }
int32_t TwipsToPixelsY(double twips, const TwipsPerPixel& tpp) { return Nearest(twips / tpp.y); }
double PixelsToTwipsX(double pixels, const TwipsPerPixel& tpp) { return pixels * tpp.x; }
double PixelsToTwipsY(double pixels, const TwipsPerPixel& tpp) { return pixels * tpp.y; }

void KeepOnScreen(float width, float height, Position& position, const SystemMetrics& metrics,
                  const TwipsPerPixel& tpp, double screenWidth, double screenHeight) {
    double left = metrics.xVirtualScreen * tpp.x;
    double top = metrics.yVirtualScreen * tpp.y;
    double right = left + metrics.cxVirtualScreen * tpp.x;
    double bottom = top + metrics.cyVirtualScreen * tpp.y;
    if (left == 0 && top == 0 && right == 0 && bottom == 0) {
        right = screenWidth;
        bottom = screenHeight;
    }
    const double x = KeepAxis(position.left, width, left, right, kOnScreenMarginPixels * tpp.x);
    const double y = KeepAxis(position.top, height, top, bottom, kOnScreenMarginPixels * tpp.y);
    position.left = Nearest(x);
    position.top = Nearest(y);
}

FrameExtra FormFrameExtra(int borderStyle, MenuState menus, const SystemMetrics& metrics,
                          const TwipsPerPixel& tpp) {
    if (borderStyle == 0 && menus == MenuState::None) {
        return {};
    }
    int width = 0;
    int height = 0;
    if (borderStyle == 2) {
        width = 2 * metrics.cxFrame;
        height = 2 * metrics.cyFrame + metrics.cyCaption;
    } else if (borderStyle == 5 && menus == MenuState::None) {
        width = 2 * metrics.cxFrame;
        height = 2 * metrics.cyFrame + metrics.cySmCaption;
    } else {
        const bool toolCaption = borderStyle == 4 || borderStyle == 5;
        width = 2 * metrics.cxDlgFrame;
        height = 2 * metrics.cyDlgFrame + (toolCaption ? metrics.cySmCaption : metrics.cyCaption);
    }
    if (menus == MenuState::Visible) {
        height += metrics.cyMenu;
    }
    return {Nearest(width * tpp.x), Nearest(height * tpp.y)};
}

FrameExtra PictureFrameExtra(int borderStyle, int appearance, int drawWidth,
                             const TwipsPerPixel& tpp) {
    double width = 0;
    double height = 0;
    if (borderStyle == 1) {
        width = 2.0 * drawWidth * tpp.x;
        height = 2.0 * drawWidth * tpp.y;
    }
    if (appearance == 1) {
        width += 2 * tpp.x;
        height += 2 * tpp.y;
    }
    width += tpp.x;
    height += tpp.y;
    return {Nearest(width), Nearest(height)};
}

}  // namespace core
