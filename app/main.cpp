// Start-up: one installer at a time, the dialog, and the teardown.
#include <windows.h>

#include "app/installer_dialog.h"
#include "app/instance.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  // The mutex only marks that an installer exists; it is never waited on.
  HANDLE mutex = CreateMutexA(nullptr, TRUE, " ");
  if (GetLastError() == ERROR_ALREADY_EXISTS) return 0;
  appInstance = instance;

  // Skin: the SkinWindow is created here once the skin exists.

  if (DialogBoxParamA(instance, "main", nullptr, InstallerDialog, 0) != 0) MessageBoxA(nullptr, "E", nullptr, MB_OK);

  // Skin: the SkinWindow is torn down here.

  ReleaseMutex(mutex);
  return 0;
}
