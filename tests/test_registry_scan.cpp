// Registry readers and the vendor subtree walk against the real registry of
// the test prefix. Uses the fixed vendor keys: runs serially.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "discovery/registry_scan.h"
#include "discovery_support.h"
#include "test_support.h"

using namespace testing_support;

namespace {

const char kAdobe[] = "software\\adobe";
const char kQuenwold[] = "software\\quenwold";
const char kDefaultAdobe[] = ".default\\software\\adobe";
// A vendor word of the tests' own, walked with the same scanner.
const char kTestVendor[] = "software\\qwtestvendor";
const char kDefaultTestVendor[] = ".default\\software\\qwtestvendor";

void DeleteVendorKeys() {
  for (HKEY hive : {HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE}) {
    DeleteRegistryTree(hive, kAdobe);
    DeleteRegistryTree(hive, kQuenwold);
    DeleteRegistryTree(hive, kTestVendor);
  }
  DeleteRegistryTree(HKEY_USERS, kDefaultAdobe);
  DeleteRegistryTree(HKEY_USERS, ".default\\software\\quenwold");
  DeleteRegistryTree(HKEY_USERS, kDefaultTestVendor);
  DeleteRegistryTree(HKEY_USERS, "QwTestProfile");
}

class RegistryTest : public ::testing::Test {
 protected:
  void SetUp() override {
    DeleteVendorKeys();
    ResetCandidateList();
  }
  void TearDown() override {
    DeleteVendorKeys();
    ResetCandidateList();
  }
  void ScanTestVendor(const char* pathPattern = "") {
    ScanVendorSubtree("software", "qwtestvendor", pathPattern, nullptr, nullptr);
  }
  // The scratch folder C:\qwtest\scan\ as the list holds it.
  const std::string listed = "C:\\Qwtest\\Scan\\";
  ScratchFolder scratch{"scan"};
};

TEST_F(RegistryTest, StringReaderEndsTheTextAtTheReturnedLength) {
  const std::string key = std::string(kTestVendor) + "\\Reader";
  const std::string full(256, 'x');  // fills the reader's capacity, no NUL
  WriteRegistryValue(HKEY_CURRENT_USER, key.c_str(), "full", REG_SZ, full);
  WriteRegistryValue(HKEY_CURRENT_USER, key.c_str(), "short", REG_SZ, "abc");  // no NUL either
  WriteRegistryValue(HKEY_CURRENT_USER, key.c_str(), "expand", REG_EXPAND_SZ, std::string("C:\\x", 5));
  WriteRegistryValue(HKEY_CURRENT_USER, key.c_str(), "large", REG_SZ, std::string(300, 'y') + '\0');
  WriteRegistryString(HKEY_CURRENT_USER, key.c_str(), "", "C:\\Default");

  char output[kFolderTextSize];
  std::memset(output, '#', sizeof output);
  EXPECT_EQ(ReadStringValue(HKEY_CURRENT_USER, key.c_str(), "full", output, sizeof output), ERROR_SUCCESS);
  EXPECT_EQ(std::string(output), full);
  // Nothing of the longer text read before may show through.
  EXPECT_EQ(ReadStringValue(HKEY_CURRENT_USER, key.c_str(), "short", output, sizeof output), ERROR_SUCCESS);
  EXPECT_STREQ(output, "abc");
  EXPECT_EQ(ReadStringValue(HKEY_CURRENT_USER, key.c_str(), "", output, sizeof output), ERROR_SUCCESS);
  EXPECT_STREQ(output, "C:\\Default");
  EXPECT_EQ(ReadStringValue(HKEY_CURRENT_USER, key.c_str(), "expand", output, sizeof output), ERROR_SUCCESS);
  EXPECT_STREQ(output, "");
  EXPECT_EQ(ReadStringValue(HKEY_CURRENT_USER, key.c_str(), "large", output, sizeof output), ERROR_MORE_DATA);
  EXPECT_STREQ(output, "");
  EXPECT_EQ(ReadStringValue(HKEY_CURRENT_USER, "software\\qwtestvendor\\Missing", "", output, sizeof output),
            ERROR_FILE_NOT_FOUND);
  EXPECT_STREQ(output, "");

  // A small buffer is never overrun.
  char small[12];
  std::memset(small, '#', sizeof small);
  ReadStringValue(HKEY_CURRENT_USER, key.c_str(), "full", small, 8);
  EXPECT_EQ(std::string(small + 8, 4), "####");
  EXPECT_LT(std::strlen(small), 8u);
}

TEST_F(RegistryTest, ValueReaderMovesItsCursorAndResetsItAtTheEnd) {
  const std::string key = std::string(kTestVendor) + "\\Values";
  WriteRegistryString(HKEY_CURRENT_USER, key.c_str(), "a-first", "C:\\One");
  WriteRegistryValue(HKEY_CURRENT_USER, key.c_str(), "b-second", REG_SZ, std::string(256, 'z'));
  WriteRegistryValue(HKEY_CURRENT_USER, key.c_str(), "c-third", REG_SZ, "C:");  // no NUL

  char name[kFolderTextSize];
  char data[kFolderTextSize];
  ASSERT_EQ(valueCursor, 0);
  EXPECT_EQ(ReadNextValue(HKEY_CURRENT_USER, key.c_str(), name, sizeof name, data, sizeof data), ERROR_SUCCESS);
  EXPECT_STREQ(name, "a-first");
  EXPECT_STREQ(data, "C:\\One");
  EXPECT_EQ(valueCursor, 1);
  EXPECT_EQ(ReadNextValue(HKEY_CURRENT_USER, key.c_str(), name, sizeof name, data, sizeof data), ERROR_SUCCESS);
  EXPECT_EQ(std::string(data), std::string(256, 'z'));
  EXPECT_EQ(ReadNextValue(HKEY_CURRENT_USER, key.c_str(), name, sizeof name, data, sizeof data), ERROR_SUCCESS);
  EXPECT_STREQ(name, "c-third");
  EXPECT_STREQ(data, "C:");
  EXPECT_EQ(valueCursor, 3);
  EXPECT_EQ(ReadNextValue(HKEY_CURRENT_USER, key.c_str(), name, sizeof name, data, sizeof data),
            ERROR_NO_MORE_ITEMS);
  EXPECT_EQ(valueCursor, 0);

  EXPECT_EQ(ReadNextValue(HKEY_CURRENT_USER, key.c_str(), name, sizeof name, data, sizeof data), ERROR_SUCCESS);
  EXPECT_EQ(ReadNextValue(HKEY_CURRENT_USER, "software\\qwtestvendor\\Missing", name, sizeof name, data,
                          sizeof data),
            ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(valueCursor, 0);
  EXPECT_STREQ(data, "");
}

TEST_F(RegistryTest, SubKeyReaderReadsByIndex) {
  CreateRegistryKey(HKEY_CURRENT_USER, "software\\qwtestvendor\\K\\alpha");
  CreateRegistryKey(HKEY_CURRENT_USER, "software\\qwtestvendor\\K\\beta");
  char name[kFolderTextSize];
  EXPECT_EQ(ReadSubKeyName(HKEY_CURRENT_USER, "software\\qwtestvendor\\K", name, sizeof name, 1), ERROR_SUCCESS);
  EXPECT_STREQ(name, "beta");
  EXPECT_EQ(ReadSubKeyName(HKEY_CURRENT_USER, "software\\qwtestvendor\\K", name, sizeof name, 2),
            ERROR_NO_MORE_ITEMS);
  EXPECT_EQ(ReadSubKeyName(HKEY_CURRENT_USER, "software\\qwtestvendor\\None", name, sizeof name, 0),
            ERROR_FILE_NOT_FOUND);
}

TEST(ScanStack, HoldsNineteenLevelsAndRestoresThePath) {
  ScanStack stack;
  char path[kFolderTextSize] = "software\\adobe";
  int32_t index = 7;
  EXPECT_EQ(PopLevel(stack, path), -1);
  EXPECT_EQ(stack.top, -1);

  ASSERT_TRUE(PushLevel(stack, path, sizeof path, "Photoshop", &index));
  EXPECT_STREQ(path, "software\\adobe\\Photoshop");
  EXPECT_EQ(index, 0);
  EXPECT_EQ(stack.savedLength[0], 14);
  for (int level = 1; level < kScanStackLevels; ++level) {
    index = level;
    ASSERT_TRUE(PushLevel(stack, path, sizeof path, "k", &index)) << level;
  }
  const std::string full = path;
  index = 99;
  EXPECT_FALSE(PushLevel(stack, path, sizeof path, "deeper", &index));
  EXPECT_EQ(std::string(path), full);
  EXPECT_EQ(index, 99);
  EXPECT_EQ(stack.top, kScanStackLevels - 1);

  for (int level = kScanStackLevels - 1; level >= 1; --level) EXPECT_EQ(PopLevel(stack, path), level);
  EXPECT_EQ(PopLevel(stack, path), 7);
  EXPECT_STREQ(path, "software\\adobe");
  EXPECT_EQ(PopLevel(stack, path), -1);

  // A name that would not fit the path is refused.
  char shortPath[16] = "software\\x";
  EXPECT_FALSE(PushLevel(stack, shortPath, sizeof shortPath, "12345", &index));
  EXPECT_TRUE(PushLevel(stack, shortPath, sizeof shortPath, "1234", &index));
  EXPECT_STREQ(shortPath, "software\\x\\1234");
}

// The tree of the worked example: software\adobe holding Photoshop\9.0 with
// a plug-in path, and Common with an install path outside Photoshop.
TEST_F(RegistryTest, WalksThePhotoshopTreeDepthFirst) {
  const std::string plugIns = scratch.Folder("Photoshop Ab2\\Plug-Ins");
  const std::string common = scratch.Folder("Common");
  WriteRegistryString(HKEY_LOCAL_MACHINE, "software\\adobe\\Photoshop\\9.0", "PluginPath", plugIns);
  WriteRegistryString(HKEY_LOCAL_MACHINE, "software\\adobe\\Common", "InstallPath", common);

  const uint32_t opensBefore = registryOpenCount;
  ScanVendorSubtree("software", "adobe", "photoshop", nullptr, nullptr);
  // One open per read: thirteen for the walk of the tree, two for each hive
  // without the vendor key.
  EXPECT_EQ(registryOpenCount - opensBefore, 13u + 2u + 2u);
  EXPECT_EQ(valueCursor, 0);
  EXPECT_EQ(ListedCandidates(), (std::vector<Listed>{{listed + "Photoshop Ab2\\Plug-Ins\\", 1}}));
}

TEST_F(RegistryTest, WalksTheThreeHivesInOrder) {
  WriteRegistryString(HKEY_USERS, ".default\\software\\qwtestvendor\\Plugins", "Path", scratch.Folder("Users"));
  WriteRegistryString(HKEY_CURRENT_USER, "software\\qwtestvendor\\Plugins", "Path", scratch.Folder("Current"));
  // Other profiles are not read.
  ASSERT_TRUE(
      WriteRegistryString(HKEY_USERS, "QwTestProfile\\software\\qwtestvendor\\Plugins", "Path", scratch.Folder("Other")));

  ScanTestVendor();
  EXPECT_EQ(ListedCandidates(), (std::vector<Listed>{{listed + "Current\\", 1}, {listed + "Users\\", 1}}));

  // The start path takes part in the pattern test: ".default" matches only
  // under HKEY_USERS.
  ResetCandidateList();
  WriteRegistryString(HKEY_LOCAL_MACHINE, "software\\qwtestvendor\\Plugins", "Path", scratch.Folder("Machine"));
  ScanTestVendor("default");
  EXPECT_EQ(ListedCandidates(), (std::vector<Listed>{{listed + "Users\\", 1}}));
}

TEST_F(RegistryTest, AcceptsPlugInValues) {
  const char* key = "software\\quenwold\\Tesserella";  // no "plug" in the path
  struct ValueCase {
    const char* name;
    std::string data;
    bool accepted;
  } cases[] = {
      {"PluginFolder", scratch.Folder("V1"), true},
      {"PLUGINS", scratch.Folder("V2"), true},
      {"Directory2", scratch.Folder("V3"), true},
      {"directory1", "\"" + scratch.Folder("V4") + "\"", true},
      {"Directory3", "  ; " + scratch.Folder("V5"), true},
      {"InstallDir", scratch.Folder("V6"), false},
      {"Directory4", scratch.Folder("V7"), false},
      {"PluginTime", "12:00", false},
      {"PluginDrive", "C:", false},  // passes the scan, not the folder test
      {"PluginRelative", "qwtest\\scan\\V8", false},
  };
  scratch.Folder("V8");
  std::vector<Listed> expected;
  for (const ValueCase& c : cases) {
    ASSERT_TRUE(WriteRegistryString(HKEY_CURRENT_USER, key, c.name, c.data));
  }
  // Wine and Windows enumerate values in different orders: compare as sets.
  ScanVendorSubtree("software", "quenwold", "", nullptr, nullptr);
  std::vector<std::string> found;
  for (const Listed& entry : ListedCandidates()) found.push_back(entry.path);
  std::sort(found.begin(), found.end());
  EXPECT_EQ(found, (std::vector<std::string>{listed + "V1\\", listed + "V2\\", listed + "V3\\", listed + "V4\\",
                                             listed + "V5\\"}));

  // Any value in a key whose path holds "plug" counts.
  ResetCandidateList();
  WriteRegistryString(HKEY_CURRENT_USER, "software\\quenwold\\PlugIns", "InstallDir", scratch.Folder("V9"));
  WriteRegistryValue(HKEY_CURRENT_USER, "software\\quenwold\\PlugIns", "Expanded", REG_EXPAND_SZ,
                     scratch.Folder("V10") + '\0');
  WriteRegistryValue(HKEY_CURRENT_USER, "software\\quenwold\\PlugIns", "Binary", REG_BINARY, scratch.Folder("V11"));
  DeleteRegistryTree(HKEY_CURRENT_USER, key);
  ScanVendorSubtree("software", "quenwold", "", nullptr, nullptr);
  EXPECT_EQ(ListedCandidates(), (std::vector<Listed>{{listed + "V9\\", 1}}));
}

TEST_F(RegistryTest, NamePatternAppendsTheSuffix) {
  scratch.Folder("Host\\plug-ins");
  WriteRegistryString(HKEY_CURRENT_USER, "software\\qwtestvendor\\Host", "InstallLocation", scratch.Folder("Host"));
  WriteRegistryString(HKEY_CURRENT_USER, "software\\qwtestvendor\\Host", "Other", scratch.Folder("Skipped"));
  ScanVendorSubtree("software", "qwtestvendor", "", "install", "\\plug-ins");
  EXPECT_EQ(ListedCandidates(), (std::vector<Listed>{{listed + "Host\\Plug-Ins\\", 1}}));
}

// An oversized value ends the walk of its key's values; the sub-keys are
// still walked.
TEST_F(RegistryTest, OversizedValueEndsTheKeysValues) {
  const struct {
    const char* what;
    std::string name;
    std::string data;
  } cases[] = {
      {"data of 300 bytes", "b-plugin", std::string(297, 'C') + ":\\"},
      {"name of 300 characters", "b-plugin" + std::string(292, 'n'), scratch.Folder("Second")},
  };
  for (const auto& c : cases) {
    DeleteVendorKeys();
    ResetCandidateList();
    const char* key = "software\\qwtestvendor\\Host";
    WriteRegistryString(HKEY_CURRENT_USER, key, "a-plugin", scratch.Folder("First"));
    WriteRegistryString(HKEY_CURRENT_USER, key, c.name.c_str(), c.data);
    WriteRegistryString(HKEY_CURRENT_USER, key, "c-plugin", scratch.Folder("Third"));
    WriteRegistryString(HKEY_CURRENT_USER, "software\\qwtestvendor\\Host\\Sub", "plugin", scratch.Folder("Sub"));
    ScanTestVendor();
    EXPECT_EQ(ListedCandidates(), (std::vector<Listed>{{listed + "First\\", 1}, {listed + "Sub\\", 1}})) << c.what;
    EXPECT_EQ(valueCursor, 0);
  }
}

// Nesting deeper than the stack holds: the too-deep key is passed over, its
// siblings and the rest of the tree are still walked.
TEST_F(RegistryTest, DeepTreeIsWalkedDownToNineteenLevels) {
  std::string key = kTestVendor;
  for (int level = 1; level <= 19; ++level) key += "\\L" + std::to_string(level);
  WriteRegistryString(HKEY_CURRENT_USER, key.c_str(), "plugin", scratch.Folder("Deepest"));
  WriteRegistryString(HKEY_CURRENT_USER, (key + "\\L20a").c_str(), "plugin", scratch.Folder("TooDeepA"));
  WriteRegistryString(HKEY_CURRENT_USER, (key + "\\L20b\\L21").c_str(), "plugin", scratch.Folder("TooDeepB"));
  WriteRegistryString(HKEY_CURRENT_USER, "software\\qwtestvendor\\M", "plugin", scratch.Folder("After"));
  WriteRegistryString(HKEY_LOCAL_MACHINE, "software\\qwtestvendor", "plugin", scratch.Folder("Machine"));

  const uint32_t opensBefore = registryOpenCount;
  ScanTestVendor();
  EXPECT_EQ(ListedCandidates(), (std::vector<Listed>{{listed + "Deepest\\", 1}, {listed + "After\\", 1},
                                                     {listed + "Machine\\", 1}}));
  EXPECT_LT(registryOpenCount - opensBefore, 200u);
}

// Key paths longer than the walk's path text are passed over.
TEST_F(RegistryTest, OverlongPathIsPassedOver) {
  const std::string longName(200, 'k');
  const std::string parent = std::string(kTestVendor) + "\\A" + longName;
  ASSERT_TRUE(WriteRegistryString(HKEY_CURRENT_USER, parent.c_str(), "plugin", scratch.Folder("Parent")));
  const std::string tooLong = parent + "\\B" + longName;
  ASSERT_GT(tooLong.size(), 399u);
  ASSERT_TRUE(WriteRegistryString(HKEY_CURRENT_USER, tooLong.c_str(), "plugin", scratch.Folder("TooLong")));
  ASSERT_TRUE(WriteRegistryString(HKEY_CURRENT_USER, (tooLong + "\\Below").c_str(), "plugin", scratch.Folder("Below")));
  ASSERT_TRUE(WriteRegistryString(HKEY_CURRENT_USER, (parent + "\\C").c_str(), "plugin", scratch.Folder("Sibling")));

  ScanTestVendor();
  EXPECT_EQ(ListedCandidates(), (std::vector<Listed>{{listed + "Parent\\", 1}, {listed + "Sibling\\", 1}}));
}

}  // namespace
