// The check's disk on a real one: what the system's search lists for the
// drivers pattern, which missing folders the save could make, which
// variables are set; then the check of a station laid out in a temporary
// folder, through it, end to end.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "editor/config/Check.h"
#include "editor/config/DiskProbe.h"

namespace {

using TKind = IDiskProbe::TKind;

class DiskProbeTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char temp[MAX_PATH];
    ASSERT_GT(GetTempPathA(MAX_PATH, temp), 0u);
    root_ = std::string(temp) + "nodrax-probe-" + std::to_string(GetCurrentProcessId());
    ASSERT_TRUE(CreateDirectoryA(root_.c_str(), nullptr));
    made_.push_back(root_);
  }
  void TearDown() override {
    for (auto it = made_.rbegin(); it != made_.rend(); ++it)
      if (!DeleteFileA(it->c_str())) RemoveDirectoryA(it->c_str());
  }
  std::string Folder(const std::string& below) {
    const std::string path = root_ + "\\" + below;
    EXPECT_TRUE(CreateDirectoryA(path.c_str(), nullptr)) << path;
    made_.push_back(path);
    return path;
  }
  std::string File(const std::string& below) {
    const std::string path = root_ + "\\" + below;
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
    EXPECT_NE(file, INVALID_HANDLE_VALUE) << path;
    CloseHandle(file);
    made_.push_back(path);
    return path;
  }
  std::string root_;
  std::vector<std::string> made_;  // in the order made
  TDiskProbe disk_;
};

std::string MissingDrive() {
  const DWORD drives = GetLogicalDrives();
  for (char letter = 'Z'; letter > 'D'; --letter)
    if (!(drives & (1u << (letter - 'A')))) return std::string(1, letter) + ":\\";
  return {};
}

}  // namespace

TEST_F(DiskProbeTest, KindsListingsAndWhatTheSaveCouldMake) {
  const std::string drivers = Folder("Drivers");
  File("Drivers\\kis.dll");
  File("Drivers\\long.dll");  // four characters: no driver
  File("Drivers\\notes.txt");
  Folder("Drivers\\dir.dll");  // a folder is no driver
  const std::string note = File("Note");

  EXPECT_EQ(disk_.Kind(drivers), TKind::Folder);
  EXPECT_EQ(disk_.Kind(drivers + "\\"), TKind::Folder);
  EXPECT_EQ(disk_.Kind(note), TKind::File);
  EXPECT_EQ(disk_.Kind(root_ + "\\Nothing"), TKind::Missing);

  EXPECT_EQ(disk_.Files(drivers, "???.dll"), std::vector<std::string>{"kis.dll"});
  EXPECT_EQ(disk_.Files(drivers + "\\", "???.dll"), std::vector<std::string>{"kis.dll"});
  std::vector<std::string> all = disk_.Files(drivers, "*");
  std::sort(all.begin(), all.end());
  EXPECT_EQ(all, (std::vector<std::string>{"kis.dll", "long.dll", "notes.txt"}));
  EXPECT_TRUE(disk_.Files(root_ + "\\Nothing", "*").empty());

  EXPECT_TRUE(disk_.CanCreate(root_ + "\\New\\Deeper\\Pg"));
  EXPECT_TRUE(disk_.CanCreate(root_ + "\\New\\"));
  EXPECT_FALSE(disk_.CanCreate(note + "\\Pg"));
  const std::string drive = MissingDrive();
  ASSERT_FALSE(drive.empty());
  EXPECT_FALSE(disk_.CanCreate(drive + "BBS\\Pg"));
  EXPECT_FALSE(disk_.CanCreate("Pg"));

  SetEnvironmentVariableA("NODRAX_PROBE_ROOT", root_.c_str());
  EXPECT_EQ(disk_.Expand("%NODRAX_PROBE_ROOT%\\Pg"), root_ + "\\Pg");
  SetEnvironmentVariableA("NODRAX_PROBE_ROOT", nullptr);
  EXPECT_EQ(disk_.Expand("%NODRAX_PROBE_ROOT%\\Pg"), std::nullopt);
  EXPECT_EQ(disk_.Expand("C:\\BBS"), "C:\\BBS");
}

TEST_F(DiskProbeTest, StationWhoseFoldersTheSaveMakesChecksCleanButForWhatIsMissing) {
  using T = TStationTexts;
  const std::string bbs = Folder("BBS");
  Folder("BBS\\Drivers");
  File("BBS\\Drivers\\KIS.dll");
  Folder("BBS\\Servers");
  File("BBS\\Servers\\PING.EXE");
  File("BBS\\Pg");  // where the PG folder goes

  TConfiguration c;
  c.SetText(&T::Editbbsindicativo, "EA5ZZZ");
  c.SetText(&T::Edithroute, "#VAL.ESP.EU");
  c.SetText(&T::Editlocator, "IM98");
  c.SetText(&T::Editsysopindicativo, "EA5XX");
  c.SetText(&T::Directorioraiz, bbs);
  TPortRecord& port = c.PortTable[0];
  SetField(port.Driver, "KIS");
  SetField(port.Com, "1");
  SetField(port.BaudRate, "9600");
  SetField(port.HexAddress, "3F8");
  TServerRecord& server = c.ServerTable[0];
  SetField(server.Name, "PING");
  SetField(server.File, "ping.exe");
  c.ServerCount = 1;

  const std::vector<TFinding> findings = CheckConfiguration(c, disk_);
  ASSERT_EQ(findings.size(), 2u);
  EXPECT_EQ(findings[0].Severity, TSeverity::Error);
  EXPECT_EQ(findings[0].Where(), "Folders\\Pg");
  EXPECT_NE(findings[0].Text.find("is a file"), std::string::npos) << findings[0].Text;
  // Disk C, which the root gives, is no folder that the save makes.
  EXPECT_EQ(findings[1].Where(), "Folders\\UsersPub");
  EXPECT_EQ(findings[1].Severity, TSeverity::Warning);
}
