// Payload installation against the real file system and registry of the
// test prefix. The test executable carries its own payload entries; other
// payload sets live in resource-only DLLs, and the shipped executable is
// loaded as a data file to check what it really carries.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "app/instance.h"
#include "app/payload.h"
#include "res/resource_ids.h"
#include "test_support.h"

using namespace testing_support;

namespace {

const char* const kPayloadType = MAKEINTRESOURCEA(RT_PAYLOAD);

struct DecodeCase {
  const char* name;
  const char* decoded;
};

TEST(DecodePayloadName, DecodesTheDocumentedNames) {
  const DecodeCase cases[] = {
      {"TESSERELLA3:D.8BF", "Tesserella3d.8bf"},
      {"TESSERELLA3D.8BF", "Tesserella3D.8bf"},
      {"PRESETS__SKETCHESBIN", "PresetsSketchesbin"},
      {"PRESETS__PATTERNS:BIN", "PresetsPatternsbin"},
      {"PRESETS__SKETCHES.BIN", "PresetsSketches.bin"},
      {"MY_FILTER_2.8BF", "My Filter 2.8bf"},
      {"OLD_MASTER'S_BRUSH.8BF", "Old Master's Brush.8bf"},
      {"ABC___DEF", "Abc Def"},
      {"A::B", "A:b"},
      {"X8Y", "X8y"},
      {"X9Y", "X9Y"},
      {"_AB", " Ab"},
      {"A_", "A_"},
      {"Q", "Q"},
      {"q", "Q"},
      {"", ""},
      // A double underscore that ends the text leaves nothing to upper-case.
      {"AB__", "Ab"},
      {"A__", "A"},
      // Bytes outside ASCII are not letters: kept as they are.
      {"CAF\xC9_NOIR", "Caf\xC9 Noir"},
      {"\xC9T\xC9", "\xC9T\xC9"},
  };
  for (const DecodeCase& c : cases) {
    char text[64];
    std::strcpy(text, c.name);
    EXPECT_STREQ(DecodePayloadName(text), c.decoded) << "name " << c.name;
    EXPECT_EQ(DecodePayloadName(text), text);
  }
}

const char kPenwright[] = "Software\\Quenwold\\Penwright";
const char kLoomwise[] = "Software\\Quenwold\\Loomwise";

class PayloadTest : public ::testing::Test {
 protected:
  void SetUp() override {
    for (CandidateFolder& slot : exclusionList) slot = CandidateFolder();
    ClearRegistry();
    savedInstance = appInstance;
  }
  void TearDown() override {
    appInstance = savedInstance;
    for (HMODULE module : modules) FreeLibrary(module);
    ClearRegistry();
  }
  static void ClearRegistry() {
    DeleteRegistryTree(HKEY_CURRENT_USER, "Software\\Quenwold");
    DeleteRegistryTree(HKEY_LOCAL_MACHINE, "Software\\Quenwold");
  }
  // Makes a module from the test folder (or the shipped executable) the one
  // whose payload is installed.
  HMODULE UsePayloadOf(const std::string& file) {
    HMODULE module = LoadLibraryExA((TestDirectory() + file).c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    EXPECT_NE(module, nullptr) << file;
    modules.push_back(module);
    appInstance = module;
    return module;
  }
  bool Install(const std::string& folder, InstallFailure* failure,
               const PayloadComponent* components = nullptr) {
    PayloadComponent none[kComponentSlotCount];
    return InstallPayload(folder.c_str(), components ? components : none, failure);
  }
  // Every value of a preset kind: count values named prefix01.. of `size`
  // bytes, equal in both hives to consecutive blocks of `block`.
  void ExpectRecords(const char* subKey, const char* prefix, int count, size_t size,
                     const std::vector<unsigned char>& block) {
    for (HKEY hive : {HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE}) {
      for (int k = 0; k <= count; ++k) {
        char name[20];
        wsprintfA(name, "%s%02d", prefix, k + 1);
        DWORD type = 0;
        std::vector<unsigned char> data;
        bool present = ReadRegistryValue(hive, subKey, name, &type, &data);
        if (k == count) {
          EXPECT_FALSE(present) << name << " should not exist";
          continue;
        }
        ASSERT_TRUE(present) << name;
        EXPECT_EQ(type, DWORD(REG_BINARY)) << name;
        ASSERT_EQ(data.size(), size) << name;
        ASSERT_GE(block.size(), (k + 1) * size);
        EXPECT_TRUE(std::equal(data.begin(), data.end(), block.begin() + k * size)) << name;
      }
    }
  }

  HINSTANCE savedInstance = nullptr;
  std::vector<HMODULE> modules;
};

bool KeyExists(HKEY hive, const char* subKey) {
  HKEY key;
  if (RegOpenKeyExA(hive, subKey, 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
  RegCloseKey(key);
  return true;
}

TEST_F(PayloadTest, WritesFilesAndStoresPresetRecordsInBothHives) {
  ScratchFolder folder("payload_all");
  InstallFailure failure;
  ASSERT_TRUE(Install(folder.path(), &failure)) << failure.fileName << " " << failure.error;

  HMODULE self = GetModuleHandleA(nullptr);
  // Preset entries become registry values only; the look-alike and the
  // ordinary file are files; the numeric id is skipped.
  EXPECT_EQ(ListFolder(folder.path()),
            (std::vector<std::string>{"My Filter 2.8bf", "PresetsSketches.bin"}));
  EXPECT_EQ(ReadFileBytes(folder.path() + "My Filter 2.8bf"),
            ResourceBytes(self, "MY_FILTER_2.8BF", kPayloadType));
  EXPECT_EQ(ReadFileBytes(folder.path() + "PresetsSketches.bin").size(), 3000u);

  ExpectRecords(kPenwright, "Portrait", 12, 64, ResourceBytes(self, "PRESETS__SKETCHESBIN", kPayloadType));
  ExpectRecords(kLoomwise, "Bouquet", 16, 128, ResourceBytes(self, "PRESETS__BOUQUETS:BIN", kPayloadType));
  ExpectRecords(kLoomwise, "Patterns", 12, 128, ResourceBytes(self, "PRESETS__PATTERNSBIN", kPayloadType));
}

TEST_F(PayloadTest, FirstMatchingMarkerInTableOrderDecidesTheKind) {
  HMODULE module = UsePayloadOf("payload_order.dll");
  ScratchFolder folder("payload_order");
  InstallFailure failure;
  ASSERT_TRUE(Install(folder.path(), &failure));
  ExpectRecords(kPenwright, "Portrait", 12, 64,
                ResourceBytes(module, "PRESETS__PATTERNSBIN__PRESETS__SKETCHESBIN", kPayloadType));
  EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, kLoomwise));
  EXPECT_TRUE(ListFolder(folder.path()).empty());
}

TEST_F(PayloadTest, ShortPresetBlockWritesOnlyItsWholeRecords) {
  HMODULE module = UsePayloadOf("payload_short.dll");
  ScratchFolder folder("payload_short");
  InstallFailure failure;
  ASSERT_TRUE(Install(folder.path(), &failure));
  std::vector<unsigned char> block = ResourceBytes(module, "PRESETS__SKETCHESBIN", kPayloadType);
  ASSERT_EQ(block.size(), 202u);
  ExpectRecords(kPenwright, "Portrait", 3, 64, block);
}

TEST_F(PayloadTest, ExclusionIsACaseSensitiveSubstringOfTheDecodedName) {
  ScratchFolder folder("payload_excluded");
  PayloadComponent components[kComponentSlotCount];
  components[0] = {true, "Presets", 0};  // deselected: drops every preset name
  components[1] = {true, "My filter", 0};  // wrong case: excludes nothing
  components[2] = {true, "2.8bf", 3};    // selected: not a key
  InstallFailure failure;
  ASSERT_TRUE(Install(folder.path(), &failure, components));

  EXPECT_EQ(ListFolder(folder.path()), (std::vector<std::string>{"My Filter 2.8bf"}));
  EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, "Software\\Quenwold"));
  EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, "Software\\Quenwold"));
  EXPECT_STREQ(exclusionList[0].path, "Presets");
  EXPECT_STREQ(exclusionList[1].path, "My filter");
  EXPECT_EQ(exclusionList[2].path[0], '\0');

  // Trying again (another folder after a failure) adds no second copies.
  ASSERT_TRUE(Install(folder.path(), &failure, components));
  EXPECT_EQ(exclusionList[2].path[0], '\0');
}

TEST_F(PayloadTest, ATwentyFirstExclusionKeyIsDropped) {
  for (int i = 0; i < kFolderSlotCount; ++i) {
    char key[8];
    wsprintfA(key, "k%02d", i);
    AddExclusion(key);
  }
  AddExclusion("My Filter");
  EXPECT_STREQ(exclusionList[19].path, "k19");

  ScratchFolder folder("payload_full_exclusions");
  InstallFailure failure;
  ASSERT_TRUE(Install(folder.path(), &failure));
  EXPECT_TRUE(FileExists(folder.path() + "My Filter 2.8bf"));
}

TEST_F(PayloadTest, CreatesAMissingLastLevelButNotAMissingParent) {
  ScratchFolder folder("payload_levels");
  InstallFailure failure;
  std::string created = folder.path() + "Quenwold\\";
  ASSERT_TRUE(Install(created, &failure));
  EXPECT_TRUE(FileExists(created + "My Filter 2.8bf"));

  ClearRegistry();
  PayloadComponent components[kComponentSlotCount];
  components[0] = {true, "Presets", 0};
  std::string orphan = folder.path() + "Missing\\Quenwold\\";
  EXPECT_FALSE(Install(orphan, &failure, components));
  EXPECT_TRUE(failure.folderUnusable);
  EXPECT_EQ(failure.error, DWORD(ERROR_PATH_NOT_FOUND));
  EXPECT_FALSE(FolderExists(folder.path() + "Missing"));
  EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, "Software\\Quenwold"));
  EXPECT_EQ(exclusionList[0].path[0], '\0') << "no key is added for a refused folder";
}

TEST_F(PayloadTest, OverwritesAnExistingFile) {
  ScratchFolder folder("payload_overwrite");
  WriteFileBytes(folder.path() + "My Filter 2.8bf", std::string(10000, 'x'));
  InstallFailure failure;
  ASSERT_TRUE(Install(folder.path(), &failure));
  EXPECT_EQ(ReadFileBytes(folder.path() + "My Filter 2.8bf"),
            ResourceBytes(GetModuleHandleA(nullptr), "MY_FILTER_2.8BF", kPayloadType));
}

TEST_F(PayloadTest, ShippedExecutableInstallsTesserella3d) {
  HMODULE shipped = UsePayloadOf("..\\QuenwoldSetup.exe");
  std::vector<unsigned char> embedded = ResourceBytes(shipped, "TESSERELLA3:D.8BF", kPayloadType);
  ASSERT_EQ(embedded.size(), 180224u);

  ScratchFolder folder("payload_shipped");
  PayloadComponent components[kComponentSlotCount];
  // The shipped component's key differs in case from the decoded file name,
  // so deselecting it does not hold the file back.
  components[0] = {true, "Tesserella3D", 0};
  InstallFailure failure;
  ASSERT_TRUE(Install(folder.path(), &failure, components));
  EXPECT_EQ(ListFolder(folder.path()), (std::vector<std::string>{"Tesserella3d.8bf"}));
  EXPECT_EQ(ReadFileBytes(folder.path() + "Tesserella3d.8bf"), embedded);
}

// A folder stands where the output file must go: the entry fails, the
// caller learns which file and why, and the other entries are still done.
TEST_F(PayloadTest, UnwritableFileIsReportedAndTheRestIsInstalled) {
  ScratchFolder folder("payload_blocked");
  CreateDirectoryA((folder.path() + "My Filter 2.8bf").c_str(), nullptr);
  InstallFailure failure;
  EXPECT_FALSE(Install(folder.path(), &failure));
  EXPECT_FALSE(failure.folderUnusable);
  EXPECT_STREQ(failure.fileName, "My Filter 2.8bf");
  EXPECT_NE(failure.error, 0u);

  EXPECT_TRUE(FolderExists(folder.path() + "My Filter 2.8bf"));
  EXPECT_EQ(ListFolder(folder.path()), (std::vector<std::string>{"My Filter 2.8bf", "PresetsSketches.bin"}))
      << "no partial file may be left behind";
  ExpectRecords(kPenwright, "Portrait", 12, 64,
                ResourceBytes(GetModuleHandleA(nullptr), "PRESETS__SKETCHESBIN", kPayloadType));
}

// The plug-in is held open without sharing, as a running editor does: the
// new copy cannot replace it, and the user's copy must survive intact.
TEST_F(PayloadTest, FailedReplacementKeepsTheOldFile) {
  ScratchFolder folder("payload_in_use");
  const std::string target = folder.path() + "My Filter 2.8bf";
  WriteFileBytes(target, "the copy the user had");
  HANDLE held = CreateFileA(target.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  InstallFailure failure;
  bool installed = Install(folder.path(), &failure);
  CloseHandle(held);

  EXPECT_FALSE(installed);
  EXPECT_STREQ(failure.fileName, "My Filter 2.8bf");
  EXPECT_NE(failure.error, 0u);
  std::vector<unsigned char> kept = ReadFileBytes(target);
  EXPECT_EQ(std::string(kept.begin(), kept.end()), "the copy the user had");
  EXPECT_EQ(ListFolder(folder.path()), (std::vector<std::string>{"My Filter 2.8bf", "PresetsSketches.bin"}));
}

// An empty entry no longer ends the enumeration silently: it is reported,
// and the entries after it are still installed.
TEST_F(PayloadTest, EmptyEntryIsReportedAndDoesNotStopTheRest) {
  HMODULE module = UsePayloadOf("payload_broken.dll");
  ScratchFolder folder("payload_broken");
  InstallFailure failure;
  EXPECT_FALSE(Install(folder.path(), &failure));
  EXPECT_STREQ(failure.fileName, "Empty.8bf");
  EXPECT_NE(failure.error, 0u);
  EXPECT_EQ(ListFolder(folder.path()), (std::vector<std::string>{"Aaa.8bf", "Zzz.8bf"}));
  EXPECT_EQ(ReadFileBytes(folder.path() + "Zzz.8bf"), ResourceBytes(module, "ZZZ.8BF", kPayloadType));
}

TEST_F(PayloadTest, DeselectedBrokenEntryDoesNotFailTheInstallation) {
  UsePayloadOf("payload_broken.dll");
  ScratchFolder folder("payload_broken_deselected");
  PayloadComponent components[kComponentSlotCount];
  components[0] = {true, "Empty", 0};
  InstallFailure failure;
  EXPECT_TRUE(Install(folder.path(), &failure, components)) << failure.fileName;
  EXPECT_EQ(ListFolder(folder.path()), (std::vector<std::string>{"Aaa.8bf", "Zzz.8bf"}));
}

// A volatile maker key refuses the non-volatile preset keys below it, so
// a hive can be made to refuse the records for real.
void MakeVolatileMakerKey(HKEY hive) {
  HKEY key;
  ASSERT_EQ(RegCreateKeyExA(hive, "Software\\Quenwold", 0, nullptr, REG_OPTION_VOLATILE, KEY_ALL_ACCESS, nullptr,
                            &key, nullptr),
            ERROR_SUCCESS);
  RegCloseKey(key);
}

TEST_F(PayloadTest, PresetRecordsMustReachAtLeastOneHive) {
  ScratchFolder folder("payload_presets_refused");
  InstallFailure failure;

  // Only the machine-wide hive refuses, as for a user without rights: the
  // user's own hive holds the records and the installation stands.
  MakeVolatileMakerKey(HKEY_LOCAL_MACHINE);
  EXPECT_TRUE(Install(folder.path(), &failure)) << failure.fileName << " " << failure.error;
  EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER, kPenwright));
  EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, kPenwright));

  // Both refuse: the records are lost, and that is reported.
  ClearRegistry();
  MakeVolatileMakerKey(HKEY_CURRENT_USER);
  MakeVolatileMakerKey(HKEY_LOCAL_MACHINE);
  EXPECT_FALSE(Install(folder.path(), &failure));
  EXPECT_STREQ(failure.fileName, "PresetsBouquetsbin");
  EXPECT_EQ(failure.error, DWORD(ERROR_CHILD_MUST_BE_VOLATILE));
  EXPECT_TRUE(FileExists(folder.path() + "My Filter 2.8bf")) << "files are still written";
}

TEST_F(PayloadTest, AModuleWithoutPayloadIsAFailure) {
  appInstance = GetModuleHandleA("kernel32.dll");
  ScratchFolder folder("payload_none");
  InstallFailure failure;
  EXPECT_FALSE(Install(folder.path(), &failure));
  EXPECT_FALSE(failure.folderUnusable);
  EXPECT_NE(failure.error, 0u);
}

}  // namespace
