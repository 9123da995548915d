// Who may change the backups, as Wine reports it. Wine keeps no access
// lists: it maps the one set onto the Unix mode and reports back SYSTEM and
// the owner (this process's user, the administrator) with full access, and
// no entry for anyone else; a folder or file made with the rights that the
// root passes on reports Everyone too. Users' reading, which the mode cannot
// hold apart from writing, is not reported at all.
#include <windows.h>
#include <sddl.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <regex>
#include <string>

#include "editor/transfer/Backup.h"
#include "support/RegistryTree.h"

namespace {

const SYSTEMTIME kAt{2026, 12, 2, 8, 14, 15, 3, 0};

// The owner and access list as the platform reports them, in SDDL.
std::string Sddl(const std::string& path) {
  const SECURITY_INFORMATION wanted = OWNER_SECURITY_INFORMATION | DACL_SECURITY_INFORMATION;
  DWORD size = 0;
  GetFileSecurityA(path.c_str(), wanted, nullptr, 0, &size);
  std::string descriptor(size, '\0');
  char* text = nullptr;
  if (!size || !GetFileSecurityA(path.c_str(), wanted, descriptor.data(), size, &size) ||
      !ConvertSecurityDescriptorToStringSecurityDescriptorA(descriptor.data(), SDDL_REVISION_1,
                                                            wanted, &text, nullptr))
    return "error " + std::to_string(GetLastError());
  std::string sddl = text;
  LocalFree(text);
  return sddl;
}

using BackupSecurityTest = RegistryTreeFixture;

// Whether the Backup folder is new or was made before with the root's
// rights, the folder and the backup written into it are the
// administrators' and SYSTEM's alone.
TEST_F(BackupSecurityTest, TheFolderAndEachBackupAreWritableByAdministratorsAndSystemOnly) {
  const std::regex folderList(R"(O:(S-[0-9-]+)D:P?\(A;OICI;FA;;;SY\)\(A;OICI;FA;;;\1\))");
  const std::regex fileList(R"(O:(S-[0-9-]+)D:P?\(A;;FA;;;SY\)\(A;;FA;;;\1\))");
  const std::string folder = std::string(kTestRoot) + "\\Backup";
  CreateEmptyConfig();
  for (const bool existed : {false, true}) {
    SCOPED_TRACE(existed ? "an existing folder" : "a new folder");
    RemoveTestFolder();
    std::filesystem::create_directories(existed ? folder : kTestRoot);
    if (existed) {
      ASSERT_NE(std::string::npos, Sddl(folder).find(";;;WD)"))
          << "a folder made with the root's rights reports Everyone: " << Sddl(folder);
    }
    const TBackupResult backup = BackUpStoredConfiguration(kTestRoot, kAt);
    ASSERT_EQ(ERROR_SUCCESS, backup.Code);
    EXPECT_TRUE(std::regex_match(Sddl(folder), folderList)) << Sddl(folder);
    EXPECT_TRUE(std::regex_match(Sddl(backup.File), fileList)) << Sddl(backup.File);
  }
}

}  // namespace
