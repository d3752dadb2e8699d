// Writes the test bitmaps of test_art.h as 24-bit .bmp files and a 32 x 32
// monochrome hand cursor, into the folder given on the command line.
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "test_art.h"

namespace {

void Put16(std::vector<unsigned char>& out, uint32_t v) {
  out.push_back(v & 0xFF);
  out.push_back((v >> 8) & 0xFF);
}
void Put32(std::vector<unsigned char>& out, uint32_t v) {
  Put16(out, v & 0xFFFF);
  Put16(out, v >> 16);
}

bool WriteFile(const std::string& path, const std::vector<unsigned char>& bytes) {
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (!file) return false;
  const bool ok = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  return std::fclose(file) == 0 && ok;
}

template <typename Pixel>
bool WriteBitmap(const std::string& path, int width, int height, Pixel pixel) {
  const int stride = (width * 3 + 3) & ~3;
  std::vector<unsigned char> out;
  out.push_back('B');
  out.push_back('M');
  Put32(out, 54 + stride * height);
  Put32(out, 0);
  Put32(out, 54);
  Put32(out, 40);
  Put32(out, width);
  Put32(out, height);  // bottom-up
  Put16(out, 1);
  Put16(out, 24);
  for (int i = 0; i < 6; ++i) Put32(out, 0);
  for (int y = height - 1; y >= 0; --y) {
    int written = 0;
    for (int x = 0; x < width; ++x, written += 3) {
      const uint32_t c = pixel(x, y);
      out.push_back((c >> 16) & 0xFF);  // blue
      out.push_back((c >> 8) & 0xFF);
      out.push_back(c & 0xFF);
    }
    for (; written < stride; ++written) out.push_back(0);
  }
  return WriteFile(path, out);
}

// A 32 x 32 cursor: a black block with a white edge, hot spot (13, 10).
bool WriteCursor(const std::string& path) {
  std::vector<unsigned char> out;
  Put16(out, 0);
  Put16(out, 2);  // cursor
  Put16(out, 1);
  out.push_back(32);
  out.push_back(32);
  out.push_back(0);
  out.push_back(0);
  Put16(out, 13);
  Put16(out, 10);
  Put32(out, 40 + 8 + 128 + 128);
  Put32(out, 6 + 16);
  Put32(out, 40);
  Put32(out, 32);
  Put32(out, 64);  // XOR and AND masks
  Put16(out, 1);
  Put16(out, 1);
  for (int i = 0; i < 6; ++i) Put32(out, 0);
  Put32(out, 0x000000);
  Put32(out, 0xFFFFFF);
  for (int y = 31; y >= 0; --y)  // XOR mask: white edge around the block
    for (int byte = 0; byte < 4; ++byte) {
      unsigned bits = 0;
      for (int bit = 0; bit < 8; ++bit) {
        const int x = byte * 8 + bit;
        const bool edge = (x == 8 || x == 23 || y == 4 || y == 27) && x >= 8 && x <= 23 && y >= 4 && y <= 27;
        if (edge) bits |= 0x80u >> bit;
      }
      out.push_back(bits);
    }
  for (int y = 31; y >= 0; --y)  // AND mask: opaque over the block only
    for (int byte = 0; byte < 4; ++byte) {
      unsigned bits = 0;
      for (int bit = 0; bit < 8; ++bit) {
        const int x = byte * 8 + bit;
        if (!(x >= 8 && x <= 23 && y >= 4 && y <= 27)) bits |= 0x80u >> bit;
      }
      out.push_back(bits);
    }
  return WriteFile(path, out);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: make_test_art FOLDER\n");
    return 2;
  }
  const std::string dir = std::string(argv[1]) + "/";
  using namespace test_art;
  auto face = [](int id) { return [id](int x, int y) { return Face(id, x, y); }; };
  bool ok = WriteBitmap(dir + "background.bmp", 500, 292, Background) &&
            WriteBitmap(dir + "exit.bmp", 58, 19, face(203)) &&
            WriteBitmap(dir + "begin.bmp", 60, 19, face(219)) &&
            WriteBitmap(dir + "finish.bmp", 60, 19, face(220)) &&
            WriteBitmap(dir + "logo.bmp", 40, 40, face(213)) &&
            WriteBitmap(dir + "checkbox.bmp", 52, 13, CheckBox) &&
            WriteBitmap(dir + "grid.bmp", 104, 52, Grid) &&
            WriteBitmap(dir + "small.bmp", 20, 10, Small) &&
            WriteBitmap(dir + "white.bmp", 8, 8, [](int, int) { return kWhite; }) &&
            WriteCursor(dir + "hand.cur");
  return ok ? 0 : 1;
}
