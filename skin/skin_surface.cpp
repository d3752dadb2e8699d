#include "skin/skin_surface.h"

HFONT skinFont;
HFONT skinLinkFont;
HCURSOR skinCursor;

RECT* RectFromSize(RECT* rect, int32_t x, int32_t y, int32_t width, int32_t height) {
  rect->left = int16_t(x);
  rect->top = int16_t(y);
  rect->right = rect->left + int16_t(width);
  rect->bottom = rect->top + int16_t(height);
  return rect;
}

void TextOutAt(HDC dc, int x, int y, const char* text) { TextOutA(dc, x, y, text, lstrlenA(text)); }

void BlitRect(HDC destination, HDC source, const RECT& rect) {
  BitBlt(destination, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, source, rect.left,
         rect.top, SRCCOPY);
}

HDC PrepareSkinDC(HDC dc) {
  if (skinFont) SelectObject(dc, skinFont);
  SetBkMode(dc, TRANSPARENT);
  return dc;
}
