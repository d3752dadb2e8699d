// Bitmaps of the skin, loaded once per resource and shared by reference
// count. A CachedBitmap is one user's view of a shared bitmap: a memory DC
// with the bitmap selected into it, ready to be read pixel by pixel.
#pragma once
#include <windows.h>

#include <cstdint>

constexpr int MAX_CACHED_BITMAPS = 50;

class CachedBitmap {
 public:
  CachedBitmap(HINSTANCE instance, HDC referenceDC, uint32_t id);

  // Loads the bitmap for `id` or shares the one already loaded. The low word
  // names the resource; when there is no such resource, bits 0-9 give the
  // width and bits 16-25 the height of an uninitialised bitmap made instead.
  // Returns 1 when this record made the DC and bitmap, 0 when it shares them.
  int Load(HINSTANCE instance, HDC referenceDC, uint32_t id);
  // Gives this record's share back; the last share frees the DC and bitmap.
  void Release();

  // Drawing, implemented in pixel_routines.cpp. Pure white is transparent in
  // the keyed routines; right and bottom are exclusive.
  void Tile(HDC target, int left, int top, int right, int bottom) const;
  void DrawCentreOut(HDC target, int x, int y, int dx, int dy) const;
  void DrawCentreOutDirect(HDC target, int x, int y, int dx, int dy) const;
  void CopyStrip(HDC target, int first, int x, int end, int y) const;
  void CopyStripKeyed(HDC target, int first, int x, int end, int y) const;
  void CopyStripTransposed(HDC target, int first, int x, int end, int y) const;
  void CopyCell(HDC target, int left, int top, int right, int bottom, int sourceX, int sourceY) const;
  void CopyCellTransposed(HDC target, int left, int top, int right, int bottom, int sourceX,
                          int sourceY) const;

  int32_t width = 0;
  int32_t height = 0;
  HDC dc = nullptr;
  int32_t loadedFresh = 0;
  HBITMAP bitmap = nullptr;
  int32_t viewX = 0;
  int32_t viewY = 0;
  int32_t viewWidth = 0;
  int32_t viewHeight = 0;
  // Set when the table was full at load time: the DC and bitmap then belong
  // to this record alone, and Release frees them.
  int32_t privateCopy = 0;
};

// The process-wide table of loaded bitmaps. An entry is in use exactly when
// its count is above 0; a free entry has id 0 (so id 0 is never loaded).
class BitmapCache {
 public:
  BitmapCache();

  uint32_t ids[MAX_CACHED_BITMAPS];
  int32_t counts[MAX_CACHED_BITMAPS];
  int32_t widths[MAX_CACHED_BITMAPS];
  int32_t heights[MAX_CACHED_BITMAPS];
  HDC dcs[MAX_CACHED_BITMAPS];
  HBITMAP bitmaps[MAX_CACHED_BITMAPS];
};

extern BitmapCache bitmapCache;

// Gives a heap record's share back, deletes it and clears the pointer.
void FreeCachedBitmap(CachedBitmap*& record);
