// The installer dialog run in-process from its real template: the folder
// list, the browse flow (with the folder browser replaced), and the install
// command against real folders of the test prefix.
#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

#include "app/installer_dialog.h"
#include "app/payload.h"
#include "base/bounded_text.h"
#include "discovery/candidate_list.h"
#include "res/resource_ids.h"
#include "test_support.h"

using namespace testing_support;

namespace {

// What the replaced folder browser answers next, and how often it was asked.
struct FakeBrowser {
  static bool answer;
  static std::string path;
  static int calls;
  static bool Browse(BROWSEINFOA* info, char* out) {
    ++calls;
    EXPECT_EQ(info->ulFlags, UINT(BIF_RETURNONLYFSDIRS));
    EXPECT_STREQ(info->lpszTitle, "Please Select Your Plug-Ins Folder");
    CopyText(out, MAX_PATH, path.c_str());
    return answer;
  }
};
bool FakeBrowser::answer;
std::string FakeBrowser::path;
int FakeBrowser::calls;

class InstallerDialogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    for (CandidateFolder& slot : candidateList) slot = CandidateFolder();
    for (CandidateFolder& slot : exclusionList) slot = CandidateFolder();
    browseForFolder = FakeBrowser::Browse;
    FakeBrowser::calls = 0;
  }
  void TearDown() override {
    if (dialog) DestroyWindow(dialog);
    browseForFolder = SystemFolderBrowser;
    SetCurrentDirectoryA("C:\\");
  }
  // Puts existing folders into the candidate list, as discovery would.
  void Discovered(const std::vector<std::pair<std::string, int>>& folders) {
    int i = 0;
    for (const auto& folder : folders) {
      CopyText(candidateList[i].path, kFolderTextSize, folder.first.c_str());
      candidateList[i++].appendMakerFolder = folder.second;
    }
  }
  void Open() {
    dialog = CreateDialogParamA(GetModuleHandleA(nullptr), "main", nullptr, InstallerDialog, 0);
    ASSERT_NE(dialog, nullptr);
    ShowWindow(dialog, SW_SHOW);
    list = GetDlgItem(dialog, IDC_FOLDER_COMBO);
  }
  std::vector<std::string> Entries() {
    std::vector<std::string> entries;
    int count = int(SendMessageA(list, CB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
      char text[512];
      SendMessageA(list, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text));
      entries.push_back(text);
    }
    return entries;
  }
  int Selection() { return int(SendMessageA(list, CB_GETCURSEL, 0, 0)); }
  // A user's pick in the list: the selection changes, the dialog is told.
  void Pick(int index) {
    SendMessageA(list, CB_SETCURSEL, index, 0);
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_FOLDER_COMBO, CBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
  }
  void Browse(bool answer, const std::string& path, int index) {
    FakeBrowser::answer = answer;
    FakeBrowser::path = path;
    Pick(index);
  }

  HWND dialog = nullptr;
  HWND list = nullptr;
};

const char kBrowse[] = "******** BROWSE ********";

TEST_F(InstallerDialogTest, ListsDiscoveredFoldersThenTheBrowseEntry) {
  ScratchFolder a("dialog_a"), b("dialog_b");
  Discovered({{a.path(), 1}, {b.path(), 0}});
  Open();
  EXPECT_EQ(Entries(), (std::vector<std::string>{a.path() + "Quenwold\\", b.path(), kBrowse}));
  EXPECT_EQ(Selection(), 0);
  EXPECT_EQ(candidateCount, 2);
  EXPECT_EQ(browsedEntryPresent, 0);
  EXPECT_EQ(GetFocus(), GetDlgItem(dialog, IDC_FOCUS_SINK));
  char title[64];
  GetWindowTextA(dialog, title, sizeof title);
  EXPECT_STREQ(title, "Quenwold Plugins : Installation");

  RECT window, combo;
  GetWindowRect(dialog, &window);
  GetWindowRect(list, &combo);
  EXPECT_EQ(window.right - window.left, 500);
  EXPECT_EQ(window.bottom - window.top, 292);
  EXPECT_EQ(combo.left - window.left, 16);
  EXPECT_EQ(combo.top - window.top, 232);
  EXPECT_EQ(combo.right - combo.left, 469);
}

TEST_F(InstallerDialogTest, BrowseFlowKeepsOneBrowsedEntryBeforeTheBrowseEntry) {
  ScratchFolder a("dialog_a"), b("dialog_b"), c("dialog_c"), x("dialog_x"), y("dialog_y");
  Discovered({{a.path(), 1}, {b.path(), 1}, {c.path(), 1}});
  Open();
  std::vector<std::string> found = {a.path() + "Quenwold\\", b.path() + "Quenwold\\", c.path() + "Quenwold\\"};

  // A folder without its trailing backslash gets one.
  std::string bare = x.path().substr(0, x.path().size() - 1);
  Browse(true, bare, 3);
  EXPECT_EQ(FakeBrowser::calls, 1);
  std::vector<std::string> expected = found;
  expected.insert(expected.end(), {x.path(), kBrowse});
  EXPECT_EQ(Entries(), expected);
  EXPECT_EQ(Selection(), 3);
  EXPECT_EQ(browsedEntryPresent, 1);

  // The browse entry is now at 4; the browsed folder at 3 opens nothing.
  Pick(3);
  EXPECT_EQ(FakeBrowser::calls, 1);
  EXPECT_EQ(Selection(), 3);

  // A second browse replaces the first.
  Browse(true, y.path(), 4);
  expected = found;
  expected.insert(expected.end(), {y.path(), kBrowse});
  EXPECT_EQ(Entries(), expected);
  EXPECT_EQ(Selection(), 3);

  // Cancelled, empty, or a folder that cannot be entered: nothing is added
  // and entry 0 is selected.
  struct Outcome {
    bool answer;
    std::string path;
  };
  for (const Outcome& o : {Outcome{false, ""}, Outcome{true, ""}, Outcome{true, a.path() + "Missing"}}) {
    Browse(o.answer, o.path, 4);
    EXPECT_EQ(Entries(), expected) << o.path;
    EXPECT_EQ(Selection(), 0) << o.path;
  }
  EXPECT_EQ(FakeBrowser::calls, 5);
}

TEST_F(InstallerDialogTest, WithNoDiscoveredFolderInstallCommandDoesNothing) {
  Open();
  EXPECT_EQ(Entries(), (std::vector<std::string>{kBrowse}));
  EXPECT_EQ(Selection(), 0);
  SendMessageA(dialog, WM_COMMAND, IDOK, 0);
  EXPECT_EQ(installed, 0);
  EXPECT_TRUE(IsWindowVisible(dialog));
}

TEST_F(InstallerDialogTest, InstallCommandCreatesTheMakerFolderAndInstallsOnce) {
  ScratchFolder host("dialog_host");
  Discovered({{host.path(), 1}});
  Open();
  SendMessageA(dialog, WM_COMMAND, IDOK, 0);
  ASSERT_EQ(installed, 1);
  const std::string file = host.path() + "Quenwold\\Tesserella3d.8bf";
  EXPECT_EQ(ReadFileBytes(file), ResourceBytes(GetModuleHandleA(nullptr), "TESSERELLA3:D.8BF",
                                                MAKEINTRESOURCEA(RT_PAYLOAD)));
  RECT combo;
  GetWindowRect(list, &combo);
  POINT corner = {combo.left, combo.top};
  ScreenToClient(dialog, &corner);
  EXPECT_EQ(corner.y, 1000) << "the list leaves the view";

  // After installation IDOK ends the dialog and never installs again.
  DeleteFileA(file.c_str());
  ASSERT_TRUE(IsWindowVisible(dialog));
  SendMessageA(dialog, WM_COMMAND, IDOK, 0);
  EXPECT_FALSE(IsWindowVisible(dialog)) << "EndDialog hides a modeless dialog";
  EXPECT_FALSE(FileExists(file));
}

TEST_F(InstallerDialogTest, MissingParentIsRefusedQuietly) {
  ScratchFolder host("dialog_gone");
  Discovered({{host.path(), 1}});
  Open();
  RemoveTree(host.path());
  SendMessageA(dialog, WM_COMMAND, IDOK, 0);
  EXPECT_EQ(installed, 0);
  EXPECT_FALSE(FolderExists(host.path()));
}

// Presses OK on the first message box the dialog shows and keeps its text.
class MessageBoxCloser {
 public:
  explicit MessageBoxCloser(HWND owner) : owner_(owner), thread_([this] { Run(); }) {}
  ~MessageBoxCloser() {
    stop_ = true;
    thread_.join();
  }
  std::string text;
  std::atomic<bool> seen{false};

 private:
  static BOOL CALLBACK Collect(HWND child, LPARAM param) {
    char buffer[2048];
    char className[32];
    GetClassNameA(child, className, sizeof className);
    if (lstrcmpiA(className, "Static") == 0 && GetWindowTextA(child, buffer, sizeof buffer) > 0)
      *reinterpret_cast<std::string*>(param) += buffer;
    return TRUE;
  }
  void Run() {
    while (!stop_ && !seen) {
      HWND box = FindWindowA("#32770", "Quenwold Plugins : Installation");
      if (box && GetWindow(box, GW_OWNER) == owner_) {
        EnumChildWindows(box, Collect, reinterpret_cast<LPARAM>(&text));
        seen = true;
        PostMessageA(box, WM_COMMAND, IDOK, 0);
      }
      Sleep(20);
    }
  }
  HWND owner_;
  std::atomic<bool> stop_{false};
  std::thread thread_;
};

TEST_F(InstallerDialogTest, UnwritableFileIsToldToTheUserAndNothingIsClaimed) {
  ScratchFolder host("dialog_blocked");
  CreateDirectoryA((host.path() + "Tesserella3d.8bf").c_str(), nullptr);
  Discovered({{host.path(), 0}});
  Open();
  {
    MessageBoxCloser closer(dialog);
    SendMessageA(dialog, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(closer.seen);
    EXPECT_NE(closer.text.find("\"Tesserella3d.8bf\" could not be written"), std::string::npos) << closer.text;
    EXPECT_NE(closer.text.find(host.path()), std::string::npos) << closer.text;
    EXPECT_NE(closer.text.find("Reason: "), std::string::npos) << closer.text;
    EXPECT_NE(closer.text.find("choose another folder"), std::string::npos) << closer.text;
  }
  EXPECT_EQ(installed, 0);
  RECT combo;
  GetWindowRect(list, &combo);
  POINT corner = {combo.left, combo.top};
  ScreenToClient(dialog, &corner);
  EXPECT_EQ(corner.y, 232) << "the list stays in place for another choice";
}

}  // namespace
