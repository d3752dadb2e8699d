// Registry readers and the walk of one vendor subtree. Every read opens its
// key anew by full path and closes it again, so the walk holds only texts
// and integers between reads.
#pragma once
#include <windows.h>

#include <cstddef>
#include <cstdint>

constexpr int kScanStackSlots = 20;
constexpr int kScanStackLevels = 19;  // levels that may be held at once
constexpr DWORD kRegistryReadSize = 256;

struct ScanStack {
  int32_t top = -1;
  int32_t savedIndex[kScanStackSlots] = {};
  int32_t savedLength[kScanStackSlots] = {};
};

// Index of the next value ReadNextValue reads; back at 0 whenever a value
// walk has ended.
extern int32_t valueCursor;
// Keys opened by the readers since program start (for measurements).
extern uint32_t registryOpenCount;

// The readers return the platform's status: 0, the open's error, or the
// read's status. Text results are always terminated inside their buffer and
// are empty for data that is not REG_SZ or could not be read.
LONG ReadStringValue(HKEY hive, const char* keyPath, const char* valueName, char* output,
                     size_t outputCapacity);
LONG ReadNextValue(HKEY hive, const char* keyPath, char* name, size_t nameCapacity, char* data,
                   size_t dataCapacity);
LONG ReadSubKeyName(HKEY hive, const char* keyPath, char* name, size_t nameCapacity, int32_t index);

// Enters sub-key `name`: saves *index and the path's length, appends
// "\name" and sets *index to 0. Refused, with nothing changed, when 19 levels
// are held or the longer path would not fit in `pathCapacity`.
bool PushLevel(ScanStack& stack, char* path, size_t pathCapacity, const char* name, int32_t* index);
// Returns to the parent: the saved index, or -1 when the stack is empty.
int32_t PopLevel(ScanStack& stack, char* path);

// Walks <root>\<vendor> in HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE and
// HKEY_USERS\.default and offers every value that looks like a plug-in folder
// to the candidate list. The patterns are lower-case; namePattern and suffix
// may be null.
void ScanVendorSubtree(const char* rootWord, const char* vendorWord, const char* pathPattern,
                       const char* namePattern, const char* suffix);
