// Host probes of the folder discovery.
//
// A folder record in a settings file is the byte 0x80, a length byte L, a
// drive path of L characters (letter, colon, backslash, ...) and a zero
// byte. Records may start anywhere; the file is read byte by byte keeping
// only the last four bytes and the record text.
#include "discovery/host_probes.h"

#include <cstdio>
#include <cstring>

#include "base/bounded_text.h"
#include "base/folder_slot.h"
#include "discovery/candidate_list.h"
#include "discovery/path_text.h"
#include "discovery/registry_scan.h"

namespace {

constexpr int kRecordMarker = 0x80;
constexpr size_t kRecordTextLimit = 250;  // a record text has at most 249 characters

bool IsLetterByte(int byte) { return byte > 0 && IsCharAlphaA(static_cast<CHAR>(byte)); }

}  // namespace

char* ProbeHostFolder(HKEY hive, const char* baseKey, const char* subKey, char* output,
                      size_t outputCapacity) {
  char keyPath[kFolderTextSize];
  char value[kFolderTextSize];
  if (!CopyText(keyPath, sizeof keyPath, baseKey) ||
      std::strlen(keyPath) + 1 + std::strlen(subKey) >= sizeof keyPath)
    return nullptr;
  JoinPath(keyPath, sizeof keyPath, subKey, nullptr);
  if (ReadStringValue(hive, keyPath, "", value, sizeof value) != ERROR_SUCCESS) return nullptr;
  CutAfterLast(value, '\\');
  StripLeadingNonLetters(value);
  if (value[0] == '\0' || value[1] != ':') return nullptr;
  if (!CopyText(output, outputCapacity, value)) return nullptr;
  return output;
}

void ScanSettingsFile(const char* path) {
  FILE* file = std::fopen(path, "rb");
  if (!file) return;

  // The four bytes before the current one, oldest first; -1 for none.
  int window[4] = {-1, -1, -1, -1};
  char text[kFolderTextSize];  // room beyond the record limit for the list's backslash
  int byte;
  while ((byte = std::fgetc(file)) != EOF) {
    const bool recordStarts = window[0] == kRecordMarker && IsLetterByte(window[2]) && window[3] == ':' &&
                              byte == '\\';
    if (!recordStarts) {
      window[0] = window[1];
      window[1] = window[2];
      window[2] = window[3];
      window[3] = byte;
      continue;
    }
    const size_t declaredLength = size_t(window[1]);
    text[0] = char(window[2]);
    text[1] = ':';
    text[2] = '\\';
    size_t length = 3;
    int last;
    for (;;) {
      last = std::fgetc(file);
      if (last == EOF) {
        std::fclose(file);
        return;
      }
      if (last == 0) {
        text[length] = '\0';
        if (length == declaredLength) {
          AddCandidateFolder(text, sizeof text);
          std::fclose(file);
          return;
        }
        break;
      }
      text[length++] = char(last);
      if (length >= kRecordTextLimit) break;
    }
    // Of a rejected record only its last byte may start the next one.
    window[0] = window[1] = window[2] = -1;
    window[3] = last;
  }
  std::fclose(file);
}
