#include "pindorel_forms.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>

#include "core/text.h"
#include "headless/test_host.h"
#include "headless/user.h"
#include "testkit/temp_dir.h"

namespace pindorel {
namespace {

using headless::TestHost;

NoteRecord Stored(std::wstring text, float left, float top) {
    NoteRecord r;
    r.left = left;
    r.top = top;
    r.width = 2400;
    r.height = 1800;
    r.font = {L"ＭＳ 明朝", 10.5, -1, 0, 0, 0, 0};
    r.backColor = 0x80FFFF;
    r.foreColor = 0x800000;
    r.text = std::move(text);
    return r;
}

class PindorelTest : public ::testing::Test {
  protected:
    PindorelTest() { host.program = {dir.Dir().wstring(), L"Pindorel", L"Pindorel", 1, 0}; }
    void Put(int number, const NoteRecord& record) {
        dir.Write(NoteFileName(number), EncodeNote(record));
    }
    std::string File(int number) const { return dir.Read(NoteFileName(number)); }
    // Starts the program; false when it ended during start-up.
    bool Start() {
        app = std::make_unique<forms::App>(host);
        notes = std::make_unique<Notes>(*app);
        try {
            notes->form1.Load();
        } catch (const headless::ProgramEnded&) {
            host.NoteEnded();
            return false;
        }
        return true;
    }
    void Exit() {
        host.ExpectPopup(L"MNU_Exit");
        headless::NotifyIconEvent(notes->form1, 516);
    }
    std::vector<NoteForm*> Shown() const {
        std::vector<NoteForm*> shown;
        for (const auto& note : notes->notes) {
            if (note->Visible()) {
                shown.push_back(note.get());
            }
        }
        return shown;
    }
    std::vector<std::wstring> Files() const {
        std::vector<std::wstring> names;
        for (const auto& entry : std::filesystem::directory_iterator(dir.Dir())) {
            names.push_back(entry.path().filename().wstring());
        }
        std::sort(names.begin(), names.end());
        return names;
    }
    void Edit(NoteForm& note, std::wstring_view keys) {
        headless::DoubleClick(note);
        headless::Type(note.Text1, keys);
    }

    testkit::TempDir dir{"pindorel-forms"};
    TestHost host;
    std::unique_ptr<forms::App> app;
    std::unique_ptr<Notes> notes;
};

TEST_F(PindorelTest, NotesLoadInNumericOrderAndAnUnchangedExitWritesNothing) {
    for (int n = 1; n <= 11; ++n) {
        Put(n, Stored(L"note " + std::to_wstring(n), 100.0f * n, 200));
    }
    ASSERT_TRUE(Start());
    ASSERT_EQ(Shown().size(), 11u);
    EXPECT_EQ(Shown()[9]->Text1.Text(), L"note 10");
    NoteForm& first = *Shown()[0];
    EXPECT_EQ(first.Left(), 100);
    EXPECT_EQ(first.Width(), 2400);
    EXPECT_EQ(first.Text1.Font().name, L"ＭＳ 明朝");
    EXPECT_TRUE(first.Text1.Font().bold);
    EXPECT_EQ(first.Picture1.Font(), first.Text1.Font());
    EXPECT_EQ(first.Text1.BackColor(), 0x80FFFFu);
    EXPECT_FALSE(first.Picture1.Enabled());
    EXPECT_EQ(app->ActiveForm(), nullptr);  // shown without taking the activation
    EXPECT_FALSE(notes->notesChanged);
    EXPECT_EQ(host.NotifyCalls().at(0).tip, L"Pindorel");

    // Moving a note and back raises the flag, but the save finds nothing to write.
    headless::MoveWindow(first, 900, 900, 2400, 1800);
    headless::MoveWindow(first, 100, 200, 2400, 1800);
    const auto before = std::filesystem::last_write_time(dir.Dir() / "TagData1.dat");
    Exit();
    EXPECT_TRUE(host.Ended());
    EXPECT_TRUE(host.DeleteCalls().empty());
    EXPECT_EQ(std::filesystem::last_write_time(dir.Dir() / "TagData1.dat"), before);
    EXPECT_FALSE(core::FileExists(dir.File(L"Pindorel.ini")));
    EXPECT_EQ(host.NotifyCalls().back().message, 2u);
}

TEST_F(PindorelTest, EditingOneNoteRewritesThatFileOnlyAndSendsTheOldOneToTheBin) {
    dir.Write(L"Pindorel.ini", "[MainForm]\r\nDelete=1\r\n");
    for (int n = 1; n <= 5; ++n) {
        Put(n, Stored(L"note " + std::to_wstring(n), 300, 300));
    }
    ASSERT_TRUE(Start());
    NoteForm& third = *Shown()[2];
    Edit(third, L"!");
    EXPECT_TRUE(third.Editing());
    EXPECT_TRUE(third.Picture1.Enabled());
    headless::ActivateElsewhere();
    EXPECT_FALSE(third.Editing());
    EXPECT_FALSE(third.Picture1.Enabled());
    Exit();
    ASSERT_EQ(host.DeleteCalls().size(), 1u);
    EXPECT_EQ(host.DeleteCalls()[0].recycle, 1);
    EXPECT_EQ(host.DeleteCalls()[0].confirm, 0);
    EXPECT_NE(host.DeleteCalls()[0].path.find(L"TagData3.dat"), std::wstring::npos);
    EXPECT_EQ(DecodeNote(File(3)).record.text, L"note 3!");
    EXPECT_EQ(File(2), EncodeNote(Stored(L"note 2", 300, 300)));
}

TEST_F(PindorelTest, DeletingTheMiddleNoteLeavesTwoFilesNumberedOneAndTwo) {
    Put(1, Stored(L"a", 0, 0));
    Put(2, Stored(L"b", 0, 0));
    Put(3, Stored(L"c", 0, 0));
    ASSERT_TRUE(Start());
    host.ExpectPopup(L"MNU_Delete");
    headless::MouseUp(*Shown()[1], forms::kRightButton, 10, 10);
    EXPECT_EQ(Shown().size(), 2u);
    Exit();
    EXPECT_EQ(Files(), (std::vector<std::wstring>{L"TagData1.dat", L"TagData2.dat"}));
    EXPECT_EQ(DecodeNote(File(2)).record.text, L"c");
}

TEST_F(PindorelTest, ADamagedFileIsReportedOnceKeptAndTheOthersLoad) {
    Put(1, Stored(L"a", 0, 0));
    const std::string damaged = EncodeNote(Stored(L"b", 0, 0)).substr(0, 20);
    dir.Write(L"TagData2.dat", damaged);
    std::string nan = EncodeNote(Stored(L"x", 0, 0));  // a width that is not a number
    const float notANumber = std::numeric_limits<float>::quiet_NaN();
    std::memcpy(nan.data() + 8, &notANumber, sizeof notANumber);
    dir.Write(L"TagData3.dat", nan);
    Put(4, Stored(L"c", -90000, 99000));  // far off screen
    host.ExpectMessage(forms::kIdOk,
                       L"ファイルの読み込みを失敗しました\r\nTagData2.dat\r\nTagData3.dat");
    ASSERT_TRUE(Start());
    ASSERT_EQ(Shown().size(), 2u);
    NoteForm& offScreen = *Shown()[1];
    EXPECT_GE(offScreen.Left(), 0);
    EXPECT_LE(offScreen.Top(), app->ScreenHeight());

    headless::ChooseMenu(Shown()[0]->MNU_New);
    Exit();
    EXPECT_EQ(host.Messages().size(), 1u);
    EXPECT_EQ(File(2), damaged);
    EXPECT_EQ(File(3), nan);
    EXPECT_EQ(DecodeNote(File(5)).record.text, L"");
}

TEST_F(PindorelTest, AFailedSaveAtExitAsksAndKeepsRunningOnNo) {
    Put(1, Stored(L"a", 0, 0));
    ASSERT_TRUE(Start());
    Edit(*Shown()[0], L"b");
    headless::ActivateElsewhere();
    host.shellDeleteResult = 5;
    host.ExpectMessage(forms::kIdOk, L"ファイルの書き込みを失敗しました Err=0");
    host.ExpectMessage(forms::kIdNo, L"終了しますか?");
    Exit();
    EXPECT_FALSE(host.Ended());
    EXPECT_TRUE(notes->form1.Loaded());
    EXPECT_EQ(DecodeNote(File(1)).record.text, L"a");
    EXPECT_EQ(Files(), (std::vector<std::wstring>{L"TagData1.dat"}));

    host.shellDeleteResult = 0;
    Exit();
    EXPECT_TRUE(host.Ended());
    EXPECT_EQ(DecodeNote(File(1)).record.text, L"ab");
    EXPECT_EQ(host.PendingScripts(), 0u);
}

TEST_F(PindorelTest, ASecondCopyTellsTheUserAndTouchesNoFile) {
    Put(1, Stored(L"a", 0, 0));
    dir.Write(L"TagData2.dat.new", EncodeNote(Stored(L"pending", 0, 0)));
    host.otherInstance = true;
    host.ExpectMessage(forms::kIdOk, L"すでに起動しています");
    EXPECT_FALSE(Start());
    EXPECT_TRUE(host.Ended());
    EXPECT_TRUE(notes->notes.empty());
    EXPECT_TRUE(host.NotifyCalls().empty());
    EXPECT_EQ(Files(), (std::vector<std::wstring>{L"TagData1.dat", L"TagData2.dat.new"}));
    ASSERT_EQ(host.InstanceCalls().size(), 1u);
    EXPECT_EQ(host.InstanceCalls()[0].scope, forms::ClaimScope::Folder);  // any copy's name
}

TEST_F(PindorelTest, StartUpFinishesAnInterruptedSave) {
    dir.Write(L"TagData1.dat.new", EncodeNote(Stored(L"saved", 0, 0)));
    ASSERT_TRUE(Start());
    ASSERT_EQ(Shown().size(), 1u);
    EXPECT_EQ(Shown()[0]->Text1.Text(), L"saved");
}

TEST_F(PindorelTest, EndOfSessionSavesLikeAnExit) {
    ASSERT_TRUE(Start());
    headless::NotifyIconEvent(notes->form1, 515);
    ASSERT_EQ(Shown().size(), 1u);
    Edit(*Shown()[0], L"kept");
    headless::EndSession();
    EXPECT_EQ(DecodeNote(File(1)).record.text, L"kept");
}

TEST_F(PindorelTest, SavingAtTheEndOfAnEditOnlyWhenTheTextChanged) {
    dir.Write(L"Pindorel.ini", "[MainForm]\r\nSave=1\r\n");
    Put(1, Stored(L"a", 0, 0));
    ASSERT_TRUE(Start());
    NoteForm& note = *Shown()[0];
    Edit(note, L"");
    headless::Type(note.Text1, L"\x1b");  // Escape ends the edit like leaving the note
    EXPECT_FALSE(note.Editing());
    EXPECT_TRUE(notes->notesChanged);
    EXPECT_EQ(File(1), EncodeNote(Stored(L"a", 0, 0)));

    Edit(note, L"b");
    headless::Type(note.Text1, L"\x1b");
    EXPECT_EQ(DecodeNote(File(1)).record.text, L"ab");
}

TEST_F(PindorelTest, FontAndColourChoicesApplyAndCancelChangesNothing) {
    ASSERT_TRUE(Start());
    headless::NotifyIconEvent(notes->form1, 515);
    NoteForm& note = *Shown()[0];
    EXPECT_EQ(note.Text1.Font().name, L"ＭＳ Ｐゴシック");
    notes->notesChanged = false;

    host.ExpectFontDialog(std::nullopt);
    host.ExpectColorDialog(-1);
    headless::ChooseMenu(note.MNU_Font);
    headless::ChooseMenu(note.MNU_Color_B);
    EXPECT_FALSE(notes->notesChanged);

    host.ExpectFontDialog(core::FontSpec{L"IPAGothic", 14, -1, 0, 255, 0, 0xFF});
    host.ExpectColorDialog(0x00FFFF);
    host.ExpectColorDialog(0x000080);
    headless::ChooseMenu(note.MNU_Font);
    headless::ChooseMenu(note.MNU_Color_B);
    headless::ChooseMenu(note.MNU_Color_F);
    EXPECT_TRUE(notes->notesChanged);
    EXPECT_EQ(note.Text1.Font(), (forms::Font{L"IPAGothic", 14, true, false, true, false}));
    EXPECT_EQ(note.Picture1.Font(), note.Text1.Font());
    EXPECT_EQ(note.Text1.BackColor(), 0x00FFFFu);
    EXPECT_EQ(note.Text1.ForeColor(), 0x000080u);
    Exit();
    const NoteRecord saved = DecodeNote(File(1)).record;
    EXPECT_EQ(saved.font, (core::FontSpec{L"IPAGothic", 14, -1, 0, 255, 0, 0}));
    EXPECT_EQ(saved.backColor, 0x00FFFF);
}

TEST_F(PindorelTest, ClipboardCutCopyAndPaste) {
    Put(1, Stored(L"first", 0, 0));
    Put(2, Stored(L"", 0, 0));
    ASSERT_TRUE(Start());
    NoteForm& first = *Shown()[0];
    NoteForm& empty = *Shown()[1];

    headless::ChooseMenu(first.MNU_Clip_Copy);
    EXPECT_EQ(host.clipboard, L"first");
    host.clipboard = L"line1\nline2";
    headless::ChooseMenu(empty.MNU_Clip_Paste);  // an empty note takes the text
    EXPECT_EQ(empty.Text1.Text(), L"line1\r\nline2");
    EXPECT_EQ(Shown().size(), 2u);
    headless::ChooseMenu(first.MNU_Clip_Paste);  // a note with text gets a new one
    ASSERT_EQ(Shown().size(), 3u);
    EXPECT_EQ(Shown()[2]->Text1.Text(), L"line1\r\nline2");

    headless::ChooseMenu(first.MNU_Clip_Cut);
    EXPECT_EQ(host.clipboard, L"first");
    EXPECT_EQ(Shown().size(), 2u);

    // Too long for a note: cut to what its file can hold.
    EXPECT_EQ(host.Beeps(), 0);
    host.clipboard = std::wstring(40000, L'あ');
    host.ExpectPopup(L"MNU_Clip_Paste");
    headless::NotifyIconEvent(notes->form1, 516);
    EXPECT_EQ(Shown().back()->Text1.Text().size(), kMaxTextBytes / 2);
    EXPECT_EQ(host.Beeps(), 1);  // the user hears that it was cut
    Exit();
    EXPECT_EQ(Files().size(), 3u);
}

TEST_F(PindorelTest, AtTheLimitAChangeIsRefusedWithTheRestOfTheNoteAndTheCaretKept) {
    const std::wstring full = std::wstring(100, L'a') + std::wstring(32717, L'あ');  // 65534 bytes
    Put(1, Stored(full, 0, 0));
    ASSERT_TRUE(Start());
    NoteForm& note = *Shown()[0];
    headless::DoubleClick(note);
    note.Text1.Select(50, 0);
    headless::Type(note.Text1, L"い");  // two bytes: one too many
    EXPECT_EQ(note.Text1.Text(), full);
    EXPECT_EQ(note.Text1.SelStart(), 50);
    EXPECT_EQ(host.Beeps(), 1);
    headless::Type(note.Text1, L"b");  // fits
    note.Text1.ReplaceSelection(L"pasted");
    EXPECT_EQ(note.Text1.SelStart(), 51);
    // A selection replaced by fewer or more characters of more bytes: the selection stays.
    for (const wchar_t* pasted : {L"いう", L"いうえお"}) {
        note.Text1.Select(10, 3);
        note.Text1.ReplaceSelection(pasted);
        EXPECT_EQ(note.Text1.SelStart(), 10) << pasted;
        EXPECT_EQ(note.Text1.SelLength(), 3) << pasted;
    }
    Exit();
    EXPECT_EQ(DecodeNote(File(1)).record.text, full.substr(0, 50) + L"b" + full.substr(50));
}

TEST_F(PindorelTest, ACharacterTheFileCannotHoldShowsAtOnceAsItWillBeStored) {
    ASSERT_TRUE(Start());
    headless::NotifyIconEvent(notes->form1, 515);
    NoteForm& note = *Shown()[0];
    Edit(note, L"caf");
    note.Text1.ReplaceSelection(L"é€ and 한");
    const std::wstring shown = note.Text1.Text();
    EXPECT_EQ(shown, core::FromCp932(core::ToCp932(L"café€ and 한")));
    EXPECT_NE(shown, L"café€ and 한");
    EXPECT_EQ(note.Text1.SelStart(), int(shown.size()));
    EXPECT_GE(host.Beeps(), 1);
    Exit();
    EXPECT_EQ(DecodeNote(File(1)).record.text, shown);
}

TEST_F(PindorelTest, FitToTextSizesTheWindowToItsText) {
    ASSERT_TRUE(Start());
    headless::NotifyIconEvent(notes->form1, 515);
    NoteForm& note = *Shown()[0];
    headless::ChooseMenu(note.MNU_Size);
    EXPECT_EQ(note.Width(), 120);
    note.SetNoteText(L"abcd\r\nab");
    headless::ChooseMenu(note.MNU_Size);
    EXPECT_EQ(note.Width(), note.Picture1.TextWidth(L"abcd") + 120);
    EXPECT_EQ(note.Height(), note.Picture1.TextHeight(L"abcd\r\nab") + 120);
    EXPECT_EQ(note.Text1.Width(), note.Width());
}

TEST_F(PindorelTest, ArrangingStacksNotesInColumnsFromEitherCorner) {
    host.screen.heightPixels = 600;  // 9000 twips
    ASSERT_TRUE(Start());
    std::vector<NoteForm*> made;
    for (double width : {2000.0, 3000.0, 1000.0}) {
        NoteForm& note = notes->ShowNewNote(L"");
        note.Move(5000, 5000, width, 4000);
        made.push_back(&note);
    }
    host.ExpectPopup(L"MNU_Tag_Left");
    headless::NotifyIconEvent(notes->form1, 516);
    EXPECT_EQ(made[0]->Left(), 0);
    EXPECT_EQ(made[1]->Top(), 4000);
    EXPECT_EQ(made[2]->Left(), 3000);
    EXPECT_EQ(made[2]->Top(), 0);

    host.ExpectPopup(L"MNU_Tag_Right");
    headless::NotifyIconEvent(notes->form1, 516);
    EXPECT_EQ(made[0]->Left(), app->ScreenWidth() - 2000);
    EXPECT_EQ(made[1]->Left(), app->ScreenWidth() - 3000);
    EXPECT_EQ(made[2]->Left(), app->ScreenWidth() - 3000 - 1000);
}

TEST_F(PindorelTest, OptionsDialogSetsTheOptionsAndTheLookOfNewNotes) {
    ASSERT_TRUE(Start());
    // Escape cancels.
    host.ExpectModal(L"Form3", [](forms::Form& form) {
        auto& options = static_cast<OptionsForm&>(form);
        headless::Click(options.Check1);
        headless::Type(form, L"\x1b");
    });
    host.ExpectPopup(L"MNU_Option");
    headless::NotifyIconEvent(notes->form1, 516);
    EXPECT_EQ(notes->settings.deleteToRecycleBin, 0);

    host.ExpectModal(L"Form3", [this](forms::Form& form) {
        auto& options = static_cast<OptionsForm&>(form);
        EXPECT_EQ(options.Text1.Text(), L"サンプル");
        EXPECT_EQ(options.Caption(), L"オプション");
        // The icon does nothing while the dialog is open.
        headless::NotifyIconEvent(notes->form1, 515);
        headless::Click(options.Check1);
        headless::Click(options.Check2);
        host.ExpectColorDialog(0x00CCFF);
        headless::Click(options.Command2[1]);
        headless::Click(options.Command1[0]);
    });
    host.ExpectPopup(L"MNU_Option");
    headless::NotifyIconEvent(notes->form1, 516);
    EXPECT_TRUE(Shown().empty());
    EXPECT_EQ(notes->settings.deleteToRecycleBin, 1);
    EXPECT_EQ(notes->settings.saveOnEditEnd, 1);
    EXPECT_EQ(notes->settings.defaults.font.name, L"ＭＳ Ｐゴシック");
    EXPECT_EQ(notes->settings.defaults.backColor, 0x00CCFF);

    headless::NotifyIconEvent(notes->form1, 515);
    EXPECT_EQ(Shown()[0]->Text1.BackColor(), 0x00CCFFu);

    // The factory look comes back with Command3.
    host.ExpectModal(L"Form3", [this](forms::Form& form) {
        auto& options = static_cast<OptionsForm&>(form);
        EXPECT_EQ(options.Text1.BackColor(), 0x00CCFFu);
        headless::Click(options.Command3);
        EXPECT_EQ(options.Text1.BackColor(), host.screen.windowColor);
        headless::Click(options.Command1[1]);
    });
    host.ExpectPopup(L"MNU_Option");
    headless::NotifyIconEvent(notes->form1, 516);

    Exit();
    EXPECT_EQ(dir.Read(L"Pindorel.ini"),
              "[MainForm]\r\nDelete=1\r\nSave=1\r\nFontName=\x82\x6c\x82\x72 "
              "\x82\x6f\x83\x53\x83\x56\x83\x62\x83\x4e\r\nFontSize=9\r\nFontBold=0\r\n"
              "FontItalic=0\r\nFontUnderline=0\r\nFontStrikethrough=0\r\nBackColor=52479\r\n");
}

TEST_F(PindorelTest, TheSystemsCloseKeepsTheNoteAndSystemColoursInTheSettingsAreResolved) {
    dir.Write(L"Pindorel.ini",
              "[MainForm]\r\nFontName=IPAGothic\r\nBackColor=-2147483643\r\n"
              "ForeColor=-2147483640\r\n");  // the window and window-text colours
    Put(1, Stored(L"a", 0, 0));
    ASSERT_TRUE(Start());
    EXPECT_FALSE(Shown()[0]->NoteCloseRequest());
    ASSERT_EQ(Shown().size(), 1u);
    headless::NotifyIconEvent(notes->form1, 515);
    EXPECT_EQ(Shown()[1]->Text1.BackColor(), host.screen.windowColor);
    EXPECT_EQ(Shown()[1]->Text1.ForeColor(), host.screen.windowTextColor);
    Exit();
    EXPECT_EQ(DecodeNote(File(1)).record.text, L"a");
    EXPECT_NE(dir.Read(L"Pindorel.ini").find("BackColor=-2147483643"), std::string::npos);
}

TEST_F(PindorelTest, StoredNotesKeepTheirOwnLookWhileNewNotesTakeTheDefaults) {
    dir.Write(L"Pindorel.ini",
              "[MainForm]\r\nFontName=\x82\x6c\x82\x72 "
              "\x82\x6f\x83\x53\x83\x56\x83\x62\x83\x4e\r\nFontSize=9\r\nFontBold=0\r\n"
              "FontItalic=0\r\nFontUnderline=0\r\nFontStrikethrough=0\r\nBackColor=52479\r\n");
    Put(1, Stored(L"stored", 300, 300));
    ASSERT_TRUE(Start());
    ASSERT_EQ(Shown().size(), 1u);
    EXPECT_EQ(Shown()[0]->Text1.Font().name, L"ＭＳ 明朝");
    EXPECT_EQ(Shown()[0]->Text1.BackColor(), 0x80FFFFu);
    EXPECT_EQ(Shown()[0]->Text1.ForeColor(), 0x800000u);
    EXPECT_EQ(Shown()[0]->Picture1.Width(), 2400);

    headless::NotifyIconEvent(notes->form1, 515);
    ASSERT_EQ(Shown().size(), 2u);
    EXPECT_EQ(Shown()[1]->Text1.Font().name, L"ＭＳ Ｐゴシック");
    EXPECT_EQ(Shown()[1]->Text1.BackColor(), 0x00CCFFu);
}

TEST_F(PindorelTest, ANewNoteIsNotPutOnANoteAnEarlierRunLeftWhereNewNotesBegin) {
    Put(1, Stored(L"kept in view", 600, 600));
    ASSERT_TRUE(Start());
    headless::NotifyIconEvent(notes->form1, 515);
    headless::NotifyIconEvent(notes->form1, 515);
    ASSERT_EQ(Shown().size(), 3u);
    EXPECT_EQ(Shown()[1]->Left(), 960);
    EXPECT_EQ(Shown()[2]->Left(), 1320);
}

TEST_F(PindorelTest, TheIconAddsANoteOnDoubleClickAndComesBackAfterAShellRestart) {
    ASSERT_TRUE(Start());
    headless::NotifyIconEvent(notes->form1, 513);
    EXPECT_FALSE(notes->frmDUMMY.Loaded());
    EXPECT_TRUE(Shown().empty());
    headless::NotifyIconEvent(notes->form1, 515);
    EXPECT_EQ(Shown().size(), 1u);
    host.RestartShell();
    EXPECT_EQ(host.NotifyCalls().back().message, 0u);
}

TEST_F(PindorelTest, TheStartUpItemAfterTheOptionsRegistersThisFileAndAsksBeforeTakingAnother) {
    ASSERT_TRUE(Start());
    const std::wstring self = L"\"" + dir.File(L"Pindorel.exe") + L"\"";
    host.startUpEntries[L"Pindorel"] = L"\"C:\\Other\\Pindorel.exe\"";
    host.ExpectPopup(L"MNU_StartUp");
    host.ExpectMessage(forms::kIdNo, L"別の場所の Pindorel が登録されています。");
    headless::NotifyIconEvent(notes->form1, 516);
    EXPECT_EQ(host.startUpEntries.at(L"Pindorel"), L"\"C:\\Other\\Pindorel.exe\"");
    EXPECT_FALSE(notes->form1.MNU_StartUp.Checked());
    host.ExpectPopup(L"MNU_StartUp");
    host.ExpectMessage(forms::kIdYes);
    headless::NotifyIconEvent(notes->form1, 516);
    EXPECT_EQ(host.startUpEntries.at(L"Pindorel"), self);
    EXPECT_TRUE(notes->form1.MNU_StartUp.Checked());
    host.ExpectPopup(L"MNU_StartUp");
    headless::NotifyIconEvent(notes->form1, 516);
    EXPECT_EQ(host.startUpEntries.count(L"Pindorel"), 0u);
}

}  // namespace
}  // namespace pindorel
