// A real top-level window skinned like the installer's dialog, for the skin
// toolkit's tests: its window procedure routes mouse messages and runs the
// paint cycle as the dialog does, and the tests read its pixels back.
#pragma once
#include <windows.h>

#include <vector>

#include "skin/skin_window.h"
#include "skin/widget.h"
#include "test_support.h"

namespace testing_support {

constexpr int kSkinWidth = 500;
constexpr int kSkinHeight = 292;
constexpr RECT kInstallerStatusRect = {20, 273, 355, 293};

class SkinHarness {
 public:
  // A 500 x 292 borderless window with the test background attached.
  SkinHarness();
  ~SkinHarness();
  SkinHarness(const SkinHarness&) = delete;
  SkinHarness& operator=(const SkinHarness&) = delete;

  // Routes one mouse message at client point (x, y) the way the dialog
  // procedure does; returns what RouteMouse returned.
  int Mouse(UINT message, int x, int y, WPARAM keys = 0);
  // Invalidates the whole client area and runs the paint cycle now.
  void Repaint();
  // Runs pending messages (paints), leaving WM_SKINCOMMAND queued.
  void Pump();
  // The WM_SKINCOMMAND ids posted so far, in order; taken off the queue.
  std::vector<WPARAM> TakeCommands();
  // The client area as it shows now.
  void Capture(Canvas* canvas) const { CaptureClient(window, 0, 0, canvas); }

  SkinSurface surface = {};
  SkinWindow* skin = nullptr;
  HWND window = nullptr;
  int paintCycles = 0;
};

// The test background's pixel at client point (x, y).
COLORREF BackgroundAt(int x, int y);

// Counts the pixels of `area` on the canvas that differ from `expected`.
template <typename Expected>
int CountWrong(const Canvas& canvas, const RECT& area, Expected expected) {
  int wrong = 0;
  for (int y = area.top; y < area.bottom; ++y)
    for (int x = area.left; x < area.right; ++x) wrong += canvas.At(x, y) != expected(x, y);
  return wrong;
}

}  // namespace testing_support
