// The set editor driven as a person would: modes, checks and messages, keys, moving
// entries, and writing the set file (with the restart that follows).
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include "quillard_fixture.h"

namespace quillard {
namespace {

constexpr std::wstring_view kTwoSets =
    L"\"英語 単語\",\"アイウエ\",\"3142\"\r\n\"数学\",\"ABC\",\"12\"\r\n";

class EditorTest : public QuillardTest {
  protected:
    // Opens the editor from the menu and runs act in it; the editor must be closed by act.
    void InEditor(const std::function<void(SetEditor&)>& act) {
        host.ExpectModal(L"Form2", [&](forms::Form& f) { act(static_cast<SetEditor&>(f)); });
        headless::ChooseMenu(form->MNU_Setting);
    }
    // Fills the three boxes as typed, Enter moving on to the next, ending on 決定.
    static void TypeSet(SetEditor& e, std::wstring_view title, std::wstring_view choices,
                        std::wstring_view answers) {
        headless::Type(e.Text1[0], std::wstring(title) + L"\r");
        EXPECT_EQ(e.ActiveControl(), &e.Text1[1]);
        headless::Type(e.Text1[1], std::wstring(choices) + L"\r");
        EXPECT_EQ(e.ActiveControl(), &e.Text1[2]);
        headless::Type(e.Text1[2], std::wstring(answers) + L"\r");
        EXPECT_EQ(e.ActiveControl(), &e.Command2[0]);
    }
    static void Decide(SetEditor& e) { headless::Click(e.Command2[0]); }
    static void Cancel(SetEditor& e) { headless::Click(e.Command3[1]); }
    void Refused(SetEditor& e, std::wstring_view message, forms::Control& focus) {
        host.ExpectMessage(forms::kIdOk, std::wstring(message));
        Decide(e);
        EXPECT_EQ(LastMessage().style, forms::kMbError);
        EXPECT_TRUE(e.Frame1.Visible()) << "still editing";
        EXPECT_EQ(e.ActiveControl(), &focus);
    }
};

TEST_F(EditorTest, OpensCentredListingTheSetsWithTheFrameHidden) {
    WriteSetFile(kTwoSets);
    Start();
    InEditor([&](SetEditor& e) {
        EXPECT_EQ(e.Caption(), L"設定");
        EXPECT_EQ(e.Left(), static_cast<int>((15360 - e.Width()) / 2));
        ASSERT_EQ(e.List1.ListCount(), 2);
        EXPECT_EQ(e.List1.List(0), L"英語 単語                         アイウエ,3142");
        EXPECT_FALSE(e.Frame1.Visible());
        headless::Click(e.Command1[0]);  // closed while editing
        Cancel(e);
    });
    InEditor([&](SetEditor& e) {
        EXPECT_FALSE(e.Frame1.Visible()) << "opens idle again";
        EXPECT_TRUE(e.List1.Enabled());
        EXPECT_TRUE(e.Command1[1].Enabled());
        EXPECT_TRUE(e.Command5[0].Enabled());
        Cancel(e);
    });
    EXPECT_TRUE(form->Loaded());
    EXPECT_TRUE(host.ShellCalls().empty());
}

TEST_F(EditorTest, AddingASetAppendsItAndSavingWritesTheFileAndRestarts) {
    WriteSetFile(kTwoSets);
    Start();
    InEditor([&](SetEditor& e) {
        headless::Click(e.Command1[0]);  // 新規
        EXPECT_TRUE(e.Frame1.Visible());
        EXPECT_FALSE(e.Command1[1].Enabled());
        EXPECT_FALSE(e.Command1[2].Enabled());
        EXPECT_EQ(e.ActiveControl(), &e.Text1[0]);
        TypeSet(e, L"  理科 第1回 ", L"アイウ", L"3121");
        headless::Type(e.Command2[0], L"\r");  // Enter again presses 決定
        EXPECT_FALSE(e.Frame1.Visible());
        EXPECT_TRUE(e.Command1[1].Enabled());
        EXPECT_EQ(e.ActiveControl(), &e.List1);
        ASSERT_EQ(e.List1.ListCount(), 3);
        EXPECT_EQ(e.List1.ListIndex(), 2);
        EXPECT_EQ(ParseSetEntry(e.List1.List(2)), (QuestionSet{L"理科 第1回", L"アイウ", L"3121"}));

        host.ExpectMessage(forms::kIdYes, std::wstring(kUpdateQuestion));
        headless::Click(e.Command3[0]);
        EXPECT_EQ(LastMessage().style, forms::kMbQuestion | forms::kMbYesNo);
    });
    EXPECT_EQ(SetFileText(), std::wstring(kTwoSets) + L"\"理科 第1回\",\"アイウ\",\"3121\"\r\n");
    ASSERT_EQ(host.ShellCalls().size(), 1u);
    EXPECT_EQ(host.ShellCalls()[0].file,
              core::AppFilePath(folder.Dir().wstring(), L"Quillard.exe"));
    EXPECT_EQ(host.ShellCalls()[0].directory, folder.Dir().wstring());
    EXPECT_FALSE(form->Loaded()) << "the running copy ends after starting the new one";
}

TEST_F(EditorTest, EveryCheckRefusesWithItsMessageAndFocus) {
    WriteSetFile(std::wstring(kTwoSets) + L"\" 理科 \",\"AB\",\"1\"\r\n");
    Start();
    InEditor([&](SetEditor& e) {
        headless::Click(e.Command1[0]);
        Refused(e, L"タイトルが入力されていません。", e.Text1[0]);
        headless::Type(e.Text1[0], L"理科");  // read from the file with spaces around it
        Refused(e, L"同じタイトルが既に登録されています。", e.Text1[0]);
        e.Text1[0].Select(0, -1);
        headless::Type(e.Text1[0], L" 数学  ");  // the same title once trimmed
        Refused(e, L"同じタイトルが既に登録されています。", e.Text1[0]);
        EXPECT_EQ(e.Text1[0].Text(), L"数学");
        headless::Type(e.Text1[0], L"2");
        headless::Type(e.Text1[1], L"アイウ");
        headless::Type(e.Text1[2], L"314322");
        Refused(e, L"選択肢と答えの整合性が取れていません。", e.Text1[2]);
        headless::Type(e.Text1[1], L"エ");  // four choices now: accepted
        headless::Type(e.Text1[2], std::wstring(kMaxQuestions - 6 + 1, L'1'));
        Refused(e, SetCheckMessage(SetCheck::kTooManyQuestions), e.Text1[2]);
        headless::Type(e.Text1[2], L"\b");
        Decide(e);
        EXPECT_EQ(e.List1.ListCount(), 4);
        Cancel(e);
    });
    EXPECT_EQ(SetFileText(), std::wstring(kTwoSets) + L"\" 理科 \",\"AB\",\"1\"\r\n")
        << "nothing written";
}

TEST_F(EditorTest, ChangeKeepsItsOwnTitleAndDeleteAsksNothing) {
    WriteSetFile(kTwoSets);
    Start();
    InEditor([&](SetEditor& e) {
        host.ExpectMessage(forms::kIdOk, std::wstring(kSelectEntryMessage));
        headless::Click(e.Command1[1]);  // 変更 without a selection
        EXPECT_EQ(e.ActiveControl(), &e.List1);
        EXPECT_FALSE(e.Frame1.Visible());

        headless::ChooseItem(e.List1, 1);
        headless::Click(e.Command1[1]);
        EXPECT_EQ(e.Text1[0].Text(), L"数学");
        EXPECT_FALSE(e.Command1[0].Enabled());
        e.Text1[2].Select(0, -1);
        headless::Type(e.Text1[2], L"123");
        Decide(e);
        EXPECT_EQ(e.List1.List(1), SetEntry({L"数学", L"ABC", L"123"}));

        // Adding a set under the selected entry's title is refused.
        headless::Click(e.Command1[0]);
        headless::Type(e.Text1[0], L"数学");
        Refused(e, L"同じタイトルが既に登録されています。", e.Text1[0]);
        headless::Type(e.Text1[0], L"\x1b");  // Esc abandons
        EXPECT_FALSE(e.Frame1.Visible());

        headless::ChooseItem(e.List1, 0);
        headless::Click(e.Command1[2]);  // 削除: the boxes show the set read-only
        EXPECT_FALSE(e.Text1[0].Enabled());
        EXPECT_EQ(e.Text1[1].Text(), L"アイウエ");
        EXPECT_EQ(e.ActiveControl(), &e.Command2[0]);
        Decide(e);
        ASSERT_EQ(e.List1.ListCount(), 1);
        EXPECT_EQ(e.List1.List(0), SetEntry({L"数学", L"ABC", L"123"}));
        Cancel(e);
    });
    EXPECT_EQ(SetFileText(), kTwoSets) << "キャンセル writes nothing";
}

TEST_F(EditorTest, ListKeysDoubleClickAndTheLockedListWhileEditing) {
    WriteSetFile(kTwoSets);
    Start();
    InEditor([&](SetEditor& e) {
        headless::ChooseItem(e.List1, 0);
        headless::Type(e.List1, L"\r");  // Enter acts as 変更
        EXPECT_TRUE(e.Frame1.Visible());
        EXPECT_TRUE(e.Text1[0].Enabled());
        // The entry 決定 acts on cannot change while the frame is open.
        EXPECT_FALSE(e.List1.Enabled());
        EXPECT_FALSE(e.Command5[0].Enabled());
        EXPECT_FALSE(e.Command5[1].Enabled());
        EXPECT_THROW(headless::ChooseItem(e.List1, 1), std::logic_error);
        headless::Click(e.Command2[1]);  // 取消
        EXPECT_TRUE(e.List1.Enabled());

        headless::PressKey(e.List1, forms::kKeyDelete);  // Delete acts as 削除
        EXPECT_FALSE(e.Text1[0].Enabled());
        headless::Type(e, L"\x1b");
        EXPECT_FALSE(e.Frame1.Visible());
        headless::Type(e, L"\x1b");  // Esc does nothing when idle
        EXPECT_TRUE(e.Loaded());

        headless::DoubleClick(e.List1);
        EXPECT_TRUE(e.Frame1.Visible());
        EXPECT_EQ(e.Text1[0].Text(), L"英語 単語");
        headless::Click(e.Command2[1]);
        Cancel(e);
    });
}

TEST_F(EditorTest, ArrowsMoveTheSelectedEntryAndStopAtTheEnds) {
    WriteSetFile(L"\"a\",\"\",\"\"\r\n\"b\",\"\",\"\"\r\n\"c\",\"\",\"\"\r\n");
    Start();
    InEditor([&](SetEditor& e) {
        const auto titles = [&] {
            std::wstring all;
            for (int i = 0; i < e.List1.ListCount(); ++i) {
                all += ParseSetEntry(e.List1.List(i)).title;
            }
            return all;
        };
        headless::Click(e.Command5[0]);  // nothing selected: nothing happens
        EXPECT_EQ(titles(), L"abc");
        headless::ChooseItem(e.List1, 0);
        headless::Click(e.Command5[0]);
        EXPECT_EQ(titles(), L"abc");
        headless::Click(e.Command5[1]);
        EXPECT_EQ(titles(), L"bac");
        EXPECT_EQ(e.List1.ListIndex(), 1);
        headless::Click(e.Command5[1]);
        headless::Click(e.Command5[1]);
        EXPECT_EQ(titles(), L"bca");
        EXPECT_EQ(e.List1.ListIndex(), 2);
        host.ExpectMessage(forms::kIdYes);
        headless::Click(e.Command3[0]);
    });
    EXPECT_EQ(SetFileText(), L"\"b\",\"\",\"\"\r\n\"c\",\"\",\"\"\r\n\"a\",\"\",\"\"\r\n");
}

TEST_F(EditorTest, KeyFiltersAndPastedTextKeepSeparatorsOut) {
    WriteSetFile(L"");
    Start();
    InEditor([&](SetEditor& e) {
        headless::Click(e.Command1[0]);
        headless::Type(e.Text1[0], L"a,\"b c");
        headless::Type(e.Text1[1], L"ア イ　ウ,\"");
        headless::Type(e.Text1[2], L"1 2a0\b9");
        EXPECT_EQ(e.Text1[0].Text(), L"ab c");
        EXPECT_EQ(e.Text1[1].Text(), L"アイウ");
        EXPECT_EQ(e.Text1[2].Text(), L"19");
        e.Text1[0].ReplaceSelection(L"\"x\",y\r\n");  // pasted
        e.Text1[2].ReplaceSelection(L"3, 4");
        EXPECT_EQ(e.Text1[0].Text(), L"ab cxy");
        EXPECT_EQ(e.Text1[2].Text(), L"1934");
        headless::Click(e.Command2[1]);
        Cancel(e);
    });
}

// Characters the file cannot hold are refused with a beep where they are typed or pasted,
// the caret staying where it was; a choice beyond the basic plane is no choice at all.
TEST_F(EditorTest, CharactersTheFileCannotHoldAreRefusedWithABeep) {
    WriteSetFile(L"");
    Start();
    InEditor([&](SetEditor& e) {
        headless::Click(e.Command1[0]);
        headless::Type(e.Text1[0], L"国語한");
        EXPECT_EQ(e.Text1[0].Text(), L"国語");
        EXPECT_EQ(host.Beeps(), 1);
        e.Text1[0].Select(1, 0);
        e.Text1[0].ReplaceSelection(L"😀①");  // pasted
        EXPECT_EQ(e.Text1[0].Text(), L"国①語");
        EXPECT_EQ(e.Text1[0].SelStart(), 2);
        EXPECT_EQ(host.Beeps(), 2);
        headless::Type(e.Text1[1], L"ア😀");
        EXPECT_EQ(e.Text1[1].Text(), L"ア");
        headless::Type(e.Text1[2], L"2");
        Refused(e, L"選択肢と答えの整合性が取れていません。", e.Text1[2]);
        headless::Click(e.Command2[1]);
        Cancel(e);
    });
}

TEST_F(EditorTest, AnsweringNoKeepsTheEditorOpenAndTheFileUntouched) {
    WriteSetFile(kTwoSets);
    Start();
    InEditor([&](SetEditor& e) {
        headless::ChooseItem(e.List1, 0);
        headless::Click(e.Command1[2]);
        Decide(e);
        host.ExpectMessage(forms::kIdNo, std::wstring(kUpdateQuestion));
        headless::Click(e.Command3[0]);
        EXPECT_TRUE(e.Visible());
        Cancel(e);
    });
    EXPECT_EQ(SetFileText(), kTwoSets);
    EXPECT_TRUE(form->Loaded());
}

TEST_F(EditorTest, HandEditedSetsSurviveASaveUnchanged) {
    const std::wstring odd = L"\"ten\",\"ABCDEFGHIJ\",\"0A95\"\r\n\"q,uoted\",\"a b\",\"1,2\"\r\n";
    WriteSetFile(odd + L"\r\n\r\n");
    Start();
    InEditor([&](SetEditor& e) {
        EXPECT_EQ(e.Sets().size(), 2u);
        host.ExpectMessage(forms::kIdYes);
        headless::Click(e.Command3[0]);
    });
    EXPECT_EQ(SetFileText(), odd);
}

TEST_F(EditorTest, AfterAReadErrorTheUnreadFileIsKeptBesideBeforeSaving) {
    const std::string broken = core::ToCp932(L"\"a\",\"アイ\",\"12\"\r\n\"b\",\"ア");
    folder.Write(L"Quillard.csv", broken);
    host.ExpectMessage(forms::kIdOk, L"ファイルの読み込みを失敗しました Err=62");
    Start();
    EXPECT_FALSE(form->Command1.Enabled()) << "the sheet stays empty";
    InEditor([&](SetEditor& e) {
        ASSERT_EQ(e.List1.ListCount(), 2) << "the sets read, the broken one included";
        host.ExpectMessage(forms::kIdYes);
        host.ExpectMessage(forms::kIdOk, L"読み込めなかった元のファイルを");
        headless::Click(e.Command3[0]);
        EXPECT_EQ(LastMessage().style, forms::kMbInformation);
    });
    EXPECT_EQ(folder.Read(L"Quillard.csv.bak"), broken);
    EXPECT_EQ(SetFileText(), L"\"a\",\"アイ\",\"12\"\r\n\"b\",\"ア\",\"\"\r\n");
}

TEST_F(EditorTest, AFailedWriteKeepsTheEditorOpenAndTheOldFile) {
    WriteSetFile(kTwoSets);
    std::filesystem::create_directory(folder.Dir() / "Quillard.csv.new~");  // blocks the write
    Start();
    InEditor([&](SetEditor& e) {
        headless::ChooseItem(e.List1, 0);
        headless::Click(e.Command1[2]);
        Decide(e);
        host.ExpectMessage(forms::kIdYes);
        host.ExpectMessage(forms::kIdOk, L"ファイルの書き込みを失敗しました Err=75");
        headless::Click(e.Command3[0]);
        EXPECT_EQ(LastMessage().style, forms::kMbError);
        EXPECT_TRUE(e.Visible());
        EXPECT_EQ(e.List1.ListCount(), 1) << "the list is as it was";
        Cancel(e);
    });
    EXPECT_EQ(SetFileText(), kTwoSets);
    EXPECT_TRUE(host.ShellCalls().empty());
    EXPECT_TRUE(form->Loaded());
}

TEST_F(EditorTest, AFailedRestartIsReported) {
    WriteSetFile(kTwoSets);
    Start();
    host.shellExecuteResult = 2;
    InEditor([&](SetEditor& e) {
        host.ExpectMessage(forms::kIdYes);
        host.ExpectMessage(forms::kIdOk, L"再起動できませんでした");
        headless::Click(e.Command3[0]);
    });
    EXPECT_EQ(host.Messages().size(), 2u);
    EXPECT_EQ(LastMessage().style, forms::kMbError);
    EXPECT_FALSE(form->Loaded());
}

}  // namespace
}  // namespace quillard
