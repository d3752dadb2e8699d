// Path text utilities of the folder discovery.
#include "discovery/path_text.h"

#include <windows.h>

#include <cstring>

#include "base/bounded_text.h"

namespace {

constexpr size_t kStripLimit = 390;

bool IsLetter(char c) { return c != '\0' && IsCharAlphaA(c); }

}  // namespace

void LowerAscii(char* text) {
  for (char* c = text; *c; ++c) {
    if (*c >= 'A' && *c <= 'Z') *c = char(*c - 'A' + 'a');
  }
}

void CapitalizeWords(char* text) {
  LowerAscii(text);
  if (text[0] == '\0') return;
  // CharUpperA converts a single character when given it in the low word.
  text[0] = char(LOWORD(reinterpret_cast<UINT_PTR>(
      CharUpperA(reinterpret_cast<LPSTR>(static_cast<UINT_PTR>(static_cast<unsigned char>(text[0])))))));
  for (size_t i = 0; text[i] != '\0' && text[i + 1] != '\0'; ++i) {
    const char next = text[i + 1];
    if (!IsLetter(text[i]) && next >= 'a' && next <= 'z') text[i + 1] = char(next - 'a' + 'A');
  }
}

char* EnsureTrailingBackslash(char* text, size_t capacity) {
  const size_t length = std::strlen(text);
  if (length == 0 || text[length - 1] != '\\') AppendText(text, capacity, "\\");
  return text;
}

char* StripLeadingNonLetters(char* text) {
  if (IsLetter(text[0])) return text;
  size_t length = std::strlen(text);
  if (length > kStripLimit) {
    text[kStripLimit] = '\0';
    length = kStripLimit;
  }
  size_t first = 1;
  while (first < length && !IsLetter(text[first])) ++first;
  if (first >= length) {
    text[0] = '\0';
  } else {
    std::memmove(text, text + first, length - first + 1);
  }
  return text;
}

char* CutAfterLast(char* text, char mark) {
  const size_t length = std::strlen(text);
  for (size_t i = length >= 2 ? length - 2 : 0; i >= 1; --i) {
    if (text[i] == mark) {
      text[i + 1] = '\0';
      break;
    }
  }
  return text;
}

char* JoinPath(char* destination, size_t capacity, const char* name, const char* base) {
  if (base) CopyText(destination, capacity, base);
  EnsureTrailingBackslash(destination, capacity);
  AppendText(destination, capacity, name);
  return destination;
}

namespace {

// True when the current directory is a drive root such as C:\ .
bool InDriveRoot() {
  char current[MAX_PATH];
  const DWORD length = GetCurrentDirectoryA(sizeof current, current);
  return length == 3 && current[1] == ':' && current[2] == '\\';
}

}  // namespace

bool TrimToExistingFolder(char* path) {
  size_t length = std::strlen(path);
  if (length > 0 && path[length - 1] == '\\') path[--length] = '\0';
  // A drive root is never taken for a plug-in folder: not C:\ , which is too
  // short to be tried, and not a longer text that names it (C:\\\ or C:\..).
  while (length >= 4) {
    if (SetCurrentDirectoryA(path) && !InDriveRoot()) return true;
    if (path[length - 1] == '\\') return false;
    path[--length] = '\0';
  }
  return false;
}
