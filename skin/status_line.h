// The status line: the strip of the window (the surface's statusRect) where
// the hint of the widget under the pointer is shown. It has no object of
// its own; Widget::ShowHint draws there.
#pragma once
#include <windows.h>

#include <cstddef>
#include <cstdint>

// Colour of hint text; 0 until the dialog sets it.
extern COLORREF statusTextColor;

// The text that `mode` shows of `hint` into `out`: mode 1 the part before
// the first "@" (all of it without one), mode 2 the part after it (nothing
// without one), any other mode nothing.
void HintPart(const char* hint, int32_t mode, char* out, size_t capacity);
