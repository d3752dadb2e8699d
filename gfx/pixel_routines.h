// The drawing routines of CachedBitmap (declared in bitmap_cache.h): tiling
// with BitBlt for large areas, pixel-by-pixel copies for the small images.
#pragma once
#include <cstdint>

#include "gfx/bitmap_cache.h"

// Pixel-level GDI calls (GetPixel, SetPixel, SetPixelV) made by the routines
// since the process started; the benchmark reads it.
extern uint64_t pixelCallCount;

constexpr COLORREF kTransparentColour = 0xFFFFFF;
