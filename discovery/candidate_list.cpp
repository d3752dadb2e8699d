// Candidate folder list. A folder at or below the maker's own folder is
// recorded as the host folder above it, because the dialog appends the
// maker's folder to every entry but the iGrafx ones.
#include "discovery/candidate_list.h"

#include <windows.h>

#include <cstring>

#include "base/bounded_text.h"
#include "discovery/path_text.h"

CandidateFolder candidateList[kFolderSlotCount];

void AddCandidateFolder(char* text, size_t capacity) {
  if (!TrimToExistingFolder(text)) return;
  LowerAscii(text);
  char* maker = std::strstr(text, "quen");
  if (maker && maker > text && maker[-1] == '\\') *maker = '\0';
  const bool igrafx = std::strstr(text, "igrafx") != nullptr;
  EnsureTrailingBackslash(text, capacity);
  CapitalizeWords(text);

  for (CandidateFolder& slot : candidateList) {
    if (slot.path[0] == '\0') {
      // A folder whose text would be cut names another folder: leave it out.
      if (!CopyText(slot.path, sizeof slot.path, text)) {
        slot.path[0] = '\0';
        return;
      }
      if (igrafx) slot.appendMakerFolder = 0;
      return;
    }
    if (lstrcmpA(slot.path, text) == 0) return;
  }
}
