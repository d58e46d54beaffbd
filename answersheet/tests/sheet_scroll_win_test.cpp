// The answer sheet on the real Win32 backend, in this process: for every length of set from
// one question to the cap, the scroll bar brings the last question whole into the view,
// whichever way the user scrolls (the bar's own buttons and trough, or dragging the thumb).
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "answer_form.h"
#include "core/text.h"
#include "forms/forms.h"
#include "testkit/temp_dir.h"
#include "win32/win32_host.h"

namespace quillard {
namespace {

// The program runs from the test's folder, where its set file lies.
class FolderHost : public win32::Win32Host {
  public:
    explicit FolderHost(const testkit::TempDir& folder) : folder_(folder) {}
    forms::ProgramInfo Program() const override {
        forms::ProgramInfo info = Win32Host::Program();
        info.directory = folder_.Path();
        info.exeName = L"Quillard";
        return info;
    }

  private:
    const testkit::TempDir& folder_;
};

// What the bar tells its form when the user clicks its arrow or its trough.
void Scroll(HWND bar, WORD code) {
    SendMessageW(GetParent(bar), WM_VSCROLL, MAKEWPARAM(code, 0), LPARAM(bar));
}

// Drags the thumb with the mouse from the top of its track to the given height; the bar
// follows the mouse in its own loop until the button comes up.
void DragThumb(HWND bar, int arrow, int toY) {
    PostMessageW(bar, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(arrow / 2, toY));
    PostMessageW(bar, WM_LBUTTONUP, 0, MAKELPARAM(arrow / 2, toY));
    SendMessageW(bar, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(arrow / 2, arrow + 2));
}

class SheetScrollTest : public ::testing::Test {
  protected:
    // One line of the set file: a two-choice set of n questions.
    static std::wstring SetLine(int n) {
        return L"\"n" + std::to_wstring(n) + L"\",\"AB\",\"" + std::wstring(size_t(n), L'1') +
               L"\"\r\n";
    }
    void Open(const std::wstring& file) {
        folder.Write(L"Quillard.csv", core::ToCp932(file));
        form.Show();
    }
    HWND Bar() const { return HWND(form.VScroll1.Handle()); }
    // Whether question n's label lies whole inside the view, and is shown.
    ::testing::AssertionResult LastRowInView(int n) const {
        const HWND label = HWND(form.Label1[n].Handle());
        if (label == nullptr || !IsWindowVisible(label)) {
            return ::testing::AssertionFailure() << "問" << n << " is not shown";
        }
        RECT view{}, row{}, client{};
        GetWindowRect(Bar(), &view);
        GetWindowRect(label, &row);
        GetClientRect(HWND(form.Handle()), &client);
        MapWindowPoints(HWND(form.Handle()), nullptr, reinterpret_cast<POINT*>(&client), 2);
        if (row.top < view.top || row.bottom > view.bottom || row.bottom > client.bottom) {
            return ::testing::AssertionFailure()
                   << "問" << n << " at " << row.top << ".." << row.bottom << ", view " << view.top
                   << ".." << view.bottom << ", client bottom " << client.bottom;
        }
        return ::testing::AssertionSuccess();
    }

    testkit::TempDir folder{"quillard-scroll"};
    FolderHost host{folder};
    forms::App app{host};
    AnswerForm form;
};

TEST_F(SheetScrollTest, EveryLengthOfSetScrollsToItsLastQuestion) {
    std::wstring file;
    for (int n = 1; n <= kMaxQuestions; ++n) {
        file += SetLine(n);
    }
    Open(file);
    RECT bar{};
    GetClientRect(Bar(), &bar);
    const int arrow = GetSystemMetrics(SM_CYVSCROLL);
    for (int n = 1; n <= kMaxQuestions; ++n) {
        SCOPED_TRACE(testing::Message() << n << " questions");
        form.Combo1.SetListIndex(n - 1);
        ASSERT_EQ(form.Picture1.Top(), 0);
        Scroll(Bar(), SB_BOTTOM);
        EXPECT_EQ(form.VScroll1.Value(), form.VScroll1.Max());
        EXPECT_TRUE(LastRowInView(n)) << "to the bottom";
        // The thumb dragged to the foot of the bar (the bar's own loop takes a while under
        // Wine, so only every fiftieth length).
        if (n == 1 || n % 50 == 0) {
            Scroll(Bar(), SB_TOP);
            DragThumb(Bar(), arrow, bar.bottom - 1);
            EXPECT_EQ(form.VScroll1.Value(), form.VScroll1.Max());
            EXPECT_TRUE(LastRowInView(n)) << "thumb dragged";
        }
        // Back to the top, then paging and stepping down.
        Scroll(Bar(), SB_TOP);
        for (int i = 0; i < n / 10 + 1; ++i) {
            Scroll(Bar(), SB_PAGEDOWN);
        }
        Scroll(Bar(), SB_LINEDOWN);
        EXPECT_EQ(form.VScroll1.Value(), form.VScroll1.Max());
        EXPECT_TRUE(LastRowInView(n)) << "paged and stepped";
    }
}

// A set file holding one set of 200 questions, whose range lies just past 65,535 twips:
// the user clicks the trough below the thumb until the thumb stops, then the down arrow,
// each click going through the bar's own mouse handling.
TEST_F(SheetScrollTest, ClicksInTheBarReachTheLastOfTwoHundredQuestions) {
    Open(SetLine(200));
    form.Combo1.SetListIndex(0);
    ASSERT_GT(form.VScroll1.Max(), 65535);
    RECT bar{};
    GetClientRect(Bar(), &bar);
    const int arrow = GetSystemMetrics(SM_CYVSCROLL);
    const auto click = [&](int y) {
        PostMessageW(Bar(), WM_LBUTTONUP, 0, MAKELPARAM(arrow / 2, y));
        SendMessageW(Bar(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(arrow / 2, y));
    };
    int pages = 0;
    for (int last = -1; form.VScroll1.Value() != last; ++pages) {
        last = form.VScroll1.Value();
        click(bar.bottom - arrow - 1);
    }
    EXPECT_GT(pages, 2);
    while (form.VScroll1.Value() != form.VScroll1.Max()) {
        const int before = form.VScroll1.Value();
        click(bar.bottom - arrow / 2);
        ASSERT_GT(form.VScroll1.Value(), before) << "the arrow stopped short of the end";
    }
    EXPECT_TRUE(LastRowInView(200));
}

}  // namespace
}  // namespace quillard
