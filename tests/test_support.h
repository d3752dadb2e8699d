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
  // Creates path() + relative with any missing levels; returns its path.
  std::string Folder(const std::string& relative) const;

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

// A 32-bit top-down DIB section selected into its own memory DC: a drawing
// target whose pixels the tests read straight from memory.
class Canvas {
 public:
  Canvas(int width, int height, COLORREF fill);
  ~Canvas();
  Canvas(const Canvas&) = delete;
  Canvas& operator=(const Canvas&) = delete;

  HDC dc() const { return dc_; }
  int width() const { return width_; }
  int height() const { return height_; }
  void Fill(COLORREF colour);
  // The pixel as a COLORREF; 0xFFFFFFFF outside the canvas.
  COLORREF At(int x, int y) const;
  // Copies the canvas-sized area at (x, y) of `source` into the canvas.
  void CopyFrom(HDC source, int x, int y);

 private:
  int width_, height_;
  HDC dc_;
  HBITMAP bitmap_;
  HGDIOBJ previous_;
  unsigned* bits_;
};

// The pixels of a rectangle of a window's client area, read through a DC of
// the window.
void CaptureClient(HWND window, int x, int y, Canvas* canvas);

// GDI objects this process holds now; 0 when the system cannot tell.
DWORD GdiObjectCount();

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
