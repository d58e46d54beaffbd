// Marking a class through the answer sheet: recording sheets (name, replace, refusals),
// the class window (figures re-marked with the key as it is now, deleting, the table) and
// the class file when it is damaged or cannot be written.
#include <gtest/gtest.h>

#include <filesystem>

#include "class_records.h"
#include "core/text.h"
#include "quillard_fixture.h"
#include "result_export.h"

namespace quillard {
namespace {

// Four questions, three choices; and a short set.
constexpr std::wstring_view kSets =
    L"\"小テスト\",\"アイウ\",\"1231\"\r\n\"二問\",\"AB\",\"21\"\r\n";
const std::wstring kHeader = L"問題,受験者,解答,記録日時\r\n";

class ClassTest : public QuillardTest {
  protected:
    void StartOnFirstSet() {
        WriteSetFile(kSets);
        Start();
        headless::ChooseItem(form->Combo1, 0);
    }
    // Enters a sheet: the name, then per question the choice ticked (0: none), and 記録.
    void Record(std::wstring_view name, std::vector<int> ticks) {
        form->Text2.SetText(std::wstring(name));
        for (size_t q = 0; q < ticks.size(); ++q) {
            if (ticks[q] != 0) {
                headless::Click(form->Check1[BoxNumber(int(q) + 1, ticks[q])]);
            }
        }
        headless::Click(form->Command4);
    }
    std::wstring ClassFile() const { return core::FromCp932(folder.Read(L"Quillard_results.csv")); }
    void WriteClassFile(std::wstring_view text) const {
        folder.Write(L"Quillard_results.csv", core::ToCp932(text));
    }
    // Opens 集計 and runs act inside it.
    void InClassWindow(const std::function<void(ClassForm&)>& act) {
        host.ExpectModal(L"Form3", [&](forms::Form& f) {
            act(static_cast<ClassForm&>(f));
            headless::Type(f, L"\x1b");  // Esc closes it
        });
        headless::ChooseMenu(form->MNU_Class);
        EXPECT_EQ(host.PendingScripts(), 0u);
    }
};

TEST_F(ClassTest, RecordingSheetsOneAfterAnother) {
    StartOnFirstSet();
    EXPECT_EQ(form->Label3.Caption(), L"受験者");
    EXPECT_EQ(form->MNU_Class.Caption(), L"集計(&T)");
    EXPECT_EQ(form->Text2.MaxLength(), 40);
    host.ExpectMessage(forms::kIdOk, L"受験者を入力して下さい。");
    Record(L"  ", {});
    EXPECT_EQ(LastMessage().style, forms::kMbError);
    EXPECT_TRUE(form->Text2.HasFocus());
    EXPECT_FALSE(folder.Exists(L"Quillard_results.csv"));

    Record(L" 1番 山田 ", {1, 2, 1, 0});  // 2 right: questions 3 and 4 wrong or empty
    EXPECT_EQ(form->Label4.Caption(), L"記録しました：1番 山田　2 / 4　（1 人目）");
    EXPECT_EQ(form->Text2.Text(), L"");
    EXPECT_TRUE(form->Text2.HasFocus());
    EXPECT_EQ(form->BoxState(1, 1), kBoxEmpty) << "the sheet is cleared for the next pupil";
    Record(L"2番", {1, 2, 3, 1});
    EXPECT_EQ(form->Label4.Caption(), L"記録しました：2番　4 / 4　（2 人目）");
    EXPECT_EQ(ClassFile(), kHeader +
                               L"\"小テスト\",\"1番 山田\",\"1210\",\"2026/12/07 14:03:09\"\r\n"
                               L"\"小テスト\",\"2番\",\"1231\",\"2026/12/07 14:03:09\"\r\n");

    // The same name again: No keeps the record and the sheet, Yes replaces it in place.
    host.ExpectMessage(forms::kIdNo, L"1番 山田 の記録を置き換えますか?");
    Record(L"1番 山田", {3, 3, 3, 3});
    EXPECT_EQ(LastMessage().style, forms::kMbQuestion | forms::kMbYesNo);
    EXPECT_EQ(form->BoxState(1, 3), kBoxTicked);
    host.SetNow({{2026, 12, 8}, 9, 0, 0});
    host.ExpectMessage(forms::kIdYes, L"置き換えますか");
    headless::Click(form->Command4);
    EXPECT_EQ(form->Label4.Caption(), L"記録しました：1番 山田　1 / 4　（1 人目）");
    EXPECT_EQ(ClassFile(), kHeader +
                               L"\"小テスト\",\"1番 山田\",\"3333\",\"2026/12/08 09:00:00\"\r\n"
                               L"\"小テスト\",\"2番\",\"1231\",\"2026/12/07 14:03:09\"\r\n");
    EXPECT_EQ(host.PendingScripts(), 0u);
}

// A name too long for one line of the label is cut short there, so the score stays in sight;
// the class file keeps it whole.
TEST_F(ClassTest, ALongNameIsCutInTheResultLabelOnly) {
    StartOnFirstSet();
    const std::wstring name(40, L'山');
    Record(name, {1, 2, 3, 1});
    const std::wstring caption = form->Label4.Caption();
    EXPECT_EQ(caption.rfind(L"記録しました：山", 0), 0u) << core::ToUtf8(caption);
    EXPECT_NE(caption.find(L"山…　4 / 4　（1 人目）"), std::wstring::npos) << core::ToUtf8(caption);
    EXPECT_LT(caption.size(), name.size());
    EXPECT_NE(ClassFile().find(L"\"" + name + L"\""), std::wstring::npos);
    EXPECT_FALSE(form->Label4.UseMnemonic()) << "an \"&\" in a name shows as typed";
}

TEST_F(ClassTest, RecordsAnotherCopyWroteMeanwhileAreKept) {
    StartOnFirstSet();
    Record(L"A", {1});
    const std::wstring other = L"\"小テスト\",\"B\",\"2222\",\"2026/12/07 14:05:00\"\r\n";
    WriteClassFile(ClassFile() + other);  // a second copy of the program, same folder
    InClassWindow([](ClassForm& window) { EXPECT_EQ(window.List1.ListCount(), 2); });
    Record(L"C", {1});
    EXPECT_EQ(form->Label4.Caption(), L"記録しました：C　1 / 4　（3 人目）");
    EXPECT_EQ(ClassFile(), kHeader + L"\"小テスト\",\"A\",\"1000\",\"2026/12/07 14:03:09\"\r\n" +
                               other + L"\"小テスト\",\"C\",\"1000\",\"2026/12/07 14:03:09\"\r\n");
}

TEST_F(ClassTest, AMarkedSheetWithAWrongTickIsCheckedAsMarkingChecksIt) {
    StartOnFirstSet();
    form->Text2.SetText(L"A");
    headless::Click(form->Check1[BoxNumber(2, 1)]);  // wrong: 2 is correct
    headless::Click(form->Command1);
    host.ExpectMessage(forms::kIdOk, L"問2の選択が不正です。");
    headless::Click(form->Command4);
    EXPECT_FALSE(folder.Exists(L"Quillard_results.csv"));
    headless::Click(form->Command2[0]);  // 戻す: the grey boxes go, the tick is recorded
    headless::Click(form->Command4);
    EXPECT_NE(ClassFile().find(L"\"0100\""), std::wstring::npos);
}

TEST_F(ClassTest, NamesTakeOnlyWhatTheCodePageHolds) {
    StartOnFirstSet();
    headless::Type(form->Text2, L"山田");
    form->Text2.ReplaceSelection(L"\U0001F600太\t郎");  // pasted
    EXPECT_EQ(form->Text2.Text(), L"山田太郎");
    EXPECT_EQ(form->Text2.SelStart(), 4) << "the caret after what was pasted";
    EXPECT_EQ(host.Beeps(), 1);
}

TEST_F(ClassTest, RecordNeedsASetAndTheClassWindowNeedsOne) {
    WriteSetFile(kSets);
    Start();
    EXPECT_FALSE(form->Command4.Enabled());
    host.ExpectMessage(forms::kIdOk, L"問題を選択して下さい。");
    headless::ChooseMenu(form->MNU_Class);
    EXPECT_EQ(LastMessage().style, forms::kMbError);
    headless::ChooseItem(form->Combo1, 1);
    EXPECT_TRUE(form->Command4.Enabled());
}

TEST_F(ClassTest, TheClassWindowMarksEveryRecordWithTheKeyAsItIsNow) {
    // Recorded against an earlier key; the set's answers are now 1231. A record of a set
    // that no longer exists stays in the file.
    WriteClassFile(kHeader +
                   L"\"小テスト\",\"A\",\"1231\",\"2026/12/01 10:00:00\"\r\n"
                   L"\"消えたセット\",\"Z\",\"11\",\"2026/12/01 10:00:00\"\r\n"
                   L"\"小テスト\",\"B\",\"12\",\"2026/12/01 10:01:00\"\r\n"
                   L"\"小テスト\",\"C\",\"3331\",\"2026/12/01 10:02:00\"\r\n");
    StartOnFirstSet();
    InClassWindow([&](ClassForm& window) {
        EXPECT_EQ(window.Caption(), L"集計 - 小テスト");
        EXPECT_EQ(window.List1.Items(),
                  (std::vector<std::wstring>{L"A  4 / 4  100.00%", L"B  2 / 4   50.00%",
                                             L"C  2 / 4   50.00%"}));
        EXPECT_EQ(window.Label1.Caption(),
                  L"人数 3　平均点 2.67　標準偏差 0.94　中央値 2.00"
                  L"　最高点 4　最低点 2");
        const std::wstring table = window.Text1.Text();
        EXPECT_EQ(table.substr(0, table.find(L"\r\n")),
                  L"問   正答  正答率   ア   イ   ウ  無答  識別指数");
        EXPECT_NE(table.find(L"\r\n問1  ア      66.7    2    0    1     0      1.00\r\n"),
                  std::wstring::npos)
            << core::ToUtf8(table);
        EXPECT_TRUE(table.ends_with(L"\r\n問4  ア      66.7    2    0    0     1      0.00"));

        host.ExpectMessage(forms::kIdOk, L"リストから項目を選択してください。");
        headless::Click(window.Command1);
        headless::ChooseItem(window.List1, 1);
        host.ExpectMessage(forms::kIdNo, L"B の記録を削除してよろしいですか?");
        headless::Click(window.Command1);
        EXPECT_EQ(LastMessage().style, forms::kMbExclamation | forms::kMbYesNo);
        EXPECT_EQ(window.List1.ListCount(), 3);
        host.ExpectMessage(forms::kIdYes, L"B の記録を削除");
        headless::Click(window.Command1);
        EXPECT_EQ(window.List1.ListCount(), 2);
        EXPECT_NE(window.Label1.Caption().find(L"人数 2　平均点 3.00"), std::wstring::npos);

        host.ExpectSaveDialog(folder.File(L"class"), 2);
        host.ExpectMessage(forms::kIdOk, L"集計を '" + folder.File(L"class.csv"));
        headless::Click(window.Command2);
        host.ExpectSaveDialog(folder.File(L"Quillard_results.csv"), 2);
        host.ExpectMessage(forms::kIdOk, L"記録のファイル '");
        headless::Click(window.Command2);
    });
    EXPECT_EQ(ClassFile(), kHeader +
                               L"\"小テスト\",\"A\",\"1231\",\"2026/12/01 10:00:00\"\r\n"
                               L"\"消えたセット\",\"Z\",\"11\",\"2026/12/01 10:00:00\"\r\n"
                               L"\"小テスト\",\"C\",\"3331\",\"2026/12/01 10:02:00\"\r\n");
    const std::wstring table = core::FromCp932(folder.Read(L"class.csv"));
    EXPECT_TRUE(
        table.starts_with(L"受験者,得点,正答率,問1,問2,問3,問4\r\nA,4,100.00,○,○,○,○\r\n"
                          L"C,2,50.00,ウ,ウ,○,○\r\n\r\n正答,,,ア,イ,ウ,ア\r\n"))
        << core::ToUtf8(table);
    EXPECT_TRUE(table.ends_with(L"\r\n最高点,4\r\n最低点,2\r\n"));
}

TEST_F(ClassTest, ADamagedClassFileIsReportedOnceAndNeverWrittenOver) {
    const std::wstring damaged = kHeader + L"\"小テスト\",\"A\",\"12\"\r\n";
    WriteClassFile(damaged);
    host.ExpectMessage(forms::kIdOk, L"ファイルの読み込みを失敗しました Err=321");
    StartOnFirstSet();
    host.ExpectMessage(forms::kIdOk, L"ファイルの書き込みを失敗しました Err=321");
    Record(L"B", {1});
    EXPECT_EQ(form->BoxState(1, 1), kBoxTicked) << "the sheet stays for another try";
    EXPECT_EQ(form->Text2.Text(), L"B");
    InClassWindow([](ClassForm& window) { EXPECT_EQ(window.List1.ListCount(), 0); });
    EXPECT_EQ(ClassFile(), damaged);
    EXPECT_EQ(host.Messages().size(), 2u);
}

TEST_F(ClassTest, AFailedWriteChangesNothing) {
    StartOnFirstSet();
    Record(L"A", {1});
    const std::wstring before = ClassFile();
    std::filesystem::create_directory(folder.Dir() / "Quillard_results.csv.new~");
    host.ExpectMessage(forms::kIdOk, L"ファイルの書き込みを失敗しました Err=75");
    Record(L"B", {2});
    EXPECT_EQ(ClassFile(), before);
    EXPECT_EQ(form->BoxState(1, 2), kBoxTicked);
    InClassWindow([&](ClassForm& window) {
        EXPECT_EQ(window.List1.ListCount(), 1);
        headless::ChooseItem(window.List1, 0);
        host.ExpectMessage(forms::kIdYes, L"削除してよろしいですか");
        host.ExpectMessage(forms::kIdOk, L"Err=75");
        headless::Click(window.Command1);
        EXPECT_EQ(window.List1.ListCount(), 1);
    });
    EXPECT_EQ(ClassFile(), before);
}

}  // namespace
}  // namespace quillard
