// The status line: which part of a hint each mode shows, and that the strip
// is redrawn once per change and only within its rectangle.
#include <gtest/gtest.h>

#include "res/resource_ids.h"
#include "skin/image_button.h"
#include "skin/status_line.h"
#include "skin_harness.h"

using namespace testing_support;

namespace {

TEST(StatusLine, HintPartsSplitAtTheFirstAt) {
  const struct {
    const char* hint;
    int mode;
    const char* shown;
  } cases[] = {
      {"Click to exit", 1, "Click to exit"},
      {"Click to exit", 2, ""},
      {"first@second", 1, "first"},
      {"first@second", 2, "second"},
      {"first@", 2, ""},
      {"@second", 1, ""},
      {"@second", 2, "second"},
      {"a@b@c", 1, "a"},
      {"a@b@c", 2, "b@c"},
      {"a@b", 0, ""},
      {"a@b", 3, ""},
  };
  for (const auto& c : cases) {
    char out[kHintSize] = "junk";
    HintPart(c.hint, c.mode, out, sizeof out);
    EXPECT_STREQ(out, c.shown) << c.hint << " mode " << c.mode;
  }
}

struct Hinter : Widget {
  Hinter(SkinSurface* s, const char* hint) : Widget(s, hint) {}
  int32_t OnMouse(HWND, UINT, WPARAM, LPARAM) override { return 0; }
  void Paint(HDC) override {}
};

class StatusLineTest : public testing::Test {
 protected:
  void SetUp() override { statusTextColor = RGB(255, 255, 255); }
  // Counts text pixels in the strip (and a margin to its right).
  int TextPixels(const RECT& area) {
    Canvas canvas(kSkinWidth, kSkinHeight, 0);
    harness.Capture(&canvas);
    int text = 0;
    for (int y = area.top; y < area.bottom; ++y)
      for (int x = area.left; x < area.right; ++x) text += canvas.At(x, y) != BackgroundAt(x, y);
    return text;
  }
  // Black over the strip, straight on the window.
  void Scribble() {
    HDC dc = GetDC(harness.window);
    FillRect(dc, &kInstallerStatusRect, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    ReleaseDC(harness.window, dc);
  }
  bool Scribbled() {
    Canvas canvas(kSkinWidth, kSkinHeight, 0x123456);
    harness.Capture(&canvas);
    return CountWrong(canvas, {20, 273, 355, 292}, [](int, int) { return COLORREF(0); }) == 0;
  }
  SkinHarness harness;
  const RECT strip = {20, 273, 355, 292};
};

TEST_F(StatusLineTest, DrawsOncePerChangeAndRestoresTheBackground) {
  Hinter* widget = new Hinter(&harness.surface, "Click to begin the installation");
  harness.surface.targetDC = GetDC(harness.window);
  widget->ShowHint(1);
  EXPECT_EQ(widget->hintMode, 1);
  EXPECT_GT(TextPixels(strip), 20);
  Scribble();
  widget->ShowHint(1);  // no change: nothing drawn
  EXPECT_TRUE(Scribbled());
  widget->ShowHint(0);
  EXPECT_EQ(widget->hintMode, 0);
  EXPECT_EQ(TextPixels(strip), 0);
  ReleaseDC(harness.window, harness.surface.targetDC);
  harness.surface.targetDC = nullptr;
}

TEST_F(StatusLineTest, TextPixelsHaveTheStatusColour) {
  Hinter* widget = new Hinter(&harness.surface, "MMMMMMMM");
  statusTextColor = RGB(255, 0, 255);
  harness.surface.targetDC = GetDC(harness.window);
  widget->ShowHint(1);
  Canvas canvas(kSkinWidth, kSkinHeight, 0);
  harness.Capture(&canvas);
  int magenta = 0;
  for (int y = strip.top; y < strip.bottom; ++y)
    for (int x = strip.left; x < strip.right; ++x) magenta += canvas.At(x, y) == RGB(255, 0, 255);
  EXPECT_GT(magenta, 20);
  ReleaseDC(harness.window, harness.surface.targetDC);
  harness.surface.targetDC = nullptr;
}

TEST_F(StatusLineTest, EmptyHintNeverTouchesTheStrip) {
  Hinter* widget = new Hinter(&harness.surface, nullptr);
  harness.surface.targetDC = GetDC(harness.window);
  Scribble();
  widget->ShowHint(1);
  widget->ShowHint(0);
  EXPECT_TRUE(Scribbled());
  EXPECT_EQ(widget->hintMode, 0);
  ReleaseDC(harness.window, harness.surface.targetDC);
  harness.surface.targetDC = nullptr;
}

TEST_F(StatusLineTest, LongTextIsCutAtTheStripEdge) {
  const std::string wide(79, 'W');
  Hinter* widget = new Hinter(&harness.surface, wide.c_str());
  harness.surface.targetDC = GetDC(harness.window);
  widget->ShowHint(1);
  EXPECT_GT(TextPixels({300, 273, 355, 292}), 0);  // the text reaches the edge
  EXPECT_EQ(TextPixels({355, 250, 500, 292}), 0);
  EXPECT_EQ(TextPixels({0, 250, 500, 273}), 0);
  ReleaseDC(harness.window, harness.surface.targetDC);
  harness.surface.targetDC = nullptr;
}

TEST_F(StatusLineTest, WithoutTargetOnlyTheBackBufferChanges) {
  Hinter* widget = new Hinter(&harness.surface, "Hint");
  Scribble();
  widget->ShowHint(1);
  EXPECT_EQ(widget->hintMode, 1);
  EXPECT_TRUE(Scribbled());
  Canvas buffer(kSkinWidth, kSkinHeight, 0);
  buffer.CopyFrom(harness.surface.memoryDC, 0, 0);
  int text = 0;
  for (int y = strip.top; y < strip.bottom; ++y)
    for (int x = strip.left; x < strip.right; ++x) text += buffer.At(x, y) != BackgroundAt(x, y);
  EXPECT_GT(text, 5);
}

TEST_F(StatusLineTest, ModesShowTheirPartOfTheHint) {
  Hinter* split = new Hinter(&harness.surface, "Iiii@WWWWWWWW");
  harness.surface.targetDC = GetDC(harness.window);
  split->ShowHint(1);
  const int first = TextPixels(strip);
  split->ShowHint(2);
  const int second = TextPixels(strip);
  EXPECT_GT(first, 0);
  EXPECT_GT(second, 2 * first);  // the wide second word, not the first
  ReleaseDC(harness.window, harness.surface.targetDC);
  harness.surface.targetDC = nullptr;
}

TEST_F(StatusLineTest, MovingBetweenButtonsClearsInRegistrationOrder) {
  // b is registered before a: when one move leaves a and enters b, a's
  // clearing comes last and the strip stays empty.
  RECT originB = {100, 100, 0, 0}, originA = {200, 100, 0, 0};
  ImageButton* b = new ImageButton(&harness.surface, &originB, IDB_EXIT, IDB_EXIT, 2, "Bbbb", nullptr, nullptr);
  ImageButton* a = new ImageButton(&harness.surface, &originA, IDB_EXIT, IDB_EXIT, 2, "Aaaa", nullptr, nullptr);
  harness.Mouse(WM_MOUSEMOVE, 210, 110);
  EXPECT_EQ(a->hintMode, 1);
  EXPECT_GT(TextPixels(strip), 0);
  harness.Mouse(WM_MOUSEMOVE, 110, 110);
  EXPECT_EQ(b->hintMode, 1);
  EXPECT_EQ(a->hintMode, 0);
  EXPECT_EQ(TextPixels(strip), 0);
  // Leaving and entering b again shows its hint.
  harness.Mouse(WM_MOUSEMOVE, 50, 50);
  harness.Mouse(WM_MOUSEMOVE, 110, 110);
  EXPECT_GT(TextPixels(strip), 0);
}

}  // namespace
