#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "editor/config/FolderRules.h"

TEST(RootDerivation, PlainRootGetsOneSeparatorEverywhere) {
  const TRootFolders f = DeriveFromRoot("D:\\BBS");
  EXPECT_EQ(f.Data, "D:\\BBS\\Data");
  EXPECT_EQ(f.Config, "D:\\BBS\\Config");
  EXPECT_EQ(f.Mail, "D:\\BBS\\Data\\Mail");
  EXPECT_EQ(f.CompresMail, "D:\\BBS\\Data\\Binmail");
  EXPECT_EQ(f.Docs, "D:\\BBS\\Data\\Docs");
  EXPECT_EQ(f.Yapp, "D:\\BBS\\UsersPub\\Yapp");
  EXPECT_EQ(f.ImportFile, "D:\\BBS\\Mail.in");
  EXPECT_EQ(f.Pg, "D:\\BBS\\Pg");
  EXPECT_EQ(f.Filters, "D:\\BBS\\Filters");
  EXPECT_EQ(f.Servers, "D:\\BBS\\Servers");
  EXPECT_EQ(f.Drivers, "D:\\BBS\\Drivers");
  EXPECT_EQ(f.Diskc, "D:\\BBS\\UsersPub");
  EXPECT_EQ(f.Sounds, "D:\\BBS\\Sounds");
  EXPECT_EQ(f.Lang, "D:\\BBS\\Config\\Lang");
  EXPECT_EQ(f.Fwd, "D:\\BBS\\Config\\Fwd");
  EXPECT_EQ(f.Log, "D:\\BBS\\Data\\Log");
  EXPECT_EQ(f.Sat, "D:\\BBS\\Data\\Sat");
  EXPECT_EQ(f.Wp, "D:\\BBS\\Data\\Wp");
  EXPECT_EQ(f.OldMail, "D:\\BBS\\Data\\OldMail");
}

TEST(RootDerivation, TrailingBackslashDriveRootAndEmptyRoot) {
  const TRootFolders slash = DeriveFromRoot("D:\\BBS\\");
  const TRootFolders plain = DeriveFromRoot("D:\\BBS");
  EXPECT_EQ(slash.Data, plain.Data);
  EXPECT_EQ(slash.Log, plain.Log);
  EXPECT_EQ(slash.Diskc, plain.Diskc);
  EXPECT_EQ(DeriveFromRoot("D:\\").Data, "D:\\Data");
  EXPECT_EQ(DeriveFromRoot("D:\\").Mail, "D:\\Data\\Mail");
  const TRootFolders empty = DeriveFromRoot("");
  EXPECT_EQ(empty.Data, "\\Data");
  EXPECT_EQ(empty.Config, "\\Config");
  EXPECT_EQ(empty.Lang, "\\Config\\Lang");
}

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
