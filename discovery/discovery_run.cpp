// Discovery run: the vendor scans come first, so their folders head the list.
#include "discovery/discovery_run.h"

#include <windows.h>

#include "discovery/candidate_list.h"
#include "discovery/host_probes.h"
#include "discovery/path_text.h"
#include "discovery/registry_scan.h"

void RunDiscovery(char* workPath) {
  ScanVendorSubtree("software", "quenwold", "", nullptr, nullptr);
  ScanVendorSubtree("software", "adobe", "photoshop", nullptr, nullptr);
  ScanVendorSubtree("software", "corel", "paint", nullptr, nullptr);
  ScanVendorSubtree("software", "jasc", "paint", nullptr, nullptr);
  ScanVendorSubtree("software", "xara", "xarax", nullptr, nullptr);

  if (ProbeHostFolder(HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths",
                      "fireworks.exe", workPath, kWorkPathSize)) {
    JoinPath(workPath, kWorkPathSize, "plug-ins", nullptr);
    AddCandidateFolder(workPath, kWorkPathSize);
  }
  if (ProbeHostFolder(HKEY_CLASSES_ROOT, "PI3.Image", "shell\\open\\command", workPath, kWorkPathSize)) {
    JoinPath(workPath, kWorkPathSize, "plugin", nullptr);
    AddCandidateFolder(workPath, kWorkPathSize);
  }
  if (ProbeHostFolder(HKEY_CLASSES_ROOT, "PainterFile", "shell\\open\\command", workPath, kWorkPathSize)) {
    JoinPath(workPath, kWorkPathSize, "painter.set", nullptr);
    ScanSettingsFile(workPath);
  }
}
