// Helpers for tests that work on the real file system and registry of the
// test prefix.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

namespace testing_support {

// A fresh, empty folder C:\qwtest\<name>\ that is removed again on
// destruction. path() ends with a backslash.
class ScratchFolder {
 public:
  explicit ScratchFolder(const std::string& name);
  ~ScratchFolder();
  const std::string& path() const { return path_; }

 private:
  std::string path_;
};

void RemoveTree(const std::string& path);
bool FolderExists(const std::string& path);
bool FileExists(const std::string& path);
std::vector<std::string> ListFolder(const std::string& path);  // names, sorted
std::vector<unsigned char> ReadFileBytes(const std::string& path);
void WriteFileBytes(const std::string& path, const std::string& bytes);

// The bytes of a resource of `module`, empty when it is missing.
std::vector<unsigned char> ResourceBytes(HMODULE module, const char* name, const char* type);

// Removes a registry key with everything below it; missing keys are fine.
void DeleteRegistryTree(HKEY hive, const char* subKey);
// Reads one value; false when it does not exist.
bool ReadRegistryValue(HKEY hive, const char* subKey, const char* name, DWORD* type,
                       std::vector<unsigned char>* data);

// The folder that holds the test executable, with a trailing backslash.
std::string TestDirectory();

// Creates a folder and any missing parents; true when it exists afterwards.
bool CreateFolderPath(const std::string& path);

// Creates the key (and its parents) when missing; true on success.
bool CreateRegistryKey(HKEY hive, const char* subKey);
// Stores `data` byte for byte (no NUL is added) under a key that is created
// when missing.
bool WriteRegistryValue(HKEY hive, const char* subKey, const char* name, DWORD type,
                        const std::string& data);
// Stores a REG_SZ with its terminating NUL.
bool WriteRegistryString(HKEY hive, const char* subKey, const char* name, const std::string& text);

}  // namespace testing_support
