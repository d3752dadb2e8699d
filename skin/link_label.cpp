#include "skin/link_label.h"

#include "base/bounded_text.h"

LinkLabel::LinkLabel(SkinSurface* skinSurface, const RECT* origin, const char* captionText, int32_t commandId,
                     const char* hintText)
    : Widget(skinSurface, hintText) {
  rect.left = rect.right = origin->left;
  rect.top = rect.bottom = origin->top;
  CopyText(caption, sizeof caption, captionText ? captionText : "");
  visited = 0;
  command = commandId;
}

void LinkLabel::Paint(HDC dc) {
  if (!visible) {
    // Hidden: cover the caption's last extent instead of drawing it again.
    TileBackground(dc, rect);
    return;
  }
  HGDIOBJ previous = SelectObject(dc, skinLinkFont);
  SetTextColor(dc, visited ? kVisitedLinkColour : kLinkColour);
  TextOutAt(dc, rect.left, rect.top, caption);
  SetTextColor(dc, 0);
  SIZE size = {};
  GetTextExtentPoint32A(dc, caption, lstrlenA(caption), &size);
  rect.right = rect.left + size.cx;
  rect.bottom = rect.top + size.cy;
  if (previous) SelectObject(dc, previous);
}

int32_t LinkLabel::OnMouse(HWND window, UINT message, WPARAM, LPARAM lParam) {
  const bool inside = HitTest(rect.left, rect.top, rect.right, rect.bottom, lParam);
  switch (message & 0xFFFF) {
    case WM_MOUSEMOVE:
      if (!inside) {
        ShowHint(0);
        return 0;
      }
      ShowHint(1);
      SetCursor(skinCursor);
      return 1;
    case WM_LBUTTONDOWN:
      if (!inside) return 0;
      visited = 1;
      if (command) PostSkinCommand(window, command);
      return 1;
    default:
      return 0;
  }
}
