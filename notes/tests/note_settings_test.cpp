#include "note_settings.h"

#include <gtest/gtest.h>

#include "note_record.h"
#include "testkit/temp_dir.h"

namespace pindorel {
namespace {

class NoteSettingsTest : public ::testing::Test {
  protected:
    std::string Content() const { return dir.Read(L"Pindorel.ini"); }
    testkit::TempDir dir{"pindorel-settings"};
    core::ProfileFile file{dir.File(L"Pindorel.ini")};
};

TEST_F(NoteSettingsTest, AMissingFileGivesTheDefaultsAndNothingIsWrittenWithoutAChange) {
    const NoteSettings read = ReadSettings(file);
    EXPECT_EQ(read, NoteSettings{});
    WriteSettings(file, read, read);
    EXPECT_FALSE(core::FileExists(file.Path()));
}

TEST_F(NoteSettingsTest, ValuesAreReadAsTheyWereWritten) {
    dir.Write(L"Pindorel.ini",
              "[MainForm]\r\nDelete=1\r\nSave=1\r\nFontName=  \x82\x6c\x82\x72 \x96\xbe\x92\xa9 "
              "\r\nFontSize=10.5\r\nFontBold=-1\r\nFontItalic=255\r\nFontUnderline=7\r\n"
              "FontStrikethrough=0\r\nBackColor=8454143\r\nForeColor=128\r\n");
    const NoteSettings s = ReadSettings(file);
    EXPECT_EQ(s.deleteToRecycleBin, 1);
    EXPECT_EQ(s.saveOnEditEnd, 1);
    EXPECT_EQ(s.defaults.font.name, L"ＭＳ 明朝");
    EXPECT_EQ(s.defaults.font.size, 10.5);
    EXPECT_EQ(s.defaults.font.bold, -1);
    EXPECT_EQ(s.defaults.font.italic, 255);
    EXPECT_EQ(s.defaults.font.underline, 255);  // any non-zero value is on
    EXPECT_EQ(s.defaults.font.strikethrough, 0);
    EXPECT_EQ(s.defaults.backColor, 8454143);
    EXPECT_EQ(s.defaults.foreColor, 128);
}

TEST_F(NoteSettingsTest, OnlyChangedValuesAreWrittenAndTheFontKeysGoTogether) {
    const NoteSettings read = ReadSettings(file);
    NoteSettings now = read;
    now.saveOnEditEnd = 1;
    now.defaults.backColor = 65535;
    WriteSettings(file, read, now);
    EXPECT_EQ(Content(), "[MainForm]\r\nSave=1\r\nBackColor=65535\r\n");

    const NoteSettings second = ReadSettings(file);
    now = second;
    now.defaults.font.size = 10.5;
    WriteSettings(file, second, now);
    EXPECT_EQ(Content(),
              "[MainForm]\r\nSave=1\r\nBackColor=65535\r\nFontName=\r\nFontSize=10.5\r\n"
              "FontBold=0\r\nFontItalic=0\r\nFontUnderline=0\r\nFontStrikethrough=0\r\n");
}

// Hand-edited values no note can have are read as the note window's own, so that every new
// note can be stored and read back; without a font name nothing of them is used.
TEST_F(NoteSettingsTest, ValuesNoNoteCanHaveAreReadAsTheDefaults) {
    dir.Write(L"Pindorel.ini",
              "[MainForm]\r\nFontName=\x82\x6c\x82\x72 \x83\x53\x83\x56\x83\x62\x83\x4e\r\n");
    NoteSettings s = ReadSettings(file);
    EXPECT_EQ(s.defaults.font.name, L"ＭＳ ゴシック");
    EXPECT_EQ(s.defaults.font.size, kDefaultFontSize);
    EXPECT_EQ(s.defaults.backColor, 0);  // 0 is a colour: black
    dir.Write(L"Pindorel.ini",
              "[MainForm]\r\nFontName=x\r\nFontSize=2049\r\nBackColor=16777216\r\n"
              "ForeColor=-1\r\n");
    s = ReadSettings(file);
    EXPECT_EQ(s.defaults.font.size, kDefaultFontSize);
    EXPECT_EQ(s.defaults.backColor, kWindowColour);
    EXPECT_EQ(s.defaults.foreColor, kWindowTextColour);
    dir.Write(L"Pindorel.ini",
              "[MainForm]\r\nFontName=x\r\nFontSize=2048\r\nBackColor=-2147483618\r\n");
    s = ReadSettings(file);
    EXPECT_EQ(s.defaults.font.size, 2048);
    EXPECT_EQ(s.defaults.backColor, int32_t(0x8000001E));
    dir.Write(L"Pindorel.ini", "[MainForm]\r\nFontSize=-3\r\n");
    EXPECT_EQ(ReadSettings(file).defaults.font.size, -3);
}

TEST_F(NoteSettingsTest, FontSizeTextUsesAFullStop) {
    EXPECT_EQ(FontSizeText(10.5), L"10.5");
    EXPECT_EQ(FontSizeText(9), L"9");
    EXPECT_EQ(FontSizeText(11.25), L"11.25");
}

}  // namespace
}  // namespace pindorel
