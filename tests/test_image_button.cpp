// The image button: its rectangle and hit area, the press/move/release
// table with the commands it posts, and what it draws in each state.
#include <gtest/gtest.h>

#include <vector>

#include "res/resource_ids.h"
#include "skin/image_button.h"
#include "skin_harness.h"
#include "test_art.h"

using namespace testing_support;

namespace {

constexpr int kX = 375, kY = 271;  // the begin button's place
constexpr int kW = 60, kH = 19;

// What the window shows over the button: its face, moved by `shift`, with
// the background where the face is white or absent.
auto ButtonLook(int shift) {
  return [shift](int x, int y) {
    const int u = x - kX - shift, v = y - kY - shift;
    if (u >= 0 && u < kW && v >= 0 && v < kH) {
      const COLORREF c = test_art::Face(IDB_BEGIN, u, v);
      if (c != test_art::kWhite) return c;
    }
    return BackgroundAt(x, y);
  };
}

class ImageButtonTest : public testing::Test {
 protected:
  void SetUp() override {
    RECT origin;
    RectFromSize(&origin, kX, kY, 0, 0);
    button = new ImageButton(&harness.surface, &origin, IDB_BEGIN, IDB_BEGIN, 219, "Click to begin", nullptr,
                             nullptr);
    harness.Repaint();
  }
  // 0: normal look, 1: pressed look, -1: neither.
  int Look() {
    Canvas canvas(kSkinWidth, kSkinHeight, 0);
    harness.Capture(&canvas);
    const RECT area = {kX - 2, kY - 2, kX + kW + 3, kY + kH + 1};
    if (CountWrong(canvas, area, ButtonLook(0)) == 0) return 0;
    if (CountWrong(canvas, area, ButtonLook(1)) == 0) return 1;
    return -1;
  }
  SkinHarness harness;
  ImageButton* button = nullptr;
};

TEST_F(ImageButtonTest, RectangleIsTheImagePlusOnePixelWithOneImage) {
  EXPECT_EQ(button->rect.left, kX);
  EXPECT_EQ(button->rect.top, kY);
  EXPECT_EQ(button->rect.right, kX + kW + 1);
  EXPECT_EQ(button->rect.bottom, kY + kH + 1);
  EXPECT_EQ(button->pressShift, 1);
  EXPECT_EQ(button->command, 219);
  EXPECT_EQ(button->normalImage->dc, button->pressedImage->dc);  // one shared bitmap
  EXPECT_EQ(Look(), 0);
}

TEST_F(ImageButtonTest, OnlyTheInnerPointsAreInside) {
  const struct {
    int x, y;
    bool inside;
  } cases[] = {
      {kX, kY + 5, false},          {kX + 5, kY, false},          {kX + 1, kY + 1, true},
      {kX + kW, kY + kH, true},     {kX + kW + 1, kY + 5, false}, {kX + 5, kY + kH + 1, false},
      {kX + 30, kY + 10, true},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(button->HitInside(MAKELPARAM(c.x, c.y), kX, kY), c.inside ? 1 : 0) << c.x << ", " << c.y;
    harness.Mouse(WM_LBUTTONDOWN, c.x, c.y);
    EXPECT_EQ(button->pressState, c.inside ? 1 : 0) << c.x << ", " << c.y;
    harness.Mouse(WM_MOUSEMOVE, 0, 0);  // cancels a press
    button->pressState = 0;
  }
}

struct Step {
  UINT message;
  int x, y;
  int returns;
  int pressState;
  int look;  // 0 normal, 1 pressed
};

TEST_F(ImageButtonTest, PressMoveReleaseTable) {
  const int in = kX + 20, inY = kY + 8, out = kX - 30;
  const struct {
    const char* name;
    std::vector<Step> steps;
    std::vector<WPARAM> commands;
  } cases[] = {
      {"click", {{WM_LBUTTONDOWN, in, inY, 0, 1, 1}, {WM_LBUTTONUP, in, inY, 1, 3, 0}}, {219}},
      {"press, leave, release",
       {{WM_LBUTTONDOWN, in, inY, 0, 1, 1}, {WM_MOUSEMOVE, out, inY, 0, 0, 0}, {WM_LBUTTONUP, in, inY, 0, 0, 0}},
       {}},
      {"press outside, enter, release",
       {{WM_LBUTTONDOWN, out, inY, 0, 0, 0}, {WM_MOUSEMOVE, in, inY, 0, 0, 0}, {WM_LBUTTONUP, in, inY, 0, 0, 0}},
       {}},
      {"press, release outside", {{WM_LBUTTONDOWN, in, inY, 0, 1, 1}, {WM_LBUTTONUP, out, 5, 1, 3, 0}}, {219}},
      {"press twice, move inside",
       {{WM_LBUTTONDOWN, in, inY, 0, 1, 1}, {WM_LBUTTONDOWN, in, inY, 0, 1, 1}, {WM_MOUSEMOVE, in + 3, inY, 0, 1, 1},
        {WM_LBUTTONUP, in, inY, 1, 3, 0}},
       {219}},
      {"release after a click", {{WM_LBUTTONUP, in, inY, 0, 0, 0}}, {}},
      {"double click and right button",
       {{WM_LBUTTONDBLCLK, in, inY, 0, 0, 0}, {WM_RBUTTONDOWN, in, inY, 0, 0, 0}, {WM_RBUTTONUP, in, inY, 0, 0, 0}},
       {}},
  };
  for (const auto& c : cases) {
    button->pressState = 0;
    int index = 0;
    for (const Step& step : c.steps) {
      EXPECT_EQ(harness.Mouse(step.message, step.x, step.y), step.returns) << c.name << " step " << index;
      EXPECT_EQ(button->pressState, step.pressState) << c.name << " step " << index;
      EXPECT_EQ(Look(), step.look) << c.name << " step " << index;
      ++index;
    }
    EXPECT_EQ(harness.TakeCommands(), c.commands) << c.name;
  }
}

TEST_F(ImageButtonTest, RepaintWhilePressedShowsTheNormalImage) {
  harness.Mouse(WM_LBUTTONDOWN, kX + 5, kY + 5);
  EXPECT_EQ(Look(), 1);
  harness.Repaint();
  EXPECT_EQ(Look(), 0);
  EXPECT_EQ(button->pressState, 1);
}

TEST_F(ImageButtonTest, CommandZeroChangesLooksButPostsNothing) {
  button->command = 0;
  harness.Mouse(WM_LBUTTONDOWN, kX + 5, kY + 5);
  EXPECT_EQ(Look(), 1);
  EXPECT_EQ(harness.Mouse(WM_LBUTTONUP, kX + 5, kY + 5), 1);
  EXPECT_EQ(Look(), 0);
  EXPECT_TRUE(harness.TakeCommands().empty());
}

TEST_F(ImageButtonTest, HoverShowsTheHintOnce) {
  harness.Mouse(WM_MOUSEMOVE, kX + 5, kY + 5);
  EXPECT_EQ(button->hintMode, 1);
  harness.Mouse(WM_MOUSEMOVE, kX - 5, kY + 5);
  EXPECT_EQ(button->hintMode, 0);
}

TEST_F(ImageButtonTest, ThousandClicksLeakNoGdiObject) {
  auto click = [&] {
    harness.Mouse(WM_MOUSEMOVE, kX + 5, kY + 5);
    harness.Mouse(WM_LBUTTONDOWN, kX + 5, kY + 5);
    harness.Mouse(WM_LBUTTONUP, kX + 5, kY + 5);
    harness.Mouse(WM_MOUSEMOVE, 5, 5);
  };
  click();  // anything made once per process is made now
  harness.TakeCommands();
  const DWORD before = GdiObjectCount();
  ASSERT_GT(before, 0u) << "no GDI object count from the system";
  for (int i = 0; i < 1000; ++i) click();
  EXPECT_EQ(GdiObjectCount(), before);
  EXPECT_EQ(harness.TakeCommands().size(), 1000u);
}

TEST(ImageButton, MissingImagesDrawNothingButTheButtonStillPosts) {
  SkinHarness harness;
  RECT origin = {50, 50, 70, 60};
  ImageButton* none = new ImageButton(&harness.surface, &origin, 0, 0, 7, nullptr, nullptr, nullptr);
  EXPECT_EQ(none->normalImage, nullptr);
  EXPECT_EQ(none->rect.right, 71);
  EXPECT_EQ(none->rect.bottom, 61);
  harness.Repaint();
  harness.Mouse(WM_LBUTTONDOWN, 60, 55);
  EXPECT_EQ(harness.Mouse(WM_LBUTTONUP, 60, 55), 1);
  EXPECT_EQ(harness.TakeCommands(), std::vector<WPARAM>{7});
  Canvas canvas(kSkinWidth, kSkinHeight, 0);
  harness.Capture(&canvas);
  EXPECT_EQ(CountWrong(canvas, {40, 40, 90, 70}, BackgroundAt), 0);

  // Different ids: no shift, and without a pressed image no state drawing.
  RECT origin2 = {100, 150, 0, 0};
  ImageButton* half = new ImageButton(&harness.surface, &origin2, IDB_EXIT, 0, 8, nullptr, nullptr, nullptr);
  EXPECT_EQ(half->pressShift, 0);
  EXPECT_EQ(half->rect.right, 158);
  EXPECT_EQ(half->rect.bottom, 169);
  harness.Repaint();
  harness.Capture(&canvas);
  harness.Mouse(WM_LBUTTONDOWN, 120, 160);
  Canvas pressed(kSkinWidth, kSkinHeight, 0);
  harness.Capture(&pressed);
  EXPECT_EQ(CountWrong(pressed, {90, 140, 170, 180}, [&](int x, int y) { return canvas.At(x, y); }), 0);
}

TEST(ImageButton, DirectLogoAndLabelPaint) {
  SkinHarness harness;
  RECT origin = {6, 6, 0, 0};
  ImageButton* logo = new ImageButton(&harness.surface, &origin, IDB_LOGO, IDB_LOGO, 1, nullptr, nullptr, nullptr);
  logo->direct = 1;
  RECT origin2 = {100, 100, 0, 0}, place = {70, 2, 40, 16};
  new ImageButton(&harness.surface, &origin2, IDB_EXIT, IDB_EXIT, 2, nullptr, "Label", &place);
  harness.Repaint();
  Canvas canvas(kSkinWidth, kSkinHeight, 0);
  harness.Capture(&canvas);
  EXPECT_EQ(CountWrong(canvas, {0, 0, 60, 60},
                       [](int x, int y) {
                         const int u = x - 6, v = y - 6;
                         const COLORREF c = (u >= 0 && u < 40 && v >= 0 && v < 40) ? test_art::Face(IDB_LOGO, u, v)
                                                                                 : test_art::kWhite;
                         return c != test_art::kWhite ? c : BackgroundAt(x, y);
                       }),
            0);
  int text = 0;
  for (int y = 102; y < 118; ++y)
    for (int x = 170; x < 210; ++x) text += canvas.At(x, y) != BackgroundAt(x, y);
  EXPECT_GT(text, 5);
  EXPECT_EQ(CountWrong(canvas, {210, 95, 260, 125}, BackgroundAt), 0);
}

}  // namespace
