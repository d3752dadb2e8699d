// The widget base: showing, hiding and redrawing, and the edge-inclusive hit
// test.
#include <gtest/gtest.h>

#include "res/resource_ids.h"
#include "skin/image_button.h"
#include "skin/link_label.h"
#include "skin/state_button.h"
#include "skin_harness.h"
#include "test_art.h"

using namespace testing_support;

namespace {

// Paints a solid square and records the state of the DC it is given.
struct Square : Widget {
  explicit Square(SkinSurface* s) : Widget(s, nullptr) {}
  int32_t OnMouse(HWND, UINT, WPARAM, LPARAM) override { return 0; }
  void Paint(HDC dc) override {
    ++paints;
    goodDC = GetCurrentObject(dc, OBJ_FONT) == skinFont && GetBkMode(dc) == TRANSPARENT;
    RECT r = {0, 0, 8, 8};
    FillRect(dc, &r, static_cast<HBRUSH>(GetStockObject(visible ? BLACK_BRUSH : GRAY_BRUSH)));
  }
  int paints = 0;
  bool goodDC = false;
};

TEST(Widget, StartsShownAndRegisteredWithABoundedHint) {
  SkinHarness harness;
  Square* plain = new Square(&harness.surface);
  EXPECT_EQ(harness.surface.widgetCount, 1);
  EXPECT_EQ(harness.surface.widgets[0], plain);
  EXPECT_EQ(plain->surface, &harness.surface);
  EXPECT_STREQ(plain->hint, "");
  EXPECT_EQ(plain->visible, 1);
  EXPECT_EQ(plain->enabled, 1);
  EXPECT_EQ(plain->erased, 0);
  EXPECT_EQ(plain->hintMode, 0);
  EXPECT_EQ(plain->command, 0);

  const std::string longHint(200, 'h');
  RECT origin = {10, 10, 0, 0};
  ImageButton* button = new ImageButton(&harness.surface, &origin, IDB_EXIT, IDB_EXIT, 2, longHint.c_str(), nullptr,
                                        nullptr);
  EXPECT_EQ(std::string(button->hint), longHint.substr(0, kHintSize - 1));
}

TEST(Widget, LongTextsAreCutToTheirFields) {
  SkinHarness harness;
  const std::string text(300, 't');
  RECT origin = {10, 10, 0, 0}, place = {0, 0, 10, 10};
  ImageButton* button = new ImageButton(&harness.surface, &origin, IDB_EXIT, IDB_EXIT, 2, nullptr, text.c_str(),
                                        &place);
  LinkLabel* link = new LinkLabel(&harness.surface, &origin, text.c_str(), 1029, nullptr);
  StateButton* box = new StateButton(&harness.surface, &origin, IDB_CHECKBOX, 0x80008000, text.c_str(), 0, -3,
                                     nullptr, 0, 0, text.c_str());
  EXPECT_EQ(std::string(button->label), text.substr(0, kButtonLabelSize - 1));
  EXPECT_EQ(std::string(link->caption), text.substr(0, kCaptionSize - 1));
  EXPECT_EQ(std::string(box->label), text.substr(0, kStateTextSize - 1));
  EXPECT_EQ(std::string(box->key), text.substr(0, kStateTextSize - 1));
}

TEST(Widget, RedrawBeforeTheWindowExistsPaintsNothing) {
  SkinSurface surface = {};
  Square square(&surface);
  square.Show(0);
  EXPECT_EQ(square.paints, 0);
}

TEST(Widget, HiddenWidgetIsPaintedOnceUntilShownAgain) {
  SkinHarness harness;
  Square* square = new Square(&harness.surface);

  square->Show(0);  // no target DC: Redraw takes its own
  EXPECT_EQ(square->paints, 1);
  EXPECT_TRUE(square->goodDC);
  EXPECT_EQ(square->visible, 0);
  EXPECT_EQ(square->enabled, 0);
  EXPECT_EQ(square->erased, 1);
  square->Show(0);
  square->Redraw();
  EXPECT_EQ(square->paints, 1);

  square->Show(1);
  EXPECT_EQ(square->paints, 2);
  EXPECT_EQ(square->erased, 0);
  EXPECT_EQ(square->visible, 1);
  EXPECT_EQ(square->enabled, 1);
  Canvas canvas(8, 8, 0x123456);
  harness.Capture(&canvas);
  EXPECT_EQ(canvas.At(4, 4), 0u);

  // A direct write hides without drawing and leaves erased alone.
  square->visible = 0;
  square->Redraw();
  EXPECT_EQ(square->paints, 3);
  EXPECT_EQ(square->erased, 1);
}

TEST(Widget, ShowOfAButtonCoversItWithTheBackgroundAndBringsItBack) {
  SkinHarness harness;
  RECT origin = {375, 271, 0, 0};
  ImageButton* begin = new ImageButton(&harness.surface, &origin, IDB_BEGIN, IDB_BEGIN, 219, "Begin", nullptr,
                                       nullptr);
  harness.Repaint();
  Canvas canvas(kSkinWidth, kSkinHeight, 0);
  const RECT area = {375, 271, 436, 291};
  auto face = [](int x, int y) {
    const COLORREF c = test_art::Face(IDB_BEGIN, x - 375, y - 271);
    return x < 435 && y < 290 && c != test_art::kWhite ? c : BackgroundAt(x, y);
  };
  harness.Capture(&canvas);
  EXPECT_EQ(CountWrong(canvas, area, face), 0);

  begin->Show(0);
  harness.Capture(&canvas);
  EXPECT_EQ(CountWrong(canvas, area, BackgroundAt), 0);
  EXPECT_EQ(begin->erased, 1);

  begin->Show(1);
  harness.Capture(&canvas);
  EXPECT_EQ(CountWrong(canvas, area, face), 0);
}

TEST(Widget, HitTestCountsEveryEdgeAsInside) {
  const struct {
    int x, y;
    int32_t inside;
  } cases[] = {
      {10, 20, 1}, {30, 40, 1}, {10, 40, 1}, {20, 30, 1}, {9, 30, 0},
      {31, 30, 0}, {20, 19, 0}, {20, 41, 0}, {31, 41, 0},
  };
  for (const auto& c : cases)
    EXPECT_EQ(Widget::HitTest(10, 20, 30, 40, MAKELPARAM(c.x, c.y)), c.inside) << c.x << ", " << c.y;
  // The halves are unsigned: 0xFFFF is far right, not -1.
  EXPECT_EQ(Widget::HitTest(-5, 0, 5, 5, MAKELPARAM(0xFFFF, 1)), 0);
  EXPECT_EQ(Widget::HitTest(0, 0, 70000, 70000, MAKELPARAM(0xFFFF, 0xFFFF)), 1);
}

}  // namespace
