#include "skin/status_line.h"

#include "base/bounded_text.h"
#include "skin/widget.h"

COLORREF statusTextColor;

void HintPart(const char* hint, int32_t mode, char* out, size_t capacity) {
  CopyText(out, capacity, "");
  size_t split = 0;
  while (hint[split] != '\0' && hint[split] != '@') ++split;
  if (mode == 1)
    CopyTextN(out, capacity, hint, split);
  else if (mode == 2 && hint[split] == '@')
    CopyText(out, capacity, hint + split + 1);
}

void Widget::ShowHint(int32_t mode) {
  if (mode == hintMode) return;
  if (hint[0] == '\0') return;
  const RECT& strip = surface->statusRect;
  TileBackground(surface->memoryDC, strip);
  SetTextColor(surface->memoryDC, statusTextColor);
  char text[kHintSize];
  HintPart(hint, mode, text, sizeof text);
  if (text[0]) TextOutAt(surface->memoryDC, strip.left, strip.top, text);
  if (surface->targetDC) BlitRect(surface->targetDC, surface->memoryDC, strip);
  hintMode = mode;
}
