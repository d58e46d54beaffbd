#include "agent/settings.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "agent/profile_reader.h"
#include "test_data.h"
#include "testkit/temp_dir.h"

namespace agent {
namespace {

using testing::Cp932Lines;
using testkit::TempDir;

class FakeWindow : public AgentWindowFrame {
  public:
    double Left() const override { return left; }
    double Top() const override { return top; }
    double Width() const override { return 3000; }
    double Height() const override { return 4005; }
    void MoveTo(double newLeft, double newTop) override {
        left = newLeft;
        top = newTop;
    }
    double left = 0, top = 0;
};

// A program folder and a screen of 1280 x 960 pixels at 15 twips per pixel.
class SettingsTest : public ::testing::Test {
  protected:
    SettingsTest() {
        env_.programDir = program_.Path();
        env_.screenWidth = 19200;
        env_.screenHeight = 14400;
        env_.env = [this](std::wstring_view name) -> std::optional<std::wstring> {
            return name == L"WINDIR" ? std::optional(windows_.Path()) : std::nullopt;
        };
    }
    void WriteIni(std::initializer_list<std::wstring_view> lines) {
        program_.Write(L"Tamvoro.ini", Cp932Lines(lines));
    }
    std::string Ini() const { return program_.Read(L"Tamvoro.ini"); }
    AgentSettings Load() { return LoadAgentSettings(env_, window_); }
    int Save(const AgentSettings& s, bool showTicked = true) {
        return SaveAgentSettings(s, env_, window_, showTicked);
    }
    ProfileReader Reread() const { return ProfileReader(Ini()); }

    TempDir program_;
    TempDir windows_;
    AgentEnvironment env_;
    FakeWindow window_;
};

TEST_F(SettingsTest, NoFileGivesDefaultsAndACentredWindow) {
    EXPECT_EQ(AgentSettingsPath(env_), program_.File(L"Tamvoro.ini"));
    const AgentSettings s = Load();
    EXPECT_EQ(window_.left, 8100);  // (19200 - 3000) / 2
    EXPECT_EQ(window_.top, 5197);   // (14400 - 4005) / 2, truncated
    EXPECT_EQ(s.readLeft, 8100);
    EXPECT_EQ(s.readTop, 5197);
    AgentOptions expected;
    expected.soundFlag = 0;  // no notify.wav in WINDIR\Media: the system beep
    EXPECT_EQ(s.values, expected);
    EXPECT_EQ(s.asRead, expected);
    EXPECT_EQ(expected.fWidth, 2700);
    EXPECT_EQ(expected.fHeight, 1845);
    EXPECT_EQ(expected.pcTime, 7);

    windows_.Write(L"Media/notify.wav", "RIFF");
    const AgentSettings withSound = Load();
    EXPECT_EQ(withSound.values.soundFlag, 1);
    EXPECT_EQ(withSound.values.soundFile, windows_.Path() + L"\\Media\\notify.wav");
    EXPECT_EQ(withSound.asRead, withSound.values);

    // An odd flag stands for the wave file, so it takes the default sound file as well.
    WriteIni({L"[Option]", L"SoundFlag=9"});
    EXPECT_EQ(Load().values.soundFile, windows_.Path() + L"\\Media\\notify.wav");
}

TEST_F(SettingsTest, StoredValuesAreReadTrimmedAndKeptToSixteenBits) {
    WriteIni({L"[MainForm]", L"Top=120", L"Left=40000", L"Form_Show=0", L"[Option]",
              L"Schedule=  C:\\時間割\\week.ini  ", L"SoundFlag=2", L"P_C_Time=40000",
              L"F_Direct=4", L"F_Width=-32769", L"F_Height=32767", L"B_Pos=1", L"P_Flag=0",
              L"L_Title3= メモ帳 ", L"L_Pop_Flag=0",
              L"L_Title5=" + std::wstring(254, L'a') + L"あい"});
    const AgentOptions o = Load().values;
    EXPECT_EQ(window_.top, 120);
    EXPECT_EQ(window_.left, 40000);  // positions keep 32 bits: a window on a second screen
    EXPECT_EQ(o.formShow, 0);
    EXPECT_EQ(o.schedule, L"C:\\時間割\\week.ini");
    EXPECT_EQ(o.soundFlag, 2);  // silent: no default sound is looked for
    EXPECT_EQ(o.soundFile, L"");
    EXPECT_EQ(o.pcTime, 7);     // beyond 16 bits: the default
    EXPECT_EQ(o.fWidth, 2700);  // likewise
    EXPECT_EQ(o.fHeight, 32767);
    EXPECT_EQ(o.fDirect, 4);
    EXPECT_EQ(o.bPos, 1);
    EXPECT_EQ(o.pFlag, 0);
    EXPECT_EQ(o.launcherTitles[2], L"メモ帳");
    EXPECT_EQ(o.lPopFlag, 0);
    // The buffer keeps 255 bytes; the half of "あ" in it becomes a space, then trimmed.
    EXPECT_EQ(o.launcherTitles[4], std::wstring(254, L'a'));
}

TEST_F(SettingsTest, MinusTheWindowSizeMeansNotStored) {
    WriteIni({L"[MainForm]", L"Top=-4005", L"Left=-3001"});
    Load();
    EXPECT_EQ(window_.top, 5197);
    EXPECT_EQ(window_.left, -3001);
}

TEST_F(SettingsTest, NothingChangedWritesNothing) {
    windows_.Write(L"Media/notify.wav", "RIFF");  // the sound default alone is no change
    Save(Load());
    EXPECT_FALSE(program_.Exists(L"Tamvoro.ini"));
    WriteIni({L"[Option]", L"P_C_Time=9", L"Odd=kept"});
    const std::string before = Ini();
    Save(Load());
    EXPECT_EQ(Ini(), before);
}

TEST_F(SettingsTest, MovedWindowAndMenuTick) {
    const AgentSettings s = Load();
    window_.MoveTo(150, 5197.4);  // moved sideways; the top rounds back to where it was
    Save(s, false);
    const std::string ini = Ini();
    EXPECT_NE(ini.find("Top=5197\r\nLeft=150\r\n"), std::string::npos);
    EXPECT_EQ(Reread().GetInt16(L"MainForm", L"Form_Show", 9), 0);
    EXPECT_EQ(ini.find("Option"), std::string::npos);
}

TEST_F(SettingsTest, AnOddShowValueStandsForShownAndIsRewrittenOnlyWhenHidden) {
    WriteIni({L"[MainForm]", L"Form_Show=2"});
    const std::string before = Ini();
    const AgentSettings s = Load();
    Save(s, true);
    EXPECT_EQ(Ini(), before);
    Save(s, false);
    EXPECT_EQ(Reread().GetInt16(L"MainForm", L"Form_Show", 9), 0);
}

TEST_F(SettingsTest, OnlyChangedOptionsAreWrittenComparedExactly) {
    WriteIni({L"[Option]", L"Schedule=c:\\week.ini", L"SoundFile=  ding.wav "});
    AgentSettings s = Load();
    s.values.schedule = L"C:\\week.ini";
    s.values.fHeight = -1845;
    Save(s);
    const std::string ini = Ini();
    EXPECT_EQ(Reread().GetText(L"Option", L"Schedule"), L"C:\\week.ini");
    EXPECT_NE(ini.find("F_Height=-1845\r\n"), std::string::npos);
    EXPECT_NE(ini.find("SoundFile=  ding.wav "), std::string::npos);  // left as it was
    for (const char* untouched :
         {"P_C_Time", "SoundFlag", "F_Width", "B_Pos", "Launcher", "L_Pop_Flag", "MainForm"}) {
        EXPECT_EQ(ini.find(untouched), std::string::npos) << untouched;
    }
}

TEST_F(SettingsTest, OneChangedLauncherTitleWritesAllTenLauncherKeys) {
    AgentSettings s = Load();
    s.values.launcherTitles[3] = L"電卓";
    Save(s);
    const std::string ini = Ini();
    std::size_t last = 0;
    for (int slot = 1; slot <= kLauncherCount; ++slot) {
        for (const std::string key : {"Launcher", "L_Title"}) {
            const std::size_t at = ini.find(key + std::to_string(slot) + "=");
            ASSERT_NE(at, std::string::npos) << key << slot;
            EXPECT_GT(at, last) << key << slot;
            last = at;
        }
    }
    EXPECT_EQ(Reread().GetText(L"Option", L"L_Title4"), L"電卓");
}

// Another program (a scanner, a sync client) holds the file, here a folder of its name.
TEST_F(SettingsTest, AFileThatCouldNotBeReadIsNeverWrittenOver) {
    const std::filesystem::path ini = program_.Dir() / "Tamvoro.ini";
    std::filesystem::create_directory(ini);
    AgentSettings s = Load();
    EXPECT_NE(s.readError, 0);
    EXPECT_EQ(Save(s), 0);  // nothing changed: nothing to write, nothing to report

    // Released later, holding the user's launchers the session never saw.
    std::filesystem::remove(ini);
    WriteIni({L"[Option]", L"Launcher2=calc.exe", L"L_Title2=電卓"});
    const std::string before = Ini();
    s.values.launcherTitles[0] = L"メモ帳";
    EXPECT_NE(Save(s), 0);
    EXPECT_EQ(Ini(), before);

    // A file read at the start but held when saving: the failure is returned, the file kept.
    s = Load();
    s.values.pcTime = 9;
    std::filesystem::rename(ini, program_.Dir() / "kept.ini");
    std::filesystem::create_directory(ini);
    EXPECT_NE(Save(s), 0);
    std::filesystem::remove(ini);
    std::filesystem::rename(program_.Dir() / "kept.ini", ini);
    EXPECT_EQ(Ini(), before);
    EXPECT_EQ(Save(s), 0);
    EXPECT_EQ(Reread().GetInt16(L"Option", L"P_C_Time", 0), 9);
}

// Saved by an editor as UTF-8 with the byte-order mark: read and written as UTF-8, as the
// system's profile functions do, the mark kept.
TEST_F(SettingsTest, AUtf8FileWithTheByteOrderMarkStaysUtf8) {
    program_.Write(
        L"Tamvoro.ini",
        "\xEF\xBB\xBF" + core::ToUtf8(L"[Option]\r\nL_Title1=メモ帳\r\nF_Width=3600\r\n"));
    AgentSettings s = Load();
    EXPECT_EQ(s.values.launcherTitles[0], L"メモ帳");
    EXPECT_EQ(s.values.fWidth, 3600);
    s.values.launcherTitles[1] = L"電卓";
    EXPECT_EQ(Save(s), 0);
    const std::string ini = Ini();
    EXPECT_TRUE(ini.starts_with("\xEF\xBB\xBF[Option]\r\n" + core::ToUtf8(L"L_Title1=メモ帳\r\n")));
    EXPECT_NE(ini.find(core::ToUtf8(L"L_Title2=電卓\r\n")), std::string::npos);
    EXPECT_EQ(ini.find("[Option]", 4), std::string::npos);  // no second section
    EXPECT_EQ(Load().values.launcherTitles[1], L"電卓");
}

}  // namespace
}  // namespace agent
