// The built program's own resources, read from the file as Explorer reads
// them: the icon of the window class, the taskbar and Explorer, and the
// version block of its file properties.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

namespace {

std::string ProgramPath() {
  std::string path = std::string("Z:") + NODRAX_EXE;  // the host root is Z:
  std::replace(path.begin(), path.end(), '/', '\\');
  return path;
}

// The small and the large icon of each screen DPI as 32-bit bitmaps, drawn
// for that size rather than scaled by the system; 256 (0 in the directory)
// as a PNG picture, which the system decodes.
TEST(ProgramResourcesTest, IconInTheSizesOfEachDpiAndVersionBlock153) {
  const std::string path = ProgramPath();
  HMODULE program = LoadLibraryExA(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  ASSERT_NE(nullptr, program) << path;
  HRSRC group = FindResourceA(program, "MAINICON", MAKEINTRESOURCEA(14));  // RT_GROUP_ICON
  ASSERT_NE(nullptr, group) << "no MAINICON";
  const BYTE* dir = static_cast<const BYTE*>(LockResource(LoadResource(program, group)));
  const WORD count = *reinterpret_cast<const WORD*>(dir + 4);
  std::set<int> sizes;
  for (WORD i = 0; i < count; ++i) {
    const BYTE* entry = dir + 6 + i * 14;
    const int size = entry[0] ? entry[0] : 256;
    sizes.insert(size);
    EXPECT_EQ(32, *reinterpret_cast<const WORD*>(entry + 6)) << "bits of picture " << i;
    HRSRC picture = FindResourceA(
        program, MAKEINTRESOURCEA(*reinterpret_cast<const WORD*>(entry + 12)), MAKEINTRESOURCEA(3));
    ASSERT_NE(nullptr, picture) << size;
    const BYTE* data = static_cast<const BYTE*>(LockResource(LoadResource(program, picture)));
    EXPECT_EQ(size == 256, std::string(reinterpret_cast<const char*>(data), 4) == "\x89PNG") << size;
    HICON icon = CreateIconFromResourceEx(const_cast<BYTE*>(data), SizeofResource(program, picture),
                                          TRUE, 0x00030000, size, size, LR_DEFAULTCOLOR);
    EXPECT_NE(nullptr, icon) << "picture " << size << " does not decode";
    if (icon) DestroyIcon(icon);
  }
  EXPECT_EQ(1u, sizes.count(256));
  for (int dpi : {96, 120, 144, 192})
    for (int size : {16, 32})
      EXPECT_EQ(1u, sizes.count(MulDiv(size, dpi, 96))) << size << " at " << dpi << " DPI";
  FreeLibrary(program);

  DWORD ignored = 0;
  std::vector<char> block(GetFileVersionInfoSizeA(path.c_str(), &ignored));
  ASSERT_FALSE(block.empty());
  ASSERT_TRUE(GetFileVersionInfoA(path.c_str(), 0, static_cast<DWORD>(block.size()), block.data()));
  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT length = 0;
  ASSERT_TRUE(VerQueryValueA(block.data(), "\\", reinterpret_cast<void**>(&fixed), &length));
  EXPECT_EQ(static_cast<DWORD>(MAKELONG(5, 1)), fixed->dwFileVersionMS);
  EXPECT_EQ(static_cast<DWORD>(MAKELONG(0, 3)), fixed->dwFileVersionLS);
  for (const auto& [name, expected] :
       {std::pair<const char*, const char*>{"FileVersion", "1.5.3"},
        {"ProductVersion", "1.5.3"},
        {"FileDescription", "Nodrax configuration tool"},
        {"OriginalFilename", "Nodraxcfg.exe"}}) {
    char* value = nullptr;
    const std::string query = std::string("\\StringFileInfo\\040904E4\\") + name;
    ASSERT_TRUE(VerQueryValueA(block.data(), query.c_str(), reinterpret_cast<void**>(&value),
                               &length))
        << name;
    EXPECT_STREQ(expected, value) << name;
  }
}

}  // namespace
