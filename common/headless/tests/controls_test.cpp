// Control arrays, option groups, lists, text boxes and menus in the model.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "forms/forms.h"
#include "headless/test_host.h"
#include "headless/user.h"

namespace {

using namespace forms;

class GridForm : public Form {
  public:
    GridForm() : Form(L"Form1") {
        Check1.Load(11).SetCaption(L"ア");
        Check1[11].Move(600, 90, 500, 300);
        Check1[11].SetTag(L"design");
        Panel1.Move(0, 0, 3000, 2000);
        Panel2.Move(3000, 0, 3000, 2000);
        for (int i = 0; i < 2; ++i) {
            Option1.Load(i).SetContainer(&Panel1);
            Option1[i].SetVisible(true);
            Option2.Load(i).SetContainer(&Panel2);
            Option2[i].SetVisible(true);
        }
        MNU_Popup.SetVisible(false);
        MNU_Pipe.SetCaption(L"-");
    }
    ControlArray<CheckBox> Check1{*this, L"Check1"};
    PictureBox Panel1{*this, L"Panel1"};
    PictureBox Panel2{*this, L"Panel2"};
    ControlArray<OptionButton> Option1{*this, L"Option1"};
    ControlArray<OptionButton> Option2{*this, L"Option2"};
    ListBox List1{*this, L"List1"};
    ComboBox Combo1{*this, L"Combo1"};
    TextBox Text1{*this, L"Text1"};
    Menu MNU_Popup{*this, L"MNU_Popup"};
    Menu MNU_Edit{*this, L"MNU_Edit", &MNU_Popup};
    Menu MNU_Pipe{*this, L"MNU_Pipe", &MNU_Popup};
    ControlArray<Menu> MNU_L_Col{*this, L"MNU_L_Col"};
};

class ControlsTest : public ::testing::Test {
  protected:
    headless::TestHost host;
    App app{host};
    GridForm form;
};

TEST_F(ControlsTest, RunTimeArrayElementsCopyTheDesignAndStartHidden) {
    std::vector<int> clicked;
    form.Check1.Click = [&](int index) { clicked.push_back(index); };
    form.Show();
    CheckBox& box = form.Check1.Load(23);
    EXPECT_EQ(box.Index(), 23);
    EXPECT_EQ(box.Name(), L"Check1");
    EXPECT_EQ(box.Caption(), L"ア");
    EXPECT_EQ(box.Tag(), L"design");
    EXPECT_EQ(box.Top(), 90);
    EXPECT_FALSE(box.Visible());
    EXPECT_EQ(form.Controls().back(), &box);  // run-time elements join the end
    EXPECT_EQ(form.Find(L"Check1", 23), &box);
    EXPECT_THROW(headless::Click(box), std::logic_error);  // hidden
    box.SetVisible(true);
    headless::Click(box);
    headless::Click(form.Check1[11]);
    EXPECT_EQ(clicked, (std::vector<int>{23, 11}));
    EXPECT_EQ(form.Check1.LBound(), 11);
    EXPECT_EQ(form.Check1.UBound(), 23);

    EXPECT_EQ(box.Container(), nullptr);
    EXPECT_EQ(form.Check1.Load(24, &form.Panel2).Container(), &form.Panel2);
    EXPECT_EQ(form.Check1[24].Top(), 90) << "the design is copied all the same";

    form.Check1.Unload(24);
    form.Check1.Unload(23);
    EXPECT_FALSE(form.Check1.Exists(23));
    EXPECT_EQ(form.Find(L"Check1", 23), nullptr);
    EXPECT_EQ(form.Check1.Count(), 1);
}

TEST_F(ControlsTest, RunTimeMenuElementsAreVisibleUnderTheSameParent) {
    form.MNU_L_Col.Load(0).SetParentMenu(&form.MNU_Popup);
    form.MNU_L_Col[0].SetCaption(L"(なし)");
    Menu& item = form.MNU_L_Col.Load(1);
    EXPECT_TRUE(item.Visible());
    EXPECT_EQ(item.ParentMenu(), &form.MNU_Popup);
    const std::vector<Menu*> items = form.MNU_Popup.Items();
    ASSERT_EQ(items.size(), 4u);
    EXPECT_EQ(items[3], &item);
    EXPECT_TRUE(items[1]->IsSeparator());
}

TEST_F(ControlsTest, OptionButtonsAreGroupedByTheirContainer) {
    std::vector<std::wstring> log;
    form.Option1.Click = [&](int i) { log.push_back(L"Option1(" + std::to_wstring(i) + L")"); };
    form.Option2.Click = [&](int i) { log.push_back(L"Option2(" + std::to_wstring(i) + L")"); };
    form.Show();
    form.Option1[0].SetValue(true);
    form.Option2[1].SetValue(true);
    headless::Click(form.Option1[1]);
    EXPECT_FALSE(form.Option1[0].Value());
    EXPECT_TRUE(form.Option1[1].Value());
    EXPECT_TRUE(form.Option2[1].Value());  // the other container's group is untouched
    EXPECT_EQ(log, (std::vector<std::wstring>{L"Option1(0)", L"Option2(1)", L"Option1(1)"}));
}

TEST_F(ControlsTest, CheckBoxValueChangesRaiseClickButRepeatsDoNot) {
    int clicks = 0;
    CheckBox& box = form.Check1[11];
    box.Click = [&] { ++clicks; };
    box.SetValue(1);
    box.SetValue(1);
    box.SetValue(2);
    box.SetValue(7);  // out of range values are clamped to grey
    EXPECT_EQ(box.Value(), 2);
    EXPECT_EQ(clicks, 2);
    form.Show();
    headless::Click(box);  // a grey box clicked by the user becomes empty
    EXPECT_EQ(box.Value(), 0);
}

TEST_F(ControlsTest, ListsCountFromZeroAndKeepTheSelectionOnItsEntry) {
    ListBox& list = form.List1;
    list.AddItem(L"b");
    list.AddItem(L"a", 0);
    list.AddItem(L"c", 99);
    ASSERT_EQ(list.ListCount(), 3);
    EXPECT_EQ(list.List(0), L"a");
    EXPECT_EQ(list.List(2), L"c");
    EXPECT_EQ(list.ListIndex(), -1);
    list.SetListIndex(1);
    list.AddItem(L"first", 0);
    EXPECT_EQ(list.ListIndex(), 2);  // still on "b"
    list.RemoveItem(0);
    EXPECT_EQ(list.ListIndex(), 1);
    list.RemoveItem(1);
    EXPECT_EQ(list.ListIndex(), -1);
    list.SetListIndex(5);
    EXPECT_EQ(list.ListIndex(), -1);

    ComboBox& combo = form.Combo1;
    int changes = 0;
    combo.Change = [&] { ++changes; };
    combo.AddItem(L"17.3inch 1024*768");
    combo.SetListIndex(0);
    EXPECT_EQ(combo.Text(), L"17.3inch 1024*768");
    form.Show();
    int clicks = 0;
    combo.Click = [&] { ++clicks; };
    headless::EditCombo(combo, L" 自作 ");
    EXPECT_EQ(combo.Text(), L" 自作 ");
    EXPECT_EQ(combo.ListIndex(), -1) << "an edited text selects nothing";
    EXPECT_EQ(changes, 1);
    headless::EditCombo(combo, L"17.3inch 1024*768");
    EXPECT_EQ(combo.ListIndex(), 0) << "unless it is an entry";
    combo.SetText(L"新しい名前");
    EXPECT_EQ(combo.ListIndex(), -1) << "a text set by the program likewise";
    EXPECT_EQ(clicks, 0) << "no entry was chosen from the list";
}

TEST_F(ControlsTest, TextBoxSelectionAndReplacementRespectTheMaximumLength) {
    TextBox& box = form.Text1;
    box.SetText(L"abcdef");
    box.Select(1, 2);
    EXPECT_EQ(box.SelText(), L"bc");
    box.Select(2, -1);
    EXPECT_EQ(box.SelText(), L"cdef");
    box.Select(10, 3);
    EXPECT_EQ(box.SelStart(), 6);
    EXPECT_EQ(box.SelLength(), 0);

    box.SetMaxLength(8);
    box.Select(0, 1);
    box.ReplaceSelection(L"XYZW");  // 5 + 4 > 8: only what fits is inserted
    EXPECT_EQ(box.Text(), L"XYZbcdef");
    EXPECT_EQ(box.SelStart(), 3);
}

TEST_F(ControlsTest, ZOrderPutsControlsInFrontOrBehind) {
    form.Panel1.ZOrder(0);
    EXPECT_GT(form.Panel1.ZStamp(), form.Panel2.ZStamp());
    form.Panel1.ZOrder(1);
    EXPECT_LT(form.Panel1.ZStamp(), form.Panel2.ZStamp());
    EXPECT_LT(form.Panel1.ZStamp(), form.Text1.ZStamp());
}

}  // namespace
