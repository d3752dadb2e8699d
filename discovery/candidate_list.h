// The plug-in folders that discovery finds: at most 20, normalised, without
// duplicates, in the order found. The dialog lists the filled slots from the
// first up to the first free one.
#pragma once
#include <cstddef>

#include "base/folder_slot.h"

extern CandidateFolder candidateList[kFolderSlotCount];

// Tests the text for an existing folder, normalises it in place and adds it
// unless it is already listed or the list is full. `capacity` is the size of
// the caller's buffer, which needs room for one more character.
void AddCandidateFolder(char* text, size_t capacity);
