// Host probes: the program folder from an open command or an application
// path entry, and the folder record of a settings file.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "discovery/host_probes.h"
#include "discovery_support.h"
#include "test_support.h"

using namespace testing_support;

namespace {

const char kProbeBase[] = "Software\\QwTestProbe";
const char kProbeSub[] = "shell\\open\\command";
const char kProbeKey[] = "Software\\QwTestProbe\\shell\\open\\command";

class ProbeHostFolderTest : public ::testing::Test {
 protected:
  void SetUp() override { DeleteRegistryTree(HKEY_CURRENT_USER, kProbeBase); }
  void TearDown() override { DeleteRegistryTree(HKEY_CURRENT_USER, kProbeBase); }
};

TEST_F(ProbeHostFolderTest, YieldsTheProgramFolder) {
  struct ProbeCase {
    std::string value;
    const char* folder;  // null: no result
  } cases[] = {
      {"C:\\Apps\\Host\\host.exe", "C:\\Apps\\Host\\"},
      {"\"C:\\Apps\\Editor\\editor.exe\" \"%1\"", "C:\\Apps\\Editor\\"},
      {"host.exe", nullptr},
      {"C:\\Apps\\Host\\", "C:\\Apps\\"},
      {"C:\\host.exe", "C:\\"},
      // The last backslash may lie in the arguments.
      {"C:\\Apps\\Ed\\ed.exe /log=C:\\Temp\\ed.log", "C:\\Apps\\Ed\\ed.exe /log=C:\\Temp\\"},
      {"  \"D:\\Paint\\paint.exe\"", "D:\\Paint\\"},
      {"\\\\server\\share\\app.exe", nullptr},
      {"", nullptr},
      {std::string(255, 'C'), nullptr},
  };
  for (const ProbeCase& c : cases) {
    ASSERT_TRUE(WriteRegistryString(HKEY_CURRENT_USER, kProbeKey, "", c.value));
    char output[kFolderTextSize];
    std::strcpy(output, "stale");
    char* result = ProbeHostFolder(HKEY_CURRENT_USER, kProbeBase, kProbeSub, output, sizeof output);
    if (c.folder) {
      EXPECT_EQ(result, output) << c.value;
      EXPECT_STREQ(output, c.folder) << c.value;
    } else {
      EXPECT_EQ(result, nullptr) << c.value;
    }
  }
}

TEST_F(ProbeHostFolderTest, YieldsNothingForUnusableValues) {
  struct Unusable {
    const char* what;
    DWORD type;
    std::string data;
  } cases[] = {
      {"expandable string", REG_EXPAND_SZ, std::string("C:\\Apps\\Host\\host.exe", 22)},
      {"binary", REG_BINARY, "C:\\Apps\\Host\\host.exe"},
      {"more than 256 bytes", REG_SZ, "C:\\" + std::string(296, 'a') + "\\x.exe"},
  };
  for (const Unusable& c : cases) {
    ASSERT_TRUE(WriteRegistryValue(HKEY_CURRENT_USER, kProbeKey, "", c.type, c.data));
    char output[kFolderTextSize] = "";
    EXPECT_EQ(ProbeHostFolder(HKEY_CURRENT_USER, kProbeBase, kProbeSub, output, sizeof output), nullptr) << c.what;
  }
  char output[kFolderTextSize] = "";
  DeleteRegistryTree(HKEY_CURRENT_USER, kProbeBase);
  EXPECT_EQ(ProbeHostFolder(HKEY_CURRENT_USER, kProbeBase, kProbeSub, output, sizeof output), nullptr);
  // A key with no default value.
  ASSERT_TRUE(WriteRegistryString(HKEY_CURRENT_USER, kProbeKey, "Other", "C:\\Apps\\x.exe"));
  EXPECT_EQ(ProbeHostFolder(HKEY_CURRENT_USER, kProbeBase, kProbeSub, output, sizeof output), nullptr);
}

TEST_F(ProbeHostFolderTest, NeverWritesPastTheOutput) {
  const std::string folder = "C:\\" + std::string(240, 'a') + "\\";
  ASSERT_TRUE(WriteRegistryString(HKEY_CURRENT_USER, kProbeKey, "", folder + "x.exe"));
  char output[300];
  std::memset(output, '#', sizeof output);
  EXPECT_EQ(ProbeHostFolder(HKEY_CURRENT_USER, kProbeBase, kProbeSub, output, 100), nullptr);
  EXPECT_EQ(std::string(output + 100, 200), std::string(200, '#'));
  EXPECT_EQ(ProbeHostFolder(HKEY_CURRENT_USER, kProbeBase, kProbeSub, output, sizeof output), output);
  EXPECT_EQ(std::string(output), folder);
}

class SettingsFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetCandidateList();
    ASSERT_TRUE(CreateFolderPath(scratch.path() + "A"));
    ASSERT_TRUE(CreateFolderPath(scratch.path() + "B"));
  }
  void TearDown() override { ResetCandidateList(); }

  // A folder record for `text`, with a length byte that may disagree.
  static std::string Record(const std::string& text, int length = -1) {
    return std::string("\x80", 1) + char(length < 0 ? text.size() : length) + text + std::string(1, '\0');
  }
  std::vector<Listed> Scan(const std::string& bytes) {
    ResetCandidateList();
    const std::string file = scratch.path() + "painter.set";
    WriteFileBytes(file, bytes);
    ScanSettingsFile(file.c_str());
    return ListedCandidates();
  }

  ScratchFolder scratch{"settings"};
  const std::string a = scratch.path() + "A";
  const std::string b = scratch.path() + "B";
  const std::vector<Listed> listedA = {{"C:\\Qwtest\\Settings\\A\\", 1}};
  const std::vector<Listed> listedB = {{"C:\\Qwtest\\Settings\\B\\", 1}};
  const std::vector<Listed> none;
};

TEST_F(SettingsFileTest, FindsTheFirstValidRecord) {
  const std::string junk("\x01\x80\x05Q:\x80\x00\xff", 8);
  // 249 characters: the folder followed by stray characters that the folder
  // test cuts away.
  const std::string text249 = a + "\\" + std::string(249 - a.size() - 1, 'x');
  const std::string text250 = text249 + "x";
  // A text that reaches 250 characters with the marker of a new record as
  // its 250th byte.
  const std::string markerAt250 = std::string("\x80\xF9", 2) + text249 + Record(b);
  const struct {
    const char* what;
    std::string bytes;
    std::vector<Listed> expected;
  } cases[] = {
      {"record at offset 0", Record(a), listedA},
      {"record after other bytes", junk + Record(a) + junk, listedA},
      {"record with a lower-case drive", Record("c" + a.substr(1)), listedA},
      {"two records: only the first counts", Record(a) + Record(b), listedA},
      {"a first record naming no folder ends the scan", Record("C:\\qwtest-none\\Missing") + Record(b), none},
      {"length mismatch, then a record right after its zero byte", Record(a, int(a.size()) + 1) + Record(b),
       listedB},
      {"length byte too small", Record(a, 3) + Record(b), listedB},
      {"249 characters", Record(text249), listedA},
      {"250 characters", Record(text250, 250 & 0xFF), none},
      {"250th byte starts a new record", markerAt250, listedB},
      {"file ends inside the text", Record(a).substr(0, a.size()), none},
      {"file ends before the zero byte", Record(a).substr(0, a.size() + 2), none},
      {"no backslash after the colon", std::string("\x80\x03Q:/", 5) + std::string(1, '\0') + Record(b), listedB},
      {"empty file", "", none},
  };
  for (const auto& c : cases) EXPECT_EQ(Scan(c.bytes), c.expected) << c.what;
}

TEST_F(SettingsFileTest, MissingFileAddsNothing) {
  ScanSettingsFile((scratch.path() + "absent.set").c_str());
  ScanSettingsFile((scratch.path() + "A").c_str());  // a folder, not a file
  EXPECT_TRUE(ListedCandidates().empty());
}

}  // namespace
