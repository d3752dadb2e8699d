// The commands that the skin's widgets post to the dialog.
#pragma once
#include <windows.h>

constexpr UINT WM_SKINCOMMAND = WM_USER + 256;

constexpr WPARAM CMD_EXIT = 2;
constexpr WPARAM CMD_HELP = 215;
constexpr WPARAM CMD_BEGIN_INSTALL = 219;
constexpr WPARAM CMD_VISIT_SITE = 1029;
constexpr WPARAM CMD_COMPONENT_CHANGED = 2000;
