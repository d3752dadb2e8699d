// Helpers for the discovery tests: the candidate list as plain values.
#pragma once
#include <ostream>
#include <string>
#include <vector>

#include "discovery/candidate_list.h"

namespace testing_support {

struct Listed {
  std::string path;
  int appendMakerFolder;
  bool operator==(const Listed& other) const {
    return path == other.path && appendMakerFolder == other.appendMakerFolder;
  }
};

inline std::ostream& operator<<(std::ostream& out, const Listed& entry) {
  return out << '{' << entry.path << ", " << entry.appendMakerFolder << '}';
}

inline void ResetCandidateList() {
  for (CandidateFolder& slot : candidateList) slot = CandidateFolder();
}

// The filled slots, read the way the dialog reads them. Slots after the
// first free one must be untouched.
inline std::vector<Listed> ListedCandidates() {
  std::vector<Listed> listed;
  int i = 0;
  for (; i < kFolderSlotCount && candidateList[i].path[0]; ++i)
    listed.push_back({candidateList[i].path, int(candidateList[i].appendMakerFolder)});
  for (; i < kFolderSlotCount; ++i) {
    if (candidateList[i].path[0] || candidateList[i].appendMakerFolder != 1)
      listed.push_back({"<slot after a free one is in use>", -1});
  }
  return listed;
}

}  // namespace testing_support
