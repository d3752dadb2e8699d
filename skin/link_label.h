// A line of underlined text that behaves like a web link: blue until it has
// been pressed, purple after, the hand cursor over it, and its command
// posted when the left button goes down on it.
#pragma once
#include "skin/widget.h"

constexpr int kCaptionSize = 60;  // 59 characters and the NUL
constexpr COLORREF kLinkColour = 0xFF0000;
constexpr COLORREF kVisitedLinkColour = 0x800080;

class LinkLabel : public Widget {
 public:
  LinkLabel(SkinSurface* surface, const RECT* origin, const char* caption, int32_t command, const char* hint);

  int32_t OnMouse(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override;
  void Paint(HDC dc) override;

  int32_t visited = 0;
  // Origin and, from the first Paint on, the caption's extent.
  RECT rect = {};
  char caption[kCaptionSize] = {};
};
