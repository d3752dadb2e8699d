// The toolkit composing the installer's layout on one window: the six
// widgets, placed here as the dialog will place them, paint exactly the
// background, the button faces, the check box square and the two texts;
// after the change of dress only the finish button, the link and the logo
// show, and only the finish button and the link react.
#include <gtest/gtest.h>

#include "res/resource_ids.h"
#include "skin/image_button.h"
#include "skin/link_label.h"
#include "skin/state_button.h"
#include "skin/status_line.h"
#include "skin_harness.h"
#include "test_art.h"

using namespace testing_support;

namespace {

struct Face {
  int id, x, y, width, height;
};
constexpr Face kExit = {IDB_EXIT, 437, 271, 58, 19};
constexpr Face kBegin = {IDB_BEGIN, 375, 271, 60, 19};
constexpr Face kFinish = {IDB_FINISH, 435, 271, 60, 19};
constexpr Face kLogo = {IDB_LOGO, 6, 6, 40, 40};

// The face's pixel at (x, y), or false where it shows the background.
bool FacePixel(const Face& f, int x, int y, COLORREF* colour) {
  const int u = x - f.x, v = y - f.y;
  if (u < 0 || v < 0 || u >= f.width || v >= f.height) return false;
  const COLORREF c = test_art::Face(f.id, u, v);
  if (c == test_art::kWhite) return false;
  *colour = c;
  return true;
}

class ToolkitInInstallerLayout : public testing::Test {
 protected:
  void SetUp() override {
    statusTextColor = 0xFFFFFF;
    harness.surface.targetDC = GetDC(harness.window);
    RECT origin;
    exitButton = new ImageButton(&harness.surface, RectFromSize(&origin, 437, 271, 0, 0), IDB_EXIT, IDB_EXIT, 2,
                                 "Click to exit", nullptr, nullptr);
    beginButton = new ImageButton(&harness.surface, RectFromSize(&origin, 375, 271, 0, 0), IDB_BEGIN, IDB_BEGIN, 219,
                                  "Click to begin the installation", nullptr, nullptr);
    finishButton = new ImageButton(&harness.surface, RectFromSize(&origin, 435, 271, 0, 0), IDB_FINISH, IDB_FINISH,
                                   2, "Click to finish the installation", nullptr, nullptr);
    finishButton->Show(0);
    RECT linkOrigin = {300, 20, 0, 0};
    siteLink = new LinkLabel(&harness.surface, &linkOrigin, "www.quenwold.example", 1029,
                             "Visit Quenwold Plugins Home Page");
    logo = new ImageButton(&harness.surface, RectFromSize(&origin, 6, 6, 0, 0), IDB_LOGO, IDB_LOGO, 1, "", nullptr,
                           nullptr);
    logo->direct = 1;
    logo->enabled = 0;
    logo->visible = 0;
    RECT boxRect = {290, 45, 310, 57};
    box = new StateButton(&harness.surface, &boxRect, IDB_CHECKBOX, 0x80148000, "Tesserella 3D", 0, -3,
                          "Select to install Tesserella 3D filter", 2000, 0, "Tesserella3D");
    box->state = 2;
    ReleaseDC(harness.window, harness.surface.targetDC);
    harness.surface.targetDC = nullptr;
    harness.Repaint();
  }

  // Every pixel of the window against what the dress prescribes. Text
  // areas may hold only the background or the text's colour, and must
  // hold some text.
  void ExpectWindow(bool installed) {
    Canvas canvas(kSkinWidth, kSkinHeight, 0);
    harness.Capture(&canvas);
    const RECT link = siteLink->rect;
    const RECT label = {310, 45, 400, 58};
    int wrong = 0, linkText = 0, labelText = 0;
    for (int y = 0; y < kSkinHeight; ++y)
      for (int x = 0; x < kSkinWidth; ++x) {
        const COLORREF shown = canvas.At(x, y);
        const POINT p = {x, y};
        COLORREF want = BackgroundAt(x, y);
        if (PtInRect(&link, p) && shown == kLinkColour) {
          ++linkText;
          continue;
        }
        if (!installed) {
          if (PtInRect(&label, p) && shown == 0) {
            ++labelText;
            continue;
          }
          if (x >= 290 && x < 303 && y >= 45 && y < 58) want = test_art::CheckBox(26 + x - 290, y - 45);
          FacePixel(kExit, x, y, &want);
          FacePixel(kBegin, x, y, &want);
        } else {
          FacePixel(kFinish, x, y, &want);
          FacePixel(kLogo, x, y, &want);
        }
        if (shown != want && ++wrong <= 5)
          ADD_FAILURE() << "pixel " << x << ", " << y << std::hex << " shows " << shown << ", not " << want;
      }
    EXPECT_EQ(wrong, 0);
    EXPECT_GT(linkText, 50);
    if (!installed) {
      EXPECT_GT(labelText, 20);
    }
  }

  SkinHarness harness;
  ImageButton* exitButton = nullptr;
  ImageButton* beginButton = nullptr;
  ImageButton* finishButton = nullptr;
  LinkLabel* siteLink = nullptr;
  ImageButton* logo = nullptr;
  StateButton* box = nullptr;
};

TEST_F(ToolkitInInstallerLayout, ChoosingScreenPaintsExactly) {
  ExpectWindow(false);
  // A click on each reacting widget posts its command.
  const struct {
    int x, y;
    WPARAM command;
  } clicks[] = {{460, 280, 2}, {400, 280, 219}, {295, 50, 2000}, {305, 25, 1029}, {20, 20, 0}};
  for (const auto& click : clicks) {
    harness.Mouse(WM_LBUTTONDOWN, click.x, click.y);
    harness.Mouse(WM_LBUTTONUP, click.x, click.y);
    EXPECT_EQ(harness.TakeCommands(), click.command ? std::vector<WPARAM>{click.command} : std::vector<WPARAM>{})
        << click.x << ", " << click.y;
  }
}

TEST_F(ToolkitInInstallerLayout, CompletionScreenShowsFinishLinkAndLogoOnly) {
  for (Widget* w : {static_cast<Widget*>(exitButton), static_cast<Widget*>(beginButton),
                    static_cast<Widget*>(finishButton), static_cast<Widget*>(siteLink), static_cast<Widget*>(logo),
                    static_cast<Widget*>(box)}) {
    w->enabled = 0;
    w->visible = 0;
  }
  siteLink->enabled = siteLink->visible = 1;
  finishButton->enabled = finishButton->visible = 1;
  logo->visible = 1;
  harness.Repaint();
  ExpectWindow(true);

  const POINT ignored[] = {{400, 280}, {295, 50}, {20, 20}};
  for (const POINT& p : ignored) {
    harness.Mouse(WM_LBUTTONDOWN, p.x, p.y);
    harness.Mouse(WM_LBUTTONUP, p.x, p.y);
  }
  EXPECT_TRUE(harness.TakeCommands().empty());
  harness.Mouse(WM_LBUTTONDOWN, 470, 280);
  harness.Mouse(WM_LBUTTONUP, 470, 280);
  harness.Mouse(WM_LBUTTONDOWN, 305, 25);
  EXPECT_EQ(harness.TakeCommands(), (std::vector<WPARAM>{2, 1029}));
  // The status line still shows the finish button's hint.
  harness.Mouse(WM_MOUSEMOVE, 470, 280);
  EXPECT_EQ(finishButton->hintMode, 1);
}

}  // namespace
