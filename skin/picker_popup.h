// The picker popup of a grid state button: a small modal popup without
// caption that shows every state in a grid of four columns; the cell
// clicked becomes the button's state. One popup at a time.
#pragma once
#include <windows.h>

#include <cstdint>

#include "skin/state_button.h"

constexpr int kPickerWidth = 198;
constexpr int kPickerCellWidth = 44;
constexpr int kPickerCellHeight = 36;

extern StateButton* pickerButton;
extern SkinSurface* pickerSurface;
extern int32_t pickerWidth;
extern int32_t pickerHeight;
// lParam of the left-button release that closed the popup; 0 without one.
extern LPARAM pickerClick;

// The popup's in-memory dialog template: a bordered popup with no items,
// placed and sized by PickerProc.
const DLGTEMPLATE* BuildPickerTemplate();
INT_PTR CALLBACK PickerProc(HWND popup, UINT message, WPARAM wParam, LPARAM lParam);
