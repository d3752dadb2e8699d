#include "gfx/bitmap_cache.h"

BitmapCache bitmapCache;

BitmapCache::BitmapCache() {
  for (int i = 0; i < MAX_CACHED_BITMAPS; ++i) {
    ids[i] = 0;
    counts[i] = 0;
    widths[i] = 0;
    heights[i] = 0;
    dcs[i] = nullptr;
    bitmaps[i] = nullptr;
  }
}

CachedBitmap::CachedBitmap(HINSTANCE instance, HDC referenceDC, uint32_t id) {
  loadedFresh = Load(instance, referenceDC, id);
}

int CachedBitmap::Load(HINSTANCE instance, HDC referenceDC, uint32_t id) {
  BitmapCache& cache = bitmapCache;
  privateCopy = 0;
  for (int i = 0; i < MAX_CACHED_BITMAPS; ++i) {
    if (cache.counts[i] > 0 && cache.ids[i] == id) {
      dc = cache.dcs[i];
      bitmap = cache.bitmaps[i];
      width = cache.widths[i];
      height = cache.heights[i];
      viewX = viewY = 0;
      viewWidth = width;
      viewHeight = height;
      ++cache.counts[i];
      return 0;
    }
  }

  // Without a reference DC (a widget made outside painting and routing)
  // the screen stands in: a null DC would give a monochrome bitmap.
  HDC screen = referenceDC ? nullptr : GetDC(nullptr);
  if (screen) referenceDC = screen;
  bitmap = LoadBitmapA(instance, MAKEINTRESOURCEA(id & 0xFFFF));
  dc = CreateCompatibleDC(referenceDC);
  if (bitmap) {
    SelectObject(dc, bitmap);
    BITMAP description = {};
    GetObjectA(bitmap, sizeof description, &description);
    width = description.bmWidth;
    height = description.bmHeight;
  } else {
    height = (id >> 16) & 0x3FF;
    width = id & 0x3FF;
    BITMAPINFOHEADER header = {};
    header.biSize = sizeof header;
    header.biWidth = width;
    header.biHeight = -height;  // top-down
    header.biPlanes = 1;
    header.biBitCount = 24;
    header.biCompression = BI_RGB;
    bitmap = CreateDIBitmap(referenceDC, &header, 0, nullptr,
                            reinterpret_cast<const BITMAPINFO*>(&header), DIB_RGB_COLORS);
    SelectObject(dc, bitmap);
  }
  if (screen) ReleaseDC(nullptr, screen);
  viewX = viewY = 0;
  viewWidth = width;
  viewHeight = height;

  for (int i = 0; i < MAX_CACHED_BITMAPS; ++i) {
    if (cache.counts[i] == 0) {
      cache.ids[i] = id;
      cache.counts[i] = 1;
      cache.dcs[i] = dc;
      cache.bitmaps[i] = bitmap;
      cache.widths[i] = width;
      cache.heights[i] = height;
      return 1;
    }
  }
  privateCopy = 1;
  return 1;
}

void CachedBitmap::Release() {
  if (privateCopy) {
    // No entry knows these handles: nobody else can free them.
    privateCopy = 0;
    if (dc) DeleteDC(dc);
    if (bitmap) DeleteObject(bitmap);
    return;
  }
  BitmapCache& cache = bitmapCache;
  for (int i = 0; i < MAX_CACHED_BITMAPS; ++i) {
    if (cache.counts[i] > 0 && cache.dcs[i] == dc) {
      if (--cache.counts[i] == 0) {
        DeleteDC(dc);
        DeleteObject(bitmap);
        cache.ids[i] = 0;
      }
      return;
    }
  }
}

void FreeCachedBitmap(CachedBitmap*& record) {
  if (!record) return;
  record->Release();
  delete record;
  record = nullptr;
}
