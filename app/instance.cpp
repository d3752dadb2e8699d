#include "app/instance.h"

HINSTANCE appInstance = GetModuleHandleA(nullptr);
