// The host record that every widget of a skinned window points to, the
// process-wide skin fonts and cursor, and the small drawing helpers that all
// widgets use.
#pragma once
#include <windows.h>

#include <cstdint>

#include "gfx/bitmap_cache.h"

class Widget;

constexpr int MAX_WIDGETS = 150;

struct SkinSurface {
  int32_t widgetCount;
  HINSTANCE instance;  // module that holds the cursor and every bitmap
  HWND window;
  // Where drawing goes at this moment: set only inside a paint cycle, a
  // mouse routing call or the dialog's initialisation; null otherwise.
  HDC targetDC;
  // Back buffer in client coordinates: widgets compose in it and copy out.
  HDC memoryDC;
  CachedBitmap* background;
  Widget* widgets[MAX_WIDGETS];  // registration order: painting and routing order
  RECT statusRect;
};

extern HFONT skinFont;
extern HFONT skinLinkFont;
extern HCURSOR skinCursor;

// Each input is read as its low 16 bits, signed.
RECT* RectFromSize(RECT* rect, int32_t x, int32_t y, int32_t width, int32_t height);
void TextOutAt(HDC dc, int x, int y, const char* text);
// Readies a DC for skin drawing: the skin font, transparent text background.
HDC PrepareSkinDC(HDC dc);
// Copies `rect` between two DCs that share client coordinates.
void BlitRect(HDC destination, HDC source, const RECT& rect);
