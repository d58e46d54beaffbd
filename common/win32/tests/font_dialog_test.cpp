#include "win32/font_dialog.h"

#include <gtest/gtest.h>

#include <thread>

namespace win32 {
namespace {

core::FontSpec Font(std::wstring name, double size, int32_t bold, uint8_t italic = 0,
                    uint8_t underline = 0, uint8_t strikethrough = 0, int32_t colour = 0) {
    return {std::move(name), size, bold, italic, underline, strikethrough, colour};
}

TEST(FontSpecToLogFont, StartsTheDialogFromTheSpec) {
    const LOGFONTW logFont = FontSpecToLogFont(Font(L"ＭＳ Ｐゴシック", 9, 0, 255, 0, 255), 96);
    EXPECT_EQ(std::wstring(logFont.lfFaceName), L"ＭＳ Ｐゴシック");
    EXPECT_EQ(logFont.lfHeight, -12);
    EXPECT_EQ(logFont.lfWeight, FW_NORMAL);
    EXPECT_EQ(logFont.lfItalic, 255);
    EXPECT_EQ(logFont.lfUnderline, 0);
    EXPECT_EQ(logFont.lfStrikeOut, 255);
}

TEST(FontSpecToLogFont, HeightIsRoundedAndBoldOpensBold) {
    EXPECT_EQ(FontSpecToLogFont(Font(L"a", 10.5, 0), 96).lfHeight, -14);
    EXPECT_EQ(FontSpecToLogFont(Font(L"a", 11, 0), 96).lfHeight, -15);    // 14.67
    EXPECT_EQ(FontSpecToLogFont(Font(L"a", 1.875, 0), 96).lfHeight, -2);  // 2.5, half to even
    EXPECT_EQ(FontSpecToLogFont(Font(L"a", 9, -1), 96).lfWeight, FW_BOLD);
    EXPECT_EQ(FontSpecToLogFont(Font(L"a", 9, 1), 96).lfWeight, FW_BOLD);
}

TEST(FontSpecToLogFont, LongFaceNamesAreCutToTheField) {
    const LOGFONTW logFont = FontSpecToLogFont(Font(std::wstring(40, L'ф'), 9, 0), 96);
    EXPECT_EQ(std::wstring(logFont.lfFaceName), std::wstring(31, L'ф'));
}

TEST(FontSpecFromChoice, ReadsTheDialogsAnswer) {
    LOGFONTW logFont{};
    wcscpy(logFont.lfFaceName, L"IPAPGothic");
    logFont.lfHeight = -16;
    logFont.lfWeight = FW_NORMAL;
    logFont.lfUnderline = 1;
    EXPECT_EQ(FontSpecFromChoice(logFont, 0x0000FF, 96), Font(L"IPAPGothic", 12, 0, 0, 1, 0, 0xFF));
    // Any weight but exactly normal reads back as bold.
    for (const LONG weight : {0L, 300L, 600L, 700L, 900L}) {
        logFont.lfWeight = weight;
        EXPECT_EQ(FontSpecFromChoice(logFont, 0, 96).bold, -1) << weight;
    }
    logFont.lfHeight = 14;
    EXPECT_DOUBLE_EQ(FontSpecFromChoice(logFont, 0, 96).size, 10.5);
}

TEST(FontSpecFromChoice, SpecSurvivesTheRoundTripAtEveryDisplayScale) {
    for (const int dpi : {96, 120, 144, 192}) {
        for (const auto& font :
             {Font(L"ＭＳ Ｐゴシック", 9, 0), Font(L"Tahoma", 12, -1, 255, 255, 255),
              Font(L"x", 24, 0, 0, 0, 255)}) {
            EXPECT_EQ(FontSpecFromChoice(FontSpecToLogFont(font, dpi), 0, dpi), font) << dpi;
        }
    }
}

TEST(FontSpecToLogFont, PointsAreConvertedAtTheScreensResolution) {
    EXPECT_EQ(FontSpecToLogFont(Font(L"a", 9, 0), 144).lfHeight, -18);
    EXPECT_EQ(FontSpecToLogFont(Font(L"a", 9, 0), 120).lfHeight, -15);
    EXPECT_EQ(FontSpecToLogFont(Font(L"a", 11, 0), 192).lfHeight, -29);  // 29.33
    LOGFONTW logFont{};
    logFont.lfHeight = -24;
    EXPECT_DOUBLE_EQ(FontSpecFromChoice(logFont, 0, 144).size, 12);
    EXPECT_DOUBLE_EQ(FontSpecFromChoice(logFont, 0, 96).size, 18);
}

// Confirms or cancels the font dialog this process shows.
void AnswerFontDialog(int command) {
    for (int i = 0; i < 500; ++i) {
        const HWND dialog = FindWindowW(L"#32770", nullptr);
        DWORD process = 0;
        GetWindowThreadProcessId(dialog, &process);
        if (dialog != nullptr && process == GetCurrentProcessId() && IsWindowVisible(dialog)) {
            PostMessageW(dialog, WM_COMMAND, command, 0);
            return;
        }
        Sleep(20);
    }
}

TEST(ChooseNoteFont, ConfirmedUnchangedKeepsTheNotesFont) {
    core::FontSpec font = Font(L"Tahoma", 12, -1, 0, 255, 0, 0x00FF0000);
    std::thread answer(AnswerFontDialog, IDOK);
    const int16_t result = ChooseNoteFont(nullptr, font);
    answer.join();
    EXPECT_EQ(result, 0);
    EXPECT_EQ(font.name, L"Tahoma");
    EXPECT_DOUBLE_EQ(font.size, 12);
    EXPECT_EQ(font.bold, -1);
    EXPECT_EQ(font.italic, 0);
    EXPECT_NE(font.underline, 0);
    EXPECT_EQ(font.strikethrough, 0);
}

TEST(ChooseNoteFont, ConfirmedUnchangedKeepsSizesBetweenPixelHeights) {
    // Whole sizes: Wine's dialog rounds 10.5 points to 11 (the Windows dialog keeps it).
    for (const double size : {9.0, 11.0, 14.0}) {
        core::FontSpec font = Font(L"Tahoma", size, 0);
        std::thread answer(AnswerFontDialog, IDOK);
        EXPECT_EQ(ChooseNoteFont(nullptr, font), 0);
        answer.join();
        EXPECT_DOUBLE_EQ(font.size, size);
    }
}

TEST(ChooseNoteFont, CancelledLeavesTheFontAlone) {
    const core::FontSpec before = Font(L"Tahoma", 9, 0, 255, 0, 0, 0x123456);
    core::FontSpec font = before;
    std::thread answer(AnswerFontDialog, IDCANCEL);
    EXPECT_EQ(ChooseNoteFont(nullptr, font), -1);
    answer.join();
    EXPECT_EQ(font, before);
}

}  // namespace
}  // namespace win32
