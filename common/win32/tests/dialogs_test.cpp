#include "win32/dialogs.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <thread>

namespace win32 {
namespace {

using namespace std::string_view_literals;

constexpr auto kCsvFilter = L"CSV ファイル (*.csv)\0*.csv\0すべてのファイル (*.*)\0*.*\0"sv;

// Answers the first dialog this process shows, from another thread, as a person would.
class DialogAnswer {
  public:
    explicit DialogAnswer(std::function<void(HWND)> answer)
        : thread_([this, answer = std::move(answer)] {
              const HWND dialog = WaitForDialog();
              found_ = dialog != nullptr;
              if (found_) {
                  answer(dialog);
              }
          }) {}
    ~DialogAnswer() { Finish(); }
    // Whether a dialog was there to answer.
    bool Found() {
        Finish();
        return found_;
    }

  private:
    void Finish() {
        if (thread_.joinable()) {
            thread_.join();
        }
    }

    static HWND WaitForDialog() {
        for (int i = 0; i < 500; ++i) {
            if (HWND dialog = CurrentDialog()) {
                return dialog;
            }
            Sleep(20);
        }
        return nullptr;
    }

    static HWND CurrentDialog() {
        HWND found = nullptr;
        EnumWindows(
            [](HWND window, LPARAM param) -> BOOL {
                DWORD process = 0;
                GetWindowThreadProcessId(window, &process);
                wchar_t name[16] = {};
                GetClassNameW(window, name, 16);
                if (process == GetCurrentProcessId() && IsWindowVisible(window) &&
                    std::wstring_view(name) == L"#32770") {
                    *reinterpret_cast<HWND*>(param) = window;
                    return FALSE;
                }
                return TRUE;
            },
            reinterpret_cast<LPARAM>(&found));
        return found;
    }

    bool found_ = false;
    std::thread thread_;
};

void Cancel(HWND dialog) {
    PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
}

// Types name into the file dialog's name box and confirms.
std::function<void(HWND)> TypeAndConfirm(std::wstring name) {
    return [name = std::move(name)](HWND dialog) {
        constexpr int kNameCombo = 0x47C;  // cmb13
        constexpr int kNameEdit = 0x480;   // edt1
        SetDlgItemTextW(dialog, GetDlgItem(dialog, kNameCombo) ? kNameCombo : kNameEdit,
                        name.c_str());
        PostMessageW(dialog, WM_COMMAND, IDOK, 0);
    };
}

class FileDialogTest : public ::testing::Test {
  protected:
    // The file dialogs make the chosen folder the current one; it is restored so the
    // folder can be removed.
    void SetUp() override {
        start_ = std::filesystem::current_path();
        folder_ = std::filesystem::temp_directory_path() /
                  (L"dialogs-" + std::to_wstring(GetCurrentProcessId()));
        std::filesystem::create_directories(folder_);
        std::ofstream(folder_ / L"data.csv") << "1,2\r\n";
    }
    void TearDown() override {
        std::filesystem::current_path(start_);
        std::filesystem::remove_all(folder_);
    }

    std::filesystem::path start_;
    std::filesystem::path folder_;
};

TEST_F(FileDialogTest, CancelledOpenGivesNothingAndKeepsTheIndex) {
    int16_t index = 2;
    DialogAnswer answer(Cancel);
    EXPECT_EQ(ShowOpenDialog(nullptr, kCsvFilter, folder_.wstring(), index), L"");
    EXPECT_TRUE(answer.Found());
    EXPECT_EQ(index, 2);
}

TEST_F(FileDialogTest, OpenGivesTheChosenFullPathAndIndex) {
    int16_t index = 0;
    DialogAnswer answer(TypeAndConfirm(L"data.csv"));
    const std::wstring path = ShowOpenDialog(nullptr, kCsvFilter, folder_.wstring(), index);
    EXPECT_TRUE(answer.Found());
    EXPECT_TRUE(std::filesystem::equivalent(path, folder_ / L"data.csv")) << path;
    EXPECT_EQ(index, 1);
}

TEST_F(FileDialogTest, SaveAppendsThePatternsExtension) {
    int16_t index = 1;
    DialogAnswer answer(TypeAndConfirm(L"RESULT.CSV"));
    const std::wstring path =
        ShowSaveDialog(nullptr, kCsvFilter, folder_.wstring(), L"result", L"", index, L"");
    EXPECT_TRUE(answer.Found());
    EXPECT_EQ(std::filesystem::path(path).filename(), L"RESULT.CSV.csv");
    EXPECT_EQ(index, 1);
}

TEST_F(FileDialogTest, SaveStartsFromTheDefaultNameAndCancelKeepsTheIndex) {
    int16_t index = 1;
    std::wstring shown;
    DialogAnswer answer([&shown](HWND dialog) {
        wchar_t text[256] = {};
        GetDlgItemTextW(dialog, GetDlgItem(dialog, 0x47C) ? 0x47C : 0x480, text, 256);
        shown = text;
        Cancel(dialog);
    });
    EXPECT_EQ(ShowSaveDialog(nullptr, kCsvFilter, folder_.wstring(), L"結果", L"csv", index, L""),
              L"");
    EXPECT_TRUE(answer.Found());
    EXPECT_EQ(shown, L"結果");
    EXPECT_EQ(index, 1);
}

// The overwrite question for a name the dialog did not show: No brings the dialog back with
// the typed name (cancelled here), Yes returns the name.
TEST_F(FileDialogTest, SaveAsksBeforeReplacingAFileNamedByTheAppendedExtension) {
    std::ofstream(folder_ / L"a.b.csv") << "old";
    for (const int reply : {IDNO, IDYES}) {
        int16_t index = 1;
        std::wstring question, retyped = L"(not shown again)";
        // Each answer waits for the window it answered to go before the next one looks.
        const auto gone = [](HWND window) {
            for (int i = 0; i < 500 && IsWindow(window) && IsWindowVisible(window); ++i) {
                Sleep(20);
            }
        };
        std::thread person([&] {
            HWND last = nullptr;
            DialogAnswer typed([&](HWND dialog) {
                last = dialog;
                TypeAndConfirm(L"a.b")(dialog);
            });
            EXPECT_TRUE(typed.Found());
            gone(last);
            DialogAnswer asked([&](HWND box) {
                last = box;
                wchar_t text[512] = {};
                GetDlgItemTextW(box, 0xFFFF, text, 512);
                question = text;
                PostMessageW(box, WM_COMMAND, reply, 0);
            });
            EXPECT_TRUE(asked.Found());
            gone(last);
            if (reply == IDNO) {
                DialogAnswer again([&](HWND dialog) {
                    wchar_t text[256] = {};
                    GetDlgItemTextW(dialog, GetDlgItem(dialog, 0x47C) ? 0x47C : 0x480, text, 256);
                    retyped = text;
                    Cancel(dialog);
                });
                EXPECT_TRUE(again.Found());
            }
        });
        const std::wstring path =
            ShowSaveDialog(nullptr, kCsvFilter, folder_.wstring(), L"", L"", index, L"テスト");
        person.join();
        const std::wstring full = (folder_ / L"a.b.csv").wstring();
        EXPECT_NE(question.find(L"a.b.csv は既に存在します。"), std::wstring::npos);
        if (reply == IDNO) {
            EXPECT_EQ(path, L"");
            EXPECT_EQ(retyped, L"a.b");
        } else {
            EXPECT_EQ(std::filesystem::path(path).filename(), L"a.b.csv");
        }
    }
}

TEST(ShowColorDialog, ConfirmGivesTheColourAndCancelGivesMinusOne) {
    {
        DialogAnswer answer([](HWND dialog) { PostMessageW(dialog, WM_COMMAND, IDOK, 0); });
        EXPECT_EQ(ShowColorDialog(nullptr, 0x0080FF40), 0x0080FF40);
        EXPECT_TRUE(answer.Found());
    }
    DialogAnswer answer(Cancel);
    EXPECT_EQ(ShowColorDialog(nullptr, 0x00FFFFFF), -1);
    EXPECT_TRUE(answer.Found());
}

}  // namespace
}  // namespace win32
