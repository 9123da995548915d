#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "editor/config/FolderRules.h"

namespace {
// Every derived folder, as the part that follows the root.
const std::pair<std::string TRootFolders::*, const char*> kBelowRoot[] = {
    {&TRootFolders::Data, "Data"},          {&TRootFolders::Config, "Config"},
    {&TRootFolders::Mail, "Data\\Mail"},    {&TRootFolders::CompresMail, "Data\\Binmail"},
    {&TRootFolders::Docs, "Data\\Docs"},    {&TRootFolders::Yapp, "UsersPub\\Yapp"},
    {&TRootFolders::ImportFile, "Mail.in"}, {&TRootFolders::Pg, "Pg"},
    {&TRootFolders::Filters, "Filters"},    {&TRootFolders::Servers, "Servers"},
    {&TRootFolders::Drivers, "Drivers"},    {&TRootFolders::Diskc, "UsersPub"},
    {&TRootFolders::Sounds, "Sounds"},      {&TRootFolders::Lang, "Config\\Lang"},
    {&TRootFolders::Fwd, "Config\\Fwd"},    {&TRootFolders::Log, "Data\\Log"},
    {&TRootFolders::Sat, "Data\\Sat"},      {&TRootFolders::Wp, "Data\\Wp"},
    {&TRootFolders::OldMail, "Data\\OldMail"},
};
}  // namespace

// Each root and what every folder below it starts with: with or without a
// closing separator, the root is followed by exactly one.
class RootDerivation : public ::testing::TestWithParam<std::pair<const char*, const char*>> {};

TEST_P(RootDerivation, EveryFolderGetsOneSeparatorAfterTheRoot) {
  const auto& [root, prefix] = GetParam();
  const TRootFolders f = DeriveFromRoot(root);
  for (const auto& [field, below] : kBelowRoot) EXPECT_EQ(f.*field, prefix + std::string(below));
}

INSTANTIATE_TEST_SUITE_P(PlainTrailingBackslashDriveAndEmpty, RootDerivation,
                         ::testing::Values(std::pair{"D:\\BBS", "D:\\BBS\\"},
                                           std::pair{"D:\\BBS\\", "D:\\BBS\\"},
                                           std::pair{"D:\\", "D:\\"}, std::pair{"", "\\"}));

TEST(DataDerivation, OnlyTheThreeDataFolders) {
  const TDataFolders f = DeriveFromData("D:\\MSG");
  EXPECT_EQ(f.Mail, "D:\\MSG\\Mail");
  EXPECT_EQ(f.CompresMail, "D:\\MSG\\Binmail");
  EXPECT_EQ(f.Docs, "D:\\MSG\\Docs");
}

TEST(FolderCreation, EachPartBelowTheDriveInOrderDoubledSeparatorsSkipped) {
  using V = std::vector<std::string>;
  EXPECT_EQ(FoldersToCreate("C:\\A\\\\B", false), (V{"C:\\A\\", "C:\\A\\B\\"}));
  EXPECT_EQ(FoldersToCreate("C:\\A\\B\\", false), (V{"C:\\A\\", "C:\\A\\B\\"}));
  EXPECT_TRUE(FoldersToCreate("C:\\", false).empty());
  EXPECT_TRUE(FoldersToCreate("", true).empty());
  const V mail = FoldersToCreate("C:\\A\\\\B", true);
  ASSERT_EQ(mail.size(), 12u);
  EXPECT_EQ(mail[2], "C:\\A\\B\\mail0");
  EXPECT_EQ(mail[11], "C:\\A\\B\\mail9");
}

TEST(FolderCreation, PathsWithoutADriveStayWhereTheyPoint) {
  using V = std::vector<std::string>;
  // Not below the current folder: at the root of the drive, or on the share.
  EXPECT_EQ(FoldersToCreate("\\BBS\\Data", false), (V{"\\BBS\\", "\\BBS\\Data\\"}));
  EXPECT_EQ(FoldersToCreate("\\\\srv\\share\\BBS", false), (V{"\\\\srv\\share\\BBS\\"}));
  EXPECT_TRUE(FoldersToCreate("\\\\srv", false).empty());
}
