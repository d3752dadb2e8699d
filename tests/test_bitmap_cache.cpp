// The shared bitmap cache: sharing and counting by id, freeing on the last
// release, the size encoded in the id, and a full table.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "gfx/bitmap_cache.h"
#include "res/resource_ids.h"
#include "test_art.h"

namespace {

HINSTANCE Self() { return GetModuleHandleA(nullptr); }

int EntryOf(HDC dc) {
  for (int i = 0; i < MAX_CACHED_BITMAPS; ++i)
    if (bitmapCache.counts[i] > 0 && bitmapCache.dcs[i] == dc) return i;
  return -1;
}

int EntriesInUse() {
  int used = 0;
  for (int i = 0; i < MAX_CACHED_BITMAPS; ++i) used += bitmapCache.counts[i] > 0;
  return used;
}

class BitmapCacheTest : public testing::Test {
 protected:
  void SetUp() override {
    screen = GetDC(nullptr);
    ASSERT_EQ(EntriesInUse(), 0);
  }
  void TearDown() override {
    ReleaseDC(nullptr, screen);
    // Every test gives back what it loaded.
    EXPECT_EQ(EntriesInUse(), 0);
  }
  HDC screen = nullptr;
};

TEST_F(BitmapCacheTest, SharesOneEntryAndFreesItOnTheLastRelease) {
  CachedBitmap first(Self(), screen, test_art::kSmallBitmap);
  CachedBitmap second(Self(), screen, test_art::kSmallBitmap);
  EXPECT_EQ(first.loadedFresh, 1);
  EXPECT_EQ(second.loadedFresh, 0);
  EXPECT_EQ(first.dc, second.dc);
  EXPECT_EQ(first.bitmap, second.bitmap);
  EXPECT_EQ(second.width, 20);
  EXPECT_EQ(second.height, 10);
  EXPECT_EQ(second.viewWidth, 20);
  EXPECT_EQ(second.viewHeight, 10);
  const int entry = EntryOf(first.dc);
  ASSERT_GE(entry, 0);
  EXPECT_EQ(bitmapCache.ids[entry], uint32_t(test_art::kSmallBitmap));
  EXPECT_EQ(bitmapCache.counts[entry], 2);

  first.Release();
  EXPECT_EQ(bitmapCache.counts[entry], 1);
  EXPECT_EQ(GetPixel(second.dc, 3, 4), test_art::Small(3, 4));

  second.Release();
  EXPECT_EQ(bitmapCache.counts[entry], 0);
  EXPECT_EQ(bitmapCache.ids[entry], 0u);
  EXPECT_EQ(GetObjectType(second.dc), 0u);
  EXPECT_EQ(GetObjectType(second.bitmap), 0u);

  // Loaded anew after the last release.
  CachedBitmap again(Self(), screen, test_art::kSmallBitmap);
  EXPECT_EQ(again.loadedFresh, 1);
  EXPECT_EQ(GetPixel(again.dc, 19, 9), test_art::Small(19, 9));
  EXPECT_EQ(bitmapCache.counts[EntryOf(again.dc)], 1);
  again.Release();
}

TEST_F(BitmapCacheTest, ReloadTakesTheFirstFreeEntry) {
  CachedBitmap a(Self(), screen, IDB_LOGO);
  CachedBitmap b(Self(), screen, IDB_EXIT);
  ASSERT_EQ(EntryOf(a.dc), 0);
  ASSERT_EQ(EntryOf(b.dc), 1);
  a.Release();
  CachedBitmap c(Self(), screen, IDB_EXIT);  // shared, stays in entry 1
  EXPECT_EQ(c.loadedFresh, 0);
  CachedBitmap d(Self(), screen, IDB_BEGIN);  // takes the freed entry 0
  EXPECT_EQ(EntryOf(d.dc), 0);
  EXPECT_EQ(bitmapCache.ids[0], uint32_t(IDB_BEGIN));
  EXPECT_EQ(d.width, 60);
  b.Release();
  c.Release();
  d.Release();
}

TEST_F(BitmapCacheTest, HighWordGivesTheSizeOnlyWhenTheResourceIsMissing) {
  // Resource 32 exists: its own size, stored under the full id, apart from
  // an entry for plain 32.
  const uint32_t encoded = (16u << 16) | test_art::kSmallBitmap;
  CachedBitmap withSize(Self(), screen, encoded);
  CachedBitmap plain(Self(), screen, test_art::kSmallBitmap);
  EXPECT_EQ(withSize.width, 20);
  EXPECT_EQ(withSize.height, 10);
  EXPECT_EQ(plain.loadedFresh, 1);
  EXPECT_NE(withSize.dc, plain.dc);
  EXPECT_EQ(bitmapCache.ids[EntryOf(withSize.dc)], encoded);
  EXPECT_EQ(GetPixel(withSize.dc, 5, 5), test_art::Small(5, 5));

  // No resource 33: a 33 x 16 bitmap; bits above 9 and 25 do not count.
  CachedBitmap made(Self(), screen, 0xFC10FC21u);
  EXPECT_EQ(made.loadedFresh, 1);
  EXPECT_EQ(made.width, 33);
  EXPECT_EQ(made.height, 16);
  ASSERT_NE(made.dc, nullptr);
  BITMAP description = {};
  GetObjectA(made.bitmap, sizeof description, &description);
  EXPECT_EQ(description.bmWidth, 33);
  EXPECT_EQ(description.bmHeight, 16);
  EXPECT_EQ(bitmapCache.ids[EntryOf(made.dc)], 0xFC10FC21u);
  // Drawable: the bitmap is selected into the record's DC.
  SetPixelV(made.dc, 32, 15, RGB(1, 2, 3));
  EXPECT_EQ(GetPixel(made.dc, 32, 15), RGB(1, 2, 3));

  // A missing plain id makes a record of zero height.
  CachedBitmap empty(Self(), screen, 33);
  EXPECT_EQ(empty.width, 33);
  EXPECT_EQ(empty.height, 0);

  withSize.Release();
  plain.Release();
  made.Release();
  empty.Release();
}

TEST_F(BitmapCacheTest, MadeBitmapHasColourEvenWithoutAReferenceDc) {
  CachedBitmap made(Self(), nullptr, (8u << 16) | 0x408u);
  ASSERT_NE(made.dc, nullptr);
  BITMAP description = {};
  GetObjectA(made.bitmap, sizeof description, &description);
  EXPECT_EQ(description.bmWidth, 8);
  EXPECT_GT(description.bmBitsPixel, 8);
  SetPixelV(made.dc, 2, 3, RGB(10, 200, 30));
  EXPECT_EQ(GetPixel(made.dc, 2, 3), RGB(10, 200, 30));
  made.Release();
}

TEST_F(BitmapCacheTest, FullTableStillLoadsAndFreesThePrivateCopy) {
  std::vector<std::unique_ptr<CachedBitmap>> records;
  for (int i = 0; i < MAX_CACHED_BITMAPS; ++i)
    records.emplace_back(new CachedBitmap(Self(), screen, (2u << 16) | uint32_t(600 + i)));
  ASSERT_EQ(EntriesInUse(), MAX_CACHED_BITMAPS);
  std::vector<int> countsBefore(bitmapCache.counts, bitmapCache.counts + MAX_CACHED_BITMAPS);

  CachedBitmap extra(Self(), screen, IDB_CHECKBOX);
  EXPECT_EQ(extra.loadedFresh, 1);
  EXPECT_EQ(extra.width, 52);
  EXPECT_EQ(GetPixel(extra.dc, 27, 1), test_art::CheckBox(27, 1));
  EXPECT_EQ(EntryOf(extra.dc), -1);
  // A second load of the same id cannot share: it gets its own copy.
  CachedBitmap extra2(Self(), screen, IDB_CHECKBOX);
  EXPECT_EQ(extra2.loadedFresh, 1);
  EXPECT_NE(extra2.dc, extra.dc);

  extra.Release();
  EXPECT_EQ(GetObjectType(extra.dc), 0u);
  EXPECT_EQ(GetObjectType(extra.bitmap), 0u);
  EXPECT_EQ(GetPixel(extra2.dc, 27, 1), test_art::CheckBox(27, 1));
  extra2.Release();
  EXPECT_EQ(GetObjectType(extra2.dc), 0u);
  EXPECT_EQ(std::vector<int>(bitmapCache.counts, bitmapCache.counts + MAX_CACHED_BITMAPS), countsBefore);

  for (auto& record : records) record->Release();
}

TEST_F(BitmapCacheTest, ReleaseOfAnUnknownDcChangesNothing) {
  CachedBitmap kept(Self(), screen, IDB_LOGO);
  CachedBitmap gone(Self(), screen, IDB_EXIT);
  gone.Release();
  gone.Release();  // its entry is already free
  EXPECT_EQ(bitmapCache.counts[EntryOf(kept.dc)], 1);
  EXPECT_EQ(GetPixel(kept.dc, 20, 20), test_art::Face(IDB_LOGO, 20, 20));
  kept.Release();
}

}  // namespace
