// Installing what the executable carries: every RT_PAYLOAD resource is
// written into the chosen folder as a file with its decoded name, or, for
// preset blocks, stored as binary values under the maker's registry keys.
#pragma once
#include <windows.h>
#include "base/folder_slot.h"

constexpr int kComponentSlotCount = 14;
constexpr int kComponentKeySize = 40;  // 39 characters and the NUL

// One installable component as the dialog hands it over.
struct PayloadComponent {
  bool present = false;
  char key[kComponentKeySize] = {};  // in decoded form, e.g. "Tesserella3D"
  int value = 0;                     // 0: deselected
};

// What went wrong first, when InstallPayload returns false.
struct InstallFailure {
  bool folderUnusable = false;  // the folder could be neither entered nor created
  // The decoded name of the first entry that was not installed; empty when
  // the folder was unusable or the executable carries no payload at all.
  char fileName[MAX_PATH] = {};
  DWORD error = 0;  // the system's error code of that failure
};

extern char targetFolder[kFolderTextSize];
extern CandidateFolder exclusionList[kFolderSlotCount];

// Enters or creates `folder` (only its last level), records the keys of the
// deselected components and installs every payload entry. Returns true only
// when every entry was installed. On false, `failure` (when given) says
// what failed first. An unusable folder stops everything; after a failed
// entry the other entries are still tried.
bool InstallPayload(const char* folder, const PayloadComponent components[kComponentSlotCount],
                    InstallFailure* failure);

void AddExclusion(const char* key);

BOOL CALLBACK PayloadExtractor(HMODULE module, LPCSTR type, LPSTR name, LONG_PTR param);

// Turns an upper-case resource name back into the file name, in place.
char* DecodePayloadName(char* name);

// Stores one binary value under subKey in HKEY_CURRENT_USER and then in
// HKEY_LOCAL_MACHINE. Returns 0 when at least one hive took it, otherwise
// the system's error code.
DWORD WriteSharedSetting(const char* valueName, const char* subKey, const BYTE* data, DWORD size);
