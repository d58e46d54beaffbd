#include "win32/font_dialog.h"

#include <commdlg.h>

#include <algorithm>
#include <cmath>

#include "core/runtime.h"
#include "core/text.h"
#include "win32/dib_surface.h"

namespace win32 {

namespace {

constexpr double kPointsPerInch = 72;
constexpr DWORD kFontDialogFlags =
    CF_SCREENFONTS | CF_INITTOLOGFONTSTRUCT | CF_EFFECTS | CF_LIMITSIZE;  // 0x2141
constexpr INT kMinPoints = 8;
constexpr INT kMaxPoints = 24;

}  // namespace

LOGFONTW FontSpecToLogFont(const core::FontSpec& font, int dpi) {
    LOGFONTW logFont{};
    const size_t count = std::min(font.name.size(), std::size(logFont.lfFaceName) - 1);
    std::copy_n(font.name.begin(), count, logFont.lfFaceName);
    // Negative: a character height, which is what a point size measures. A positive value
    // would be a cell height, and the dialog would offer a smaller size each time.
    const double pointsPerPixel = kPointsPerInch / dpi;  // 0.75 at 96 dpi
    logFont.lfHeight = -core::RoundToInt32(font.size / pointsPerPixel).value_or(0);
    // A bold note opens the dialog as bold, so confirming the dialog unchanged keeps it bold.
    logFont.lfWeight = font.bold != 0 ? FW_BOLD : FW_NORMAL;
    logFont.lfItalic = font.italic;
    logFont.lfUnderline = font.underline;
    logFont.lfStrikeOut = font.strikethrough;
    return logFont;
}

core::FontSpec FontSpecFromChoice(const LOGFONTW& logFont, COLORREF colour, int dpi) {
    core::FontSpec font;
    font.name =
        core::CutAtNul(std::wstring_view(logFont.lfFaceName, std::size(logFont.lfFaceName)));
    font.size = std::fabs(logFont.lfHeight * kPointsPerInch / dpi);
    font.bold = logFont.lfWeight == FW_NORMAL ? 0 : -1;
    font.italic = logFont.lfItalic;
    font.underline = logFont.lfUnderline;
    font.strikethrough = logFont.lfStrikeOut;
    font.colour = static_cast<int32_t>(colour);
    return font;
}

int16_t ChooseNoteFont(HWND owner, core::FontSpec& font) {
    // The dialog turns the height into its point size, and back, at the screen's
    // resolution: the sizes here follow it.
    const int dpi = ScreenDpiY();
    LOGFONTW logFont = FontSpecToLogFont(font, dpi);
    CHOOSEFONTW record{};
    record.lStructSize = sizeof(record);
    record.hwndOwner = owner;
    record.lpLogFont = &logFont;
    record.Flags = kFontDialogFlags;
    record.rgbColors = static_cast<COLORREF>(font.colour);
    record.nSizeMin = kMinPoints;
    record.nSizeMax = kMaxPoints;
    const LONG initialHeight = logFont.lfHeight;
    if (!ChooseFontW(&record)) {
        return -1;
    }
    const double initialSize = font.size;
    font = FontSpecFromChoice(logFont, record.rgbColors, dpi);
    if (logFont.lfHeight == initialHeight) {
        font.size = initialSize;  // a size the pixel height only approximates (11 points) stays
    }
    return 0;
}

}  // namespace win32
