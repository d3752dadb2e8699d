#include "gfx/pixel_routines.h"

uint64_t pixelCallCount;

namespace {

// A record without a DC reads as black, never as the transparent colour.
COLORREF ReadPixel(HDC source, int x, int y) {
  if (!source) return 0;
  ++pixelCallCount;
  return GetPixel(source, x, y);
}

void WritePixelV(HDC target, int x, int y, COLORREF colour) {
  ++pixelCallCount;
  SetPixelV(target, x, y, colour);
}

void WritePixel(HDC target, int x, int y, COLORREF colour) {
  ++pixelCallCount;
  SetPixel(target, x, y, colour);
}

// Copies one pixel unless the read fell outside the source (CLR_INVALID).
void CopyPixel(HDC target, int x, int y, COLORREF colour) {
  if (colour != CLR_INVALID) WritePixelV(target, x, y, colour);
}

// Rounds toward minus infinity, so negative coordinates keep the phase.
int FloorDiv(int a, int b) { return a >= 0 ? a / b : -((-a + b - 1) / b); }

// The column drawn at step i of a centre-out pass over `width` columns.
int CentreOutColumn(int width, int i) { return (i & 1) ? width / 2 - i / 2 - 1 : width / 2 + i / 2; }

template <void (*Write)(HDC, int, int, COLORREF)>
void CentreOut(const CachedBitmap& image, HDC target, int x, int y) {
  if (!target) return;
  for (int i = 0; i < image.width; ++i) {
    const int column = CentreOutColumn(image.width, i);
    for (int j = 0; j < image.height; ++j) {
      if (!image.dc) {
        Write(target, x + column, y + j, 0);
        continue;
      }
      const COLORREF colour = ReadPixel(image.dc, column, j);
      // CLR_INVALID: the pixel lies outside the source; nothing to copy.
      if (colour != kTransparentColour && colour != CLR_INVALID) Write(target, x + column, y + j, colour);
    }
  }
}

}  // namespace

// Each tile is clipped to its own grid cell and to the rectangle: target
// pixel (x, y) always shows source pixel (x mod W, y mod H), so partial
// repaints line up with a whole-window paint.
void CachedBitmap::Tile(HDC target, int left, int top, int right, int bottom) const {
  if (!dc || !target || width <= 0 || height <= 0) return;
  if (right <= left || bottom <= top) return;
  for (int row = FloorDiv(top, height); row * height < bottom; ++row) {
    const int cellTop = row * height;
    const int y0 = cellTop < top ? top : cellTop;
    const int y1 = cellTop + height > bottom ? bottom : cellTop + height;
    for (int column = FloorDiv(left, width); column * width < right; ++column) {
      const int cellLeft = column * width;
      const int x0 = cellLeft < left ? left : cellLeft;
      const int x1 = cellLeft + width > right ? right : cellLeft + width;
      BitBlt(target, x0, y0, x1 - x0, y1 - y0, dc, x0 - cellLeft, y0 - cellTop, SRCCOPY);
    }
  }
}

void CachedBitmap::DrawCentreOut(HDC target, int x, int y, int dx, int dy) const {
  CentreOut<WritePixelV>(*this, target, x + dx, y + dy);
}

void CachedBitmap::DrawCentreOutDirect(HDC target, int x, int y, int dx, int dy) const {
  CentreOut<WritePixel>(*this, target, x + dx, y + dy);
}

void CachedBitmap::CopyStrip(HDC target, int first, int x, int end, int y) const {
  if (!target) return;
  for (int i = first; i < end; ++i)
    for (int j = 0; j < height; ++j) CopyPixel(target, x + i - first, y + j, ReadPixel(dc, i, j));
}

void CachedBitmap::CopyStripKeyed(HDC target, int first, int x, int end, int y) const {
  if (!target) return;
  for (int i = first; i < end; ++i) {
    for (int j = 0; j < height; ++j) {
      const COLORREF colour = ReadPixel(dc, i, j);
      if (colour != kTransparentColour) CopyPixel(target, x + i - first, y + j, colour);
    }
  }
}

void CachedBitmap::CopyStripTransposed(HDC target, int first, int x, int end, int y) const {
  if (!target) return;
  for (int i = first; i < end; ++i)
    for (int j = 0; j < height; ++j) CopyPixel(target, x + i - first, y + j, ReadPixel(dc, first + j, i - first));
}

void CachedBitmap::CopyCell(HDC target, int left, int top, int right, int bottom, int sourceX,
                            int sourceY) const {
  if (!target) return;
  for (int u = 0; u < right - left; ++u)
    for (int v = 0; v < bottom - top; ++v)
      CopyPixel(target, left + u, top + v, ReadPixel(dc, sourceX + u, sourceY + v));
}

void CachedBitmap::CopyCellTransposed(HDC target, int left, int top, int right, int bottom, int sourceX,
                                      int sourceY) const {
  if (!target) return;
  for (int u = 0; u < right - left; ++u)
    for (int v = 0; v < bottom - top; ++v)
      CopyPixel(target, left + v, top + u, ReadPixel(dc, sourceX + u, sourceY + v));
}
