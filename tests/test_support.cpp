#include "test_support.h"

#include <gtest/gtest.h>

#include <shlwapi.h>

#include <algorithm>

namespace testing_support {

ScratchFolder::ScratchFolder(const std::string& name) : path_("C:\\qwtest\\" + name + "\\") {
  CreateDirectoryA("C:\\qwtest", nullptr);
  RemoveTree(path_);
  CreateDirectoryA(path_.c_str(), nullptr);
}

ScratchFolder::~ScratchFolder() {
  // A folder that is the current directory cannot be removed.
  SetCurrentDirectoryA("C:\\");
  RemoveTree(path_);
}

std::string ScratchFolder::Folder(const std::string& relative) const {
  const std::string path = path_ + relative;
  EXPECT_TRUE(CreateFolderPath(path)) << path;
  return path;
}

void RemoveTree(const std::string& path) {
  std::string base = path;
  if (!base.empty() && base.back() == '\\') base.pop_back();
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA((base + "\\*").c_str(), &found);
  if (search != INVALID_HANDLE_VALUE) {
    do {
      std::string name = found.cFileName;
      if (name == "." || name == "..") continue;
      std::string child = base + "\\" + name;
      if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        RemoveTree(child);
      } else {
        SetFileAttributesA(child.c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileA(child.c_str());
      }
    } while (FindNextFileA(search, &found));
    FindClose(search);
  }
  SetFileAttributesA(base.c_str(), FILE_ATTRIBUTE_NORMAL);
  RemoveDirectoryA(base.c_str());
}

bool FolderExists(const std::string& path) {
  DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool FileExists(const std::string& path) {
  DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::vector<std::string> ListFolder(const std::string& path) {
  std::vector<std::string> names;
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA((path + "*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return names;
  do {
    std::string name = found.cFileName;
    if (name != "." && name != "..") names.push_back(name);
  } while (FindNextFileA(search, &found));
  FindClose(search);
  std::sort(names.begin(), names.end());
  return names;
}

std::vector<unsigned char> ReadFileBytes(const std::string& path) {
  std::vector<unsigned char> bytes;
  HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return bytes;
  DWORD size = GetFileSize(file, nullptr);
  bytes.resize(size);
  DWORD read = 0;
  if (size) ReadFile(file, bytes.data(), size, &read, nullptr);
  bytes.resize(read);
  CloseHandle(file);
  return bytes;
}

void WriteFileBytes(const std::string& path, const std::string& bytes) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return;
  DWORD written = 0;
  WriteFile(file, bytes.data(), DWORD(bytes.size()), &written, nullptr);
  CloseHandle(file);
}

std::vector<unsigned char> ResourceBytes(HMODULE module, const char* name, const char* type) {
  HRSRC found = FindResourceA(module, name, type);
  if (!found) return {};
  DWORD size = SizeofResource(module, found);
  const unsigned char* bytes = static_cast<const unsigned char*>(LockResource(LoadResource(module, found)));
  if (!bytes) return {};
  return std::vector<unsigned char>(bytes, bytes + size);
}

void DeleteRegistryTree(HKEY hive, const char* subKey) { SHDeleteKeyA(hive, subKey); }

bool ReadRegistryValue(HKEY hive, const char* subKey, const char* name, DWORD* type,
                       std::vector<unsigned char>* data) {
  HKEY key;
  if (RegOpenKeyExA(hive, subKey, 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
  DWORD size = 0;
  LONG status = RegQueryValueExA(key, name, nullptr, type, nullptr, &size);
  if (status == ERROR_SUCCESS) {
    data->resize(size);
    status = RegQueryValueExA(key, name, nullptr, type, data->data(), &size);
    data->resize(size);
  }
  RegCloseKey(key);
  return status == ERROR_SUCCESS;
}

std::string TestDirectory() {
  char path[MAX_PATH];
  DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string directory(path, length);
  return directory.substr(0, directory.find_last_of('\\') + 1);
}

Canvas::Canvas(int width, int height, COLORREF fill) : width_(width), height_(height) {
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HDC screen = GetDC(nullptr);
  bitmap_ = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  dc_ = CreateCompatibleDC(screen);
  ReleaseDC(nullptr, screen);
  bits_ = static_cast<unsigned*>(bits);
  previous_ = SelectObject(dc_, bitmap_);
  Fill(fill);
}

Canvas::~Canvas() {
  SelectObject(dc_, previous_);
  DeleteDC(dc_);
  DeleteObject(bitmap_);
}

void Canvas::Fill(COLORREF colour) {
  GdiFlush();
  const unsigned pixel = GetRValue(colour) << 16 | GetGValue(colour) << 8 | GetBValue(colour);
  for (int i = 0; i < width_ * height_; ++i) bits_[i] = pixel;
}

COLORREF Canvas::At(int x, int y) const {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return 0xFFFFFFFF;
  GdiFlush();
  const unsigned pixel = bits_[y * width_ + x];
  return RGB((pixel >> 16) & 0xFF, (pixel >> 8) & 0xFF, pixel & 0xFF);
}

void Canvas::CopyFrom(HDC source, int x, int y) {
  BitBlt(dc_, 0, 0, width_, height_, source, x, y, SRCCOPY);
  GdiFlush();
}

void CaptureClient(HWND window, int x, int y, Canvas* canvas) {
  HDC dc = GetDC(window);
  canvas->CopyFrom(dc, x, y);
  ReleaseDC(window, dc);
}

namespace {

// Wine answers GetGuiResources with 0. Its process-wide GDI handle table,
// reached from the PEB as on Windows, has 24-byte entries with the object
// type at byte 15 (0 when free) and the handle's upper half at bytes 12-13.
// The layout is checked against a brush made for the purpose before the
// table is trusted.
#pragma pack(push, 1)
struct WineGdiEntry {
  unsigned long long object;
  unsigned owner;
  unsigned short unique;
  unsigned char type;
  unsigned char flags;
  unsigned long long user;
};
#pragma pack(pop)

const WineGdiEntry* WineGdiTable() {
#ifdef _WIN64
  return nullptr;
#else
  const char* peb;
  asm("movl %%fs:0x30, %0" : "=r"(peb));
  const WineGdiEntry* table = *reinterpret_cast<const WineGdiEntry* const*>(peb + 0x94);
  if (!table) return nullptr;
  HBRUSH brush = CreateSolidBrush(RGB(1, 2, 3));
  const unsigned handle = unsigned(reinterpret_cast<UINT_PTR>(brush));
  const WineGdiEntry& entry = table[handle & 0xFFFF];
  const bool live = entry.type == 0x10 && entry.unique == handle >> 16;
  DeleteObject(brush);
  return live && entry.type == 0 ? table : nullptr;
#endif
}

}  // namespace

DWORD GdiObjectCount() {
  const DWORD count = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
  if (count) return count;
  const WineGdiEntry* table = WineGdiTable();
  if (!table) return 0;
  DWORD used = 0;
  for (int i = 0; i < 0x10000; ++i) used += table[i].type != 0;
  return used;
}

bool CreateFolderPath(const std::string& path) {
  for (size_t at = path.find('\\', 3); at != std::string::npos; at = path.find('\\', at + 1))
    CreateDirectoryA(path.substr(0, at).c_str(), nullptr);
  CreateDirectoryA(path.c_str(), nullptr);
  return FolderExists(path);
}

namespace {

// Creates the path one level at a time: the platform's ANSI calls refuse a
// long path given whole, and some tests need keys with long paths.
HKEY CreateKeyPath(HKEY hive, const char* subKey) {
  HKEY current = hive;
  std::string rest = subKey;
  while (true) {
    const size_t slash = rest.find('\\');
    const std::string name = rest.substr(0, slash);
    HKEY next;
    LONG status = RegCreateKeyExA(current, name.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS,
                                  nullptr, &next, nullptr);
    if (current != hive) RegCloseKey(current);
    if (status != ERROR_SUCCESS) return nullptr;
    current = next;
    if (slash == std::string::npos) return current;
    rest = rest.substr(slash + 1);
  }
}

}  // namespace

bool CreateRegistryKey(HKEY hive, const char* subKey) {
  HKEY key = CreateKeyPath(hive, subKey);
  if (!key) return false;
  RegCloseKey(key);
  return true;
}

bool WriteRegistryValue(HKEY hive, const char* subKey, const char* name, DWORD type,
                        const std::string& data) {
  HKEY key = CreateKeyPath(hive, subKey);
  if (!key) return false;
  // The platform counts one more byte for a string whose next byte is a NUL;
  // a non-zero byte after the data keeps the stored bytes exact.
  std::string bytes = data + '\xFF';
  LONG status = RegSetValueExA(key, name, 0, type, reinterpret_cast<const BYTE*>(bytes.data()),
                               DWORD(data.size()));
  RegCloseKey(key);
  return status == ERROR_SUCCESS;
}

bool WriteRegistryString(HKEY hive, const char* subKey, const char* name, const std::string& text) {
  return WriteRegistryValue(hive, subKey, name, REG_SZ, std::string(text.c_str(), text.size() + 1));
}


}  // namespace testing_support
