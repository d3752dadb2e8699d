// The multi-state control: one square image out of a strip (or a grid) of
// state images, with an optional label beside it. Toggle mode makes a check
// box (odd states are the pressed looks of the even ones), counter mode
// steps and reports on every press, grid mode picks the state from a popup.
#pragma once
#include "skin/widget.h"

constexpr int kStateTextSize = 40;  // key and label: 39 characters and the NUL

constexpr int32_t SB_TRANSPOSED = 0x01;   // rows and columns of the images exchanged
constexpr int32_t SB_GRID = 0x02;         // 26 x 26 cells in rows of four; left press opens the picker
constexpr int32_t SB_DOUBLE_WIDTH = 0x04;  // images twice as wide as high
constexpr int32_t SB_KEYED = 0x08;        // white image pixels show the background
constexpr int32_t SB_VALUE_ONLY = 0x10;   // a value without image, drawing or mouse handling

constexpr int kGridCell = 26;

class StateButton : public Widget {
 public:
  // labelOffset packs the label's offset: high half right, low half up,
  // each biased by 0x8000. maximumOrToggle > 0 is the maximum of a counter;
  // otherwise its negation is the maximum of a toggle.
  StateButton(SkinSurface* surface, const RECT* rectangle, uint32_t bitmapId, uint32_t labelOffset,
              const char* labelText, int32_t minimum, int32_t maximumOrToggle, const char* hint, int32_t command,
              int32_t flags, const char* key);
  ~StateButton() override;

  int32_t OnMouse(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override;
  void Paint(HDC dc) override;
  int32_t GetValue() override;
  void SetValue(int32_t value) override;

  // Brings a state stepped by the mouse back into range and paints it.
  void WrapAndPaint();
  // Runs the picker popup (picker_popup.cpp); 1 when a cell was chosen.
  int32_t OpenPicker(HWND window);

  int32_t state = 0;
  RECT rect = {};
  RECT eraseRect = {};
  int32_t flags = 0;
  CachedBitmap* image = nullptr;
  int32_t minimum = 0;
  int32_t maximum = 0;
  char key[kStateTextSize] = {};
  int32_t toggle = 0;
  int32_t labelDx = 0;
  int32_t labelDy = 0;
  char label[kStateTextSize] = {};
};
