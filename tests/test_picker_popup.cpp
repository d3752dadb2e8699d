// The picker popup of a grid state button, opened for real: a timer that
// fires inside the popup's modal loop looks at the popup and then closes it
// the way the test case says.
#include <gtest/gtest.h>

#include <memory>

#include "skin/picker_popup.h"
#include "skin_harness.h"
#include "test_art.h"

using namespace testing_support;

namespace {

enum class Close { LeftUp, RightDown, Cancel };

struct PickerRun {
  Close close = Close::LeftUp;
  POINT click = {};
  bool repaintOwner = false;
  SkinHarness* harness = nullptr;
  // What the timer saw.
  HWND popup = nullptr;
  RECT window = {};
  RECT client = {};
  std::unique_ptr<Canvas> pixels;
  int tries = 0;
};

PickerRun* run;

BOOL CALLBACK FindPopup(HWND window, LPARAM found) {
  char name[16] = {};
  GetClassNameA(window, name, sizeof name);
  if (lstrcmpA(name, "#32770") == 0 && IsWindowVisible(window)) {
    *reinterpret_cast<HWND*>(found) = window;
    return FALSE;
  }
  return TRUE;
}

void CALLBACK OnTimer(HWND, UINT, UINT_PTR id, DWORD) {
  HWND popup = nullptr;
  EnumThreadWindows(GetCurrentThreadId(), FindPopup, reinterpret_cast<LPARAM>(&popup));
  if (!popup) {
    if (++run->tries > 100) KillTimer(nullptr, id);
    return;
  }
  KillTimer(nullptr, id);
  run->popup = popup;
  GetWindowRect(popup, &run->window);
  GetClientRect(popup, &run->client);
  UpdateWindow(popup);
  run->pixels.reset(new Canvas(run->client.right, run->client.bottom, 0));
  CaptureClient(popup, 0, 0, run->pixels.get());
  if (run->repaintOwner) run->harness->Repaint();
  switch (run->close) {
    case Close::LeftUp:
      PostMessageA(popup, WM_LBUTTONUP, 0, MAKELPARAM(run->click.x, run->click.y));
      break;
    case Close::RightDown:
      PostMessageA(popup, WM_RBUTTONDOWN, 0, MAKELPARAM(5, 5));
      break;
    case Close::Cancel:
      PostMessageA(popup, WM_COMMAND, IDCANCEL, 0);
      break;
  }
}

class PickerTest : public testing::Test {
 protected:
  StateButton* MakeGrid(int top, int32_t maximum, int32_t flags = 0) {
    RECT r = {200, top, 0, 0};
    return new StateButton(&harness.surface, &r, test_art::kGridBitmap, 0x80008000, "", 0, maximum, "Pick", 500,
                           SB_GRID | flags, nullptr);
  }
  // Opens the picker with a left press on the button and closes it as
  // `picker` says; returns what the routing returned.
  int Open(StateButton* button, PickerRun* picker) {
    picker->harness = &harness;
    run = picker;
    SetTimer(nullptr, 0, 30, OnTimer);
    const int result = harness.Mouse(WM_LBUTTONDOWN, button->rect.left + 3, button->rect.top + 3);
    run = nullptr;
    return result;
  }
  POINT ClientOrigin() {
    POINT origin = {0, 0};
    ClientToScreen(harness.window, &origin);
    return origin;
  }
  SkinHarness harness;
};

TEST_F(PickerTest, ReleaseChoosesTheCellUnderIt) {
  const struct {
    int32_t maximum;
    POINT click;
    int32_t state;
  } cases[] = {
      {7, {9 + 44 * 2, 5 + 36}, 6},
      {7, {186, 5}, 4},    // column 4 runs into the next row
      {5, {141, 41}, 5},   // the empty fourth cell of row two: 7, lowered to 5
      {7, {3, 2}, 0},      // left of the first column
      {7, {60, 50}, 5},
  };
  for (const auto& c : cases) {
    StateButton* grid = MakeGrid(150, c.maximum);
    grid->state = 1;
    PickerRun picker;
    picker.click = c.click;
    EXPECT_EQ(Open(grid, &picker), 1) << c.click.x << ", " << c.click.y;
    ASSERT_NE(picker.popup, nullptr);
    EXPECT_FALSE(IsWindow(picker.popup));
    EXPECT_EQ(grid->state, c.state) << c.click.x << ", " << c.click.y;
    EXPECT_EQ(harness.TakeCommands(), std::vector<WPARAM>{500});
    grid->Show(0);
  }
}

TEST_F(PickerTest, ClosingWithoutAChoiceChangesNothing) {
  const struct {
    Close close;
    POINT click;
  } cases[] = {{Close::LeftUp, {0, 0}}, {Close::RightDown, {}}, {Close::Cancel, {}}};
  StateButton* grid = MakeGrid(150, 7);
  for (const auto& c : cases) {
    grid->state = 3;
    PickerRun picker;
    picker.close = c.close;
    picker.click = c.click;
    EXPECT_EQ(Open(grid, &picker), 0);
    ASSERT_NE(picker.popup, nullptr);
    EXPECT_FALSE(IsWindow(picker.popup));
    EXPECT_EQ(grid->state, 3);
    EXPECT_TRUE(harness.TakeCommands().empty());
    EXPECT_EQ(pickerClick, 0);
  }
}

TEST_F(PickerTest, SizeAndPlaceFollowTheButton) {
  const POINT origin = ClientOrigin();
  const struct {
    int top;
    int32_t maximum;
    int height;
    bool below;
  } cases[] = {
      {150, 7, 86, false},
      {45, 3, 50, true},
      {60, 3, 50, false},
      {85, 7, 86, true},
      {86, 7, 86, false},
  };
  for (const auto& c : cases) {
    StateButton* grid = MakeGrid(c.top, c.maximum);
    PickerRun picker;
    picker.close = Close::Cancel;
    Open(grid, &picker);
    ASSERT_NE(picker.popup, nullptr);
    EXPECT_EQ(picker.window.right - picker.window.left, 198) << c.top;
    EXPECT_EQ(picker.window.bottom - picker.window.top, c.height) << c.top;
    // The anchor is the popup's bottom-right corner.
    EXPECT_EQ(picker.window.right, 200 + origin.x - 1) << c.top;
    const int bottom = c.below ? origin.y + grid->rect.bottom + c.height : c.top + origin.y - 1;
    EXPECT_EQ(picker.window.bottom, bottom) << c.top;
    grid->Show(0);
  }
}

TEST_F(PickerTest, OpensLeftOfTheScreenOriginWhereTheWindowIs) {
  SetWindowPos(harness.window, nullptr, -100, 200, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  const POINT origin = ClientOrigin();
  ASSERT_EQ(origin.x, -100);
  RECT r = {20, 150, 0, 0};
  StateButton* grid = new StateButton(&harness.surface, &r, test_art::kGridBitmap, 0x80008000, "", 0, 7, nullptr,
                                      500, SB_GRID, nullptr);
  PickerRun picker;
  picker.close = Close::Cancel;
  Open(grid, &picker);
  ASSERT_NE(picker.popup, nullptr);
  EXPECT_EQ(picker.window.right, 20 - 100 - 1);
  EXPECT_EQ(picker.window.left, 20 - 100 - 1 - 198);
  EXPECT_EQ(picker.window.bottom, 150 + 200 - 1);
}

TEST_F(PickerTest, PopupShowsEveryStateOverTheBackground) {
  for (int32_t flags : {0, SB_TRANSPOSED}) {
    StateButton* grid = MakeGrid(150, 6, flags);
    PickerRun picker;
    picker.close = Close::Cancel;
    Open(grid, &picker);
    ASSERT_TRUE(picker.pixels);
    const Canvas& shown = *picker.pixels;
    ASSERT_GE(shown.width(), 176);
    ASSERT_GE(shown.height(), 72);
    for (int i = 0; i < 8; ++i) {
      const int k = i % 4, r = i / 4;
      const RECT cell = {44 * k + 18, 36 * r + 10, 44 * k + 44, 36 * r + 36};
      const int wrong = CountWrong(shown, cell, [&](int x, int y) {
        if (i > 6) return BackgroundAt(x, y);  // past the maximum: no cell
        int u = x - cell.left, v = y - cell.top;
        if (flags & SB_TRANSPOSED) std::swap(u, v);
        return COLORREF(test_art::Grid(26 * k + u, 26 * r + v));
      });
      EXPECT_EQ(wrong, 0) << "cell " << i << " flags " << flags;
      // The number at the cell's left.
      int text = 0;
      for (int y = cell.top; y < cell.bottom; ++y)
        for (int x = 44 * k + 2; x < cell.left; ++x) text += shown.At(x, y) != BackgroundAt(x, y);
      if (i <= 6)
        EXPECT_GT(text, 5) << "cell " << i;
      else
        EXPECT_EQ(text, 0) << "cell " << i;
    }
    EXPECT_EQ(CountWrong(shown, {0, 0, shown.width(), 10}, BackgroundAt), 0);
    grid->Show(0);
  }
}

TEST_F(PickerTest, PaintCycleInsideThePopupLeavesTheButtonItsDc) {
  StateButton* grid = MakeGrid(150, 7);
  grid->state = 0;
  harness.Repaint();
  const int cycles = harness.paintCycles;
  PickerRun picker;
  picker.click = {9 + 44 * 3, 5 + 36};  // state 7
  picker.repaintOwner = true;
  EXPECT_EQ(Open(grid, &picker), 1);
  EXPECT_GT(harness.paintCycles, cycles);
  EXPECT_EQ(grid->state, 7);
  EXPECT_EQ(harness.surface.targetDC, nullptr);
  // The button drew its new state at once, on the routing's DC.
  Canvas canvas(kSkinWidth, kSkinHeight, 0);
  harness.Capture(&canvas);
  EXPECT_EQ(CountWrong(canvas, grid->rect, [](int x, int y) { return test_art::Grid(78 + x - 200, 26 + y - 150); }),
            0);
}

}  // namespace
