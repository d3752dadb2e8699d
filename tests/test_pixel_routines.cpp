// Tiling and the pixel copies, drawn into real memory DCs and read back.
#include <gtest/gtest.h>

#include <functional>

#include "gfx/pixel_routines.h"
#include "res/resource_ids.h"
#include "test_art.h"
#include "test_support.h"

using testing_support::Canvas;

namespace {

constexpr COLORREF kUntouched = RGB(1, 2, 3);

HINSTANCE Self() { return GetModuleHandleA(nullptr); }

class PixelTest : public testing::Test {
 protected:
  void SetUp() override { screen = GetDC(nullptr); }
  void TearDown() override { ReleaseDC(nullptr, screen); }

  // A record made from a size-encoded id and painted by `pixel`. Bits 10-15
  // lift the resource number past 1023, where the test executable has none.
  CachedBitmap* Drawn(int width, int height, const std::function<COLORREF(int, int)>& pixel) {
    static uint32_t serial = 0;
    serial = serial % 63 + 1;
    auto* record = new CachedBitmap(Self(), screen, uint32_t(height) << 16 | serial << 10 | uint32_t(width));
    for (int x = 0; x < width; ++x)
      for (int y = 0; y < height; ++y) SetPixelV(record->dc, x, y, pixel(x, y));
    return record;
  }
  static void Free(CachedBitmap* record) {
    record->Release();
    delete record;
  }

  HDC screen = nullptr;
};

// Every pixel of the canvas: the background's own pixel inside `r`, the
// untouched fill outside.
void ExpectTiled(const Canvas& canvas, const RECT& r) {
  int wrong = 0;
  for (int y = 0; y < canvas.height(); ++y)
    for (int x = 0; x < canvas.width(); ++x) {
      const bool inside = x >= r.left && x < r.right && y >= r.top && y < r.bottom;
      const COLORREF want = inside ? test_art::Background(x % 500, y % 292) : kUntouched;
      if (canvas.At(x, y) != want && ++wrong <= 3)
        ADD_FAILURE() << "pixel (" << x << ", " << y << ") of rect (" << r.left << ", " << r.top << ", "
                      << r.right << ", " << r.bottom << ")";
    }
  EXPECT_EQ(wrong, 0);
}

TEST_F(PixelTest, TileKeepsThePhaseOfTheWholeWindow) {
  CachedBitmap background(Self(), screen, IDB_BACKGROUND);
  ASSERT_EQ(background.width, 500);
  ASSERT_EQ(background.height, 292);
  const RECT cases[] = {
      {290, 45, 600, 102},   // a check box's erase rectangle, past the first tile
      {0, 0, 500, 292},      // exactly one tile
      {0, 0, 500, 10},       // right edge on a multiple of the width
      {495, 287, 507, 300},  // across a tile corner
      {510, 300, 1003, 590}, // wholly in later tiles, past a second column
      {7, 9, 8, 10},         // one pixel
      {100, 100, 100, 200},  // empty
  };
  Canvas canvas(1010, 600, kUntouched);
  for (const RECT& r : cases) {
    canvas.Fill(kUntouched);
    background.Tile(canvas.dc(), r.left, r.top, r.right, r.bottom);
    ExpectTiled(canvas, r);
  }

  // The partial tiling equals the same area of a whole-window tiling.
  Canvas whole(700, 300, kUntouched), part(700, 300, kUntouched);
  background.Tile(whole.dc(), 0, 0, 700, 300);
  background.Tile(part.dc(), 290, 45, 600, 102);
  for (int y = 45; y < 102; ++y)
    for (int x = 290; x < 600; ++x) ASSERT_EQ(part.At(x, y), whole.At(x, y)) << x << ", " << y;
  background.Release();
}

TEST_F(PixelTest, TileOfAnUnusableRecordDrawsNothingAndEnds) {
  CachedBitmap flat(Self(), screen, 34);  // missing resource: zero height
  ASSERT_EQ(flat.height, 0);
  Canvas canvas(50, 50, kUntouched);
  flat.Tile(canvas.dc(), 0, 0, 50, 50);
  CachedBitmap narrow(Self(), screen, 40u << 16);  // zero width
  narrow.Tile(canvas.dc(), 0, 0, 50, 50);
  CachedBitmap background(Self(), screen, IDB_BACKGROUND);
  background.Tile(nullptr, 0, 0, 50, 50);
  HDC kept = background.dc;
  background.dc = nullptr;
  background.Tile(canvas.dc(), 0, 0, 50, 50);
  background.dc = kept;
  for (int y = 0; y < 50; ++y)
    for (int x = 0; x < 50; ++x) ASSERT_EQ(canvas.At(x, y), kUntouched);
  flat.Release();
  narrow.Release();
  background.Release();
}

COLORREF KeyedPattern(int x, int y) {
  if (x >= 3 && x <= 5 && y >= 3 && y <= 5) return test_art::kWhite;  // 3 x 3 hole in the middle
  if (x == 0 && y == 8) return test_art::kNearWhite;
  if (x == 8 && y == 0) return 0xFFFEFF;  // off white in green
  return RGB(10 + x * 20, 200 - y * 20, 77);
}

TEST_F(PixelTest, KeyedRoutinesLeavePureWhiteOutAndDrawNearWhite) {
  CachedBitmap* image = Drawn(9, 9, KeyedPattern);
  using Draw = std::function<void(HDC, int, int)>;  // draws the image with its corner at (x, y)
  const struct {
    const char* name;
    Draw draw;
  } routines[] = {
      {"DrawCentreOut", [&](HDC dc, int x, int y) { image->DrawCentreOut(dc, x - 1, y - 2, 1, 2); }},
      {"DrawCentreOutDirect", [&](HDC dc, int x, int y) { image->DrawCentreOutDirect(dc, x, y - 1, 0, 1); }},
      {"CopyStripKeyed", [&](HDC dc, int x, int y) { image->CopyStripKeyed(dc, 0, x, 9, y); }},
  };
  for (const auto& routine : routines) {
    Canvas canvas(20, 20, kUntouched);
    routine.draw(canvas.dc(), 4, 6);
    for (int y = 0; y < 20; ++y)
      for (int x = 0; x < 20; ++x) {
        const int u = x - 4, v = y - 6;
        COLORREF want = kUntouched;
        if (u >= 0 && u < 9 && v >= 0 && v < 9 && KeyedPattern(u, v) != test_art::kWhite) want = KeyedPattern(u, v);
        ASSERT_EQ(canvas.At(x, y), want) << routine.name << " at " << x << ", " << y;
      }
  }
  Free(image);
}

TEST_F(PixelTest, CentreOutDrawsEveryColumnOfEvenAndOddWidths) {
  for (int width : {1, 2, 40, 41}) {
    CachedBitmap* image = Drawn(width, 3, [](int x, int y) { return RGB(x, y, 9); });
    Canvas canvas(45, 5, kUntouched);
    image->DrawCentreOut(canvas.dc(), 1, 1, 0, 0);
    for (int x = 0; x < 45; ++x)
      for (int y = 0; y < 5; ++y) {
        const bool inside = x >= 1 && x < 1 + width && y >= 1 && y < 4;
        ASSERT_EQ(canvas.At(x, y), inside ? RGB(x - 1, y - 1, 9) : kUntouched) << "width " << width << " at " << x;
      }
    Free(image);
  }
}

TEST_F(PixelTest, RecordWithoutDcDrawsSolidBlack) {
  CachedBitmap* image = Drawn(6, 4, [](int, int) { return test_art::kWhite; });
  HDC kept = image->dc;
  image->dc = nullptr;
  Canvas canvas(20, 20, kUntouched);
  image->DrawCentreOut(canvas.dc(), 5, 5, 1, 1);
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 20; ++x)
      ASSERT_EQ(canvas.At(x, y), (x >= 6 && x < 12 && y >= 6 && y < 10) ? 0u : kUntouched) << x << ", " << y;
  image->dc = kept;
  Free(image);
}

TEST_F(PixelTest, CopyStripDrawsOneSquareOfTheStripWithItsWhite) {
  CachedBitmap strip(Self(), screen, IDB_CHECKBOX);
  Canvas canvas(320, 70, kUntouched);
  strip.CopyStrip(canvas.dc(), 26, 290, 39, 45);  // third square
  for (int y = 40; y < 70; ++y)
    for (int x = 280; x < 320; ++x) {
      const bool inside = x >= 290 && x <= 302 && y >= 45 && y <= 57;
      ASSERT_EQ(canvas.At(x, y), inside ? test_art::CheckBox(26 + x - 290, y - 45) : kUntouched) << x << ", " << y;
    }
  canvas.Fill(kUntouched);
  strip.CopyStrip(canvas.dc(), 13, 0, 13, 0);  // first == end: nothing
  strip.CopyStripTransposed(canvas.dc(), 13, 0, 13, 0);
  EXPECT_EQ(canvas.At(0, 0), kUntouched);

  // Transposed: target (x + u, y + v) shows source (first + v, u).
  strip.CopyStripTransposed(canvas.dc(), 13, 100, 26, 20);
  for (int u = 0; u < 13; ++u)
    for (int v = 0; v < 13; ++v) ASSERT_EQ(canvas.At(100 + u, 20 + v), test_art::CheckBox(13 + v, u)) << u << ", " << v;
  EXPECT_EQ(canvas.At(113, 20), kUntouched);
  EXPECT_EQ(canvas.At(100, 33), kUntouched);
  strip.Release();
}

TEST_F(PixelTest, CopyCellAndItsTransposedMirrorAboutTheDiagonal) {
  CachedBitmap grid(Self(), screen, 300);
  Canvas canvas(60, 60, kUntouched);
  grid.CopyCell(canvas.dc(), 10, 10, 36, 36, 26, 26);  // cell 5
  for (int y = 0; y < 60; ++y)
    for (int x = 0; x < 60; ++x) {
      const bool inside = x >= 10 && x < 36 && y >= 10 && y < 36;
      ASSERT_EQ(canvas.At(x, y), inside ? test_art::Grid(26 + x - 10, 26 + y - 10) : kUntouched) << x << ", " << y;
    }

  // A block 5 wide and 3 high lands 3 wide and 5 high.
  canvas.Fill(kUntouched);
  grid.CopyCellTransposed(canvas.dc(), 10, 10, 15, 13, 52, 0);
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 20; ++x) {
      const bool inside = x >= 10 && x < 13 && y >= 10 && y < 15;
      ASSERT_EQ(canvas.At(x, y), inside ? test_art::Grid(52 + (y - 10), x - 10) : kUntouched) << x << ", " << y;
    }
  canvas.Fill(kUntouched);
  grid.CopyCell(canvas.dc(), 10, 10, 10, 20, 0, 0);
  grid.CopyCellTransposed(canvas.dc(), 10, 10, 20, 10, 0, 0);
  EXPECT_EQ(canvas.At(10, 10), kUntouched);
  grid.Release();

  // A red top row becomes a red left column.
  CachedBitmap* cell = Drawn(26, 26, [](int, int y) { return y == 0 ? RGB(255, 0, 0) : test_art::kWhite; });
  canvas.Fill(kUntouched);
  cell->CopyCellTransposed(canvas.dc(), 18, 10, 44, 36, 0, 0);
  for (int y = 10; y < 36; ++y)
    for (int x = 18; x < 44; ++x)
      ASSERT_EQ(canvas.At(x, y), x == 18 ? RGB(255, 0, 0) : test_art::kWhite) << x << ", " << y;
  Free(cell);
}

TEST_F(PixelTest, PixelCallsAreCounted) {
  CachedBitmap* image = Drawn(9, 9, KeyedPattern);
  Canvas canvas(20, 20, kUntouched);
  const uint64_t before = pixelCallCount;
  image->DrawCentreOut(canvas.dc(), 0, 0, 0, 0);
  EXPECT_EQ(pixelCallCount - before, 81u + 72u);  // a read per pixel, a write per opaque one
  image->CopyStrip(canvas.dc(), 0, 0, 9, 0);
  EXPECT_EQ(pixelCallCount - before, 153u + 162u);
  Free(image);
}

}  // namespace
