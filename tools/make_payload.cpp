// Writes the stand-in filter module that a build embeds when no real one is
// given: a short text saying what the file is, then bytes from a fixed
// xorshift sequence, so every build yields the same file and every byte
// value (NUL, CR, LF, 0x1A among them) occurs in it.
#include <cstdio>
#include <cstdlib>
#include <cstring>

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: make_payload OUTPUT SIZE\n");
    return 2;
  }
  const long size = std::strtol(argv[2], nullptr, 10);
  std::FILE* out = std::fopen(argv[1], "wb");
  if (!out || size < 0) return 1;
  const char header[] =
      "Quenwold stand-in filter module. Not a plug-in: build the installer "
      "with QUENWOLD_PAYLOAD_FILE naming the real .8bf to ship it.\r\n";
  unsigned long state = 0x51E11u;
  for (long i = 0; i < size; ++i) {
    int byte;
    if (i < (long)sizeof header - 1) {
      byte = (unsigned char)header[i];
    } else {
      state ^= (state << 13) & 0xFFFFFFFFu;
      state ^= state >> 17;
      state ^= (state << 5) & 0xFFFFFFFFu;
      byte = (int)(state & 0xFF);
    }
    if (std::fputc(byte, out) == EOF) return 1;
  }
  return std::fclose(out) == 0 ? 0 : 1;
}
