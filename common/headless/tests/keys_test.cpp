// Keys typed through the form's preview and the controls' key filters.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "forms/forms.h"
#include "headless/test_host.h"
#include "headless/user.h"

namespace {

using namespace forms;

class KeyForm : public Form {
  public:
    KeyForm() : Form(L"FRM_AGT3") {
        // Digits and control keys only, as the settings dialogs filter their number boxes.
        Text2.KeyPress = [this](int16_t& key) {
            log.push_back(L"Text2:" + std::to_wstring(key));
            if (key > 26 && (key < '0' || key > '9')) {
                key = 0;
            }
        };
        KeyPress = [this](int16_t& key) {
            log.push_back(L"Form:" + std::to_wstring(key));
            if (key == kKeyEscape) {
                key = 0;
                Unload();
            } else if (key == 'a') {
                key = 'A';
            }
        };
        Text2.SetMaxLength(2);
        Memo.SetMultiLine(true);
    }
    TextBox Text2{*this, L"Text2"};
    TextBox Memo{*this, L"Memo"};
    TextBox Plain{*this, L"Plain"};
    ListBox List1{*this, L"List1"};
    std::vector<std::wstring> log;
};

class KeysTest : public ::testing::Test {
  protected:
    headless::TestHost host;
    App app{host};
    KeyForm form;
};

TEST_F(KeysTest, WithoutPreviewOnlyTheControlFiltersAndSwallowedKeysTypeNothing) {
    form.Show();
    headless::Type(form.Text2, L"1x2");
    EXPECT_EQ(form.Text2.Text(), L"12");
    EXPECT_EQ(form.log, (std::vector<std::wstring>{L"Text2:49", L"Text2:120", L"Text2:50"}));
    headless::Type(form.Text2, L"3");  // the box holds at most two characters
    EXPECT_EQ(form.Text2.Text(), L"12");
    headless::Type(form.Text2, L"\b9");
    EXPECT_EQ(form.Text2.Text(), L"19");
}

TEST_F(KeysTest, WithPreviewTheFormSeesEveryKeyFirstAndCanChangeIt) {
    form.SetKeyPreview(true);
    form.Show();
    headless::Type(form.Plain, L"ab");
    EXPECT_EQ(form.Plain.Text(), L"Ab");
    form.log.clear();
    headless::Type(form.Text2, L"a");  // the form changes it, the box then refuses it
    EXPECT_EQ(form.log, (std::vector<std::wstring>{L"Form:97", L"Text2:65"}));
    EXPECT_EQ(form.Text2.Text(), L"");
    form.log.clear();
    headless::Type(form.Text2,
                   L"\x1b"
                   L"5");  // Escape closes the form: nothing more is typed
    EXPECT_EQ(form.log, (std::vector<std::wstring>{L"Form:27"}));
    EXPECT_FALSE(form.Loaded());
}

TEST_F(KeysTest, EnterBreaksLinesOnlyInMultiLineBoxes) {
    form.Show();
    headless::Type(form.Memo, L"一\r二");
    EXPECT_EQ(form.Memo.Text(), L"一\r\n二");
    headless::Type(form.Plain, L"x\ry電");  // U+8000 and up arrive as negative keys
    EXPECT_EQ(form.Plain.Text(), L"xy電");
    form.Plain.SetLocked(true);
    headless::Type(form.Plain, L"z");
    EXPECT_EQ(form.Plain.Text(), L"xy電");
}

TEST_F(KeysTest, KeyDownGoesThroughThePreviewToo) {
    std::vector<std::wstring> log;
    form.KeyDown = [&](int16_t& code, int) {
        log.push_back(L"Form");
        if (code == kKeyDelete) {
            code = 0;
        }
    };
    form.List1.KeyDown = [&](int16_t& code, int) { log.push_back(std::to_wstring(code)); };
    form.Show();
    headless::PressKey(form.List1, kKeyReturn);
    form.SetKeyPreview(true);
    headless::PressKey(form.List1, kKeyReturn);
    headless::PressKey(form.List1, kKeyDelete);
    EXPECT_EQ(log, (std::vector<std::wstring>{L"13", L"Form", L"13", L"Form"}));
}

}  // namespace

namespace {

// A digit box filtered with DigitsOnly, and a change filter that strips letters: what the
// user types or pastes (full-width, half-width katakana, kanji, private use) and where the
// caret ends up.
class FilterForm : public forms::Form {
  public:
    FilterForm() : Form(L"Form1") {
        Digits.KeyPress = [](int16_t& key) { forms::DigitsOnly(key, L"."); };
        Digits.Move(0, 0, 600, 300);
    }
    forms::TextBox Digits{*this, L"Digits"};
};

TEST(DigitsOnly, FullWidthDigitsCountOthersAreRefused) {
    headless::TestHost host;
    forms::App app{host};
    FilterForm form;
    form.Show();
    const struct {
        const wchar_t* typed;
        const wchar_t* entered;
    } cases[] = {
        {L"１２", L"12"}, {L"3．５", L"3.5"},       {L"ｱ7", L"7"},
        {L"漢8", L"8"},   {L"\uE000\uFFFF9", L"9"}, {L"12\b", L"1"},
    };
    for (const auto& c : cases) {
        form.Digits.SetText(L"");
        headless::Type(form.Digits, c.typed);
        EXPECT_EQ(form.Digits.Text(), c.entered) << c.typed;
    }
}

TEST(ReplaceSelection, ChangeSeesTheCaretAfterTheInsertedText) {
    headless::TestHost host;
    forms::App app{host};
    FilterForm form;
    form.Show();
    form.Digits.Change = [&form] {
        forms::TextBox& box = form.Digits;
        std::wstring kept;
        int before = 0;
        for (size_t i = 0; i < box.Text().size(); ++i) {
            if (box.Text()[i] != L'x') {
                kept += box.Text()[i];
                before += i < size_t(box.SelStart()) ? 1 : 0;
            }
        }
        if (kept != box.Text()) {
            box.SetText(kept);
            box.SetSelStart(before);
        }
    };
    form.Digits.SetText(L"314");
    form.Digits.Select(1, 0);
    form.Digits.ReplaceSelection(L"x");  // a refused character pasted into the middle
    headless::Type(form.Digits, L"2");
    EXPECT_EQ(form.Digits.Text(), L"3214");
}

}  // namespace
