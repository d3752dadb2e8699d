#include "skin/widget.h"

#include "base/bounded_text.h"

Widget::Widget(SkinSurface* skinSurface, const char* hintText)
    : enabled(1), visible(1), erased(0), hintMode(0), command(0), surface(skinSurface) {
  // A full table cannot take the widget: it then stays unregistered (never
  // painted, routed or deleted by the window) rather than writing past it.
  if (surface->widgetCount >= 0 && surface->widgetCount < MAX_WIDGETS)
    surface->widgets[surface->widgetCount++] = this;
  CopyText(hint, sizeof hint, hintText ? hintText : "");
}

Widget::~Widget() = default;

int32_t Widget::ReservedA() { return 0; }
int32_t Widget::GetValue() { return 0; }
int32_t Widget::ReservedB() { return 0; }
int32_t Widget::ReservedC() { return 0; }
void Widget::SetValue(int32_t) {}

void Widget::Show(int32_t on) {
  if (on) {
    erased = 0;
    visible = 1;
    enabled = 1;
  } else {
    visible = 0;
    enabled = 0;
  }
  Redraw();
}

void Widget::Redraw() {
  if (erased) return;
  if (surface->targetDC) {
    Paint(surface->targetDC);
  } else if (surface->window) {  // GetDC of no window would paint the screen
    HDC dc = PrepareSkinDC(GetDC(surface->window));
    Paint(dc);
    ReleaseDC(surface->window, dc);
  }
  if (!visible) erased = 1;
}

int32_t Widget::HitTest(int32_t left, int32_t top, int32_t right, int32_t bottom, LPARAM lParam) {
  const int32_t x = LOWORD(lParam);
  const int32_t y = HIWORD(lParam);
  return left <= x && x <= right && top <= y && y <= bottom;
}

void Widget::TileBackground(HDC dc, const RECT& area) const {
  if (surface->background) surface->background->Tile(dc, area.left, area.top, area.right, area.bottom);
}

void Widget::PostSkinCommand(HWND window, int32_t id) { PostMessageA(window, WM_SKINCOMMAND, WPARAM(id), 0); }
