// The base of the skinned controls. A widget registers itself on its
// surface when it is constructed and is deleted only by the SkinWindow.
// The virtual operations keep one fixed order in every kind.
#pragma once
#include <windows.h>

#include <cstdint>

#include "skin/skin_surface.h"

// Posted to the dialog by a widget that acts: wParam is the command id.
constexpr UINT WM_SKINCOMMAND = WM_USER + 256;

constexpr int kHintSize = 80;  // 79 characters and the NUL

class Widget {
 public:
  Widget(SkinSurface* surface, const char* hint);
  Widget(const Widget&) = delete;
  Widget& operator=(const Widget&) = delete;

  // Non-zero when the widget consumed the message, which ends the routing.
  virtual int32_t OnMouse(HWND window, UINT message, WPARAM wParam, LPARAM lParam) = 0;
  // Draws the widget on dc; a hidden widget draws its hidden appearance.
  virtual void Paint(HDC dc) = 0;
  virtual int32_t ReservedA();
  virtual int32_t GetValue();
  virtual int32_t ReservedB();
  virtual int32_t ReservedC();
  virtual void SetValue(int32_t value);
  virtual ~Widget();

  // Shows (visible and enabled) or hides (neither) the widget and paints it.
  void Show(int32_t on);
  // Paints the widget at once, outside the paint cycle; a hidden widget is
  // painted once and then left alone until it is shown again.
  void Redraw();
  // Shows this widget's hint in the status line: 0 clears it, 1 shows the
  // part before the first "@", 2 the part after it.
  void ShowHint(int32_t mode);
  // 1 when the point in lParam (x low word, y high word, unsigned) lies in
  // the rectangle, edges included.
  static int32_t HitTest(int32_t left, int32_t top, int32_t right, int32_t bottom, LPARAM lParam);

  char hint[kHintSize];
  int32_t enabled;
  int32_t visible;
  int32_t erased;
  int32_t hintMode;
  int32_t command;
  SkinSurface* surface;

 protected:
  // Covers `area` of dc with the surface's background, if there is one.
  void TileBackground(HDC dc, const RECT& area) const;
  static void PostSkinCommand(HWND window, int32_t id);
};
