// The installer's one dialog: the folder list with the browse entry, the
// install command and the completion text.
#pragma once
#include <windows.h>
#include <shlobj.h>

#include "base/folder_slot.h"
#include "discovery/discovery_run.h"

extern int installed;
extern int browsedEntryPresent;
extern int candidateCount;
extern char workPath[kWorkPathSize];
extern BROWSEINFOA browseInfo;

// Window layout, from the 500 x 292 background the window takes.
struct LayoutMetrics {
  int marginX;
  int promptX;
  int promptY;
  int doneTextX;
  int linkX;
  int linkY;
};
extern LayoutMetrics layout;

// Shows the folder browser and puts the chosen folder into `path` (a buffer
// of MAX_PATH characters or more). False when the user cancelled or the
// choice names no file-system folder. Tests replace it; the dialog calls
// the system's folder browser through it.
using FolderBrowser = bool (*)(BROWSEINFOA* info, char* path);
extern FolderBrowser browseForFolder;
bool SystemFolderBrowser(BROWSEINFOA* info, char* path);

INT_PTR CALLBACK InstallerDialog(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
