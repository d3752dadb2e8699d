// The skinned window: binds one dialog to its background, back buffer,
// fonts and cursor, runs the paint cycle and routes mouse messages to the
// widgets registered on its SkinSurface. It owns the widgets.
#pragma once
#include <windows.h>

#include <cstdint>

#include "skin/skin_surface.h"

// Every paint cycle starts with this pause, in milliseconds (50). It is a
// seam for the benchmark, which sets it to 0 to time the cycle itself;
// nothing else changes it.
extern DWORD skinPaintPause;

class SkinWindow {
 public:
  SkinWindow(SkinSurface* surface, HINSTANCE instance);
  ~SkinWindow();
  SkinWindow(const SkinWindow&) = delete;
  SkinWindow& operator=(const SkinWindow&) = delete;

  void Attach(HWND window, uint32_t backgroundId, uint32_t cursorId, const RECT* status);
  static HFONT CreateSkinFont(const char* face, int height, int underline);
  void CreateBackBuffer(HWND window);

  // The paint cycle of WM_PAINT: BeginSkinPaint, PaintSkin, any PutText,
  // EndSkinPaint.
  HDC BeginSkinPaint();
  void PaintSkin();
  void PutText(int x, int y, const char* text);
  void EndSkinPaint();

  // Offers a mouse message to the enabled widgets in registration order;
  // 1 when one of them consumed it.
  int32_t RouteMouse(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

  SkinSurface* surface;
  PAINTSTRUCT paintInfo;
  RECT extent;
  HBITMAP backBuffer;

 private:
  // A paint cycle can run inside a routing call (the picker popup's modal
  // loop): it draws on a DC of its own and gives the routing's DC back.
  HDC paintDC = nullptr;
  HDC outerDC = nullptr;
};
