// Characters entered into edit boxes as an input method and a keyboard deliver them: the
// control's key filter, the input method's state around a box for digits, and the caret
// after a change filter removed pasted characters.
#include <gtest/gtest.h>
#include <windows.h>
// Declarations that build on windows.h.
#include <imm.h>

#include <string>

#include "forms/forms.h"
#include "forms/keys.h"
#include "win32/win32_host.h"

namespace {

using namespace forms;

std::wstring TextOf(const Control& control) {
    wchar_t text[64] = {};
    GetWindowTextW(HWND(control.Handle()), text, 64);
    return text;
}

DWORD CaretOf(const Control& control) {
    DWORD start = 0, end = 0;
    SendMessageW(HWND(control.Handle()), EM_GETSEL, WPARAM(&start), LPARAM(&end));
    return start == end ? start : DWORD(-1);
}

class TypingForm : public Form {
  public:
    TypingForm() : Form(L"Form1") {
        Move(0, 0, 6000, 3000);
        Digits.Move(120, 120, 3000, 330);
        Digits.SetImeOff(true);
        Digits.KeyPress = [](int16_t& key) { DigitsOnly(key); };
        Plain.Move(120, 600, 3000, 330);
        Answers.Move(120, 1080, 3000, 330);
        Answers.KeyPress = [](int16_t& key) { DigitsOnly(key); };
        // Text that did not pass the key filter (pasted) keeps only its digits, narrowed;
        // the caret stays after what was kept before it.
        Answers.Change = [this] {
            const auto digitsOf = [](std::wstring_view text) {
                std::wstring kept;
                for (wchar_t c : text) {
                    if (NarrowDigit(c) >= L'0' && NarrowDigit(c) <= L'9') {
                        kept += NarrowDigit(c);
                    }
                }
                return kept;
            };
            const std::wstring kept = digitsOf(Answers.Text());
            if (kept != Answers.Text()) {
                const auto caret = size_t(Answers.SelStart());
                const int before =
                    int(digitsOf(std::wstring_view(Answers.Text()).substr(0, caret)).size());
                Answers.SetText(kept);
                Answers.SetSelStart(before);
            }
        };
    }
    TextBox Digits{*this, L"Digits"};
    TextBox Plain{*this, L"Plain"};
    TextBox Answers{*this, L"Answers"};
};

class TypingTest : public ::testing::Test {
  protected:
    void SetUp() override { form.Show(); }
    win32::Win32Host host;
    App app{host};
    TypingForm form;
};

TEST_F(TypingTest, EnteredCharactersPassTheDigitFilterWhicheverWayTheyCome) {
    const std::wstring entered = L"１ｶ漢\uE0005";
    struct Way {
        UINT message;
        bool posted;
    };
    for (const Way way : {Way{WM_CHAR, false}, Way{WM_CHAR, true}, Way{WM_IME_CHAR, false},
                          Way{WM_IME_CHAR, true}}) {
        SCOPED_TRACE(testing::Message() << "message " << way.message << " posted " << way.posted);
        form.Digits.SetText(L"");
        form.Plain.SetText(L"");
        for (TextBox* box : {&form.Digits, &form.Plain}) {
            for (wchar_t c : entered) {
                if (way.posted) {
                    PostMessageW(HWND(box->Handle()), way.message, c, 1);
                } else {
                    SendMessageW(HWND(box->Handle()), way.message, c, 1);
                }
            }
        }
        host.DoEvents();
        EXPECT_EQ(TextOf(form.Digits), L"15");
        EXPECT_EQ(form.Digits.Text(), L"15");
        EXPECT_EQ(TextOf(form.Plain), entered);
        EXPECT_EQ(form.Plain.Text(), entered);
    }
}

// Wine's own input method commits a composition set in the box's input context as a
// result string; the result reaches the filter once, not again as characters.
// A digit box keeps its input context, so text committed after the user switched the
// input method on there is filtered the same way.
TEST_F(TypingTest, TextTheInputMethodCommitsPassesTheFilterOnce) {
    form.Plain.KeyPress = [](int16_t& key) { DigitsOnly(key); };
    for (TextBox* box : {&form.Plain, &form.Digits}) {
        SCOPED_TRACE(box == &form.Digits ? "digit box" : "plain box");
        box->SetFocus();
        host.DoEvents();
        HWND window = HWND(box->Handle());
        HIMC context = ImmGetContext(window);
        ASSERT_NE(context, nullptr);
        ImmSetOpenStatus(context, TRUE);
        const std::wstring entered = L"１ｶ漢\uE0005";
        ASSERT_TRUE(ImmSetCompositionStringW(context, SCS_SETSTR, (void*)entered.c_str(),
                                             DWORD(entered.size() * sizeof(wchar_t)), nullptr, 0));
        ASSERT_TRUE(ImmNotifyIME(context, NI_COMPOSITIONSTR, CPS_COMPLETE, 0));
        host.DoEvents();
        ImmReleaseContext(window, context);
        EXPECT_EQ(TextOf(*box), L"15");
        EXPECT_EQ(box->Text(), L"15");
    }
}

bool OpenIn(const Control& control) {
    HWND window = HWND(control.Handle());
    HIMC context = ImmGetContext(window);
    const bool open = context != nullptr && ImmGetOpenStatus(context);
    ImmReleaseContext(window, context);
    return open;
}

void SetOpen(const Control& control, bool open) {
    HWND window = HWND(control.Handle());
    HIMC context = ImmGetContext(window);
    ImmSetOpenStatus(context, open);
    ImmReleaseContext(window, context);
}

// The input method's state is shared by the program's boxes (and on Windows by the user's
// other programs): the digit box closes it while it has the focus and hands it back as it
// was when the focus leaves or the box goes.
TEST_F(TypingTest, ADigitBoxClosesTheInputMethodOnlyWhileItHasTheFocus) {
    for (bool wasOpen : {true, false}) {
        SCOPED_TRACE(testing::Message() << "open before " << wasOpen);
        form.Plain.SetFocus();
        host.DoEvents();
        SetOpen(form.Plain, wasOpen);
        for (Control* next : {&form.Answers, &form.Plain}) {  // digit box to digit box, then out
            form.Digits.SetFocus();
            host.DoEvents();
            ASSERT_EQ(GetFocus(), HWND(form.Digits.Handle()));
            EXPECT_FALSE(OpenIn(form.Digits));
            next->SetFocus();
            host.DoEvents();
            EXPECT_EQ(OpenIn(form.Plain), wasOpen);
        }
    }
    form.Digits.SetFocus();
    host.DoEvents();
    SetOpen(form.Digits, true);  // switched on by the user in the box: still handed back
    form.Plain.SetFocus();
    host.DoEvents();
    EXPECT_FALSE(OpenIn(form.Plain));

    TypingForm other;  // keeps the program's input context while the first form goes
    other.Show();
    other.Plain.SetFocus();  // where the focus comes back to
    SetOpen(form.Plain, true);
    form.Digits.SetFocus();
    host.DoEvents();
    EXPECT_FALSE(OpenIn(other.Plain));
    form.Unload();
    host.DoEvents();
    EXPECT_TRUE(OpenIn(other.Plain));
}

TEST_F(TypingTest, AChangeFilterKeepsTheCaretOfAPasteInTheMiddle) {
    struct Case {
        const wchar_t* pasted;
        const wchar_t* text;  // after the paste and a typed "2"
        DWORD caret;
    };
    for (const Case& c : {Case{L"ｶ", L"3214", 2}, Case{L"４", L"34214", 3},
                          Case{L"a漢\uE000", L"3214", 2}, Case{L"x９y", L"39214", 3}}) {
        SCOPED_TRACE(testing::Message() << "pasted " << int(c.pasted[0]));
        form.Answers.SetText(L"314");
        form.Answers.SetSelStart(1);
        HWND window = HWND(form.Answers.Handle());
        SendMessageW(window, EM_REPLACESEL, TRUE, LPARAM(c.pasted));
        SendMessageW(window, WM_CHAR, L'2', 1);
        EXPECT_EQ(TextOf(form.Answers), c.text);
        EXPECT_EQ(form.Answers.Text(), c.text);
        EXPECT_EQ(CaretOf(form.Answers), c.caret);
        EXPECT_EQ(form.Answers.SelStart(), int(c.caret));
    }
}

}  // namespace
