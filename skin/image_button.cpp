#include "skin/image_button.h"

#include <new>

#include "base/bounded_text.h"

namespace {

CachedBitmap* LoadImage(SkinSurface* surface, uint32_t id) {
  if (!id) return nullptr;
  return new (std::nothrow) CachedBitmap(surface->instance, surface->targetDC, id);
}

}  // namespace

ImageButton::ImageButton(SkinSurface* skinSurface, const RECT* origin, uint32_t normalId, uint32_t pressedId,
                         int32_t commandId, const char* hintText, const char* labelText, const RECT* labelPlace)
    : Widget(skinSurface, hintText) {
  CopyText(label, sizeof label, labelText ? labelText : "");
  if (labelPlace) {
    labelRect.left = origin->left + labelPlace->left;
    labelRect.top = origin->top + labelPlace->top;
    labelRect.right = labelRect.left + labelPlace->right;
    labelRect.bottom = labelRect.top + labelPlace->bottom;
  }
  LoadImages(origin, normalId, pressedId, commandId);
}

ImageButton::~ImageButton() {
  FreeCachedBitmap(pressedImage);
  FreeCachedBitmap(normalImage);
}

void ImageButton::LoadImages(const RECT* origin, uint32_t normalId, uint32_t pressedId, int32_t commandId) {
  rect = *origin;
  normalImage = LoadImage(surface, normalId);
  pressedImage = LoadImage(surface, pressedId);
  originX = origin->left;
  originY = origin->top;
  if (normalImage) {
    rect.right = originX + normalImage->width;
    rect.bottom = originY + normalImage->height;
  }
  // One image for both looks: the pressed look is the image moved by a pixel.
  if (normalId == pressedId) {
    rect.right += 1;
    rect.bottom += 1;
    pressShift = 1;
  } else {
    pressShift = 0;
  }
  pressState = 0;
  command = commandId;
}

int32_t ImageButton::HitInside(LPARAM lParam, int32_t x0, int32_t y0) const {
  const int32_t x = LOWORD(lParam);
  const int32_t y = HIWORD(lParam);
  return x0 < x && x < x0 + (rect.right - rect.left) && y0 < y && y < y0 + (rect.bottom - rect.top);
}

int32_t ImageButton::OnMouse(HWND window, UINT message, WPARAM, LPARAM lParam) {
  const bool inside = HitInside(lParam, originX, originY);
  switch (message & 0xFFFF) {
    case WM_MOUSEMOVE:
      if (inside) {
        ShowHint(1);
      } else {
        if (pressState == 1) {
          DrawState(0);
          pressState = 0;
        }
        ShowHint(0);
      }
      return 0;
    case WM_LBUTTONDOWN:
      if (inside) {
        DrawState(1);
        pressState = 1;
      }
      return 0;
    case WM_LBUTTONUP:
      if (pressState == 1) {
        DrawState(0);
        if (command) PostSkinCommand(window, command);
        pressState = 3;
        return 1;
      }
      pressState = 0;
      return 0;
    default:
      return 0;
  }
}

void ImageButton::DrawState(int32_t pressed) {
  if (!pressedImage || !normalImage) return;
  HDC buffer = surface->memoryDC;
  TileBackground(buffer, rect);
  if (pressed)
    pressedImage->DrawCentreOut(buffer, originX, originY, pressShift, pressShift);
  else
    normalImage->DrawCentreOut(buffer, originX, originY, 0, 0);
  if (surface->targetDC) BlitRect(surface->targetDC, buffer, rect);
  if (label[0]) PaintLabel(surface->targetDC);
}

void ImageButton::Paint(HDC dc) {
  if (!visible) {
    TileBackground(dc, rect);
  } else if (normalImage) {
    TileBackground(surface->memoryDC, rect);
    if (direct) {
      normalImage->DrawCentreOutDirect(dc, originX, originY, 0, 0);
    } else {
      normalImage->DrawCentreOut(surface->memoryDC, originX, originY, 0, 0);
      BlitRect(dc, surface->memoryDC, rect);
    }
  }
  if (label[0]) PaintLabel(dc);
}

void ImageButton::PaintLabel(HDC dc) {
  TileBackground(surface->memoryDC, labelRect);
  TextOutAt(surface->memoryDC, labelRect.left, labelRect.top, label);
  if (dc) BlitRect(dc, surface->memoryDC, labelRect);
}
