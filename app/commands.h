// The command ids that the skin's widgets post to the dialog with
// WM_SKINCOMMAND.
#pragma once
#include <windows.h>

#include "skin/widget.h"  // WM_SKINCOMMAND

constexpr WPARAM CMD_EXIT = 2;
constexpr WPARAM CMD_HELP = 215;
constexpr WPARAM CMD_BEGIN_INSTALL = 219;
constexpr WPARAM CMD_VISIT_SITE = 1029;
constexpr WPARAM CMD_COMPONENT_CHANGED = 2000;
