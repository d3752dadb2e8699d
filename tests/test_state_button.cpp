// The state button: the installer's check box with its toggle table and
// label, counter stepping, value clamping, and the drawing modes.
#include <gtest/gtest.h>

#include "res/resource_ids.h"
#include "skin/state_button.h"
#include "skin_harness.h"
#include "test_art.h"

using namespace testing_support;

namespace {

constexpr int kBoxX = 290, kBoxY = 45;

class CheckBoxTest : public testing::Test {
 protected:
  void SetUp() override {
    RECT r = {kBoxX, kBoxY, 310, 57};
    box = new StateButton(&harness.surface, &r, IDB_CHECKBOX, 0x80148000, "Tesserella 3D", 0, -3,
                          "Select to install Tesserella 3D filter", 2000, 0, "Tesserella3D");
    box->state = 2;
    harness.Repaint();
  }
  // The square of `state` (13 x 13, white drawn) at the box's place.
  int WrongSquare(const Canvas& canvas, int state) {
    return CountWrong(canvas, {kBoxX, kBoxY, kBoxX + 13, kBoxY + 13},
                      [state](int x, int y) { return test_art::CheckBox(13 * state + x - kBoxX, y - kBoxY); });
  }
  int Shown() {
    Canvas canvas(kSkinWidth, kSkinHeight, 0);
    harness.Capture(&canvas);
    for (int s = 0; s < 4; ++s)
      if (WrongSquare(canvas, s) == 0) return s;
    return -1;
  }
  SkinHarness harness;
  StateButton* box = nullptr;
};

TEST_F(CheckBoxTest, InstallerCheckBoxGeometryAndLook) {
  EXPECT_EQ(box->rect.left, 290);
  EXPECT_EQ(box->rect.top, 45);
  EXPECT_EQ(box->rect.right, 303);
  EXPECT_EQ(box->rect.bottom, 58);
  const RECT erase = {290, 45, 600, 102};
  EXPECT_TRUE(EqualRect(&box->eraseRect, &erase));
  EXPECT_EQ(box->labelDx, 20);
  EXPECT_EQ(box->labelDy, 0);
  EXPECT_EQ(box->maximum, 3);
  EXPECT_EQ(box->toggle, 1);
  EXPECT_EQ(box->minimum, 0);
  EXPECT_EQ(box->command, 2000);
  EXPECT_STREQ(box->key, "Tesserella3D");
  EXPECT_STREQ(box->label, "Tesserella 3D");

  Canvas canvas(kSkinWidth, kSkinHeight, 0);
  harness.Capture(&canvas);
  EXPECT_EQ(WrongSquare(canvas, 2), 0);
  // The label starts 20 pixels right of the box, level with its top.
  EXPECT_EQ(CountWrong(canvas, {303, 40, 310, 65}, BackgroundAt), 0);
  EXPECT_EQ(CountWrong(canvas, {303, 35, 420, 45}, BackgroundAt), 0);
  int text = 0;
  for (int y = 45; y < 58; ++y)
    for (int x = 310; x < 320; ++x) text += canvas.At(x, y) != BackgroundAt(x, y);
  EXPECT_GT(text, 5);
}

TEST_F(CheckBoxTest, ToggleTable) {
  const int inX = kBoxX + 6, inY = kBoxY + 6;
  const struct {
    int from;
    UINT message;
    bool inside;
    int to;
    int returns;
    bool posts;
  } cases[] = {
      {0, WM_LBUTTONDOWN, true, 1, 1, false}, {1, WM_LBUTTONUP, true, 2, 1, true},
      {2, WM_LBUTTONDOWN, true, 3, 1, false}, {3, WM_LBUTTONUP, true, 0, 1, true},
      {0, WM_RBUTTONDOWN, true, 3, 1, false}, {3, WM_RBUTTONUP, true, 2, 1, true},
      {2, WM_RBUTTONDOWN, true, 1, 1, false}, {1, WM_RBUTTONUP, true, 0, 1, true},
      {1, WM_MOUSEMOVE, false, 0, 0, false},  {3, WM_LBUTTONUP, false, 2, 0, false},
      {3, WM_LBUTTONDOWN, false, 2, 0, false}, {2, WM_LBUTTONUP, true, 2, 0, false},
      {0, WM_RBUTTONUP, true, 0, 0, false},   {2, WM_MOUSEMOVE, true, 2, 0, false},
      {1, WM_LBUTTONDBLCLK, true, 1, 0, false}, {2, WM_RBUTTONDOWN, false, 2, 0, false},
  };
  for (const auto& c : cases) {
    box->state = c.from;
    harness.Repaint();
    const int x = c.inside ? inX : 350, y = c.inside ? inY : 150;
    EXPECT_EQ(harness.Mouse(c.message, x, y), c.returns) << c.from << " msg " << std::hex << c.message;
    EXPECT_EQ(box->state, c.to) << c.from << " msg " << std::hex << c.message;
    EXPECT_EQ(Shown(), c.to) << c.from << " msg " << std::hex << c.message;
    EXPECT_EQ(harness.TakeCommands(), c.posts ? std::vector<WPARAM>{2000} : std::vector<WPARAM>{})
        << c.from << " msg " << std::hex << c.message;
  }
}

TEST_F(CheckBoxTest, ClickOnTheLabelDoesNothingAndEdgesCount) {
  EXPECT_EQ(harness.Mouse(WM_LBUTTONDOWN, 320, 50), 0);
  EXPECT_EQ(box->state, 2);
  EXPECT_EQ(harness.Mouse(WM_LBUTTONDOWN, 303, 58), 1);  // right and bottom count as inside
  EXPECT_EQ(box->state, 3);
}

TEST_F(CheckBoxTest, HiddenCoversTheEraseRectangle) {
  box->Show(0);
  Canvas canvas(kSkinWidth, kSkinHeight, 0);
  harness.Capture(&canvas);
  EXPECT_EQ(CountWrong(canvas, {285, 40, 500, 110}, BackgroundAt), 0);
  EXPECT_EQ(harness.Mouse(WM_LBUTTONDOWN, kBoxX + 5, kBoxY + 5), 0);  // disabled
  box->Show(1);
  EXPECT_EQ(Shown(), 2);
}

TEST_F(CheckBoxTest, HoverShowsTheHint) {
  harness.Mouse(WM_MOUSEMOVE, kBoxX + 5, kBoxY + 5);
  EXPECT_EQ(box->hintMode, 1);
  harness.Mouse(WM_MOUSEMOVE, 10, 10);
  EXPECT_EQ(box->hintMode, 0);
}

TEST(StateButton, CounterStepsWrapAgainstZeroAndMaximum) {
  SkinHarness harness;
  RECT r = {100, 100, 0, 0};
  StateButton* counter = new StateButton(&harness.surface, &r, IDB_CHECKBOX, 0x80008000, "", 2, 5, nullptr, 77, 0,
                                         nullptr);
  EXPECT_EQ(counter->toggle, 0);
  EXPECT_EQ(counter->state, 2);
  EXPECT_EQ(harness.Mouse(WM_RBUTTONDOWN, 105, 105), 1);
  EXPECT_EQ(counter->state, 1);  // below the minimum, but not below 0
  counter->state = 5;
  EXPECT_EQ(harness.Mouse(WM_LBUTTONDOWN, 105, 105), 1);
  EXPECT_EQ(counter->state, 2);
  counter->state = 0;
  harness.Mouse(WM_RBUTTONDOWN, 105, 105);
  EXPECT_EQ(counter->state, 5);
  EXPECT_EQ(harness.Mouse(WM_LBUTTONUP, 105, 105), 0);
  EXPECT_EQ(harness.Mouse(WM_RBUTTONUP, 105, 105), 0);
  EXPECT_EQ(harness.TakeCommands(), (std::vector<WPARAM>{77, 77, 77}));
  counter->command = 0;
  harness.Mouse(WM_LBUTTONDOWN, 105, 105);
  EXPECT_TRUE(harness.TakeCommands().empty());
}

TEST(StateButton, SetValueClampsAndGetValueSubtractsTheMinimum) {
  SkinHarness harness;
  RECT r = {100, 100, 0, 0};
  StateButton* zero = new StateButton(&harness.surface, &r, IDB_CHECKBOX, 0x80008000, "", 0, 3, nullptr, 0, 0,
                                      nullptr);
  StateButton* two = new StateButton(&harness.surface, &r, IDB_CHECKBOX, 0x80008000, "", 2, 6, nullptr, 0, 0,
                                     nullptr);
  const struct {
    StateButton* button;
    int32_t value, state, got;
  } cases[] = {
      {zero, 5, 3, 3}, {zero, -1, 0, 0}, {zero, 2, 2, 2}, {two, 0, 2, 0}, {two, 3, 5, 3}, {two, 9, 6, 4}, {two, -4, 2, 0},
  };
  for (const auto& c : cases) {
    c.button->SetValue(c.value);
    EXPECT_EQ(c.button->state, c.state) << c.value;
    EXPECT_EQ(c.button->GetValue(), c.got) << c.value;
  }
}

TEST(StateButton, ValueOnlyHoldsAValueAndNothingElse) {
  SkinHarness harness;
  RECT r = {100, 100, 130, 130};
  StateButton* value = new StateButton(&harness.surface, &r, IDB_CHECKBOX, 0x80148000, "Label", 1, 9, "Hint", 55,
                                       SB_VALUE_ONLY, "Key");
  EXPECT_EQ(value->state, 0);
  EXPECT_EQ(value->GetValue(), 0);
  EXPECT_EQ(value->image, nullptr);
  EXPECT_EQ(value->command, 0);
  EXPECT_STREQ(value->key, "Key");
  value->SetValue(42);
  EXPECT_EQ(value->GetValue(), 42);
  EXPECT_EQ(harness.Mouse(WM_LBUTTONDOWN, 0, 0), 0);
  EXPECT_EQ(value->state, 42);
  harness.Repaint();
  Canvas canvas(kSkinWidth, kSkinHeight, 0);
  harness.Capture(&canvas);
  EXPECT_EQ(CountWrong(canvas, {0, 0, kSkinWidth, kSkinHeight}, BackgroundAt), 0);
}

TEST(StateButton, StripModes) {
  SkinHarness harness;
  RECT r1 = {20, 20, 0, 0}, r2 = {60, 20, 0, 0}, r3 = {100, 20, 0, 0};
  StateButton* keyed = new StateButton(&harness.surface, &r1, IDB_CHECKBOX, 0x80008000, "", 0, 3, nullptr, 0,
                                       SB_KEYED, nullptr);
  StateButton* transposed = new StateButton(&harness.surface, &r2, IDB_CHECKBOX, 0x80008000, "", 0, 3, nullptr, 0,
                                            SB_TRANSPOSED, nullptr);
  StateButton* wide = new StateButton(&harness.surface, &r3, IDB_CHECKBOX, 0x80008000, "", 0, 3, nullptr, 0,
                                      SB_DOUBLE_WIDTH, nullptr);
  keyed->state = 1;
  transposed->state = 2;
  wide->state = 1;
  EXPECT_EQ(wide->rect.right, 126);
  EXPECT_EQ(wide->rect.bottom, 33);
  harness.Repaint();
  Canvas canvas(kSkinWidth, kSkinHeight, 0);
  harness.Capture(&canvas);
  EXPECT_EQ(CountWrong(canvas, {20, 20, 33, 33},
                       [](int x, int y) {
                         const COLORREF c = test_art::CheckBox(13 + x - 20, y - 20);
                         return c == test_art::kWhite ? BackgroundAt(x, y) : c;
                       }),
            0);
  EXPECT_EQ(CountWrong(canvas, {60, 20, 73, 33},
                       [](int x, int y) { return test_art::CheckBox(26 + (y - 20), x - 60); }),
            0);
  EXPECT_EQ(CountWrong(canvas, {100, 20, 126, 33},
                       [](int x, int y) { return test_art::CheckBox(26 + x - 100, y - 20); }),
            0);

  // A state past the end of the strip draws nothing at all.
  wide->state = 2;
  HDC dc = GetDC(harness.window);
  RECT area = {100, 20, 126, 33};
  FillRect(dc, &area, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  wide->Paint(dc);
  ReleaseDC(harness.window, dc);
  harness.Capture(&canvas);
  EXPECT_EQ(CountWrong(canvas, area, [](int, int) { return COLORREF(0); }), 0);
}

TEST(StateButton, WithoutAnImageRecordAStripDrawsNothingAndAGridItsNumber) {
  SkinHarness harness;
  RECT r1 = {20, 20, 0, 0}, r2 = {100, 100, 0, 0};
  StateButton* strip = new StateButton(&harness.surface, &r1, IDB_CHECKBOX, 0x80148000, "Label", 0, 3, nullptr, 0,
                                       0, nullptr);
  StateButton* grid = new StateButton(&harness.surface, &r2, test_art::kGridBitmap, 0x80008000, "", 0, 7, nullptr, 0,
                                      SB_GRID, nullptr);
  for (StateButton* b : {strip, grid}) {
    b->image->Release();
    delete b->image;
    b->image = nullptr;
  }
  grid->state = 7;
  harness.Repaint();
  Canvas canvas(kSkinWidth, kSkinHeight, 0);
  harness.Capture(&canvas);
  EXPECT_EQ(CountWrong(canvas, {0, 0, 90, 60}, BackgroundAt), 0);
  int text = 0;
  for (int y = 100; y < 126; ++y)
    for (int x = 100; x < 126; ++x) text += canvas.At(x, y) != BackgroundAt(x, y);
  EXPECT_GT(text, 5);
}

TEST(StateButton, GridShowsItsCellAndRightPressPostsTheNextCommand) {
  SkinHarness harness;
  RECT r = {100, 100, 0, 0};
  StateButton* grid = new StateButton(&harness.surface, &r, test_art::kGridBitmap, 0x80008000, "", 0, 7, nullptr,
                                      500, SB_GRID, nullptr);
  EXPECT_EQ(grid->rect.right, 126);
  EXPECT_EQ(grid->rect.bottom, 126);
  grid->state = 6;
  harness.Repaint();
  Canvas canvas(kSkinWidth, kSkinHeight, 0);
  harness.Capture(&canvas);
  EXPECT_EQ(CountWrong(canvas, {100, 100, 126, 126},
                       [](int x, int y) { return test_art::Grid(52 + x - 100, 26 + y - 100); }),
            0);
  EXPECT_EQ(harness.Mouse(WM_RBUTTONDOWN, 110, 110), 0);
  EXPECT_EQ(grid->state, 6);
  EXPECT_EQ(harness.TakeCommands(), std::vector<WPARAM>{501});
  EXPECT_EQ(harness.Mouse(WM_LBUTTONUP, 110, 110), 0);
}

}  // namespace
