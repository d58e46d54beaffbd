// Event order and life cycle of forms and controls.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "forms/forms.h"
#include "headless/test_host.h"
#include "headless/user.h"

namespace {

using namespace forms;

class LogForm : public Form {
  public:
    explicit LogForm(std::vector<std::wstring>& log) : Form(L"Form1"), log_(log) {
        Command1.SetCaption(L"確認(&O)");
        Command1.Move(120, 120, 1200, 360);
        Text1.Move(120, 600, 2400, 300);
        OnLoad = [this] { log_.push_back(L"Load"); };
        OnActivate = [this] { log_.push_back(L"Activate"); };
        OnDeactivate = [this] { log_.push_back(L"Deactivate"); };
        OnResize = [this] { log_.push_back(L"Resize"); };
        OnUnload = [this](int16_t& cancel) {
            log_.push_back(L"Unload");
            cancel = keepLoaded ? 1 : 0;
        };
        Command1.Click = [this] { log_.push_back(L"Command1_Click"); };
        Command1.GotFocus = [this] { log_.push_back(L"Command1_GotFocus"); };
        Command1.LostFocus = [this] { log_.push_back(L"Command1_LostFocus"); };
        Text1.GotFocus = [this] { log_.push_back(L"Text1_GotFocus"); };
        Text1.Change = [this] { log_.push_back(L"Text1_Change"); };
    }
    CommandButton Command1{*this, L"Command1"};
    TextBox Text1{*this, L"Text1"};
    bool keepLoaded = false;

  private:
    std::vector<std::wstring>& log_;
};

class EventsTest : public ::testing::Test {
  protected:
    headless::TestHost host;
    App app{host};
    std::vector<std::wstring> log;
};

TEST_F(EventsTest, LoadShowAndUnloadRaiseEventsInOrder) {
    LogForm form(log);
    form.Load();
    EXPECT_TRUE(form.Loaded());
    EXPECT_FALSE(form.Visible());
    form.Show();
    form.Show();  // showing again neither reloads nor resizes
    EXPECT_TRUE(form.Unload());
    EXPECT_FALSE(form.Loaded());
    EXPECT_EQ(log, (std::vector<std::wstring>{L"Load", L"Resize", L"Activate", L"Unload"}));
    EXPECT_TRUE(app.LoadedForms().empty());
}

TEST_F(EventsTest, UnloadCanBeCancelled) {
    LogForm form(log);
    form.Show();
    form.keepLoaded = true;
    EXPECT_FALSE(headless::Close(form));
    EXPECT_TRUE(form.Loaded());
    form.keepLoaded = false;
    EXPECT_TRUE(headless::Close(form));
    EXPECT_FALSE(form.Loaded());
}

TEST_F(EventsTest, ClickMovesFocusThenClicks) {
    LogForm form(log);
    form.Show();
    log.clear();
    headless::Type(form.Text1, L"ab");
    headless::Click(form.Command1);
    EXPECT_EQ(form.Text1.Text(), L"ab");
    EXPECT_EQ(log, (std::vector<std::wstring>{L"Text1_GotFocus", L"Text1_Change", L"Text1_Change",
                                              L"Command1_GotFocus", L"Command1_Click"}));
    EXPECT_EQ(form.ActiveControl(), &form.Command1);
}

TEST_F(EventsTest, ActivationMovesBetweenForms) {
    LogForm first(log);
    std::vector<std::wstring> otherLog;
    LogForm second(otherLog);
    first.Show();
    second.Show();
    EXPECT_EQ(log.back(), L"Deactivate");
    EXPECT_EQ(app.ActiveForm(), &second);
    headless::ActivateElsewhere();
    EXPECT_EQ(otherLog.back(), L"Deactivate");
    EXPECT_EQ(app.ActiveForm(), nullptr);
}

TEST_F(EventsTest, ResizeOnlyWhenTheSizeChanges) {
    LogForm form(log);
    form.Show();
    log.clear();
    form.Move(100, 100, form.Width(), form.Height());
    EXPECT_TRUE(log.empty());
    form.SetWidth(6000);
    headless::MoveWindow(form, 0, 0, 6000, 5000);
    EXPECT_EQ(log, (std::vector<std::wstring>{L"Resize", L"Resize"}));
    EXPECT_EQ(form.Height(), 5000);
}

TEST_F(EventsTest, ActingOnUnreachableControlsIsRefused) {
    LogForm form(log);
    EXPECT_THROW(headless::Click(form.Command1), std::logic_error);  // form not shown
    form.Show();
    form.Command1.SetEnabled(false);
    EXPECT_THROW(headless::Click(form.Command1), std::logic_error);
    form.Command1.SetEnabled(true);
    form.Command1.SetVisible(false);
    EXPECT_THROW(headless::Click(form.Command1), std::logic_error);
}

}  // namespace
