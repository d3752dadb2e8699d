#include "skin_harness.h"

#include <gtest/gtest.h>

#include "res/resource_ids.h"
#include "test_art.h"

namespace testing_support {

namespace {

SkinHarness* current;

LRESULT CALLBACK HarnessProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  SkinHarness* harness = current;
  if (harness && harness->skin && harness->surface.window == window) {
    if (harness->skin->RouteMouse(window, message, wParam, lParam)) return 0;
    if (message == WM_PAINT) {
      harness->skin->BeginSkinPaint();
      harness->skin->PaintSkin();
      harness->skin->EndSkinPaint();
      ++harness->paintCycles;
      return 0;
    }
  }
  if (message == WM_ERASEBKGND) return 1;  // the paint cycle covers everything
  return DefWindowProcA(window, message, wParam, lParam);
}

const char kClassName[] = "QuenwoldSkinHarness";

}  // namespace

SkinHarness::SkinHarness() {
  HINSTANCE self = GetModuleHandleA(nullptr);
  WNDCLASSA windowClass = {};
  windowClass.lpfnWndProc = HarnessProc;
  windowClass.hInstance = self;
  windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
  windowClass.lpszClassName = kClassName;
  RegisterClassA(&windowClass);  // fails harmlessly once registered

  current = this;
  skin = new SkinWindow(&surface, self);
  window = CreateWindowExA(0, kClassName, "", WS_POPUP, 40, 60, kSkinWidth, kSkinHeight, nullptr, nullptr, self,
                           nullptr);
  // Wine's desktop started without a display makes every window fail.
  if (!window) ADD_FAILURE() << "no test window (error " << GetLastError() << ")";
  surface.targetDC = GetDC(window);
  skin->Attach(window, IDB_BACKGROUND, IDC_HAND, &kInstallerStatusRect);
  ReleaseDC(window, surface.targetDC);
  surface.targetDC = nullptr;
  ShowWindow(window, SW_SHOWNOACTIVATE);
  UpdateWindow(window);
  Pump();
}

SkinHarness::~SkinHarness() {
  Pump();
  TakeCommands();
  delete skin;
  skin = nullptr;
  DestroyWindow(window);
  current = nullptr;
}

int SkinHarness::Mouse(UINT message, int x, int y, WPARAM keys) {
  return skin->RouteMouse(window, message, keys, MAKELPARAM(x, y));
}

void SkinHarness::Repaint() {
  InvalidateRect(window, nullptr, FALSE);
  UpdateWindow(window);
}

void SkinHarness::Pump() {
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, WM_SKINCOMMAND - 1, PM_REMOVE) ||
         PeekMessageA(&message, nullptr, WM_SKINCOMMAND + 1, 0xFFFFFFFF, PM_REMOVE)) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
}

std::vector<WPARAM> SkinHarness::TakeCommands() {
  std::vector<WPARAM> ids;
  MSG message;
  while (PeekMessageA(&message, window, WM_SKINCOMMAND, WM_SKINCOMMAND, PM_REMOVE)) {
    EXPECT_EQ(message.lParam, 0);
    ids.push_back(message.wParam);
  }
  return ids;
}

COLORREF BackgroundAt(int x, int y) { return test_art::Background(x % 500, y % 292); }

}  // namespace testing_support
