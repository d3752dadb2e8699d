#include "skin/state_button.h"

#include <new>

#include "base/bounded_text.h"

StateButton::StateButton(SkinSurface* skinSurface, const RECT* rectangle, uint32_t bitmapId, uint32_t labelOffset,
                         const char* labelText, int32_t minimumState, int32_t maximumOrToggle, const char* hintText,
                         int32_t commandId, int32_t flagBits, const char* keyText)
    : Widget(skinSurface, hintText) {
  flags = flagBits;
  image = nullptr;
  if (keyText) CopyText(key, sizeof key, keyText);
  if (flags & SB_VALUE_ONLY) return;  // state stays 0 until SetValue

  rect = *rectangle;
  image = new (std::nothrow) CachedBitmap(surface->instance, surface->targetDC, bitmapId);
  eraseRect = {rectangle->left, rectangle->top, rectangle->left + rectangle->right,
               rectangle->top + rectangle->bottom};
  // Without an image record a strip button has no size and draws nothing.
  const int32_t h = image ? image->height : 0;
  if (flags & SB_GRID) {
    rect.right = rect.left + kGridCell;
    rect.bottom = rect.top + kGridCell;
  } else {
    rect.right = rect.left + h;
    rect.bottom = rect.top + h;
  }
  if (flags & SB_DOUBLE_WIDTH) rect.right = rect.left + 2 * h;

  minimum = minimumState;
  command = commandId;
  if (maximumOrToggle > 0) {
    maximum = maximumOrToggle;
    toggle = 0;
  } else {
    maximum = -maximumOrToggle;
    toggle = 1;
  }
  state = minimum;
  labelDy = int32_t(labelOffset & 0xFFFF) - 0x8000;
  labelDx = int32_t(labelOffset >> 16) - 0x8000;
  CopyText(label, sizeof label, labelText ? labelText : "");
}

StateButton::~StateButton() { FreeCachedBitmap(image); }

int32_t StateButton::GetValue() { return (flags & SB_VALUE_ONLY) ? state : state - minimum; }

void StateButton::SetValue(int32_t value) {
  if (flags & SB_VALUE_ONLY) {
    state = value;
    return;
  }
  state = value + minimum;
  if (state < minimum) state = minimum;
  if (state > maximum) state = maximum;
}

void StateButton::WrapAndPaint() {
  if (state > maximum) state = minimum;
  if (state < 0) state = maximum;
  if (surface->targetDC) Paint(surface->targetDC);
}

int32_t StateButton::OnMouse(HWND window, UINT message, WPARAM, LPARAM lParam) {
  if (flags & SB_VALUE_ONLY) return 0;
  const unsigned kind = message & 0xFFFF;
  if (!HitTest(rect.left, rect.top, rect.right, rect.bottom, lParam)) {
    if (kind == WM_MOUSEMOVE) ShowHint(0);
    // A press dragged off the button falls back to the look it started from.
    if (toggle && (state & 1)) {
      state -= 1;
      if (surface->targetDC) Paint(surface->targetDC);
    }
    return 0;
  }
  switch (kind) {
    case WM_MOUSEMOVE:
      ShowHint(1);
      return 0;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
      if (flags & SB_GRID) {
        if (kind == WM_LBUTTONDOWN) return OpenPicker(window);
        if (command) PostSkinCommand(window, command + 1);
        return 0;
      }
      state += kind == WM_LBUTTONDOWN ? 1 : -1;
      WrapAndPaint();
      if (!toggle && command) PostSkinCommand(window, command);
      return 1;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
      if ((flags & SB_GRID) || !toggle || !(state & 1)) return 0;
      state += kind == WM_LBUTTONUP ? 1 : -1;
      WrapAndPaint();
      if (command) PostSkinCommand(window, command);
      return 1;
    default:
      return 0;
  }
}

void StateButton::Paint(HDC dc) {
  if (flags & SB_VALUE_ONLY) return;
  if (!visible) {
    TileBackground(dc, eraseRect);
    return;
  }
  if (!image) {
    if (!(flags & SB_GRID)) return;
    char text[16];
    wsprintfA(text, "%0.2i", state);
    TileBackground(dc, rect);
    TextOutAt(dc, rect.left + labelDx, rect.top - labelDy, text);
    return;
  }
  HDC buffer = surface->memoryDC;
  if (flags & SB_GRID) {
    const int sx = kGridCell * (state % 4), sy = kGridCell * (state / 4);
    if (flags & SB_TRANSPOSED)
      image->CopyCellTransposed(buffer, rect.left, rect.top, rect.right, rect.bottom, sx, sy);
    else
      image->CopyCell(buffer, rect.left, rect.top, rect.right, rect.bottom, sx, sy);
    BlitRect(dc, buffer, rect);
    return;
  }
  const int32_t h = image->height;
  const int32_t first = (flags & SB_DOUBLE_WIDTH) ? 2 * state * h : state * h;
  const int32_t end = first + ((flags & SB_DOUBLE_WIDTH) ? 2 * h : h);
  if (first < 0 || end > image->width) return;  // no such state in the strip
  if (flags & SB_TRANSPOSED) {
    image->CopyStripTransposed(buffer, first, rect.left, end, rect.top);
  } else if (flags & SB_KEYED) {
    TileBackground(buffer, rect);
    image->CopyStripKeyed(buffer, first, rect.left, end, rect.top);
  } else {
    image->CopyStrip(buffer, first, rect.left, end, rect.top);
  }
  BlitRect(dc, buffer, rect);
  TextOutAt(dc, rect.left + labelDx, rect.top - labelDy, label);
}
