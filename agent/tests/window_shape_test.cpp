// The window outline from pictures and controls.
#include "agent/window_shape.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <vector>

#include "forms/forms.h"
#include "headless/test_host.h"

namespace agent {
namespace {

constexpr forms::Color kKey = 0xFF00FF;
constexpr forms::Color kInk = 0x123456;

// A picture from rows of characters: '.' is the key colour, anything else ink. The
// top-left character decides the key as in a real picture.
forms::Image Picture(std::initializer_list<std::string> rows) {
    const int w = int(rows.begin()->size());
    forms::Image image(w, int(rows.size()), kKey);
    int y = 0;
    for (const std::string& row : rows) {
        for (int x = 0; x < w; ++x) {
            if (row[std::size_t(x)] != '.') {
                image.Set(x, y, kInk);
            }
        }
        ++y;
    }
    return image;
}

std::vector<forms::Rect> Rects(const forms::Region& region) {
    return region.rects;
}

TEST(PictureOutline, RunsPerRowWithHolesAndTheLastColumnLeftOut) {
    const forms::Region outline = PictureOutline(Picture({"..##.#..",  //
                                                          ".......#",  //
                                                          "########"}),
                                                 10, 20);
    // Row 0: two runs; row 1: the lone pixel in the last column gives nothing; row 2: a
    // full row from column 0 (key found at (0,0) only) loses its last column.
    EXPECT_EQ(Rects(outline),
              (std::vector<forms::Rect>{{12, 20, 14, 21}, {15, 20, 16, 21}, {10, 22, 17, 23}}));
    EXPECT_TRUE(outline.Contains(12, 20));
    EXPECT_FALSE(outline.Contains(14, 20));  // the hole between the runs
    EXPECT_FALSE(outline.Contains(17, 21));
}

TEST(PictureOutline, EqualConsecutiveRowsBecomeOneTallRectangle) {
    const forms::Region outline = PictureOutline(Picture({"......",  //
                                                          ".##.#.",  //
                                                          ".##.#.",  //
                                                          ".##.#.",  //
                                                          ".####.",  //
                                                          ".##.#."}),
                                                 0, 0);
    EXPECT_EQ(Rects(outline),
              (std::vector<forms::Rect>{
                  {1, 1, 3, 4}, {4, 1, 5, 4}, {1, 4, 5, 5}, {1, 5, 3, 6}, {4, 5, 5, 6}}));
}

TEST(PictureOutline, TheKeyColourInsideTheCharacterBecomesAHole) {
    forms::Image picture = Picture({"....",  //
                                    ".##.",  //
                                    ".##."});
    picture.Set(2, 2, kKey);  // the character uses the background colour here
    const forms::Region outline = PictureOutline(picture, 0, 0);
    EXPECT_TRUE(outline.Contains(2, 1));
    EXPECT_FALSE(outline.Contains(2, 2));
    EXPECT_TRUE(outline.Contains(1, 2));
}

TEST(PictureOutline, EmptyAndSingleColourPicturesGiveNothing) {
    EXPECT_TRUE(PictureOutline(forms::Image(), 0, 0).rects.empty());
    EXPECT_TRUE(PictureOutline(forms::Image(0, 5), 0, 0).rects.empty());
    EXPECT_TRUE(PictureOutline(forms::Image(4, 4, kInk), 0, 0).rects.empty());
}

forms::Image Checkerboard(int size) {
    forms::Image board(size, size, kKey);
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            if ((x + y) % 2 == 1) {
                board.Set(x, y, kInk);
            }
        }
    }
    return board;
}

TEST(PictureOutline, CheckerboardGivesOneRectanglePerOpaqueRunPixel) {
    const forms::Region outline = PictureOutline(Checkerboard(8), 0, 0);
    // Rows alternate, so nothing merges; odd rows start opaque at column 0 but their last
    // pixel (column 7) is key, even rows end with an opaque pixel in the last column,
    // which is left out: 3 runs in even rows, 4 in odd rows.
    EXPECT_EQ(outline.rects.size(), 4u * 3u + 4u * 4u);
    for (const forms::Rect& r : outline.rects) {
        EXPECT_EQ(r.right - r.left, 1);
        EXPECT_EQ(r.bottom - r.top, 1);
    }
}

TEST(RowBounds, EachBandSpansItsPixelsAndEqualBandsMerge) {
    const forms::Region outline = PictureOutline(Picture({".#..#.",  //
                                                          ".##.#.",  //
                                                          "#.##.#",  //
                                                          ".....#"}),
                                                 0, 0);
    EXPECT_EQ(Rects(RowBounds(outline)), (std::vector<forms::Rect>{{1, 0, 5, 2}, {0, 2, 4, 3}}));
}

class ShapeForm : public forms::Form {
  public:
    ShapeForm() : Form(L"ShapeForm") {
        SetBorderStyle(3);
        Move(0, 0, 3000, 3000);
        Button.Move(150, 300, 450, 300);
        Picture1.Load(0).SetBorderStyle(0);
        Picture1.Load(1).SetBorderStyle(0);
        Picture1[1].SetVisible(true);
    }
    forms::CommandButton Button{*this, L"Button"};
    forms::ControlArray<forms::PictureBox> Picture1{*this, L"Picture1"};
    forms::Timer Timer1{*this, L"Timer1"};
};

class WindowShapeTest : public ::testing::Test {
  protected:
    headless::TestHost host;
    forms::App app{host};
};

TEST_F(WindowShapeTest, ControlsAndPicturesAreMovedByTheFrame) {
    ShapeForm form;
    form.Load();
    form.Picture1[0].Move(1500, 0, 60, 45);
    form.Picture1[0].SetPicture(Picture({"....", ".##.", "...."}));
    form.Picture1[1].Move(0, 1500, 60, 45);
    form.Picture1[1].SetPicture(Picture({"....", "..#.", "..#."}));
    WindowShape shape;
    shape.pictures = {{&form.Picture1[0], {}, kShapeAlways},
                      {&form.Picture1[1], {}, kShapeOnSwitch}};
    BuildWindowShape(form, shape, true);

    // A fixed dialog frame: 3-pixel borders, a 19-pixel caption.
    const int border = 3, top = 3 + 19;
    EXPECT_EQ(shape.controlRects,
              (std::vector<forms::Rect>{{10 + border, 20 + top, 40 + border, 40 + top}}));
    ASSERT_TRUE(form.WindowRegion().has_value());
    const forms::Region& region = *form.WindowRegion();
    EXPECT_TRUE(region.Contains(100 + 1 + border, 1 + top));
    EXPECT_FALSE(region.Contains(100 + border, top));
    EXPECT_FALSE(region.Contains(2 + border, 100 + 1 + top));  // picture 1 waits for a switch

    form.Picture1[0].SetVisible(true);
    SwitchShapePicture(form, form.Picture1[1], shape, 1);
    EXPECT_TRUE(form.WindowRegion()->Contains(2 + border, 100 + 1 + top));
    EXPECT_TRUE(form.WindowRegion()->Contains(100 + 1 + border, 1 + top));

    // Choosing the picture that is always there leaves the pictures always there alone.
    SwitchShapePicture(form, form.Picture1[1], shape, 0);
    EXPECT_EQ(form.WindowRegion()->rects.size(),
              shape.controlRects.size() + shape.pictures[0].region.rects.size());
}

TEST_F(WindowShapeTest, AnOutlineTooFineForTheWindowSystemIsReducedToItsRows) {
    ShapeForm form;
    form.Load();
    form.Picture1[0].Move(0, 0, 60, 45);
    form.Picture1[0].SetPicture(Picture({"....", ".##.", "...."}));
    form.Picture1[1].SetAutoSize(true);
    form.Picture1[1].SetPicture(Checkerboard(512));
    WindowShape shape;
    shape.pictures = {{&form.Picture1[0], {}, kShapeAlways},
                      {&form.Picture1[1], {}, kShapeAtStart}};
    BuildWindowShape(form, shape, true);
    EXPECT_TRUE(shape.coarsened);
    EXPECT_EQ(shape.pictures[0].region.rects.size(), 1u);  // small enough: as it was
    EXPECT_EQ(shape.pictures[1].region.rects.size(), 512u);
    EXPECT_LE(form.WindowRegion()->rects.size(), kMaxWindowRects);

    form.Picture1[1].SetPicture(Checkerboard(256));  // 32,640 rectangles: within the limit
    BuildWindowShape(form, shape, true);
    EXPECT_FALSE(shape.coarsened);
    EXPECT_EQ(shape.pictures[1].region.rects.size(), 32640u);
}

TEST_F(WindowShapeTest, WithoutPicturesEveryControlCountsAsARectangle) {
    ShapeForm form;
    form.Load();
    form.Picture1[0].Move(0, 0, 150, 150);
    form.Picture1[1].Move(300, 0, 0, 0);
    WindowShape shape;
    BuildWindowShape(form, shape, false);
    EXPECT_EQ(shape.controlRects.size(), 3u);  // the button and both pictures; no timer
}

}  // namespace
}  // namespace agent
