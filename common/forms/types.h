// Plain values shared by the forms model and its backends.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace forms {

// Colours are 0x00BBGGRR (red in the low byte).
using Color = uint32_t;
inline constexpr Color kBlack = 0x000000;
inline constexpr Color kWhite = 0xFFFFFF;
inline constexpr Color kRed = 0x0000FF;

// An OS object as an opaque number (a window or icon handle on Windows; 0 when none).
using NativeHandle = uintptr_t;

// Mouse buttons and shift states of mouse and key events.
inline constexpr int kLeftButton = 1;
inline constexpr int kRightButton = 2;
inline constexpr int kMiddleButton = 4;
inline constexpr int kShiftMask = 1;
inline constexpr int kCtrlMask = 2;
inline constexpr int kAltMask = 4;

// Key codes of KeyDown (the virtual-key codes) used by the programs.
inline constexpr int16_t kKeyBack = 8;
inline constexpr int16_t kKeyTab = 9;
inline constexpr int16_t kKeyReturn = 13;
inline constexpr int16_t kKeyEscape = 27;
inline constexpr int16_t kKeyDelete = 46;

// Message boxes: one icon, one button set and optionally the second button as default.
inline constexpr uint32_t kMbOk = 0;
inline constexpr uint32_t kMbYesNo = 4;
inline constexpr uint32_t kMbError = 16;
inline constexpr uint32_t kMbQuestion = 32;
inline constexpr uint32_t kMbExclamation = 48;
inline constexpr uint32_t kMbInformation = 64;
inline constexpr uint32_t kMbDefaultButton2 = 256;
// Answers.
inline constexpr int kIdOk = 1;
inline constexpr int kIdCancel = 2;
inline constexpr int kIdYes = 6;
inline constexpr int kIdNo = 7;

// Notification icon commands (Host::NotifyIcon).
inline constexpr uint32_t kIconAdd = 0;
inline constexpr uint32_t kIconModify = 1;
inline constexpr uint32_t kIconDelete = 2;
// Mouse messages an icon reports to its form (as the x coordinate of MouseMove in pixels).
inline constexpr int kIconLeftDown = 513;
inline constexpr int kIconLeftDoubleClick = 515;
inline constexpr int kIconRightDown = 516;

// Coordinate units of a form or picture box.
enum class ScaleMode { Twips = 1, Pixels = 3 };

enum class WindowState { Normal = 0, Minimized = 1, Maximized = 2 };

struct Font {
    std::wstring name = L"ＭＳ Ｐゴシック";
    double size = 9.0;  // points
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strikethrough = false;
    friend bool operator==(const Font&, const Font&) = default;
};

struct Point {
    int x = 0;
    int y = 0;
    friend bool operator==(const Point&, const Point&) = default;
};

// A rectangle in pixels; right and bottom are exclusive.
struct Rect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    friend bool operator==(const Rect&, const Rect&) = default;
};

// A window region as the union of rectangles, in pixels relative to the window's
// top-left outer corner.
struct Region {
    std::vector<Rect> rects;
    bool Contains(int x, int y) const;
};

// A picture: pixels top-down, row by row, each 0x00BBGGRR.
struct Image {
    int width = 0;
    int height = 0;
    std::vector<Color> pixels;

    Image() = default;
    Image(int w, int h, Color fill = kWhite) : width(w), height(h), pixels(size_t(w) * h, fill) {}
    bool Empty() const { return width <= 0 || height <= 0; }
    Color At(int x, int y) const { return pixels[size_t(y) * width + x]; }
    void Set(int x, int y, Color c) { pixels[size_t(y) * width + x] = c; }
    friend bool operator==(const Image&, const Image&) = default;
};

struct TextExtent {
    int width = 0;   // pixels
    int height = 0;  // pixels
};

}  // namespace forms
