// Mensato driven as a person would: the first start, registering, overwriting and deleting
// calibrations, the boxes and their keys, the orientation, minimising; checked through the
// controls, the ruler window's size and drawing, the messages and the settings file.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <memory>

#include "core/text.h"
#include "headless/test_host.h"
#include "headless/user.h"
#include "mensato_forms.h"
#include "testkit/temp_dir.h"

namespace mensato {
namespace {

// The test host's screen: 1024 x 768 pixels at 15 twips a pixel, 270 x 203 mm.
constexpr float kProposed = 568.89f;
constexpr std::wstring_view kProposedName = L"13.3inch 1024*768";

class MensatoHost : public headless::TestHost {
  public:
    explicit MensatoHost(const testkit::TempDir& folder) {
        program.directory = folder.File(L"");
        program.directory.pop_back();  // no trailing separator
        program.exeName = L"Mensato";
        program.title = L"Mensato";
    }
};

class MensatoTest : public ::testing::Test {
  protected:
    // Starts the program (again): loads and shows the settings window.
    SettingsForm& Start() {
        mensato = std::make_unique<Mensato>(app);
        mensato->form1.Show();
        return mensato->form1;
    }
    // A start with an existing settings file, which shows no instruction.
    SettingsForm& StartWith(std::string_view ini) {
        folder.Write(L"Mensato.ini", ini);
        return Start();
    }
    SettingsForm& Form1() { return mensato->form1; }
    RulerForm& Ruler() { return mensato->form2; }
    const Module1& Module() { return mensato->module; }
    std::string Ini() const { return folder.Read(L"Mensato.ini"); }
    void Exit() { headless::ChooseMenu(Form1().MNU_Exit); }

    static void Retype(forms::TextBox& box, std::wstring_view keys) {
        box.Select(0, -1);
        headless::Type(box, keys.empty() ? L"\b" : keys);
    }
    // 登録 with the name and value given, answering the question with Yes.
    void Register(std::wstring name, std::wstring_view value) {
        headless::EditCombo(Form1().Combo1, std::move(name));
        Retype(Form1().Text1, value);
        host.ExpectMessage(forms::kIdYes, std::wstring(kRegisterQuestion));
        headless::Click(Form1().Command1[1]);
    }
    // The ruler's size in millimetres of the given calibration.
    void ExpectRulerMm(double widthMm, double heightMm, float twipsPerCm) {
        EXPECT_NEAR(Ruler().Width(), widthMm * twipsPerCm / 10, 1e-3);
        EXPECT_NEAR(Ruler().Height(), heightMm * twipsPerCm / 10, 1e-3);
    }
    const headless::ShownMessage& LastMessage() const { return host.Messages().back(); }

    testkit::TempDir folder;
    MensatoHost host{folder};
    forms::App app{host};
    std::unique_ptr<Mensato> mensato;
};

constexpr std::string_view kTwoEntries =
    "[MainForm]\r\nTwipPerCm_Cur=1\r\nTwipPerCm_Str1=a\r\nTwipPerCm_Val1=567\r\n"
    "TwipPerCm_Str2=b\r\nTwipPerCm_Val2=600\r\n";

TEST_F(MensatoTest, TheFirstStartProposesACalibrationShowsTheInstructionAndWritesNothing) {
    host.ExpectMessage(forms::kIdOk);
    SettingsForm& form = Start();
    ASSERT_EQ(host.Messages().size(), 1u);
    EXPECT_EQ(LastMessage().text, kInstruction);
    EXPECT_EQ(LastMessage().style, forms::kMbOk | forms::kMbInformation);
    EXPECT_EQ(LastMessage().owner, L"Form1");
    EXPECT_EQ(form.Caption(), L"物差し");
    EXPECT_EQ(form.Left(), 0);
    EXPECT_EQ(form.Top(), 0);
    EXPECT_EQ(form.Combo1.Text(), kProposedName);
    EXPECT_EQ(form.Combo1.ListCount(), 0);
    EXPECT_EQ(form.Text1.Text(), L"568.89");
    EXPECT_EQ(form.Text2[0].Text(), L"5");
    EXPECT_EQ(form.Text2[1].Text(), L"10");

    EXPECT_TRUE(Ruler().Visible());
    EXPECT_EQ(Ruler().BorderStyle(), 0);
    ExpectRulerMm(111, 23, kProposed);
    EXPECT_EQ(Ruler().Left(), std::round((15360 - Ruler().Width()) / 2));
    EXPECT_EQ(Ruler().Top(), std::round((11520 - Ruler().Height()) / 2));

    Exit();
    EXPECT_FALSE(Ruler().Loaded());
    EXPECT_FALSE(std::filesystem::exists(folder.Dir() / "Mensato.ini"));
    EXPECT_EQ(host.PendingScripts(), 0u);
}

TEST_F(MensatoTest, ARegisteredCalibrationIsSavedAtExitAndChosenAtTheNextStart) {
    host.ExpectMessage(forms::kIdOk);
    Start();
    Register(L"  ノート  ", L"567");
    EXPECT_EQ(Form1().Combo1.ListCount(), 1);
    EXPECT_EQ(Form1().Combo1.ListIndex(), 0);
    EXPECT_EQ(Form1().Combo1.List(0), L"ノート");
    EXPECT_EQ(Module().currentEntry, 1);
    ExpectRulerMm(111, 23, 567);
    Exit();
    const std::string saved =
        "[MainForm]\r\nTwipPerCm_Cur=1\r\nTwipPerCm_Str1=\x83\x6d\x81\x5b\x83\x67\r\n"
        "TwipPerCm_Val1=567\r\n";
    EXPECT_EQ(Ini(), saved);

    const size_t shown = host.Messages().size();
    SettingsForm& again = Start();
    EXPECT_EQ(host.Messages().size(), shown) << "no instruction once a file exists";
    EXPECT_TRUE(again.Visible());
    EXPECT_EQ(again.Combo1.ListIndex(), 0);
    EXPECT_EQ(again.Text1.Text(), L"567");
    EXPECT_EQ(again.ActiveControl(), &again.Command3);
    ExpectRulerMm(111, 23, 567);
    Exit();
    EXPECT_EQ(Ini(), saved);
}

TEST_F(MensatoTest, RegisteringRefusesAMissingOrUnkeepableNameAndUnusableNumbers) {
    SettingsForm& form = StartWith(kTwoEntries);
    const auto refused = [&](std::wstring name, std::wstring_view value, std::wstring_view message,
                             const forms::Control& focus) {
        headless::EditCombo(form.Combo1, std::move(name));
        Retype(form.Text1, value);
        host.ExpectMessage(forms::kIdOk, std::wstring(message));
        headless::Click(form.Command1[1]);
        EXPECT_EQ(LastMessage().text, message);
        EXPECT_EQ(LastMessage().style, forms::kMbOk | forms::kMbError);
        EXPECT_EQ(form.ActiveControl(), &focus);
    };
    refused(L"   ", L"567", kEnterNameMessage, form.Combo1);
    refused(L"\"c\"", L"567", kUnstorableNameMessage, form.Combo1);
    refused(L"\tc", L"567", kUnstorableNameMessage, form.Combo1);
    refused(L"c", L"", kEnterNumberMessage, form.Text1);
    refused(L"c", L"0.0", kEnterNumberMessage, form.Text1);
    refused(L"c", L"9999999", kEnterNumberMessage, form.Text1);

    headless::EditCombo(form.Combo1, L"c");
    Retype(form.Text1, L"580");
    host.ExpectMessage(forms::kIdNo, std::wstring(kRegisterQuestion));
    headless::Click(form.Command1[1]);
    EXPECT_EQ(LastMessage().style, forms::kMbYesNo | forms::kMbQuestion);
    EXPECT_EQ(Module().calibrations.size(), 2u);
    EXPECT_EQ(host.PendingScripts(), 0u);
    Exit();
    EXPECT_EQ(Ini(), kTwoEntries);
}

TEST_F(MensatoTest, RegisteringAnExistingNameOverwritesItsValueAndRedraws) {
    SettingsForm& form = StartWith(kTwoEntries);
    ASSERT_EQ(form.Combo1.ListIndex(), 0);
    Register(L"a", L"580");  // the entry already selected
    ExpectRulerMm(111, 23, 580);
    Register(L" b ", L"590.5");
    EXPECT_EQ(form.Combo1.ListCount(), 2);
    EXPECT_EQ(form.Combo1.ListIndex(), 1);
    EXPECT_EQ(Module().currentEntry, 2);
    ExpectRulerMm(111, 23, 590.5f);
    Exit();
    EXPECT_EQ(Ini(),
              "[MainForm]\r\nTwipPerCm_Cur=2\r\nTwipPerCm_Str1=a\r\nTwipPerCm_Val1=580\r\n"
              "TwipPerCm_Str2=b\r\nTwipPerCm_Val2=590.5\r\n");
}

TEST_F(MensatoTest, ChoosingAnotherEntryChangesOnlyTheCurrentKey) {
    const std::string ini = "; mine\r\n" + std::string(kTwoEntries) + "[Other]\r\nk=v\r\n";
    SettingsForm& form = StartWith(ini);
    headless::ChooseItem(form.Combo1, 1);
    EXPECT_EQ(form.Text1.Text(), L"600");
    ExpectRulerMm(111, 23, 600);
    Exit();
    std::string expected = ini;
    expected.replace(expected.find("Cur=1"), 5, "Cur=2");
    EXPECT_EQ(Ini(), expected);
}

TEST_F(MensatoTest, DeletingAsksRemovesTheNamedEntryAndSelectsTheFirst) {
    SettingsForm& form = StartWith(
        "[MainForm]\r\nTwipPerCm_Cur=3\r\nTwipPerCm_Str1=a\r\nTwipPerCm_Val1=567\r\n"
        "TwipPerCm_Str2=b\r\nTwipPerCm_Val2=600\r\nTwipPerCm_Str3=a\r\nTwipPerCm_Val3=620\r\n");
    ASSERT_EQ(form.Combo1.ListIndex(), 2);
    host.ExpectMessage(forms::kIdNo, std::wstring(kDeleteQuestion));
    headless::Click(form.Command1[2]);
    EXPECT_EQ(LastMessage().style, forms::kMbYesNo | forms::kMbExclamation);
    EXPECT_EQ(form.Combo1.ListCount(), 3);

    // The entry named like the list's text goes: of two named a, the first.
    host.ExpectMessage(forms::kIdYes, std::wstring(kDeleteQuestion));
    headless::Click(form.Command1[2]);
    ASSERT_EQ(form.Combo1.ListCount(), 2);
    EXPECT_EQ(form.Combo1.List(0), L"b");
    EXPECT_EQ(form.Combo1.ListIndex(), 0);
    EXPECT_EQ(Module().currentEntry, 1);
    EXPECT_EQ(form.Text1.Text(), L"600");
    ExpectRulerMm(111, 23, 600);
    Exit();
    EXPECT_EQ(Ini(),
              "[MainForm]\r\nTwipPerCm_Cur=1\r\nTwipPerCm_Str1=b\r\nTwipPerCm_Val1=600\r\n"
              "TwipPerCm_Str2=a\r\nTwipPerCm_Val2=620\r\nTwipPerCm_Str3=\r\nTwipPerCm_Val3=\r\n");
}

TEST_F(MensatoTest, DeletingAfterTheNameWasEditedOrProposedAsksForASelection) {
    SettingsForm& form = StartWith(kTwoEntries);
    const auto refused = [&] {
        host.ExpectMessage(forms::kIdOk, std::wstring(kChooseEntryMessage));
        headless::Click(form.Command1[2]);
        EXPECT_EQ(Module().calibrations.size(), 2u);
    };
    headless::EditCombo(form.Combo1, L"a2");  // entry a was selected
    refused();
    headless::ChooseItem(form.Combo1, 1);
    headless::Click(form.Command1[0]);  // 新規
    refused();
    EXPECT_EQ(host.PendingScripts(), 0u);
}

TEST_F(MensatoTest, SessionEndSavesAndNewProposesForTheScreenOfNow) {
    SettingsForm& form = StartWith(kTwoEntries);
    // The resolution changes while the program runs: a projector showing a 100-inch
    // picture at 1920 x 1080, under a pixel a millimetre.
    host.screen.widthPixels = 1920;
    host.screen.heightPixels = 1080;
    host.screen.widthMillimetres = 2214;
    host.screen.heightMillimetres = 1245;
    headless::Click(form.Command1[0]);
    EXPECT_EQ(form.Text1.Text(), L"130.08");
    EXPECT_EQ(form.Combo1.Text().substr(0, 3), L"100");
    EXPECT_TRUE(form.Combo1.Text().ends_with(L"inch 1920*1080"));
    Register(form.Combo1.Text(), L"130.08");
    EXPECT_EQ(Module().currentEntry, 3);
    ExpectRulerMm(111, 23, 130.08f);
    Retype(form.Text1, L"1.5\r");  // a ruler of a pixel or two is still drawn
    ExpectRulerMm(111, 23, 1.5f);
    EXPECT_EQ(host.Beeps(), 0);

    headless::EndSession();
    EXPECT_TRUE(form.Loaded()) << "the system ends the program without unloading";
    EXPECT_EQ(Ini(), std::string(kTwoEntries).replace(26, 1, "3") +
                         core::ToCp932(L"TwipPerCm_Str3=" + form.Combo1.List(2)) +
                         "\r\nTwipPerCm_Val3=130.08\r\n");
}

TEST_F(MensatoTest, DeletingTheLastEntryLeavesNoCurrentEntry) {
    SettingsForm& form = StartWith(
        "[MainForm]\r\nTwipPerCm_Cur=1\r\nTwipPerCm_Str1=a\r\n"
        "TwipPerCm_Val1=567\r\n");
    host.ExpectMessage(forms::kIdYes, std::wstring(kDeleteQuestion));
    headless::Click(form.Command1[2]);
    EXPECT_EQ(form.Combo1.ListCount(), 0);
    EXPECT_EQ(form.Combo1.ListIndex(), -1);
    EXPECT_EQ(Module().currentEntry, 0);
    ExpectRulerMm(111, 23, 567);  // the ruler stays as it was

    host.ExpectMessage(forms::kIdOk, std::wstring(kChooseEntryMessage));
    headless::Click(form.Command1[2]);
    EXPECT_EQ(LastMessage().style, forms::kMbOk | forms::kMbError);
    Exit();
    EXPECT_EQ(Ini(), "[MainForm]\r\nTwipPerCm_Cur=0\r\nTwipPerCm_Str1=\r\nTwipPerCm_Val1=\r\n");
}

TEST_F(MensatoTest, AStoredCurrentEntryBeyondTheListSelectsNothingAndIsRepaired) {
    SettingsForm& form = StartWith(
        "[MainForm]\r\nTwipPerCm_Cur=4\r\nTwipPerCm_Str1=a\r\n"
        "TwipPerCm_Val1=567\r\n");
    EXPECT_EQ(form.Combo1.ListIndex(), -1);
    EXPECT_EQ(form.Combo1.Text(), kProposedName);
    EXPECT_EQ(Module().currentEntry, 0);
    ExpectRulerMm(111, 23, kProposed);
    Exit();
    EXPECT_EQ(Ini(), "[MainForm]\r\nTwipPerCm_Cur=0\r\nTwipPerCm_Str1=a\r\nTwipPerCm_Val1=567\r\n");
}

TEST_F(MensatoTest, ASettingsFileThatCannotBeWrittenIsReportedAtExit) {
    std::filesystem::create_directory(folder.Dir() / "Mensato.ini");
    host.ExpectMessage(forms::kIdOk, std::wstring(kInstruction));  // a folder is no file
    Start();
    Register(L"a", L"567");
    host.ExpectMessage(forms::kIdOk, std::wstring(kWriteFailedMessage));
    Exit();
    EXPECT_EQ(LastMessage().style, forms::kMbOk | forms::kMbError);
    EXPECT_FALSE(Form1().Loaded());
    EXPECT_TRUE(std::filesystem::is_directory(folder.Dir() / "Mensato.ini"));
}

TEST_F(MensatoTest, TheBoxesFilterKeysAndEnterOrCmAppliesThem) {
    SettingsForm& form = StartWith(kTwoEntries);
    Retype(form.Text1, L"6a0-0.5x\r");
    EXPECT_EQ(form.Text1.Text(), L"600.5");
    ExpectRulerMm(111, 23, 600.5f);
    Retype(form.Text2[0], L"1.5\r");
    EXPECT_EQ(form.Text2[0].Text(), L"15");
    Retype(form.Text2[1], L"x2");
    EXPECT_EQ(form.Text2[1].Text(), L"2");
    ExpectRulerMm(131, 43, 600.5f);  // applied only on Enter or &cm
    headless::Click(form.Command2);
    ExpectRulerMm(51, 43, 600.5f);
    EXPECT_EQ(Module().shape.marginMm, 15);
    EXPECT_EQ(Module().shape.lengthCm, 2);
    EXPECT_EQ(host.Beeps(), 0);
}

TEST_F(MensatoTest, ValuesGivingNoSensibleRulerAreRefusedWithABeep) {
    SettingsForm& form = StartWith(kTwoEntries);
    const double left = Ruler().Left(), top = Ruler().Top();
    const auto refused = [&](forms::TextBox& box, std::wstring_view pasted) {
        const std::wstring before = box.Text();
        box.Select(0, -1);
        box.ReplaceSelection(pasted);  // a paste passes no key filter
        const int beeps = host.Beeps();
        headless::Click(form.Command2);
        EXPECT_EQ(host.Beeps(), beeps + 1) << core::ToUtf8(pasted);
        ExpectRulerMm(111, 23, 567);
        EXPECT_EQ(Ruler().Left(), left);
        EXPECT_EQ(Ruler().Top(), top);
        box.SetText(before);
    };
    refused(form.Text1, L"0");
    refused(form.Text1, L"-567");
    refused(form.Text1, L"9999999");
    refused(form.Text1, L"1e30");
    refused(form.Text1, L"9e99999");
    refused(form.Text2[0], L"-5");
    refused(form.Text2[1], L"-1");
    form.Text2[1].SetText(L"99999");  // set beyond the box's length, as a program could
    headless::Click(form.Command2);
    ExpectRulerMm(111, 23, 567);
    EXPECT_EQ(Module().twipsPerCm, 567);
    EXPECT_EQ(Module().shape.lengthCm, 10);
}

TEST_F(MensatoTest, SwitchingOrientationSwapsTheSidesAndKeepsTheCorner) {
    StartWith(kTwoEntries);
    const double left = Ruler().Left(), top = Ruler().Top();
    headless::Click(Form1().Command3);
    EXPECT_EQ(Module().shape.orientation, Orientation::Vertical);
    ExpectRulerMm(23, 111, 567);
    EXPECT_EQ(Ruler().Left(), left);
    EXPECT_EQ(Ruler().Top(), top);
    headless::DoubleClick(Ruler());
    EXPECT_EQ(Module().shape.orientation, Orientation::Horizontal);
    ExpectRulerMm(111, 23, 567);

    Retype(Form1().Text1, L"0");
    headless::Click(Form1().Command3);
    EXPECT_EQ(host.Beeps(), 1);
    EXPECT_EQ(Module().shape.orientation, Orientation::Horizontal);
}

TEST_F(MensatoTest, MinimisingTheSettingsWindowHidesTheRulerAndRestoringShowsIt) {
    SettingsForm& form = StartWith(kTwoEntries);
    form.SetWindowState(forms::WindowState::Minimized);
    EXPECT_FALSE(Ruler().Visible());
    form.SetWindowState(forms::WindowState::Normal);
    EXPECT_TRUE(Ruler().Visible());
}

TEST_F(MensatoTest, TheDrawnMarksAndNumbersOfALongRulerStayWhereTheCalibrationSays) {
    SettingsForm& form = StartWith(kTwoEntries);
    Retype(form.Text1, L"566.93");
    Retype(form.Text2[0], L"3");
    Retype(form.Text2[1], L"99\r");
    const double pixelsPerMm = 56.693 / 15;
    const forms::Image image = Ruler().Pixels();
    ASSERT_EQ(image.width, std::lround(997 * pixelsPerMm));

    // Only the centimetre marks reach 8 mm below the base line.
    const int row = int(std::lround(11 * pixelsPerMm));
    std::vector<int> marks;
    for (int x = 0; x < image.width; ++x) {
        if (image.At(x, row) == forms::kBlack) {
            marks.push_back(x);
        }
    }
    ASSERT_EQ(marks.size(), 100u);
    for (int j = 0; j <= 99; ++j) {
        EXPECT_LE(std::abs(marks[size_t(j)] - (3 + 10 * j) * pixelsPerMm), 1.0) << j;
    }
    // The base line runs from the first mark to the last.
    const int baseRow = int(std::lround(3 * pixelsPerMm));
    EXPECT_EQ(image.At(marks.front(), baseRow), forms::kBlack);
    EXPECT_EQ(image.At(marks.back(), baseRow), forms::kBlack);
    EXPECT_NE(image.At(marks.back() + 2, baseRow), forms::kBlack);

    // The numbers of the last drawing: 1 to 99, each 4 mm before its mark, 9 mm below.
    std::vector<headless::DrawnText> numbers(host.DrawnTexts().end() - 99, host.DrawnTexts().end());
    for (int j = 1; j <= 99; ++j) {
        const headless::DrawnText& number = numbers[size_t(j - 1)];
        EXPECT_EQ(number.text, std::to_wstring(j));
        EXPECT_LE(std::abs(number.x - (10 * j - 1) * pixelsPerMm), 1.0) << j;
        EXPECT_LE(std::abs(number.y - 12 * pixelsPerMm), 1.0) << j;
    }
}

}  // namespace
}  // namespace mensato
