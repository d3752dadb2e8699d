#include "base/bounded_text.h"

bool CopyTextN(char* dst, size_t capacity, const char* src, size_t srcLength) {
  if (capacity == 0) return false;
  size_t n = 0;
  while (n < srcLength && src[n] != '\0' && n + 1 < capacity) {
    dst[n] = src[n];
    ++n;
  }
  dst[n] = '\0';
  return n == srcLength || src[n] == '\0';
}

bool CopyText(char* dst, size_t capacity, const char* src) {
  return CopyTextN(dst, capacity, src, static_cast<size_t>(-1));
}

bool AppendText(char* dst, size_t capacity, const char* src) {
  size_t used = 0;
  while (used < capacity && dst[used] != '\0') ++used;
  if (used == capacity) {  // not terminated: terminate, nothing fits
    if (capacity) dst[capacity - 1] = '\0';
    return false;
  }
  return CopyText(dst + used, capacity - used, src);
}
