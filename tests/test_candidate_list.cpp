// The candidate folder list against real folders of the test prefix.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "discovery_support.h"
#include "test_support.h"

using namespace testing_support;

namespace {

// The scratch folder C:\qwtest\cand\ in its normalised form.
const std::string kListed = "C:\\Qwtest\\Cand\\";

class CandidateListTest : public ::testing::Test {
 protected:
  void SetUp() override { ResetCandidateList(); }
  void TearDown() override { ResetCandidateList(); }

  // Adds through a 400-character buffer, as discovery does; returns what the
  // buffer holds afterwards.
  static std::string Add(const std::string& text) {
    char buffer[kFolderTextSize];
    std::strcpy(buffer, text.c_str());
    AddCandidateFolder(buffer, sizeof buffer);
    return buffer;
  }

  ScratchFolder scratch{"cand"};
};

TEST_F(CandidateListTest, NormalisesAndFlagsTheDocumentedExamples) {
  const std::string photoshop = scratch.Folder("Program Files\\Adobe\\Photoshop Ab2\\Plug-Ins\\Quenwold");
  const std::string igrafx = scratch.Folder("Apps\\igrafx\\Plugins");
  scratch.Folder("Program Files\\App");
  WriteFileBytes(scratch.path() + "Program Files\\App\\app.exe", "MZ");

  Add(photoshop);
  Add(igrafx);
  const std::string duplicate = Add("C:\\QWTEST\\CAND\\PROGRAM FILES\\ADOBE\\PHOTOSHOP AB2\\PLUG-INS\\");
  Add(scratch.path() + "Program Files\\App\\app.exe");

  const std::vector<Listed> expected = {
      {kListed + "Program Files\\Adobe\\Photoshop Ab2\\Plug-Ins\\", 1},
      {kListed + "Apps\\Igrafx\\Plugins\\", 0},
      {kListed + "Program Files\\App\\", 1},
  };
  EXPECT_EQ(ListedCandidates(), expected);
  // A refused duplicate is still normalised in the caller's buffer.
  EXPECT_EQ(duplicate, expected[0].path);
}

TEST_F(CandidateListTest, OneFolderInDifferentFormsIsListedOnce) {
  scratch.Folder("Host\\Plugins");
  WriteFileBytes(scratch.path() + "Host\\Plugins\\filter.8bf", "8BF");
  for (const std::string& form :
       {scratch.path() + "Host\\Plugins", scratch.path() + "Host\\Plugins\\", std::string("c:\\qwtest\\cand\\host\\plugins"),
        scratch.path() + "Host\\Plugins\\filter.8bf", scratch.path() + "HOST\\PLUGINS\\\""}) {
    Add(form);
  }
  EXPECT_EQ(ListedCandidates(), (std::vector<Listed>{{kListed + "Host\\Plugins\\", 1}}));
}

TEST_F(CandidateListTest, KeepsTheFirstTwentyInOrder) {
  std::vector<Listed> expected;
  for (int i = 0; i < 21; ++i) {
    const std::string name = "F" + std::to_string(100 + i);
    Add(scratch.Folder(name));
    if (i < 20) expected.push_back({kListed + name + "\\", 1});
  }
  EXPECT_EQ(ListedCandidates(), expected);
}

TEST_F(CandidateListTest, CutsAtTheMakersFolder) {
  scratch.Folder("Host\\Plug-Ins\\Quenwold\\Sub");
  scratch.Folder("Aquen\\Quenwold");
  scratch.Folder("Other\\Quenwold\\igrafx");
  scratch.Folder("Quenwolder");

  Add(scratch.path() + "Host\\Plug-Ins\\Quenwold\\Sub");
  // Only the first "quen" counts, and only right after a backslash.
  Add(scratch.path() + "Aquen\\Quenwold");
  // "igrafx" in the part that is cut off does not clear the flag.
  Add(scratch.path() + "Other\\Quenwold\\igrafx");
  // Any folder whose name starts with the maker's four letters is cut.
  Add(scratch.path() + "Quenwolder");

  EXPECT_EQ(ListedCandidates(), (std::vector<Listed>{
                                    {kListed + "Host\\Plug-Ins\\", 1},
                                    {kListed + "Aquen\\Quenwold\\", 1},
                                    {kListed + "Other\\", 1},
                                    {kListed, 1},
                                }));
}

TEST_F(CandidateListTest, RefusesWhatIsNoFolder) {
  scratch.Folder("Real");
  WriteFileBytes(scratch.path() + "Real\\file", "x");
  struct Refused {
    std::string text;
    std::string left;  // what the caller's buffer holds afterwards
  } cases[] = {
      {"C:\\", "C:"},
      {"C:\\x", "C:\\"},
      {"C:", "C:"},
      {"", ""},
      {scratch.path() + "Missing\\Plugins", scratch.path() + "Missing\\"},
      {scratch.path() + "Real\\file\\sub", scratch.path() + "Real\\file\\"},
  };
  for (const Refused& c : cases) EXPECT_EQ(Add(c.text), c.left) << c.text;
  EXPECT_TRUE(ListedCandidates().empty());
}

// Distinct folders whose names differ only in a hyphen stay distinct.
TEST_F(CandidateListTest, DistinctFoldersStayDistinct) {
  Add(scratch.Folder("Plug-Ins"));
  Add(scratch.Folder("PlugIns"));
  EXPECT_EQ(ListedCandidates(), (std::vector<Listed>{{kListed + "Plug-Ins\\", 1}, {kListed + "Plugins\\", 1}}));
}

}  // namespace
