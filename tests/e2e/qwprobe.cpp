// qwprobe: looks at and drives a running installer from outside, the way
// the end-to-end tests need it. Finds the dialog by its title.
//
//   qwprobe wait [ms]      wait for the dialog; print "x y width height"
//   qwprobe list           print the selected index, then one entry a line
//   qwprobe select N       select entry N (as the list does, no notification)
//   qwprobe pick N         select entry N and notify the dialog, as a user pick
//   qwprobe ok             post WM_COMMAND IDOK to the dialog
//   qwprobe count          print how many installer dialogs exist
//   qwprobe message [ms]   wait for a message box of the installer; print its text
//   qwprobe close-message  press OK on that message box
//
// Exit code 0 on success, 1 when the window is not there, 2 on bad usage.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

const char kTitle[] = "Quenwold Plugins : Installation";
const int kFolderCombo = 1033;

struct Search {
  bool wantMessageBox;
  HWND found;
  int count;
};

BOOL CALLBACK Visit(HWND window, LPARAM param) {
  Search* search = reinterpret_cast<Search*>(param);
  char title[128] = {};
  GetWindowTextA(window, title, sizeof title);
  if (std::strcmp(title, kTitle) != 0 || !IsWindowVisible(window)) return TRUE;
  // The installer dialog holds the folder list; its message boxes do not.
  bool isMessageBox = GetDlgItem(window, kFolderCombo) == nullptr;
  if (isMessageBox != search->wantMessageBox) return TRUE;
  if (!search->found) search->found = window;
  ++search->count;
  return TRUE;
}

Search Find(bool messageBox) {
  Search search = {messageBox, nullptr, 0};
  EnumWindows(Visit, reinterpret_cast<LPARAM>(&search));
  return search;
}

HWND WaitFor(bool messageBox, int milliseconds) {
  for (int waited = 0;; waited += 100) {
    Search search = Find(messageBox);
    if (search.found) return search.found;
    if (waited >= milliseconds) return nullptr;
    Sleep(100);
  }
}

// Text of another process's window, read as UTF-16 (Wine marshals the ANSI
// forms across processes as UTF-16) and printed as UTF-8.
std::string ToUtf8(const wchar_t* text) {
  char buffer[2048];
  int n = WideCharToMultiByte(CP_UTF8, 0, text, -1, buffer, sizeof buffer, nullptr, nullptr);
  return n > 0 ? std::string(buffer) : std::string();
}

int List(HWND dialog) {
  HWND list = GetDlgItem(dialog, kFolderCombo);
  LRESULT count = SendMessageW(list, CB_GETCOUNT, 0, 0);
  std::printf("%ld\n", long(SendMessageW(list, CB_GETCURSEL, 0, 0)));
  for (LRESULT i = 0; i < count; ++i) {
    wchar_t entry[1024] = {};
    if (SendMessageW(list, CB_GETLBTEXTLEN, i, 0) >= 1024) return 1;
    SendMessageW(list, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(entry));
    std::printf("%s\n", ToUtf8(entry).c_str());
  }
  return 0;
}

BOOL CALLBACK CollectText(HWND child, LPARAM param) {
  std::string* text = reinterpret_cast<std::string*>(param);
  wchar_t className[32] = {};
  GetClassNameW(child, className, 32);
  if (lstrcmpiW(className, L"Static") != 0) return TRUE;
  wchar_t buffer[2048] = {};
  SendMessageW(child, WM_GETTEXT, 2048, reinterpret_cast<LPARAM>(buffer));
  if (buffer[0]) *text += ToUtf8(buffer) + "\n";
  return TRUE;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) return 2;
  const std::string command = argv[1];
  const int number = argc > 2 ? std::atoi(argv[2]) : 0;

  if (command == "count") {
    std::printf("%d\n", Find(false).count);
    return 0;
  }
  if (command == "message") {
    HWND box = WaitFor(true, argc > 2 ? number : 5000);
    if (!box) return 1;
    std::string text;
    EnumChildWindows(box, CollectText, reinterpret_cast<LPARAM>(&text));
    std::printf("%s", text.c_str());
    return 0;
  }
  if (command == "close-message") {
    // Pressed again until the box is gone: a press posted while the box is
    // still setting itself up can be lost.
    HWND box = WaitFor(true, 0);
    if (!box) return 1;
    for (int tries = 0; tries < 50 && IsWindow(box) && IsWindowVisible(box); ++tries) {
      PostMessageW(box, WM_COMMAND, IDOK, 0);
      Sleep(100);
    }
    return IsWindow(box) && IsWindowVisible(box) ? 1 : 0;
  }

  HWND dialog = WaitFor(false, command == "wait" && argc > 2 ? number : 5000);
  if (!dialog) return 1;
  if (command == "wait") {
    RECT r;
    GetWindowRect(dialog, &r);
    std::printf("%ld %ld %ld %ld\n", r.left, r.top, r.right - r.left, r.bottom - r.top);
    return 0;
  }
  if (command == "list") return List(dialog);
  if (command == "select" || command == "pick") {
    HWND list = GetDlgItem(dialog, kFolderCombo);
    if (SendMessageW(list, CB_SETCURSEL, number, 0) != number) return 1;
    if (command == "pick")
      PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(kFolderCombo, CBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
    return 0;
  }
  if (command == "ok") {
    PostMessageW(dialog, WM_COMMAND, IDOK, 0);
    return 0;
  }
  return 2;
}
