// Payload installation. Each RT_PAYLOAD entry is either a file, written into
// the target folder under its decoded name, or a preset block, stored as
// fixed-size binary records in both registry hives.
//
// A file is first written beside its final name and moved into place only
// when it is complete, so a failed write never destroys the copy the user
// already has. Failures are collected for the caller: the dialog must not
// claim an installation that did not happen.
#include "app/payload.h"

#include <cstring>
#include <initializer_list>

#include "app/instance.h"
#include "base/bounded_text.h"
#include "res/resource_ids.h"

char targetFolder[kFolderTextSize];
CandidateFolder exclusionList[kFolderSlotCount];

namespace {

constexpr int kOutputPathSize = 500;
constexpr char kPartialSuffix[] = ".qwpart";

struct PresetKind {
  const char* marker;
  int records;
  DWORD recordSize;
  const char* valuePrefix;
  const char* subKey;
};

const PresetKind kPresetKinds[] = {
    {"PresetsSketchesbin", 12, 64, "Portrait", "Software\\Quenwold\\Penwright"},
    {"PresetsBouquetsbin", 16, 128, "Bouquet", "Software\\Quenwold\\Loomwise"},
    {"PresetsPatternsbin", 12, 128, "Patterns", "Software\\Quenwold\\Loomwise"},
};

// State of one enumeration run.
InstallFailure* runFailure;
bool runFailed;
int runEntries;

void NoteFailure(const char* fileName, DWORD error) {
  if (runFailed) return;  // the first failure is the one reported
  runFailed = true;
  if (runFailure) {
    CopyText(runFailure->fileName, sizeof runFailure->fileName, fileName);
    runFailure->error = error ? error : ERROR_GEN_FAILURE;
  }
}

bool IsAsciiLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }
char AsciiUpper(char c) { return (c >= 'a' && c <= 'z') ? char(c - 'a' + 'A') : c; }
char AsciiLower(char c) { return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c; }

void RemoveAt(char* text, size_t pos, size_t count) {
  std::memmove(text + pos, text + pos + count, std::strlen(text + pos + count) + 1);
}

// Writes the bytes to `path` through a partial file beside it. Returns 0 or
// the system's error code; on failure the partial file is gone and whatever
// stood at `path` before is untouched.
DWORD WriteFileWhole(const char* path, const void* data, DWORD size) {
  char partial[kOutputPathSize];
  CopyText(partial, sizeof partial, path);
  if (!AppendText(partial, sizeof partial, kPartialSuffix)) return ERROR_FILENAME_EXCED_RANGE;

  HANDLE file = CreateFileA(partial, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                            nullptr);
  if (file == INVALID_HANDLE_VALUE) return GetLastError();
  DWORD error = 0;
  DWORD written = 0;
  if (!WriteFile(file, data, size, &written, nullptr))
    error = GetLastError();
  else if (written != size)
    error = ERROR_HANDLE_DISK_FULL;
  if (!CloseHandle(file) && !error) error = GetLastError();
  if (!error && !MoveFileExA(partial, path, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
    error = GetLastError();
  if (error) DeleteFileA(partial);
  return error;
}

}  // namespace

char* DecodePayloadName(char* name) {
  for (char* c = name; *c; ++c) *c = AsciiLower(*c);
  name[0] = AsciiUpper(name[0]);
  size_t length = std::strlen(name);
  if (length < 2) return name;

  for (size_t i = 0; i + 1 < length; ++i) {
    if (name[i] == '_' && name[i + 1] == '_') {
      RemoveAt(name, i, 2);
      length -= 2;
      if (i >= length) break;
      name[i] = AsciiUpper(name[i]);
    }
    if (name[i] == '_') name[i] = ' ';
    if (name[i] == ':') {
      RemoveAt(name, i, 1);  // the character moving in is passed over
      --length;
    } else if (!IsAsciiLetter(name[i]) && name[i] != '\'' && name[i] != '.' && name[i] != '8') {
      name[i + 1] = AsciiUpper(name[i + 1]);
    }
  }
  return name;
}

void AddExclusion(const char* key) {
  for (CandidateFolder& slot : exclusionList) {
    if (slot.path[0] == '\0') {
      CopyText(slot.path, sizeof slot.path, key);
      return;
    }
    // A second installation attempt must not fill the table with the same
    // keys until a deselected component slips through.
    if (std::strcmp(slot.path, key) == 0) return;
  }
}

DWORD WriteSharedSetting(const char* valueName, const char* subKey, const BYTE* data, DWORD size) {
  DWORD error = ERROR_GEN_FAILURE;
  bool stored = false;
  for (HKEY hive : {HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE}) {
    HKEY key;
    LONG status = RegCreateKeyExA(hive, subKey, 0, const_cast<char*>(""), REG_OPTION_NON_VOLATILE,
                                  KEY_ALL_ACCESS, nullptr, &key, nullptr);
    if (status == ERROR_SUCCESS) {
      status = RegSetValueExA(key, valueName, 0, REG_BINARY, data, size);
      RegCloseKey(key);
    }
    if (status == ERROR_SUCCESS)
      stored = true;
    else
      error = DWORD(status);
  }
  return stored ? 0 : error;
}

BOOL CALLBACK PayloadExtractor(HMODULE module, LPCSTR type, LPSTR name, LONG_PTR) {
  if (IS_INTRESOURCE(name)) return TRUE;  // a numeric id names no file
  ++runEntries;

  char decoded[MAX_PATH];
  if (!CopyText(decoded, sizeof decoded, name)) {
    NoteFailure(name, ERROR_FILENAME_EXCED_RANGE);
    return TRUE;
  }
  DecodePayloadName(decoded);

  // Deselected entries are left alone before anything is read: a broken
  // entry that the user did not ask for must not fail the installation.
  for (const CandidateFolder& slot : exclusionList) {
    if (slot.path[0] == '\0') break;
    if (std::strstr(decoded, slot.path)) return TRUE;
  }

  HRSRC found = FindResourceA(module, name, type);
  if (!found) {
    NoteFailure(decoded, GetLastError());
    return TRUE;
  }
  const DWORD size = SizeofResource(module, found);
  if (size == 0) {
    NoteFailure(decoded, ERROR_INVALID_DATA);
    return TRUE;
  }
  HGLOBAL loaded = LoadResource(module, found);
  const BYTE* bytes = loaded ? static_cast<const BYTE*>(LockResource(loaded)) : nullptr;
  if (!bytes) {
    NoteFailure(decoded, GetLastError());
    return TRUE;
  }

  for (const PresetKind& kind : kPresetKinds) {
    if (!std::strstr(decoded, kind.marker)) continue;
    // A short block yields only its whole records.
    const DWORD whole = size / kind.recordSize;
    for (DWORD k = 0; k < DWORD(kind.records) && k < whole; ++k) {
      char number[20];
      char valueName[20];
      wsprintfA(number, "%0.2i", int(k + 1));
      CopyText(valueName, sizeof valueName, kind.valuePrefix);
      AppendText(valueName, sizeof valueName, number);
      // A record that reached neither hive is lost: say so. One hive is
      // enough (a user without administrator rights has only their own).
      DWORD error = WriteSharedSetting(valueName, kind.subKey, bytes + k * kind.recordSize, kind.recordSize);
      if (error) NoteFailure(decoded, error);
    }
    return TRUE;
  }

  char outputPath[kOutputPathSize];
  CopyText(outputPath, sizeof outputPath, targetFolder);
  DWORD error = AppendText(outputPath, sizeof outputPath, decoded)
                    ? WriteFileWhole(outputPath, bytes, size)
                    : ERROR_FILENAME_EXCED_RANGE;
  if (error) NoteFailure(decoded, error);
  return TRUE;
}

bool InstallPayload(const char* folder, const PayloadComponent components[kComponentSlotCount],
                    InstallFailure* failure) {
  if (failure) *failure = InstallFailure();
  if (!CopyText(targetFolder, sizeof targetFolder, folder)) {
    if (failure) {
      failure->folderUnusable = true;
      failure->error = ERROR_FILENAME_EXCED_RANGE;
    }
    return false;
  }
  if (!SetCurrentDirectoryA(targetFolder) && !CreateDirectoryA(targetFolder, nullptr)) {
    if (failure) {
      failure->folderUnusable = true;
      failure->error = GetLastError();
    }
    return false;
  }

  for (int i = 0; components && i < kComponentSlotCount; ++i) {
    if (components[i].present && components[i].value == 0) AddExclusion(components[i].key);
  }

  runFailure = failure;
  runFailed = false;
  runEntries = 0;
  EnumResourceNamesA(appInstance, MAKEINTRESOURCEA(RT_PAYLOAD), PayloadExtractor, 0);
  if (runEntries == 0) NoteFailure("", ERROR_RESOURCE_TYPE_NOT_FOUND);
  runFailure = nullptr;
  return !runFailed;
}
