// The discovery run of the installer dialog's start: the vendor subtree
// scans, then the host probes, all filling the candidate list.
#pragma once

constexpr int kWorkPathSize = 404;

// workPath: the caller's scratch text of kWorkPathSize characters; it holds
// the last probe's text afterwards.
void RunDiscovery(char* workPath);
