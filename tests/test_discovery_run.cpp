// The whole discovery run against a registry and folders prepared the way
// image editors leave them. Uses the fixed vendor and host keys: runs
// serially.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "discovery/discovery_run.h"
#include "discovery/registry_scan.h"
#include "discovery_support.h"
#include "test_support.h"

using namespace testing_support;

namespace {

const char* const kVendors[] = {"quenwold", "adobe", "corel", "jasc", "xara"};
const char kFireworks[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\fireworks.exe";

void DeleteDiscoveryKeys() {
  for (const char* vendor : kVendors) {
    const std::string key = std::string("software\\") + vendor;
    DeleteRegistryTree(HKEY_CURRENT_USER, key.c_str());
    DeleteRegistryTree(HKEY_LOCAL_MACHINE, key.c_str());
    DeleteRegistryTree(HKEY_USERS, (".default\\" + key).c_str());
  }
  DeleteRegistryTree(HKEY_LOCAL_MACHINE, kFireworks);
  DeleteRegistryTree(HKEY_CLASSES_ROOT, "PI3.Image");
  DeleteRegistryTree(HKEY_CLASSES_ROOT, "PainterFile");
}

std::string Record(const std::string& text) {
  return std::string("\x80", 1) + char(text.size()) + text + std::string(1, '\0');
}

class DiscoveryRunTest : public ::testing::Test {
 protected:
  void SetUp() override {
    DeleteDiscoveryKeys();
    ResetCandidateList();
    std::memset(workPath, '#', sizeof workPath);
  }
  void TearDown() override {
    DeleteDiscoveryKeys();
    ResetCandidateList();
  }
  void Run() {
    workPath[0] = '\0';
    RunDiscovery(workPath);
    EXPECT_EQ(std::string(workPath + kWorkPathSize, 8), std::string(8, '#'));
    EXPECT_EQ(valueCursor, 0);
  }

  ScratchFolder scratch{"run"};
  const std::string listed = "C:\\Qwtest\\Run\\";
  char workPath[kWorkPathSize + 8];
};

TEST_F(DiscoveryRunTest, NothingRegisteredFindsNothing) {
  Run();
  EXPECT_TRUE(ListedCandidates().empty());
}

TEST_F(DiscoveryRunTest, FindsTheEditorsFoldersInOrder) {
  const std::string s = scratch.path();
  scratch.Folder("PS\\Plug-Ins\\Quenwold");
  WriteRegistryString(HKEY_CURRENT_USER, "Software\\Quenwold\\Tesserella", "PluginDir", s + "PS\\Plug-Ins\\Quenwold");
  WriteRegistryString(HKEY_LOCAL_MACHINE, "Software\\Quenwold\\Hosts\\iGrafx", "Plugins", scratch.Folder("iGrafx\\Plugins"));
  WriteRegistryString(HKEY_LOCAL_MACHINE, "Software\\Quenwold\\Setup", "InstallDir", scratch.Folder("Setup"));

  WriteRegistryString(HKEY_LOCAL_MACHINE, "Software\\Adobe\\Photoshop\\9.0", "PluginPath", s + "PS\\Plug-Ins");
  WriteRegistryString(HKEY_LOCAL_MACHINE, "Software\\Adobe\\Photoshop\\10.0", "PluginPath",
                      scratch.Folder("PS10\\Plug-Ins") + "\\");
  WriteRegistryString(HKEY_LOCAL_MACHINE, "Software\\Adobe\\Photoshop\\10.0", "ApplicationPath", scratch.Folder("PS10"));
  WriteRegistryString(HKEY_LOCAL_MACHINE, "Software\\Adobe\\Illustrator\\10", "PluginsDir",
                      scratch.Folder("Illustrator\\Plug-ins"));
  WriteRegistryString(HKEY_LOCAL_MACHINE, "Software\\Corel\\Paint Shop Pro\\8", "Directory1", scratch.Folder("PSP8\\Plugins"));
  WriteRegistryString(HKEY_CURRENT_USER, "Software\\Jasc\\Paint Shop Pro\\7\\Filters", "Directory2",
                      "\"" + scratch.Folder("PSP7\\Filters") + "\"");
  WriteRegistryString(HKEY_USERS, ".DEFAULT\\Software\\Xara\\XaraX\\Plugins", "Path", scratch.Folder("XaraX\\Plug-ins"));
  WriteRegistryString(HKEY_CURRENT_USER, "Software\\Xara\\Xara Webstyle", "PluginPath", scratch.Folder("Webstyle"));

  scratch.Folder("Fireworks\\Plug-Ins");
  WriteRegistryString(HKEY_LOCAL_MACHINE, kFireworks, "", s + "Fireworks\\Fireworks.exe");
  scratch.Folder("PhotoImpact");  // has no plug-in folder of its own
  WriteRegistryString(HKEY_CLASSES_ROOT, "PI3.Image\\shell\\open\\command", "",
                      "\"" + s + "PhotoImpact\\iedit.exe\" \"%1\"");
  WriteRegistryString(HKEY_CLASSES_ROOT, "PainterFile\\shell\\open\\command", "",
                      s + "Painter\\Painter.exe \"%1\"");
  WriteFileBytes(scratch.Folder("Painter") + "\\painter.set",
                 std::string("PSET\x01\x80", 6) + Record(scratch.Folder("Painter\\Plugins")) + Record(scratch.Folder("Other")));

  Run();
  EXPECT_EQ(ListedCandidates(), (std::vector<Listed>{
                                    {listed + "Ps\\Plug-Ins\\", 1},
                                    {listed + "Igrafx\\Plugins\\", 0},
                                    {listed + "Ps10\\Plug-Ins\\", 1},
                                    {listed + "Psp8\\Plugins\\", 1},
                                    {listed + "Psp7\\Filters\\", 1},
                                    {listed + "Xarax\\Plug-Ins\\", 1},
                                    {listed + "Fireworks\\Plug-Ins\\", 1},
                                    {listed + "Photoimpact\\", 1},
                                    {listed + "Painter\\Plugins\\", 1},
                                }));
}

// Hostile contents under the keys the installer reads change nothing but
// the list, and the list gets only what names a real folder.
TEST_F(DiscoveryRunTest, HostileContentsOnlyAffectTheList) {
  const std::string s = scratch.path();
  const char* key = "Software\\Adobe\\Photoshop\\Plugins";
  WriteRegistryValue(HKEY_CURRENT_USER, key, "a", REG_SZ, "C:" + std::string(254, '\\'));
  WriteRegistryValue(HKEY_CURRENT_USER, key, "b", REG_SZ, std::string(256, '\xFC'));
  WriteRegistryValue(HKEY_CURRENT_USER, key, "c", REG_SZ, std::string(255, ' ') + "C");
  WriteRegistryValue(HKEY_CURRENT_USER, key, "d", REG_MULTI_SZ, std::string("C:\\\0D:\\\0\0", 9));
  WriteRegistryValue(HKEY_CURRENT_USER, key, "e", REG_DWORD, std::string("\x43\x3A\x5C\x00", 4));
  WriteRegistryValue(HKEY_CURRENT_USER, key, "f", REG_SZ, std::string("\0C:\\x", 5));
  WriteRegistryString(HKEY_CURRENT_USER, key, "g", std::string(100, '"') + scratch.Folder("Real") + std::string(40, '"'));
  std::string deep = "Software\\Adobe\\Photoshop";
  for (int level = 0; level < 40; ++level) deep += "\\" + std::string(6, char('a' + level % 26));
  WriteRegistryString(HKEY_CURRENT_USER, deep.c_str(), "plugin", scratch.Folder("Deep"));
  WriteRegistryString(HKEY_LOCAL_MACHINE, kFireworks, "", "C:" + std::string(250, '\\'));
  WriteRegistryValue(HKEY_CLASSES_ROOT, "PI3.Image\\shell\\open\\command", "", REG_SZ, std::string(256, 'C'));
  WriteRegistryString(HKEY_CLASSES_ROOT, "PainterFile\\shell\\open\\command", "", s + "Painter\\p.exe");
  std::string settings;
  for (int i = 0; i < 2000; ++i) settings += std::string("\x80\xFF" "C:\\", 5) + std::string(300, 'x');
  WriteFileBytes(scratch.Folder("Painter") + "\\painter.set", settings);

  Run();
  EXPECT_EQ(ListedCandidates(), (std::vector<Listed>{{listed + "Real\\", 1}}));
}

}  // namespace
