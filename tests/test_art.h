// The test bitmaps, as formulas. make_test_art writes them as .bmp files for
// the test resource scripts; the tests compute the pixels they expect from
// the same formulas. No Windows types here: the host tool includes it too.
#pragma once
#include <cstdint>

namespace test_art {

// Resource ids of the test bitmaps beyond the skin's own.
constexpr int kGridBitmap = 300;   // 104 x 52: eight 26 x 26 cells, rows of four
constexpr int kSmallBitmap = 32;   // 20 x 10, for the size-encoded id case
constexpr int kWhiteBitmap = 301;  // 8 x 8, pure white

inline uint32_t Rgb(uint32_t r, uint32_t g, uint32_t b) { return (r & 0xFF) | (g & 0xFF) << 8 | (b & 0xFF) << 16; }

constexpr uint32_t kWhite = 0xFFFFFF;
constexpr uint32_t kNearWhite = 0xFEFFFF;  // one step off white in blue

// 500 x 292, every pixel a different colour and none white, so a tile out of
// phase shows.
inline uint32_t Background(int x, int y) {
  return Rgb(x, y, 0x40 | (x >> 8) | ((y >> 8) << 1));
}

// Button faces and the logo: scattered white (transparent) and near-white
// pixels over a colour that depends on the id and the position. The centre
// and the corners are opaque.
inline uint32_t Face(int id, int x, int y) {
  if ((x * 3 + y * 5) % 7 == 0 && x > 0 && y > 0) return kWhite;
  if ((x + 2 * y) % 11 == 3) return kNearWhite;
  return Rgb(0x80 | ((x * 9 + id) & 0x7F), y * 13, id);
}

// 52 x 13: four 13 x 13 squares side by side, each with a 3 x 3 white centre.
inline uint32_t CheckBox(int x, int y) {
  const int square = x / 13, lx = x % 13;
  if (lx >= 5 && lx <= 7 && y >= 5 && y <= 7) return kWhite;
  return Rgb(40 + square * 50, lx * 15, y * 15 + 10);
}

// 104 x 52: cell n at column n mod 4, row n / 4.
inline uint32_t Grid(int x, int y) {
  const int cell = x / 26 + 4 * (y / 26);
  return Rgb(cell * 30 + 10, (x % 26) * 9, (y % 26) * 9 + 1);
}

inline uint32_t Small(int x, int y) { return Rgb(x * 12, y * 25, 0x99); }

}  // namespace test_art
