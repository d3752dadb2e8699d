#include "skin/skin_window.h"

#include <new>

#include "skin/widget.h"

DWORD skinPaintPause = 50;

SkinWindow::SkinWindow(SkinSurface* skinSurface, HINSTANCE instance) : surface(skinSurface) {
  surface->instance = instance;
  surface->widgetCount = 0;
  surface->background = nullptr;
  surface->targetDC = nullptr;
  surface->memoryDC = nullptr;
  backBuffer = nullptr;
  paintInfo = PAINTSTRUCT();
  extent = RECT();
}

SkinWindow::~SkinWindow() {
  FreeCachedBitmap(surface->background);
  if (surface->memoryDC) DeleteDC(surface->memoryDC);
  if (backBuffer) DeleteObject(backBuffer);
  surface->memoryDC = nullptr;
  backBuffer = nullptr;
  for (int i = 0; i < surface->widgetCount; ++i) delete surface->widgets[i];
}

HFONT SkinWindow::CreateSkinFont(const char* face, int height, int underline) {
  LOGFONTA font = {};
  font.lfHeight = height;
  font.lfUnderline = BYTE(underline ? 1 : 0);
  lstrcpynA(font.lfFaceName, face, LF_FACESIZE);
  return CreateFontIndirectA(&font);
}

void SkinWindow::Attach(HWND window, uint32_t backgroundId, uint32_t cursorId, const RECT* status) {
  surface->window = window;
  if (!skinFont) skinFont = CreateSkinFont("MS Sans Serif", 13, 0);
  if (!skinLinkFont) skinLinkFont = CreateSkinFont("MS Sans Serif", 13, 1);
  if (!skinCursor) skinCursor = LoadCursorA(surface->instance, MAKEINTRESOURCEA(cursorId & 0xFFFF));
  if (status)
    surface->statusRect = *status;
  else
    SetRectEmpty(&surface->statusRect);
  CreateBackBuffer(window);

  FreeCachedBitmap(surface->background);  // attached before: give the old one back
  HDC reference = surface->targetDC;
  HDC own = reference ? nullptr : GetDC(window);
  surface->background = new (std::nothrow) CachedBitmap(surface->instance, reference ? reference : own, backgroundId);
  if (own) ReleaseDC(window, own);
}

void SkinWindow::CreateBackBuffer(HWND window) {
  if (surface->memoryDC) DeleteDC(surface->memoryDC);
  if (backBuffer) DeleteObject(backBuffer);

  GetWindowRect(window, &extent);
  POINT corner = {extent.right, extent.bottom};
  ScreenToClient(window, &corner);
  extent.left = 0;
  extent.top = 0;
  extent.right = corner.x;
  extent.bottom = corner.y;

  HDC windowDC = GetDC(window);
  BITMAPINFOHEADER header = {};
  header.biSize = sizeof header;
  header.biWidth = extent.right;
  header.biHeight = -extent.bottom;  // top-down
  header.biPlanes = 1;
  header.biBitCount = 24;
  header.biCompression = BI_RGB;
  backBuffer = CreateDIBitmap(windowDC, &header, 0, nullptr, reinterpret_cast<const BITMAPINFO*>(&header),
                              DIB_RGB_COLORS);
  surface->memoryDC = CreateCompatibleDC(windowDC);
  SelectObject(surface->memoryDC, backBuffer);
  PrepareSkinDC(surface->memoryDC);
  ReleaseDC(window, windowDC);
}

HDC SkinWindow::BeginSkinPaint() {
  if (skinPaintPause) Sleep(skinPaintPause);
  BeginPaint(surface->window, &paintInfo);
  outerDC = surface->targetDC;
  paintDC = PrepareSkinDC(GetDC(surface->window));
  surface->targetDC = paintDC;
  return paintDC;
}

void SkinWindow::PaintSkin() {
  HDC dc = surface->targetDC;
  if (surface->background) {
    const RECT& area = paintInfo.rcPaint;
    surface->background->Tile(dc, area.left, area.top, area.right, area.bottom);
  }
  for (int i = 0; i < surface->widgetCount; ++i)
    if (surface->widgets[i]->visible) surface->widgets[i]->Paint(dc);
}

void SkinWindow::PutText(int x, int y, const char* text) {
  if (surface->targetDC) TextOutAt(surface->targetDC, x, y, text);
}

void SkinWindow::EndSkinPaint() {
  if (paintDC) ReleaseDC(surface->window, paintDC);
  paintDC = nullptr;
  surface->targetDC = outerDC;
  outerDC = nullptr;
  EndPaint(surface->window, &paintInfo);
}

int32_t SkinWindow::RouteMouse(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  const unsigned kind = message & 0xFFFF;
  if (kind < WM_MOUSEMOVE || kind > WM_MBUTTONDBLCLK) return 0;
  if (surface->widgetCount <= 0) return 0;

  HDC outer = surface->targetDC;
  HDC dc = PrepareSkinDC(GetDC(window));
  surface->targetDC = dc;
  int32_t consumed = 0;
  for (int i = 0; i < surface->widgetCount && !consumed; ++i) {
    Widget* widget = surface->widgets[i];
    if (widget->enabled && widget->OnMouse(window, message, wParam, lParam)) consumed = 1;
  }
  ReleaseDC(window, dc);
  surface->targetDC = outer;
  return consumed;
}
