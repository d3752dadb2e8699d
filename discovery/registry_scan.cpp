// Registry scanner of the folder discovery: a depth-first walk over a vendor
// subtree with an explicit stack of saved sub-key indexes and path lengths.
#include "discovery/registry_scan.h"

#include <cstring>
#include <initializer_list>

#include "base/bounded_text.h"
#include "base/folder_slot.h"
#include "discovery/candidate_list.h"
#include "discovery/path_text.h"

int32_t valueCursor;
uint32_t registryOpenCount;

namespace {

// Data capacity announced to the platform: 256 bytes at most, always
// leaving room for the NUL that ends the text at the returned length.
DWORD DataCapacity(size_t capacity) {
  return capacity > kRegistryReadSize ? kRegistryReadSize : DWORD(capacity ? capacity - 1 : 0);
}

// Name capacity in characters, the platform's NUL included.
DWORD NameCapacity(size_t capacity) {
  return capacity > kRegistryReadSize ? kRegistryReadSize : DWORD(capacity);
}

LONG OpenForRead(HKEY hive, const char* keyPath, HKEY* key) {
  ++registryOpenCount;
  return RegOpenKeyExA(hive, keyPath, 0, KEY_READ, key);
}

// Registry strings need not end in a NUL: end them at the returned length.
void TerminateData(char* data, size_t capacity, LONG status, DWORD type, DWORD size) {
  if (status != ERROR_SUCCESS || type != REG_SZ || capacity == 0) {
    if (capacity) data[0] = '\0';
    return;
  }
  data[size < capacity ? size : capacity - 1] = '\0';
}

void TerminateName(char* name, size_t capacity, LONG status, DWORD length) {
  if (capacity == 0) return;
  name[status == ERROR_SUCCESS && length < capacity ? length : 0] = '\0';
}

bool Contains(const char* text, const char* pattern) { return std::strstr(text, pattern) != nullptr; }

// Offers one value to the candidate list when it looks like a plug-in folder.
void ExamineValue(char* path, char* name, char* data, size_t dataCapacity, const char* pathPattern,
                  const char* namePattern, const char* suffix) {
  if (data[0] == '\0') return;
  StripLeadingNonLetters(data);
  if (data[0] == '\0' || data[1] != ':') return;
  LowerAscii(path);
  if (!Contains(path, pathPattern)) return;
  LowerAscii(name);
  const bool plugIn = Contains(path, "plug") || Contains(name, "plug") || Contains(name, "directory1") ||
                      Contains(name, "directory2") || Contains(name, "directory3");
  if (!plugIn) {
    if (!namePattern || !Contains(name, namePattern)) return;
    if (suffix && !AppendText(data, dataCapacity, suffix)) return;
  }
  AddCandidateFolder(data, dataCapacity);
}

}  // namespace

LONG ReadStringValue(HKEY hive, const char* keyPath, const char* valueName, char* output,
                     size_t outputCapacity) {
  HKEY key;
  LONG status = OpenForRead(hive, keyPath, &key);
  if (status != ERROR_SUCCESS) {
    TerminateData(output, outputCapacity, status, REG_NONE, 0);
    return status;
  }
  DWORD type = REG_NONE;
  DWORD size = DataCapacity(outputCapacity);
  status = RegQueryValueExA(key, valueName, nullptr, &type, reinterpret_cast<BYTE*>(output), &size);
  RegCloseKey(key);
  TerminateData(output, outputCapacity, status, type, size);
  return status;
}

LONG ReadNextValue(HKEY hive, const char* keyPath, char* name, size_t nameCapacity, char* data,
                   size_t dataCapacity) {
  HKEY key;
  LONG status = OpenForRead(hive, keyPath, &key);
  if (status != ERROR_SUCCESS) {
    valueCursor = 0;
    TerminateName(name, nameCapacity, status, 0);
    TerminateData(data, dataCapacity, status, REG_NONE, 0);
    return status;
  }
  DWORD nameLength = NameCapacity(nameCapacity);
  DWORD type = REG_NONE;
  DWORD size = DataCapacity(dataCapacity);
  status = RegEnumValueA(key, DWORD(valueCursor), name, &nameLength, nullptr, &type,
                         reinterpret_cast<BYTE*>(data), &size);
  RegCloseKey(key);
  TerminateName(name, nameCapacity, status, nameLength);
  TerminateData(data, dataCapacity, status, type, size);
  ++valueCursor;
  if (status != ERROR_SUCCESS) valueCursor = 0;
  return status;
}

LONG ReadSubKeyName(HKEY hive, const char* keyPath, char* name, size_t nameCapacity, int32_t index) {
  HKEY key;
  LONG status = OpenForRead(hive, keyPath, &key);
  if (status != ERROR_SUCCESS) {
    TerminateName(name, nameCapacity, status, 0);
    return status;
  }
  DWORD nameLength = NameCapacity(nameCapacity);
  FILETIME written;
  status = RegEnumKeyExA(key, DWORD(index), name, &nameLength, nullptr, nullptr, nullptr, &written);
  RegCloseKey(key);
  TerminateName(name, nameCapacity, status, nameLength);
  return status;
}

bool PushLevel(ScanStack& stack, char* path, size_t pathCapacity, const char* name, int32_t* index) {
  if (stack.top + 1 >= kScanStackLevels) return false;
  const size_t length = std::strlen(path);
  if (length + 1 + std::strlen(name) >= pathCapacity) return false;
  ++stack.top;
  stack.savedIndex[stack.top] = *index;
  stack.savedLength[stack.top] = int32_t(length);
  AppendText(path, pathCapacity, "\\");
  AppendText(path, pathCapacity, name);
  *index = 0;
  return true;
}

int32_t PopLevel(ScanStack& stack, char* path) {
  if (stack.top < 0) return -1;
  path[stack.savedLength[stack.top]] = '\0';
  return stack.savedIndex[stack.top--];
}

void ScanVendorSubtree(const char* rootWord, const char* vendorWord, const char* pathPattern,
                       const char* namePattern, const char* suffix) {
  char path[kFolderTextSize];
  char valueName[kFolderTextSize];
  char valueData[kFolderTextSize];
  char subKeyName[kFolderTextSize];

  for (HKEY hive : {HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE, HKEY_USERS}) {
    path[0] = '\0';
    if (hive == HKEY_USERS) CopyText(path, sizeof path, ".default\\");
    AppendText(path, sizeof path, rootWord);
    AppendText(path, sizeof path, "\\");
    if (!AppendText(path, sizeof path, vendorWord)) continue;

    ScanStack stack;
    int32_t index = 0;
    bool readValues = true;
    for (;;) {
      if (readValues) {
        while (ReadNextValue(hive, path, valueName, sizeof valueName, valueData, sizeof valueData) ==
               ERROR_SUCCESS) {
          ExamineValue(path, valueName, valueData, sizeof valueData, pathPattern, namePattern, suffix);
        }
      }
      if (ReadSubKeyName(hive, path, subKeyName, sizeof subKeyName, index) == ERROR_SUCCESS) {
        // A sub-key too deep or with too long a path is passed over.
        readValues = PushLevel(stack, path, sizeof path, subKeyName, &index);
        if (!readValues) ++index;
        continue;
      }
      const int32_t parentIndex = PopLevel(stack, path);
      if (parentIndex < 0) break;
      index = parentIndex + 1;
      readValues = false;
    }
  }
}
