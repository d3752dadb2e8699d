// The link: its extent measured at paint, its colours, the hand cursor, and
// the command posted on the press.
#include <gtest/gtest.h>

#include "skin/link_label.h"
#include "skin_harness.h"

using namespace testing_support;

namespace {

constexpr int kX = 300, kY = 20;
const char kCaption[] = "www.quenwold.example";

class LinkLabelTest : public testing::Test {
 protected:
  void SetUp() override {
    RECT origin = {kX, kY, 0, 0};
    link = new LinkLabel(&harness.surface, &origin, kCaption, 1029, "Visit Quenwold Plugins Home Page");
  }
  // Pixels of `colour` around the link, and pixels that are neither that
  // colour nor the background.
  void CountColours(COLORREF colour, int* matching, int* other) {
    Canvas canvas(kSkinWidth, kSkinHeight, 0);
    harness.Capture(&canvas);
    *matching = *other = 0;
    for (int y = kY - 5; y < kY + 30; ++y)
      for (int x = kX - 5; x < kSkinWidth; ++x) {
        const COLORREF c = canvas.At(x, y);
        if (c == colour)
          ++*matching;
        else if (c != BackgroundAt(x, y))
          ++*other;
      }
  }
  SkinHarness harness;
  LinkLabel* link = nullptr;
};

TEST_F(LinkLabelTest, ExtentIsAPointUntilPaintedThenTheCaption) {
  EXPECT_EQ(link->rect.right, kX);
  EXPECT_EQ(link->rect.bottom, kY);
  EXPECT_EQ(Widget::HitTest(link->rect.left, link->rect.top, link->rect.right, link->rect.bottom,
                            MAKELPARAM(kX, kY)),
            1);
  EXPECT_EQ(harness.Mouse(WM_MOUSEMOVE, kX + 1, kY), 0);

  harness.Repaint();
  HDC dc = GetDC(harness.window);
  HGDIOBJ old = SelectObject(dc, skinLinkFont);
  SIZE size = {};
  GetTextExtentPoint32A(dc, kCaption, lstrlenA(kCaption), &size);
  SelectObject(dc, old);
  ReleaseDC(harness.window, dc);
  ASSERT_GT(size.cx, 50);
  EXPECT_EQ(link->rect.right, kX + size.cx);
  EXPECT_EQ(link->rect.bottom, kY + size.cy);

  const struct {
    int x, y;
    int consumed;
  } moves[] = {
      {kX, kY, 1},
      {kX + size.cx, kY + size.cy, 1},  // one beyond the text, still inside
      {kX + size.cx + 1, kY, 0},
      {kX - 1, kY + 2, 0},
      {kX + 4, kY + size.cy + 1, 0},
  };
  for (const auto& m : moves) EXPECT_EQ(harness.Mouse(WM_MOUSEMOVE, m.x, m.y), m.consumed) << m.x << ", " << m.y;
}

TEST_F(LinkLabelTest, BlueUntilPressedThenPurpleAndTheDcIsLeftBlack) {
  harness.Repaint();
  int blue, other;
  CountColours(kLinkColour, &blue, &other);
  EXPECT_GT(blue, 50);
  EXPECT_EQ(other, 0);

  EXPECT_EQ(harness.Mouse(WM_LBUTTONDOWN, kX + 5, kY + 5), 1);
  EXPECT_EQ(link->visited, 1);
  CountColours(kVisitedLinkColour, &blue, &other);
  EXPECT_EQ(blue, 0);  // not repainted on the press
  harness.Repaint();
  int purple;
  CountColours(kVisitedLinkColour, &purple, &other);
  EXPECT_GT(purple, 50);
  EXPECT_EQ(other, 0);

  HDC dc = GetDC(harness.window);
  SetTextColor(dc, RGB(0, 255, 0));
  const HGDIOBJ font = GetCurrentObject(dc, OBJ_FONT);
  link->Paint(dc);
  EXPECT_EQ(GetTextColor(dc), 0u);
  EXPECT_EQ(GetCurrentObject(dc, OBJ_FONT), font);
  ReleaseDC(harness.window, dc);
}

TEST_F(LinkLabelTest, PressPostsAtOnceAndTheReleaseGoesOn) {
  harness.Repaint();
  EXPECT_EQ(harness.Mouse(WM_LBUTTONDOWN, kX + 5, kY + 5), 1);
  EXPECT_EQ(harness.TakeCommands(), std::vector<WPARAM>{1029});
  EXPECT_EQ(harness.Mouse(WM_LBUTTONUP, kX + 5, kY + 5), 0);
  EXPECT_EQ(harness.Mouse(WM_LBUTTONDOWN, kX - 20, kY + 5), 0);
  EXPECT_EQ(harness.Mouse(WM_LBUTTONDOWN, kX + 5, kY + 5), 1);  // visited: posts again
  EXPECT_EQ(harness.TakeCommands(), std::vector<WPARAM>{1029});

  link->command = 0;
  link->visited = 0;
  EXPECT_EQ(harness.Mouse(WM_LBUTTONDOWN, kX + 5, kY + 5), 1);
  EXPECT_EQ(link->visited, 1);
  EXPECT_TRUE(harness.TakeCommands().empty());
}

TEST_F(LinkLabelTest, HoverSetsTheHandCursorAndShowsTheHint) {
  harness.Repaint();
  SetCursor(LoadCursor(nullptr, IDC_ARROW));
  EXPECT_EQ(harness.Mouse(WM_MOUSEMOVE, kX + 5, kY + 5), 1);
  EXPECT_EQ(GetCursor(), skinCursor);
  EXPECT_EQ(link->hintMode, 1);
  EXPECT_EQ(harness.Mouse(WM_MOUSEMOVE, 5, 5), 0);
  EXPECT_EQ(link->hintMode, 0);
}

TEST_F(LinkLabelTest, HiddenLinkIsCoveredWithTheBackground) {
  harness.Repaint();
  link->Show(0);
  Canvas canvas(kSkinWidth, kSkinHeight, 0);
  harness.Capture(&canvas);
  EXPECT_EQ(CountWrong(canvas, {kX - 5, kY - 5, kSkinWidth, kY + 30}, BackgroundAt), 0);
  link->Show(1);
  int blue, other;
  CountColours(kLinkColour, &blue, &other);
  EXPECT_GT(blue, 50);
}

}  // namespace
