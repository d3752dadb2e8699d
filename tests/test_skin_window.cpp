// The skinned window: attaching, the paint cycle, mouse routing and the
// lifetime of what it owns, on a real window under Xvfb.
#include <gtest/gtest.h>

#include <vector>

#include "gfx/bitmap_cache.h"
#include "res/resource_ids.h"
#include "skin/image_button.h"
#include "skin_harness.h"
#include "test_art.h"

using namespace testing_support;

namespace {

// A widget that records what reaches it.
struct Probe : Widget {
  Probe(SkinSurface* s, int32_t consume, std::vector<int>* log, int id)
      : Widget(s, nullptr), consume(consume), log(log), id(id) {}
  ~Probe() override { ++destroyed; }
  int32_t OnMouse(HWND, UINT, WPARAM, LPARAM) override {
    log->push_back(id);
    sawDC = surface->targetDC;
    sawSkinFont = sawDC && GetCurrentObject(sawDC, OBJ_FONT) == skinFont && GetBkMode(sawDC) == TRANSPARENT;
    if (onMouse) onMouse();
    return consume;
  }
  void Paint(HDC dc) override {
    log->push_back(100 + id);
    RECT r = {id * 10, 0, id * 10 + 5, 5};
    FillRect(dc, &r, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  }
  int32_t consume;
  std::vector<int>* log;
  int id;
  HDC sawDC = nullptr;
  bool sawSkinFont = false;
  void (*onMouse)() = nullptr;
  static int destroyed;
};
int Probe::destroyed = 0;

TEST(SkinWindow, AttachMakesBufferFontsCursorAndBackgroundFromTheInstance) {
  SkinHarness harness;
  SkinSurface& s = harness.surface;
  EXPECT_EQ(s.instance, GetModuleHandleA(nullptr));
  ASSERT_NE(s.background, nullptr);
  EXPECT_EQ(s.background->width, 500);
  EXPECT_EQ(s.background->height, 292);
  EXPECT_TRUE(EqualRect(&s.statusRect, &kInstallerStatusRect));
  EXPECT_EQ(harness.skin->extent.right, kSkinWidth);
  EXPECT_EQ(harness.skin->extent.bottom, kSkinHeight);
  BITMAP buffer = {};
  ASSERT_TRUE(GetObjectA(harness.skin->backBuffer, sizeof buffer, &buffer));
  EXPECT_EQ(buffer.bmWidth, kSkinWidth);
  EXPECT_EQ(buffer.bmHeight, kSkinHeight);
  EXPECT_EQ(GetCurrentObject(s.memoryDC, OBJ_BITMAP), harness.skin->backBuffer);
  EXPECT_EQ(GetCurrentObject(s.memoryDC, OBJ_FONT), skinFont);
  EXPECT_EQ(GetBkMode(s.memoryDC), TRANSPARENT);
  EXPECT_EQ(s.targetDC, nullptr);

  LOGFONTA font = {};
  ASSERT_TRUE(GetObjectA(skinFont, sizeof font, &font));
  EXPECT_EQ(font.lfHeight, 13);
  EXPECT_EQ(font.lfUnderline, 0);
  EXPECT_STREQ(font.lfFaceName, "MS Sans Serif");
  ASSERT_TRUE(GetObjectA(skinLinkFont, sizeof font, &font));
  EXPECT_EQ(font.lfUnderline, 1);
  // The test executable's own cursor resource, not the system's hand.
  ICONINFO cursor = {};
  ASSERT_TRUE(GetIconInfo(skinCursor, &cursor));
  EXPECT_EQ(cursor.xHotspot, 13u);
  EXPECT_EQ(cursor.yHotspot, 10u);
  if (cursor.hbmMask) DeleteObject(cursor.hbmMask);
  if (cursor.hbmColor) DeleteObject(cursor.hbmColor);

  // Fonts and cursor are made once per process.
  const HFONT font1 = skinFont;
  const HCURSOR cursor1 = skinCursor;
  SkinHarness second;
  EXPECT_EQ(skinFont, font1);
  EXPECT_EQ(skinCursor, cursor1);
  EXPECT_EQ(second.surface.background->dc, s.background->dc);  // one shared bitmap
}

TEST(SkinWindow, AttachWithoutStatusRectOrTargetDcStillWorks) {
  SkinSurface surface = {};
  HWND window = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 120, 80, nullptr, nullptr, nullptr, nullptr);
  auto* skin = new SkinWindow(&surface, GetModuleHandleA(nullptr));
  surface.statusRect = {1, 2, 3, 4};
  skin->Attach(window, IDB_BACKGROUND, IDC_HAND, nullptr);
  EXPECT_TRUE(IsRectEmpty(&surface.statusRect));
  EXPECT_EQ(surface.statusRect.left, 0);
  ASSERT_NE(surface.background, nullptr);
  EXPECT_EQ(surface.background->width, 500);
  EXPECT_EQ(skin->extent.right, 120);
  EXPECT_EQ(skin->extent.bottom, 80);
  delete skin;
  DestroyWindow(window);
}

TEST(SkinWindow, RectFromSizeReadsSigned16BitInputs) {
  const struct {
    int32_t x, y, w, h;
    RECT want;
  } cases[] = {
      {65535, 0, 10, 10, {-1, 0, 9, 10}},
      {-5, 7, 3, 4, {-5, 7, -2, 11}},
      {437, 271, 0, 0, {437, 271, 437, 271}},
      {0x12345, 0x10002, 0x10003, 0x1FFFF, {0x2345, 2, 0x2348, 1}},
  };
  for (const auto& c : cases) {
    RECT r = {9, 9, 9, 9};
    EXPECT_EQ(RectFromSize(&r, c.x, c.y, c.w, c.h), &r);
    EXPECT_TRUE(EqualRect(&r, &c.want)) << c.x << " " << c.y << " " << c.w << " " << c.h << " gave " << r.left
                                        << "," << r.top << "," << r.right << "," << r.bottom;
  }
}

TEST(SkinWindow, PaintCycleTilesTheUpdateAreaAndPaintsVisibleWidgetsInOrder) {
  SkinHarness harness;
  std::vector<int> log;
  Probe* first = new Probe(&harness.surface, 0, &log, 1);
  Probe* hidden = new Probe(&harness.surface, 0, &log, 2);
  Probe* inert = new Probe(&harness.surface, 0, &log, 3);
  hidden->visible = 0;
  inert->enabled = 0;
  (void)first;

  // Scribble over the window, then repaint a part of it.
  HDC dc = GetDC(harness.window);
  RECT all = {0, 0, kSkinWidth, kSkinHeight};
  FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  ReleaseDC(harness.window, dc);
  RECT part = {290, 45, 600, 102};
  InvalidateRect(harness.window, &part, FALSE);
  UpdateWindow(harness.window);
  EXPECT_EQ(log, (std::vector<int>{101, 103}));
  EXPECT_EQ(harness.surface.targetDC, nullptr);

  Canvas canvas(kSkinWidth, kSkinHeight, 0);
  harness.Capture(&canvas);
  EXPECT_EQ(CountWrong(canvas, {290, 45, 500, 102}, BackgroundAt), 0);
  EXPECT_EQ(CountWrong(canvas, {0, 102, 500, 292}, [](int, int) { return RGB(255, 255, 255); }), 0);
  // Widgets paint whole, outside the update area too.
  EXPECT_EQ(canvas.At(10, 0), 0u);
  EXPECT_EQ(canvas.At(30, 0), 0u);
  EXPECT_EQ(canvas.At(20, 0), RGB(255, 255, 255));
}

TEST(SkinWindow, PutTextDrawsOnlyInsideAPaintCycle) {
  SkinHarness harness;
  harness.skin->PutText(5, 5, "outside");  // no target: nothing happens
  Canvas before(120, 40, 0), after(120, 40, 0);
  harness.Capture(&before);
  EXPECT_EQ(CountWrong(before, {0, 0, 120, 40}, BackgroundAt), 0);

  InvalidateRect(harness.window, nullptr, FALSE);
  HDC target = harness.skin->BeginSkinPaint();
  EXPECT_EQ(target, harness.surface.targetDC);
  EXPECT_EQ(GetCurrentObject(target, OBJ_FONT), skinFont);
  harness.skin->PaintSkin();
  SetTextColor(target, RGB(255, 0, 0));
  harness.skin->PutText(5, 5, "Inside");
  harness.skin->EndSkinPaint();
  EXPECT_EQ(harness.surface.targetDC, nullptr);
  harness.Capture(&after);
  int red = 0;
  for (int y = 0; y < 40; ++y)
    for (int x = 0; x < 120; ++x) red += after.At(x, y) == RGB(255, 0, 0);
  EXPECT_GT(red, 10);
  EXPECT_EQ(CountWrong(after, {0, 0, 4, 40}, BackgroundAt), 0);
}

TEST(SkinWindow, RouteMouseTakesOnlyMouseMessagesToEnabledWidgetsInOrder) {
  SkinHarness harness;
  std::vector<int> log;
  EXPECT_EQ(harness.Mouse(WM_LBUTTONDOWN, 1, 1), 0);  // no widget yet

  Probe* disabled = new Probe(&harness.surface, 1, &log, 1);
  Probe* unseen = new Probe(&harness.surface, 0, &log, 2);
  Probe* consumer = new Probe(&harness.surface, 1, &log, 3);
  Probe* late = new Probe(&harness.surface, 1, &log, 4);
  disabled->enabled = 0;
  unseen->visible = 0;  // still receives messages
  (void)late;

  const struct {
    UINT message;
    bool routed;
  } cases[] = {
      {0x1FF, false},           {WM_MOUSEMOVE, true},  {WM_LBUTTONDOWN, true}, {WM_MBUTTONDBLCLK, true},
      {0x20A /* wheel */, false}, {WM_PAINT, false},    {0x10201, true},        {0x1020A, false},
  };
  for (const auto& c : cases) {
    log.clear();
    EXPECT_EQ(harness.Mouse(c.message, 5, 5), c.routed ? 1 : 0) << std::hex << c.message;
    EXPECT_EQ(log, (c.routed ? std::vector<int>{2, 3} : std::vector<int>{})) << std::hex << c.message;
    EXPECT_EQ(harness.surface.targetDC, nullptr);
  }
  EXPECT_NE(consumer->sawDC, nullptr);
  EXPECT_TRUE(consumer->sawSkinFont);

  consumer->consume = 0;
  log.clear();
  EXPECT_EQ(harness.Mouse(WM_MOUSEMOVE, 5, 5), 1);
  EXPECT_EQ(log, (std::vector<int>{2, 3, 4}));
  late->consume = 0;
  EXPECT_EQ(harness.Mouse(WM_MOUSEMOVE, 5, 5), 0);
  EXPECT_EQ(harness.surface.targetDC, nullptr);
}

SkinHarness* nestedHarness;
HDC routingDC;
HDC afterNestedPaint;

TEST(SkinWindow, PaintCycleInsideARoutingCallGivesTheRoutingItsDcBack) {
  SkinHarness harness;
  nestedHarness = &harness;
  std::vector<int> log;
  Probe* probe = new Probe(&harness.surface, 1, &log, 1);
  probe->onMouse = [] {
    routingDC = nestedHarness->surface.targetDC;
    nestedHarness->Repaint();  // a paint cycle runs in here, as in a modal loop
    afterNestedPaint = nestedHarness->surface.targetDC;
  };
  const int cycles = harness.paintCycles;
  EXPECT_EQ(harness.Mouse(WM_LBUTTONDOWN, 3, 3), 1);
  EXPECT_EQ(harness.paintCycles, cycles + 1);
  EXPECT_NE(routingDC, nullptr);
  EXPECT_EQ(afterNestedPaint, routingDC);
  EXPECT_EQ(harness.surface.targetDC, nullptr);
}

TEST(SkinWindow, DestructorDeletesWidgetsAndFreesBufferAndBackground) {
  std::vector<int> log;
  Probe::destroyed = 0;
  HDC memoryDC;
  HBITMAP buffer;
  HDC backgroundDC;
  {
    SkinHarness harness;
    for (int i = 0; i < 3; ++i) new Probe(&harness.surface, 0, &log, i);
    memoryDC = harness.surface.memoryDC;
    buffer = harness.skin->backBuffer;
    backgroundDC = harness.surface.background->dc;
  }
  EXPECT_EQ(Probe::destroyed, 3);
  EXPECT_EQ(GetObjectType(memoryDC), 0u);
  EXPECT_EQ(GetObjectType(buffer), 0u);
  EXPECT_EQ(GetObjectType(backgroundDC), 0u);
  for (int i = 0; i < MAX_CACHED_BITMAPS; ++i) EXPECT_EQ(bitmapCache.counts[i], 0);
}

TEST(SkinWindow, RegistrationStopsAtTheTableSize) {
  std::vector<int> log;
  SkinHarness harness;
  for (int i = 0; i < MAX_WIDGETS; ++i) new Probe(&harness.surface, 0, &log, i);
  Probe extra(&harness.surface, 0, &log, 999);  // not registered: owned here
  EXPECT_EQ(harness.surface.widgetCount, MAX_WIDGETS);
  EXPECT_NE(harness.surface.widgets[MAX_WIDGETS - 1], &extra);
  log.clear();
  harness.Mouse(WM_MOUSEMOVE, 1, 1);
  EXPECT_EQ(log.size(), size_t(MAX_WIDGETS));
}

}  // namespace
