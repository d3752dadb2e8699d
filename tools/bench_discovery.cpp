// Discovery benchmark, run under Wine by tools/bench_discovery.sh.
//
// Seeds a synthetic vendor subtree under HKEY_CURRENT_USER\Software\Adobe
// (keys at depths 1 to 10, a few values per key, some of them plug-in
// folder values below "Photoshop" keys), runs the full discovery and, for
// comparison, a walk over the same tree that keeps its key handles open,
// then removes the tree and its folders again.
//
//   bench_discovery.exe [keys] [values]    (default 10000 30000)
#include <windows.h>
#include <shlwapi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "discovery/candidate_list.h"
#include "discovery/discovery_run.h"
#include "discovery/registry_scan.h"

namespace {

const char kVendorKey[] = "Software\\Adobe";
const char kFolderRoot[] = "C:\\qwbench";
constexpr int kMaxDepth = 10;
constexpr int kTopKeys = 20;
constexpr int kExistingFolders = 12;

struct Rng {
  unsigned state = 12345u;
  unsigned Next() {
    state = state * 1103515245u + 12345u;
    return state >> 8;
  }
  int Below(int n) { return int(Next() % unsigned(n)); }
};

struct SeedKey {
  int parent;  // -1: the vendor key
  int depth;
  bool photoshop;
  std::string name;
};

double Seconds(const LARGE_INTEGER& from, const LARGE_INTEGER& to) {
  LARGE_INTEGER frequency;
  QueryPerformanceFrequency(&frequency);
  return double(to.QuadPart - from.QuadPart) / double(frequency.QuadPart);
}

// Builds the tree; returns the number of values that pass the scanner's
// test (a plug-in value name below a "Photoshop" key).
int Seed(int keyCount, int valueCount, int* maxDepthSeen) {
  Rng rng;
  std::vector<SeedKey> keys;
  std::vector<int> open;  // keys that may still get children
  keys.reserve(keyCount);
  for (int i = 0; i < keyCount; ++i) {
    SeedKey key;
    if (i < kTopKeys) {
      key.parent = -1;
      key.depth = 1;
      key.photoshop = i % 2 == 0;
      key.name = (key.photoshop ? "Photoshop " : "Common ") + std::to_string(i / 2 + 1);
    } else {
      const int parent = open[rng.Below(int(open.size()))];
      key.parent = parent;
      key.depth = keys[parent].depth + 1;
      key.photoshop = keys[parent].photoshop;
      key.name = "Key" + std::to_string(i);
    }
    if (key.depth < kMaxDepth) open.push_back(i);
    keys.push_back(key);
  }

  CreateDirectoryA(kFolderRoot, nullptr);
  for (int f = 0; f < kExistingFolders; ++f)
    CreateDirectoryA((std::string(kFolderRoot) + "\\Plugins" + std::to_string(f)).c_str(), nullptr);

  HKEY vendor;
  if (RegCreateKeyExA(HKEY_CURRENT_USER, kVendorKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &vendor, nullptr))
    return -1;
  std::vector<HKEY> handles(keys.size());
  for (size_t i = 0; i < keys.size(); ++i) {
    const HKEY parent = keys[i].parent < 0 ? vendor : handles[keys[i].parent];
    if (RegCreateKeyExA(parent, keys[i].name.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &handles[i],
                        nullptr))
      return -1;
  }

  int accepted = 0;
  *maxDepthSeen = 0;
  for (int v = 0; v < valueCount; ++v) {
    const int k = v % keyCount;
    const int slot = v / keyCount;
    *maxDepthSeen = std::max(*maxDepthSeen, keys[k].depth);
    std::string name = "Setting" + std::to_string(slot);
    std::string data;
    DWORD type = REG_SZ;
    switch (rng.Below(50)) {
      case 0:  // a plug-in folder value: some exist, most do not
        name = "PluginPath" + std::to_string(slot);
        data = std::string(kFolderRoot) + "\\Plugins" + std::to_string(rng.Below(kExistingFolders * 20));
        if (keys[k].photoshop) ++accepted;
        break;
      case 1:
      case 2:
      case 3:
      case 4:
        type = REG_DWORD;
        data = std::string("\x01\x00\x00\x00", 4);
        break;
      case 5:
      case 6:
      case 7:
      case 8:
      case 9:
      case 10:
        data = "C:\\Program Files\\Vendor\\Application " + std::to_string(v) + "\\bin";
        break;
      default:
        data = "Preference value number " + std::to_string(v);
    }
    if (type == REG_SZ) data.push_back('\0');
    if (RegSetValueExA(handles[k], name.c_str(), 0, type, reinterpret_cast<const BYTE*>(data.data()),
                       DWORD(data.size())))
      return -1;
  }
  for (HKEY handle : handles) RegCloseKey(handle);
  RegCloseKey(vendor);
  return accepted;
}

struct HandleWalk {
  unsigned opens = 0;
  unsigned keys = 0;
  unsigned values = 0;
};

// Depth first, each key's handle held while its sub-keys are walked.
void WalkOpen(HKEY key, HandleWalk& walk) {
  ++walk.keys;
  char name[kFolderTextSize];
  char data[kFolderTextSize];
  for (DWORD i = 0;; ++i) {
    DWORD nameLength = 256;
    DWORD size = 256;
    DWORD type;
    if (RegEnumValueA(key, i, name, &nameLength, nullptr, &type, reinterpret_cast<BYTE*>(data), &size)) break;
    ++walk.values;
  }
  for (DWORD i = 0;; ++i) {
    DWORD nameLength = 256;
    if (RegEnumKeyExA(key, i, name, &nameLength, nullptr, nullptr, nullptr, nullptr)) break;
    HKEY child;
    ++walk.opens;
    if (RegOpenKeyExA(key, name, 0, KEY_READ, &child)) continue;
    WalkOpen(child, walk);
    RegCloseKey(child);
  }
}

void Clean() {
  SHDeleteKeyA(HKEY_CURRENT_USER, kVendorKey);
  for (int f = 0; f < kExistingFolders; ++f)
    RemoveDirectoryA((std::string(kFolderRoot) + "\\Plugins" + std::to_string(f)).c_str());
  RemoveDirectoryA(kFolderRoot);
}

}  // namespace

int main(int argc, char** argv) {
  const int keyCount = argc > 1 ? std::atoi(argv[1]) : 10000;
  const int valueCount = argc > 2 ? std::atoi(argv[2]) : 30000;
  if (keyCount < kTopKeys || valueCount < 0) {
    std::fprintf(stderr, "usage: bench_discovery [keys >= %d] [values]\n", kTopKeys);
    return 2;
  }
  HKEY existing;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, kVendorKey, 0, KEY_READ, &existing) == ERROR_SUCCESS) {
    RegCloseKey(existing);
    std::fprintf(stderr, "HKEY_CURRENT_USER\\%s exists already; not touching it\n", kVendorKey);
    return 1;
  }

  LARGE_INTEGER t0, t1;
  int maxDepth = 0;
  QueryPerformanceCounter(&t0);
  const int accepted = Seed(keyCount, valueCount, &maxDepth);
  QueryPerformanceCounter(&t1);
  if (accepted < 0) {
    std::fprintf(stderr, "seeding failed\n");
    Clean();
    return 1;
  }
  std::printf("tree: %d keys, %d values, depths 1 to %d, %d plug-in values that pass the scan test\n", keyCount,
              valueCount, maxDepth, accepted);
  std::printf("seeding: %.2f s\n", Seconds(t0, t1));

  // Best of three runs each, the first run of each kind warming the caches.
  double discoveryBest = 1e9, walkBest = 1e9;
  unsigned discoveryOpens = 0;
  int listed = 0;
  HandleWalk walk;
  for (int round = 0; round < 3; ++round) {
    for (CandidateFolder& slot : candidateList) slot = CandidateFolder();
    char workPath[kWorkPathSize];
    const uint32_t opensBefore = registryOpenCount;
    QueryPerformanceCounter(&t0);
    RunDiscovery(workPath);
    QueryPerformanceCounter(&t1);
    discoveryBest = std::min(discoveryBest, Seconds(t0, t1));
    discoveryOpens = registryOpenCount - opensBefore;
    listed = 0;
    while (listed < kFolderSlotCount && candidateList[listed].path[0]) ++listed;

    walk = HandleWalk();
    QueryPerformanceCounter(&t0);
    HKEY vendor;
    ++walk.opens;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, kVendorKey, 0, KEY_READ, &vendor) == ERROR_SUCCESS) {
      WalkOpen(vendor, walk);
      RegCloseKey(vendor);
    }
    QueryPerformanceCounter(&t1);
    walkBest = std::min(walkBest, Seconds(t0, t1));
  }
  Clean();

  std::printf("discovery run (one open per read): %u registry opens, %.3f s, %d folders listed\n", discoveryOpens,
              discoveryBest, listed);
  std::printf("walk with open handles:            %u registry opens, %.3f s, %u keys, %u values read\n", walk.opens,
              walkBest, walk.keys - 1, walk.values);
  std::printf("ratio discovery / open-handle walk: time %.2f, opens %.2f\n", discoveryBest / walkBest,
              double(discoveryOpens) / double(walk.opens));
  return 0;
}
