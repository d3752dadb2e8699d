// The executable's module handle, set by WinMain; every resource lookup
// (payload, bitmaps, dialog template) goes through it.
#pragma once
#include <windows.h>

extern HINSTANCE appInstance;
