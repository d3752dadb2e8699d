// A push button drawn from bitmap resources: the normal image, the pressed
// image while the left button is held on it, and its command posted when
// the button is released on it.
#pragma once
#include "skin/widget.h"

constexpr int kButtonLabelSize = 60;  // 59 characters and the NUL

class ImageButton : public Widget {
 public:
  // labelPlace holds the label's offset from the origin (left, top) and its
  // size (right, bottom).
  ImageButton(SkinSurface* surface, const RECT* origin, uint32_t normalId, uint32_t pressedId, int32_t command,
              const char* hint, const char* labelText, const RECT* labelPlace);
  ~ImageButton() override;

  int32_t OnMouse(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override;
  void Paint(HDC dc) override;

  void LoadImages(const RECT* origin, uint32_t normalId, uint32_t pressedId, int32_t command);
  // 1 when the point lies inside the button, its left column, top row and
  // far edges excluded.
  int32_t HitInside(LPARAM lParam, int32_t x0, int32_t y0) const;
  // Draws the pressed or normal look at once on the surface's targetDC.
  void DrawState(int32_t pressed);

  CachedBitmap* normalImage = nullptr;
  CachedBitmap* pressedImage = nullptr;
  int32_t pressState = 0;  // 1 while pressed; 0 idle, 3 after a click
  int32_t originX = 0;
  int32_t originY = 0;
  RECT rect = {};
  char label[kButtonLabelSize] = {};
  RECT labelRect = {};
  int32_t direct = 0;  // Paint draws straight onto its DC, not via the back buffer
  int32_t pressShift = 0;

 private:
  void PaintLabel(HDC dc);
};
