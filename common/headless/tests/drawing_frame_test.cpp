// Picture box drawing, pictures, frame measuring and bulk enabling.
#include <gtest/gtest.h>

#include <string>

#include "forms/forms.h"
#include "headless/software_surface.h"
#include "headless/test_host.h"

namespace {

using namespace forms;

class WaitForm : public Form {
  public:
    WaitForm() : Form(L"Form1") {
        MNU_Exit.SetCaption(L"E&xit");
        MNU_Pipe.SetCaption(L"-");
        MNU_Pipe.SetEnabled(false);
    }
    PictureBox Picture2{*this, L"Picture2"};
    PictureBox Picture1{*this, L"Picture1"};
    CommandButton Command1{*this, L"Command1"};
    CommandButton Command2{*this, L"Command2"};
    Timer Timer1{*this, L"Timer1"};
    Menu MNU_Exit{*this, L"MNU_Exit"};
    Menu MNU_Pipe{*this, L"MNU_Pipe"};
};

class DrawingTest : public ::testing::Test {
  protected:
    DrawingTest() {
        box.SetBorderStyle(0);
        box.SetScaleMode(ScaleMode::Pixels);
        box.Move(0, 0, 40 * 15, 30 * 15);
        box.SetBackground(kWhite);
    }
    headless::TestHost host;
    App app{host};
    WaitForm form;
    PictureBox& box = form.Picture1;
};

TEST_F(DrawingTest, TheInnerAreaLeavesOutTheBorder) {
    EXPECT_EQ(box.PixelWidth(), 40);
    box.SetBorderStyle(1);
    EXPECT_EQ(box.PixelWidth(), 36);  // a 3-D border takes two pixels on each side
    box.SetAppearance(0);
    EXPECT_EQ(box.PixelWidth(), 38);
    EXPECT_EQ(box.Pixels().width, 38);
    box.SetScaleMode(ScaleMode::Twips);
    EXPECT_EQ(box.ScaleWidth(), 38 * 15);
}

TEST_F(DrawingTest, BoxesLinesCirclesAndPolygonsAreDrawnAsPixels) {
    box.FilledBox(2, 3, 5, 4, 0x0000FF);
    box.Line(0, 10, 39, 10, 0x00FF00);
    box.SetFillStyle(0);
    box.SetFillColor(0xFF0000);
    box.Circle(20, 20, 4, kBlack);
    box.Polygon({{30, 0}, {39, 0}, {39, 9}});
    const Image pixels = box.Pixels();
    EXPECT_EQ(pixels.At(2, 3), 0x0000FFu);
    EXPECT_EQ(pixels.At(5, 4), 0x0000FFu);
    EXPECT_EQ(pixels.At(6, 4), kWhite);
    EXPECT_EQ(pixels.At(0, 10), 0x00FF00u);
    EXPECT_EQ(pixels.At(39, 10), 0x00FF00u);
    EXPECT_EQ(pixels.At(20, 20), 0xFF0000u);  // filled inside
    EXPECT_EQ(pixels.At(24, 20), kBlack);     // outline
    EXPECT_EQ(pixels.At(25, 20), kWhite);
    EXPECT_EQ(pixels.At(38, 2), 0xFF0000u);
    EXPECT_EQ(pixels.At(31, 8), kWhite);
}

TEST_F(DrawingTest, TwipCoordinatesAreConvertedWithTheScreenFactor) {
    box.SetScaleMode(ScaleMode::Twips);
    box.FilledBox(150, 150, 300, 300, kBlack);  // pixels 10..20
    const Image pixels = box.Pixels();
    EXPECT_EQ(pixels.At(10, 10), kBlack);
    EXPECT_EQ(pixels.At(20, 20), kBlack);
    EXPECT_EQ(pixels.At(21, 20), kWhite);
    EXPECT_EQ(pixels.At(9, 10), kWhite);
}

TEST_F(DrawingTest, ClsReturnsToThePictureAndAutoSizeFollowsIt) {
    Image picture(10, 5, 0x123456);
    box.SetAutoSize(true);
    box.SetPicture(picture);
    EXPECT_EQ(box.Width(), 150);
    EXPECT_EQ(box.Height(), 75);
    box.FilledBox(0, 0, 9, 4, kBlack);
    box.Cls();
    EXPECT_EQ(box.Pixels(), picture);
    box.FilledBox(0, 0, 0, 0, kWhite);
    box.KeepDrawingAsPicture();
    box.Cls();
    EXPECT_EQ(box.Pixels().At(0, 0), kWhite);
    box.ClearPicture();
    EXPECT_EQ(box.Pixels().At(5, 2), kWhite);  // back to the background colour
}

TEST_F(DrawingTest, PrintWritesAtTheCurrentPositionAndMovesDown) {
    box.SetCurrent(4, 5);
    box.Print(L"物差し");
    ASSERT_EQ(host.DrawnTexts().size(), 1u);
    EXPECT_EQ(host.DrawnTexts()[0].text, L"物差し");
    EXPECT_EQ(host.DrawnTexts()[0].x, 4);
    EXPECT_EQ(box.CurrentX(), 0);
    EXPECT_EQ(box.CurrentY(), 5 + box.TextHeight(L"物差し"));
    EXPECT_GT(box.TextWidth(L"物差し"), box.TextWidth(L"abc"));
    EXPECT_EQ(box.TextHeight(L"a\r\nb"), 2 * box.TextHeight(L"a"));
}

TEST_F(DrawingTest, AFormKeepsItsDrawingOverResizes) {
    form.SetBorderStyle(0);
    form.MNU_Exit.SetVisible(false);
    form.MNU_Pipe.SetVisible(false);
    form.SetScaleMode(ScaleMode::Pixels);
    form.Move(0, 0, 100 * 15, 60 * 15);
    const int width = form.PixelWidth();  // borderless, hidden menus: caption and frame
    EXPECT_EQ(width, 100 - 2 * 3);
    form.Line(0, 0, width - 1, 0, kRed);
    form.Move(0, 0, 200 * 15, 60 * 15);  // wider: the drawing stays, new area is blank
    const Image pixels = form.Pixels();
    EXPECT_EQ(pixels.width, 200 - 2 * 3);
    EXPECT_EQ(pixels.At(width - 1, 0), kRed);
    EXPECT_EQ(pixels.At(width, 0), form.BackColor());
}

TEST(BmpTest, PalettedBitmapsDecodeAndBrokenOnesAreRefused) {
    // 2 x 1, 8 bits, two palette entries (blue, red), top-down.
    std::string bmp = std::string("BM") + std::string(8, '\0') + std::string("\x3E\0\0\0", 4);
    std::string info(40, '\0');
    info[0] = 40;
    info[4] = 2;
    info[8] = char(0xFF);  // height -1: top-down
    info[9] = info[10] = info[11] = char(0xFF);
    info[12] = 1;
    info[14] = 8;
    info[32] = 2;  // colours used
    bmp += info;
    bmp += std::string("\xFF\0\0\0\0\0\xFF\0", 8);  // palette B,G,R,0
    bmp += std::string("\x01\x00\0\0", 4);          // pixels 1, 0 (row padded to 4)
    std::optional<Image> image = headless::DecodeBmp(bmp);
    ASSERT_TRUE(image.has_value());
    EXPECT_EQ(image->At(0, 0), 0x0000FFu);
    EXPECT_EQ(image->At(1, 0), 0xFF0000u);
    EXPECT_FALSE(headless::DecodeBmp(bmp.substr(0, bmp.size() - 2)).has_value());
    EXPECT_FALSE(headless::DecodeBmp("BM").has_value());
}

class FrameTest : public DrawingTest {};

TEST_F(FrameTest, FormFrameFollowsBorderStyleAndMenus) {
    form.SetBorderStyle(0);
    form.MNU_Exit.SetVisible(false);
    form.MNU_Pipe.SetVisible(false);
    // Borderless, but menus exist (hidden): dialog frame and caption are counted.
    core::FrameExtra extra = MeasureWindowFrame(form);
    EXPECT_EQ(extra.width, 2 * 3 * 15);
    EXPECT_EQ(extra.height, (2 * 3 + 19) * 15);
    EXPECT_EQ(FrameExtraWidth(), extra.width);
    EXPECT_EQ(FormMenuState(form), core::MenuState::Present);

    form.MNU_Pipe.SetVisible(true);  // a visible item anywhere adds the menu bar
    EXPECT_EQ(FormMenuState(form), core::MenuState::Visible);
    form.SetBorderStyle(2);
    extra = MeasureWindowFrame(form);
    EXPECT_EQ(extra.width, 2 * 4 * 15);
    EXPECT_EQ(extra.height, (2 * 4 + 19 + 19) * 15);
    // The client area counts a menu bar only for a visible top-level item.
    form.MNU_Exit.SetVisible(false);
    form.MNU_Pipe.SetVisible(false);
    EXPECT_EQ(form.ScaleHeight(), form.Height() - (2 * 4 + 19) * 15);
    form.MNU_Pipe.SetVisible(true);
    EXPECT_EQ(form.ScaleHeight(), form.Height() - extra.height);

    MeasureWindowFrame(box);  // no border, 3-D look: two pixels for the look, one always
    EXPECT_EQ(FrameExtraWidth(), 45);
    box.SetAppearance(0);
    MeasureWindowFrame(box);
    EXPECT_EQ(FrameExtraWidth(), 15);
    EXPECT_EQ(FrameExtraHeight(), 15);
}

TEST_F(FrameTest, ABorderlessFormWithoutMenusHasNoFrame) {
    class Plain : public Form {
      public:
        Plain() : Form(L"frmDUMMY") { SetBorderStyle(0); }
    } plain;
    EXPECT_EQ(MeasureWindowFrame(plain).width, 0);
    EXPECT_EQ(FrameExtraHeight(), 0);
}

TEST_F(FrameTest, ControlsAreEnabledAndDisabledExceptTheKeptOnesAndSeparators) {
    form.Timer1.SetInterval(1);
    form.Show();
    SetControlsEnabled(form, false, L"Picture2", L"Timer1", L"Command2");
    EXPECT_FALSE(form.Picture1.Enabled());
    EXPECT_FALSE(form.Command1.Enabled());
    EXPECT_FALSE(form.MNU_Exit.Enabled());
    EXPECT_TRUE(form.Picture2.Enabled());
    EXPECT_TRUE(form.Command2.Enabled());
    EXPECT_TRUE(form.Timer1.Running());
    EXPECT_FALSE(form.MNU_Pipe.Enabled());  // a separator keeps its state
    SetControlsEnabled(form, true, L"Picture2", L"Timer1", L"Command2");
    EXPECT_TRUE(form.Command1.Enabled());
    EXPECT_TRUE(form.MNU_Exit.Enabled());
    EXPECT_FALSE(form.MNU_Pipe.Enabled());
    SetControlsEnabled(form, false, L"", L"", L"");
    EXPECT_FALSE(form.Timer1.Running());  // a disabled timer stops
}

}  // namespace
