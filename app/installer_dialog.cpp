// The installer dialog: at start it runs the discovery and fills the folder
// list; the user picks a folder (or browses for one) and the install
// command writes the payload there; then the completion text is shown.
//
// The one deliberate addition to a silent design: when a payload file
// cannot be written, the user is told which file, where and why, and the
// dialog stays ready for another folder. It never claims an installation
// that did not happen.
#include "app/installer_dialog.h"

#include "app/commands.h"
#include "app/payload.h"
#include "base/bounded_text.h"
#include "discovery/candidate_list.h"
#include "discovery/discovery_run.h"
#include "res/resource_ids.h"

int installed;
int browsedEntryPresent;
int candidateCount;
char workPath[kWorkPathSize];
BROWSEINFOA browseInfo;
constexpr int kStartPromptX = 4;
constexpr int kStartPromptY = -26;
LayoutMetrics layout = {16, kStartPromptX, kStartPromptY, 274, 300, 20};
FolderBrowser browseForFolder = SystemFolderBrowser;

namespace {

const char kBrowseEntry[] = "******** BROWSE ********";
const char kWindowTitle[] = "Quenwold Plugins : Installation";
const char kMakerFolder[] = "Quenwold\\";

// The size of the shipped background, which places everything.
constexpr int kBackgroundWidth = 500;
constexpr int kBackgroundHeight = 292;

int ListWidth() { return kBackgroundWidth - 2 * layout.marginX + 1; }

HWND FolderList(HWND dialog) { return GetDlgItem(dialog, IDC_FOLDER_COMBO); }

void MoveFocusOffList(HWND dialog) { SendDlgItemMessageA(dialog, IDC_FOCUS_SINK, BM_CLICK, 0, 0); }

void FillBrowseInfo(HWND dialog) {
  browseInfo = BROWSEINFOA();
  browseInfo.hwndOwner = dialog;
  browseInfo.pidlRoot = nullptr;
  browseInfo.pszDisplayName = workPath;
  browseInfo.lpszTitle = "Please Select Your Plug-Ins Folder";
  browseInfo.ulFlags = BIF_RETURNONLYFSDIRS;
}

void FillFolderList(HWND dialog) {
  HWND list = FolderList(dialog);
  int count = 0;
  for (const CandidateFolder& slot : candidateList) {
    if (slot.path[0] == '\0') break;
    workPath[0] = '\0';
    // A path that would not fit is left out rather than offered cut short.
    if (!AppendText(workPath, kFolderTextSize, slot.path) ||
        (slot.appendMakerFolder && !AppendText(workPath, kFolderTextSize, kMakerFolder)))
      continue;
    SendMessageA(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(workPath));
    ++count;
  }
  SendMessageA(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(kBrowseEntry));
  candidateCount = count;
  browsedEntryPresent = 0;
  SendMessageA(list, CB_SETCURSEL, 0, 0);
}

// Sizes the window to the background and keeps its centre where it was.
void FitWindowToBackground(HWND dialog) {
  RECT window;
  RECT client;
  GetWindowRect(dialog, &window);
  GetClientRect(dialog, &client);
  const int frameWidth = (window.right - window.left) - client.right;
  const int frameHeight = (window.bottom - window.top) - client.bottom;
  const int left = (window.left + window.right - frameWidth - kBackgroundWidth) / 2;
  const int top = (window.top + window.bottom - frameHeight - kBackgroundHeight) / 2;
  MoveWindow(dialog, left, top, kBackgroundWidth + frameWidth, kBackgroundHeight + frameHeight, TRUE);
}

void OnInitDialog(HWND dialog) {
  installed = 0;
  // From the starting values, so that a second dialog in one process (the
  // tests make several) lays out the same.
  layout.promptX = kStartPromptX + layout.marginX;
  layout.promptY = kStartPromptY + kBackgroundHeight - 60;

  FillBrowseInfo(dialog);
  RunDiscovery(workPath);
  FillFolderList(dialog);
  MoveFocusOffList(dialog);
  SetWindowTextA(dialog, kWindowTitle);

  MoveWindow(FolderList(dialog), layout.marginX, kBackgroundHeight - 60, ListWidth(), 10, TRUE);
  FitWindowToBackground(dialog);
}

void RunBrowseFlow(HWND dialog) {
  HWND list = FolderList(dialog);
  char chosen[MAX_PATH] = {};
  // An empty path is treated like a cancelled browse.
  if (!browseForFolder(&browseInfo, chosen) || chosen[0] == '\0') {
    SendMessageA(list, CB_SETCURSEL, 0, 0);
    return;
  }
  CopyText(workPath, sizeof workPath, chosen);
  size_t length = lstrlenA(workPath);
  if (workPath[length - 1] != '\\' && !AppendText(workPath, sizeof workPath, "\\")) {
    SendMessageA(list, CB_SETCURSEL, 0, 0);
    return;
  }
  if (!SetCurrentDirectoryA(workPath)) {
    SendMessageA(list, CB_SETCURSEL, 0, 0);
    return;
  }
  if (browsedEntryPresent == 1) SendMessageA(list, CB_DELETESTRING, candidateCount, 0);
  SendMessageA(list, CB_INSERTSTRING, candidateCount, reinterpret_cast<LPARAM>(workPath));
  SendMessageA(list, CB_SETCURSEL, candidateCount, 0);
  browsedEntryPresent = 1;
}

void OnFolderListNotification(HWND dialog, WORD code) {
  if (code != CBN_SELCHANGE && code != CBN_SELENDCANCEL) return;
  MoveFocusOffList(dialog);
  if (code != CBN_SELCHANGE) return;
  LRESULT selection = SendMessageA(FolderList(dialog), CB_GETCURSEL, 0, 0);
  if (selection == candidateCount + browsedEntryPresent) RunBrowseFlow(dialog);
}

// The components offered for installation: the one filter, selected.
void CollectComponents(PayloadComponent components[kComponentSlotCount]) {
  for (int i = 0; i < kComponentSlotCount; ++i) components[i] = PayloadComponent();
  components[0].present = true;
  CopyText(components[0].key, sizeof components[0].key, "Tesserella3D");
  components[0].value = 2;
}

void ReportInstallFailure(HWND dialog, const InstallFailure& failure) {
  char reason[512];
  if (!FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, failure.error, 0,
                      reason, sizeof reason, nullptr))
    wsprintfA(reason, "Error %lu.", failure.error);

  char message[1600];
  if (failure.fileName[0]) {
    wsprintfA(message, "The file \"%.259s\" could not be written to the folder:\n%.399s\n\n", failure.fileName,
              targetFolder);
  } else {
    wsprintfA(message, "This installer carries no plug-in files to write to the folder:\n%.399s\n\n",
              targetFolder);
  }
  AppendText(message, sizeof message, "Reason: ");
  AppendText(message, sizeof message, reason);
  AppendText(message, sizeof message,
             "\nThe installation is not complete. Please choose another folder and try again.");
  MessageBoxA(dialog, message, kWindowTitle, MB_OK | MB_ICONERROR);
}

void RunInstallCommand(HWND dialog) {
  HWND list = FolderList(dialog);
  LRESULT selection = SendMessageA(list, CB_GETCURSEL, 0, 0);
  // The browse entry names no folder.
  if (selection == candidateCount + browsedEntryPresent) return;
  LRESULT length = SendMessageA(list, CB_GETLBTEXTLEN, selection, 0);
  if (selection < 0 || length < 0 || length >= kFolderTextSize) return;
  SendMessageA(list, CB_GETLBTEXT, selection, reinterpret_cast<LPARAM>(targetFolder));

  PayloadComponent components[kComponentSlotCount];
  CollectComponents(components);
  InstallFailure failure;
  if (!InstallPayload(targetFolder, components, &failure)) {
    // An unusable folder (the browse entry, a missing parent) is refused
    // quietly; a folder that took some files but not all is not.
    if (!failure.folderUnusable) ReportInstallFailure(dialog, failure);
    return;
  }
  installed = 1;
  MoveWindow(list, layout.marginX, 1000, 50, 10, TRUE);
  InvalidateRect(dialog, nullptr, TRUE);
}

void OnPaint(HWND dialog) {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(dialog, &paint);
  HGDIOBJ oldFont = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageA(dialog, WM_GETFONT, 0, 0)));
  SetBkMode(dc, TRANSPARENT);
  if (!installed) {
    static const char prompt[] = "Select folder where setup will install files:";
    TextOutA(dc, layout.promptX, layout.promptY, prompt, sizeof prompt - 1);
  } else {
    static const char* const lines[] = {"   Installation completed. Please", "restart your image editor to",
                                        "activate the plug-ins installed."};
    int y = 100;
    for (const char* line : lines) {
      TextOutA(dc, layout.doneTextX, y, line, lstrlenA(line));
      y += 16;
    }
  }
  SelectObject(dc, oldFont);
  EndPaint(dialog, &paint);
}

void OnSkinCommand(HWND dialog, WPARAM command) {
  switch (command) {
    case CMD_EXIT:
      SendMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
      break;
    case CMD_BEGIN_INSTALL:
      SendMessageA(dialog, WM_COMMAND, IDOK, 0);
      break;
    default:
      break;
  }
}

}  // namespace

bool SystemFolderBrowser(BROWSEINFOA* info, char* path) {
  LPITEMIDLIST item = SHBrowseForFolderA(info);
  if (!item) return false;
  bool found = SHGetPathFromIDListA(item, path) != FALSE;
  CoTaskMemFree(item);
  return found;
}

INT_PTR CALLBACK InstallerDialog(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  switch (message) {
    case WM_INITDIALOG:
      OnInitDialog(dialog);
      return FALSE;
    case WM_PAINT:
      OnPaint(dialog);
      return FALSE;
    case WM_HELP:
      SendMessageA(dialog, WM_SKINCOMMAND, CMD_HELP, 0);
      return FALSE;
    case WM_SKINCOMMAND:
      OnSkinCommand(dialog, wParam);
      return FALSE;
    case WM_COMMAND:
      switch (LOWORD(wParam)) {
        case IDOK:
          if (installed == 1) {
            EndDialog(dialog, 0);
            return TRUE;
          }
          RunInstallCommand(dialog);
          return FALSE;
        case IDCANCEL:
          EndDialog(dialog, 0);
          return TRUE;
        case IDC_FOLDER_COMBO:
          OnFolderListNotification(dialog, HIWORD(wParam));
          return FALSE;
      }
      return FALSE;
  }
  return FALSE;
}
