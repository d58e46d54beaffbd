// Tamvoro.exe started in a fresh folder with generated pictures, a timetable whose lesson
// runs now and a message box due now, and driven through window messages.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "agent_e2e_support_win.h"
#include "e2e/process_win.h"
#include "e2e/sandbox.h"
#include "e2e/window_driver_win.h"
#include "test_pictures.h"

namespace {

using namespace e2e;
using agent::testing::Cp932;

constexpr DWORD kWaitMs = 20000;
constexpr forms::Color kKey = 0xFF00FF;
constexpr int kPictureWidth = 60, kPictureHeight = 90;

std::wstring Clock(const SYSTEMTIME& t) {
    wchar_t text[8];
    swprintf(text, 8, L"%02d:%02d", t.wHour, t.wMinute);
    return text;
}

class TamvoroE2e : public ::testing::Test {
  protected:
    // A lesson from ten minutes ago to half an hour ahead on every weekday, pictures of
    // 60 x 90 pixels, and whatever extra catalogue lines the test gives.
    void Prepare(std::initializer_list<std::wstring> catalogueExtra) {
        // A new minute ends the lesson's announcement early (the balloon goes back to the
        // clock and the normal text): begin early in a minute, so the checks fall within it.
        SYSTEMTIME now{};
        GetLocalTime(&now);
        if (now.wSecond >= 40) {
            Sleep(DWORD(60 - now.wSecond) * 1000 + 200);
            GetLocalTime(&now);
        }
        const int minute = now.wHour * 60 + now.wMinute;
        std::vector<std::wstring> timetable = {
            L"[Item]",
            L"Item1=国語",
            L"Check1=1",
            L"S_Time1=" + std::to_wstring(std::max(0, minute - 10)),
            L"E_Time1=" + std::to_wstring(std::min(1439, minute + 30)),
            L"[Cell]"};
        std::string timetableBytes;
        for (const std::wstring& line : timetable) {
            timetableBytes += Cp932({line});
        }
        for (int day = 1; day <= 7; ++day) {
            timetableBytes += Cp932({L"Cell" + std::to_wstring(day) + L"=01"});
        }
        sandbox.Write(L"Timetable.ini", timetableBytes);
        sandbox.Write(L"Tamvoro.ini",
                      Cp932({L"[Option]", L"Schedule=Timetable.ini", L"SoundFlag=2"}));
        const forms::Image picture =
            agent::testing::CharacterPicture(kPictureWidth, kPictureHeight, kKey, 0x2080E0);
        sandbox.Write(L"normal.bmp", agent::testing::Bmp24(picture));
        std::string catalogue = Cp932({L"Picture_Normal=normal.bmp", L"TIME=\"hh:nn\"",
                                       L"DATETIME_CRLF=1", L"ITEM_FIRST1=\"ただいま\"",
                                       L"ITEM_FIRST2=\"の時間です。\",Picture_Info_Normal"});
        for (const std::wstring& line : catalogueExtra) {
            catalogue += Cp932({line});
        }
        sandbox.Write(L"Setting.txt", catalogue);
    }
    void Start() {
        const std::wstring exe = sandbox.CopyIn(BuildPath(PROGRAM_EXE));
        GetLocalTime(&started);
        process = std::make_unique<Process>(exe, L"", sandbox.Folder());
    }
    HWND WaitForAgent() const {
        return process->WaitForWindow(
            {.className = L"SuiteForm", .caption = L"エージェント", .visibleOnly = true}, kWaitMs);
    }
    HWND BalloonText(HWND agent) const { return FindChild(agent, {.className = L"Edit"}); }

    Sandbox sandbox;
    std::unique_ptr<Process> process;
    SYSTEMTIME started{};
};

TEST_F(TamvoroE2e, AgentShowsItsOutlineClockLessonAndADueMessageBox) {
    Prepare({L"MESSAGEBOX={0:00}\"お知らせです。\""});
    Start();
    const HWND agent = WaitForAgent();
    ASSERT_NE(agent, nullptr);

    // The message window: its text, and its button hides it.
    const HWND box = process->WaitForWindow(
        {.className = L"SuiteForm", .caption = L"", .visibleOnly = true}, kWaitMs);
    ASSERT_NE(box, nullptr);
    EXPECT_NE(FindChild(box, {.className = L"Static", .caption = L"お知らせです。"}), nullptr);
    ClickButton(FindChild(box, {.className = L"Button", .caption = L"確認(&O)"}));
    EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(box); }, kWaitMs));

    // The balloon: the clock line, then the lesson.
    const HWND text = BalloonText(agent);
    ASSERT_NE(text, nullptr);
    const std::wstring shown = TextOf(text);
    SYSTEMTIME read{};
    GetLocalTime(&read);
    EXPECT_NE(shown.find(L"\r\nただいま国語の時間です。"), std::wstring::npos) << shown;
    const std::wstring clock = shown.substr(0, 5);
    EXPECT_TRUE(clock == Clock(started) || clock == Clock(read)) << shown;

    // The outline: the button row on top, the balloon, the character under it; the
    // caption and frame are cut away.
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    ASSERT_NE(GetWindowRgn(agent, region), ERROR);
    RECT bounds{};
    GetRgnBox(region, &bounds);
    const DWORD size = GetRegionData(region, 0, nullptr);
    std::vector<char> data(size);
    GetRegionData(region, size, reinterpret_cast<RGNDATA*>(data.data()));
    const DWORD count = reinterpret_cast<RGNDATA*>(data.data())->rdh.nCount;
    DeleteObject(region);
    RECT window{};
    GetWindowRect(agent, &window);
    const int border = GetSystemMetrics(SM_CXDLGFRAME);
    const int top = GetSystemMetrics(SM_CYDLGFRAME) + GetSystemMetrics(SM_CYCAPTION);
    EXPECT_EQ(bounds.left, border);
    EXPECT_EQ(bounds.top, top);
    EXPECT_LE(bounds.right, window.right - window.left - border);
    // Buttons 25 + gap 4 + balloon 123 + character 90 pixels high; the picture's outermost
    // rows are key colour.
    EXPECT_GE(bounds.bottom - bounds.top, 25 + 4 + 123 + 90 - 2);
    EXPECT_LE(bounds.bottom - bounds.top, 25 + 4 + 123 + 90);
    // The system merges equal rows into bands: more rectangles than the dozen controls and
    // the balloon's straight middle, at most a few per row of balloon and character.
    EXPECT_GT(count, 40u);
    EXPECT_LT(count, 2u * (123 + 90) + 40);
}

TEST_F(TamvoroE2e, ADamagedPictureIsReportedAndTheAgentRunsOn) {
    Prepare({L"Picture_Info_Normal=damaged.bmp"});
    sandbox.Write(L"damaged.bmp", "BM\x10\x00 not a picture at all");
    Start();
    const HWND message =
        process->WaitForWindow({.className = L"#32770", .caption = L"Tamvoro"}, kWaitMs);
    ASSERT_NE(message, nullptr);
    const std::wstring said = TextOf(FindChild(message, {.id = 0xFFFF}));
    EXPECT_NE(said.find(L"画像ファイルを読み込めませんでした。"), std::wstring::npos) << said;
    EXPECT_NE(said.find(L"damaged.bmp"), std::wstring::npos) << said;
    ClickButton(FindChild(message, {.id = IDOK}));
    const HWND agent = WaitForAgent();
    ASSERT_NE(agent, nullptr);
    Sleep(2500);  // a few ticks, the lesson's picture (the damaged one) asked for
    EXPECT_TRUE(process->Running());
    EXPECT_NE(TextOf(BalloonText(agent)).find(L"ただいま国語の時間です。"), std::wstring::npos);
}

}  // namespace
