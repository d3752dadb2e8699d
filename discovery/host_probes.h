// Probes for image editors that keep no plug-in folder value under a vendor
// key: the folder of a registered program, and the folder record of a
// settings file.
#pragma once
#include <windows.h>

#include <cstddef>

// Reads the default value of <baseKey>\<subKey> (a program path or an open
// command) and returns `output` holding the program's folder, or null when
// there is none. `output` needs at least 256 characters.
char* ProbeHostFolder(HKEY hive, const char* baseKey, const char* subKey, char* output,
                      size_t outputCapacity);

// Offers the folder of the first valid folder record in the file to the
// candidate list.
void ScanSettingsFile(const char* path);
