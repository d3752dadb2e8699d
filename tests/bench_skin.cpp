// Times the skin's paint cycle and a hint change on a 500 x 292 window
// dressed like the installer: exit, begin and finish buttons, the site link,
// the logo and the component check box. Run by tools/bench_skin.sh under
// Wine; not a test. The 50 ms pause of every paint cycle is switched off
// through skinPaintPause, so the figures are the drawing alone.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <vector>

#include "gfx/pixel_routines.h"
#include "res/resource_ids.h"
#include "skin/image_button.h"
#include "skin/link_label.h"
#include "skin/skin_window.h"
#include "skin/state_button.h"
#include "skin/status_line.h"

namespace {

SkinSurface surface;
SkinWindow* skin;

LRESULT CALLBACK BenchProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (skin && surface.window == window) {
    if (skin->RouteMouse(window, message, wParam, lParam)) return 0;
    if (message == WM_PAINT) {
      skin->BeginSkinPaint();
      skin->PaintSkin();
      skin->PutText(20, 206, "Choose the folder of your image editor's plug-ins:");
      skin->EndSkinPaint();
      return 0;
    }
  }
  if (message == WM_ERASEBKGND) return 1;
  return DefWindowProcA(window, message, wParam, lParam);
}

double Now() {
  static LARGE_INTEGER frequency;
  if (!frequency.QuadPart) QueryPerformanceFrequency(&frequency);
  LARGE_INTEGER now;
  QueryPerformanceCounter(&now);
  return double(now.QuadPart) * 1000.0 / double(frequency.QuadPart);
}

struct Figures {
  double median, mean, best;
  unsigned long long pixelCalls;  // per run
};

template <typename Step>
Figures Measure(int runs, Step step) {
  std::vector<double> times;
  const unsigned long long calls0 = pixelCallCount;
  for (int i = 0; i < runs; ++i) {
    const double t0 = Now();
    step(i);
    times.push_back(Now() - t0);
  }
  const unsigned long long calls = pixelCallCount - calls0;
  std::sort(times.begin(), times.end());
  double sum = 0;
  for (double t : times) sum += t;
  return {times[times.size() / 2], sum / times.size(), times.front(), calls / (unsigned long long)runs};
}

void Print(const char* what, const Figures& f) {
  std::printf("%-44s median %8.3f ms  mean %8.3f ms  best %8.3f ms  pixel calls %llu\n", what, f.median, f.mean,
              f.best, f.pixelCalls);
}

}  // namespace

int main() {
  HINSTANCE self = GetModuleHandleA(nullptr);
  WNDCLASSA windowClass = {};
  windowClass.lpfnWndProc = BenchProc;
  windowClass.hInstance = self;
  windowClass.lpszClassName = "QuenwoldSkinBench";
  RegisterClassA(&windowClass);

  skin = new SkinWindow(&surface, self);
  HWND window = CreateWindowExA(0, windowClass.lpszClassName, "", WS_POPUP, 50, 50, 500, 292, nullptr, nullptr,
                                self, nullptr);
  surface.targetDC = GetDC(window);
  const RECT status = {0, 0, 100, 20};
  skin->Attach(window, IDB_BACKGROUND, IDC_HAND, &status);
  statusTextColor = 0xFFFFFF;
  surface.statusRect = {20, 273, 355, 293};
  RECT origin;
  ImageButton* exitButton = new ImageButton(&surface, RectFromSize(&origin, 437, 271, 0, 0), IDB_EXIT, IDB_EXIT, 2,
                                            "Click to exit", nullptr, nullptr);
  ImageButton* beginButton = new ImageButton(&surface, RectFromSize(&origin, 375, 271, 0, 0), IDB_BEGIN, IDB_BEGIN,
                                             219, "Click to begin the installation", nullptr, nullptr);
  ImageButton* finishButton = new ImageButton(&surface, RectFromSize(&origin, 435, 271, 0, 0), IDB_FINISH,
                                              IDB_FINISH, 2, "Click to finish the installation", nullptr, nullptr);
  finishButton->Show(0);
  RECT linkOrigin = {300, 20, 0, 0};
  LinkLabel* siteLink = new LinkLabel(&surface, &linkOrigin, "www.quenwold.example", 1029,
                                      "Visit Quenwold Plugins Home Page");
  ImageButton* logo = new ImageButton(&surface, RectFromSize(&origin, 6, 6, 0, 0), IDB_LOGO, IDB_LOGO, 1, "",
                                      nullptr, nullptr);
  logo->direct = 1;
  logo->enabled = 0;
  logo->visible = 0;
  RECT boxRect = {290, 45, 310, 57};
  StateButton* box = new StateButton(&surface, &boxRect, IDB_CHECKBOX, 0x80148000, "Tesserella 3D", 0, -3,
                                     "Select to install Tesserella 3D filter", 2000, 0, "Tesserella3D");
  box->state = 2;
  ReleaseDC(window, surface.targetDC);
  surface.targetDC = nullptr;
  // The first ShowWindow of a process may take its command from the start-up
  // information instead; the second one is obeyed.
  ShowWindow(window, SW_SHOWNOACTIVATE);
  ShowWindow(window, SW_SHOWNOACTIVATE);
  UpdateWindow(window);
  (void)beginButton;
  (void)siteLink;

  if (!IsWindowVisible(window)) {
    std::printf("the window did not show\n");
    return 1;
  }
  skinPaintPause = 0;
  const int runs = 200;
  auto fullPaint = [&](int) {
    InvalidateRect(window, nullptr, FALSE);
    UpdateWindow(window);
  };
  Print("full paint cycle, start screen (4 of 6 shown)", Measure(runs, fullPaint));

  // One mouse move that changes the hint: onto the exit button, then off it.
  const LPARAM onExit = MAKELPARAM(460, 280), offAll = MAKELPARAM(150, 150);
  Print("hint change (one routed mouse move)", Measure(runs, [&](int i) {
          skin->RouteMouse(window, WM_MOUSEMOVE, 0, (i & 1) ? offAll : onExit);
        }));
  Print("mouse move without a hint change", Measure(runs, [&](int) {
          skin->RouteMouse(window, WM_MOUSEMOVE, 0, offAll);
        }));
  Print("press and release of the exit button", Measure(runs, [&](int) {
          skin->RouteMouse(window, WM_LBUTTONDOWN, MK_LBUTTON, onExit);
          skin->RouteMouse(window, WM_LBUTTONUP, 0, onExit);
        }));

  // Completion screen: every widget drawn, the logo straight on the window.
  exitButton->visible = 0;
  beginButton->visible = 0;
  box->visible = 0;
  finishButton->visible = 1;
  logo->visible = 1;
  Print("full paint cycle, completion screen", Measure(runs, fullPaint));
  exitButton->visible = beginButton->visible = box->visible = 1;
  Print("full paint cycle, all six shown", Measure(runs, fullPaint));

  skinPaintPause = 50;
  Print("full paint cycle with the 50 ms pause", Measure(5, fullPaint));

  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
  }
  delete skin;
  DestroyWindow(window);
  return 0;
}
