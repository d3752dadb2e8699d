// The one record type of the two 20-slot folder tables: the candidate
// folders that discovery finds and the keys of deselected components.
#pragma once
#include <cstdint>

constexpr int kFolderTextSize = 400;  // 399 characters and the NUL
constexpr int kFolderSlotCount = 20;

struct CandidateFolder {
  char path[kFolderTextSize] = {};  // empty while the slot is free
  int32_t appendMakerFolder = 1;
};
