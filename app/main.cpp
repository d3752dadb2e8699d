#include <windows.h>

#include "app/instance.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  appInstance = instance;
  return 0;
}
