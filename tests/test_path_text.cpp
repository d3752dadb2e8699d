// Path text utilities, with the folder test run against real folders of the
// test prefix.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "discovery/path_text.h"
#include "test_support.h"

using namespace testing_support;

namespace {

struct TextCase {
  std::string input;
  std::string expected;
};

constexpr size_t kBuffer = 400;

std::string Apply(char* (*operation)(char*), const std::string& input) {
  char text[kBuffer];
  std::strcpy(text, input.c_str());
  EXPECT_EQ(operation(text), text);
  return text;
}

// The accented cases are only meaningful in the Western European code page.
TEST(PathText, AnsiCodePageIsWesternEuropean) { EXPECT_EQ(GetACP(), 1252u); }

TEST(PathText, CapitalizeWords) {
  const TextCase cases[] = {
      {"c:\\program files\\adobe\\photoshop ab2\\plug-ins\\", "C:\\Program Files\\Adobe\\Photoshop Ab2\\Plug-Ins\\"},
      {"D:\\GRAPHICS\\EDIT9\\PLUGINS\\", "D:\\Graphics\\Edit9\\Plugins\\"},
      {"e:\\my_tools\\3d filters", "E:\\My_Tools\\3D Filters"},
      {"", ""},
      {"a", "A"},
      // An accented letter is a letter: no word starts after it, and only the
      // first character goes through the platform's conversion.
      {"c:\\\xFC" "ber\\x", "C:\\\xFC" "ber\\X"},
      {"\xFC" "ber", "\xDC" "ber"},
      // Only a to z are upper-cased after a non-letter.
      {"x[a]b^c`d", "X[A]B^C`D"},
      {"x\xE9y z", "X\xE9y Z"},
  };
  for (const TextCase& c : cases) {
    char text[kBuffer];
    std::strcpy(text, c.input.c_str());
    CapitalizeWords(text);
    EXPECT_EQ(std::string(text), c.expected) << "input " << c.input;
  }
}

TEST(PathText, EnsureTrailingBackslash) {
  const TextCase cases[] = {{"C:\\Dir", "C:\\Dir\\"}, {"C:\\Dir\\", "C:\\Dir\\"}, {"", "\\"}};
  for (const TextCase& c : cases) {
    char text[kBuffer];
    std::strcpy(text, c.input.c_str());
    EXPECT_EQ(EnsureTrailingBackslash(text, sizeof text), text);
    EXPECT_EQ(std::string(text), c.expected) << "input " << c.input;
  }
  // A full buffer stays as it is.
  char full[12] = "C:\\Full";
  std::memset(full + 8, '#', 4);
  EnsureTrailingBackslash(full, 8);
  EXPECT_STREQ(full, "C:\\Full");
  EXPECT_EQ(std::string(full + 8, 4), "####");
}

TEST(PathText, StripLeadingNonLetters) {
  const std::string longLetters = "C" + std::string(499, 'x');
  const TextCase cases[] = {
      {"\"C:\\Program Files\\App\\\"", "C:\\Program Files\\App\\\""},
      {"C:\\x", "C:\\x"},
      {"  ;D:\\y", "D:\\y"},
      {"123", ""},
      {std::string(400, '!') + "C:\\", ""},
      {std::string(389, '!') + "C:\\", "C"},
      {"", ""},
      {"\"\xC9t\xE9\\", "\xC9t\xE9\\"},
  };
  for (const TextCase& c : cases) EXPECT_EQ(Apply(StripLeadingNonLetters, c.input), c.expected) << c.input;

  char text[600];
  std::strcpy(text, longLetters.c_str());
  StripLeadingNonLetters(text);
  EXPECT_EQ(std::string(text), longLetters);
}

TEST(PathText, CutAfterLast) {
  const TextCase cases[] = {
      {"C:\\Program Files\\App\\app.exe", "C:\\Program Files\\App\\"},
      {"C:\\Dir\\", "C:\\"},
      {"\"C:\\P\\edit.exe\" \"%1\"", "\"C:\\P\\"},
      {"\\abc", "\\abc"},
      {"C:", "C:"},
      {"", ""},
      {"a\\\\", "a\\"},
  };
  for (const TextCase& c : cases) {
    char text[kBuffer];
    std::strcpy(text, c.input.c_str());
    EXPECT_EQ(CutAfterLast(text, '\\'), text);
    EXPECT_EQ(std::string(text), c.expected) << "input " << c.input;
  }
}

TEST(PathText, JoinPath) {
  struct JoinCase {
    const char* destination;
    const char* name;
    const char* base;
    const char* expected;
  } cases[] = {
      {"C:\\App", "plug-ins", nullptr, "C:\\App\\plug-ins"},
      {"C:\\App\\", "plug-ins", nullptr, "C:\\App\\plug-ins"},
      {"ignored", "fireworks.exe", "SOFTWARE\\X", "SOFTWARE\\X\\fireworks.exe"},
  };
  for (const JoinCase& c : cases) {
    char text[kBuffer];
    std::strcpy(text, c.destination);
    EXPECT_EQ(JoinPath(text, sizeof text, c.name, c.base), text);
    EXPECT_STREQ(text, c.expected);
  }
  // Never past the destination's capacity.
  char buffer[16] = {};
  std::memset(buffer + 10, '#', 6);
  JoinPath(buffer, 10, "a-long-name", "C:\\base");
  EXPECT_STREQ(buffer, "C:\\base\\a");
  EXPECT_EQ(std::string(buffer + 10, 6), "######");
}

class TrimToExistingFolderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(CreateFolderPath(scratch.path() + "Program Files\\App"));
    ASSERT_TRUE(CreateFolderPath(scratch.path() + "Plugins"));
    ASSERT_TRUE(CreateFolderPath(scratch.path() + "ab"));
    WriteFileBytes(scratch.path() + "Program Files\\App\\app.exe", "MZ");
  }
  ScratchFolder scratch{"path_text"};
};

TEST_F(TrimToExistingFolderTest, FindsTheLongestExistingFolder) {
  const std::string s = scratch.path();
  struct TrimCase {
    std::string input;
    bool found;
    std::string result;
  } cases[] = {
      {s + "Program Files\\App\\app.exe", true, s + "Program Files\\App\\"},
      {s + "Program Files\\App\\\"", true, s + "Program Files\\App\\"},
      {s + "Program Files\\App\\plug-ins", true, s + "Program Files\\App\\"},
      {s + "Plugins\\", true, s + "Plugins"},
      {s + "Plugins", true, s + "Plugins"},
      {s + "Nothing\\There", false, s + "Nothing\\"},
      // Two trailing backslashes: only one goes.
      {s + "Plugins\\\\", true, s + "Plugins\\"},
      {s + "Missing\\\\", false, s + "Missing\\"},
      // A drive root is never tried.
      {"C:\\", false, "C:"},
      // Longer texts that name a drive root do not pass either.
      {"C:\\\\\\", false, "C:\\\\"},
      {"C:\\..\\", false, "C:\\"},
      {"C:\\qwtest\\..\\x", false, "C:\\qwtest\\..\\"},
      {"C:\\x", false, "C:\\"},
      {"", false, ""},
  };
  ASSERT_FALSE(FolderExists("C:\\x"));
  for (const TrimCase& c : cases) {
    char text[kBuffer];
    std::strcpy(text, c.input.c_str());
    EXPECT_EQ(TrimToExistingFolder(text), c.found) << c.input;
    EXPECT_EQ(std::string(text), c.result) << c.input;
  }
}

TEST_F(TrimToExistingFolderTest, TriesRelativeTextFromTheDrivesCurrentFolder) {
  ASSERT_TRUE(SetCurrentDirectoryA(scratch.path().c_str()));
  char text[kBuffer] = "C:abc";
  EXPECT_TRUE(TrimToExistingFolder(text));
  EXPECT_STREQ(text, "C:ab");

  ASSERT_TRUE(SetCurrentDirectoryA((scratch.path() + "Plugins").c_str()));
  std::strcpy(text, "C:abc");
  EXPECT_FALSE(TrimToExistingFolder(text));
  EXPECT_STREQ(text, "C:a");
}

}  // namespace
