#include <climits>
#include <utility>

#include "RegistryFixture.h"

namespace {

// Runs the call and returns the message of the ERegistryException it raises
// ("" when it raises none).
template <typename Call>
std::string RaisedMessage(Call call) {
  try {
    call();
  } catch (const ERegistryException& e) {
    return e.what();
  }
  return "";
}

std::string TypeError(const std::string& name) { return "Invalid data type for '" + name + "'"; }

}  // namespace

TEST(SystemErrorMessageTest, GivesThePlatformTextWithoutTrailingBreaks) {
  EXPECT_EQ("Success.", SystemErrorMessage(ERROR_SUCCESS));
  for (LONG code : {ERROR_ACCESS_DENIED, ERROR_PRIVILEGE_NOT_HELD, ERROR_NOT_REGISTRY_FILE}) {
    std::string text = SystemErrorMessage(code);
    ASSERT_FALSE(text.empty()) << code;
    EXPECT_EQ(std::string::npos, std::string("\r\n ").find(text.back())) << code;
  }
  EXPECT_NE(SystemErrorMessage(ERROR_ACCESS_DENIED), SystemErrorMessage(ERROR_SUCCESS));
  // A code without a system text still gives something to show.
  EXPECT_FALSE(SystemErrorMessage(0x2FFFFFFF).empty());
}

TEST_F(RegistryTest, AbsentStringReadsEmptyAndAbsentIntegerRaises) {
  TRegistry reg;
  ASSERT_TRUE(reg.OpenKey(Key(), true));
  EXPECT_FALSE(reg.ValueExists("Locator"));
  EXPECT_EQ("", reg.ReadString("Locator"));
  EXPECT_EQ(TypeError("Left"), RaisedMessage([&] { reg.ReadInteger("Left"); }));
  EXPECT_FALSE(reg.Failed());
}

TEST_F(RegistryTest, WrongTypesRaiseWithTheValueName) {
  DWORD number = 7;
  RawSet(Key(), "Top", REG_DWORD, &number, sizeof(number));
  RawSet(Key(), "Version", REG_SZ, "1.5.3", 6);
  RawSet(Key(), "Blob", REG_BINARY, "\1\2\3\4", 4);
  RawSet(Key(), "List", REG_MULTI_SZ, "a\0b\0", 5);
  TRegistry reg;
  ASSERT_TRUE(reg.OpenKeyReadOnly(Key()));
  for (const char* name : {"Top", "List"})
    EXPECT_EQ(TypeError(name), RaisedMessage([&] { reg.ReadString(name); }));
  // Four bytes that are not a DWORD value are still not an integer.
  for (const char* name : {"Version", "Blob"})
    EXPECT_EQ(TypeError(name), RaisedMessage([&] { reg.ReadInteger(name); }));
  EXPECT_EQ(7, reg.ReadInteger("Top"));
  EXPECT_EQ("1.5.3", reg.ReadString("Version"));
}

TEST_F(RegistryTest, IntegersKeepTheirSign) {
  TRegistry reg;
  ASSERT_TRUE(reg.OpenKey(Key(), true));
  const int samples[] = {0, -1, INT_MIN, INT_MAX, static_cast<int>(0x8000000F)};
  for (int v : samples) {
    ASSERT_TRUE(reg.WriteInteger("Left", v));
    EXPECT_EQ(v, reg.ReadInteger("Left"));
  }
}

TEST_F(RegistryTest, StringsOfAnyLengthAreReadWhole) {
  std::string longText(100000, 'x');
  for (size_t i = 0; i < longText.size(); i += 97) longText[i] = static_cast<char>('A' + i % 26);
  {
    TRegistry reg;
    ASSERT_TRUE(reg.OpenKey(Key(), true));
    ASSERT_TRUE(reg.WriteString("Long", longText));
    ASSERT_TRUE(reg.WriteString("Empty", ""));
    ASSERT_TRUE(reg.WriteString("Accents", "Cami\xF1o \xC1vila"));
  }
  TRegistry reg;
  ASSERT_TRUE(reg.OpenKeyReadOnly(Key()));
  EXPECT_EQ(longText, reg.ReadString("Long"));
  EXPECT_TRUE(reg.ValueExists("Empty"));
  EXPECT_EQ("", reg.ReadString("Empty"));
  EXPECT_EQ("Cami\xF1o \xC1vila", reg.ReadString("Accents"));
}

TEST_F(RegistryTest, StoredStringsWithoutTerminatorOrWithExtraNulsReadSafely) {
  RawSet(Key(), "Bare", REG_SZ, "ABCDEF", 6);  // no NUL stored
  RawSet(Key(), "Padded", REG_SZ, "GH\0\0\0\0", 6);
  RawSet(Key(), "Expand", REG_EXPAND_SZ, "%WINDIR%\\x", 11);
  TRegistry reg;
  ASSERT_TRUE(reg.OpenKeyReadOnly(Key()));
  EXPECT_EQ("ABCDEF", reg.ReadString("Bare"));
  EXPECT_EQ("GH", reg.ReadString("Padded"));
  // Expandable texts are read as stored, not expanded.
  EXPECT_EQ("%WINDIR%\\x", reg.ReadString("Expand"));
}

// Texts around the size of the first buffer of TryReadString, with and
// without their terminator, read whole and end where they end.
TEST_F(RegistryTest, TextsAroundTheFirstBufferReadWholeWithOrWithoutTerminator) {
  for (std::size_t length : {0u, 1u, 510u, 511u, 512u, 513u, 1023u, 1024u}) {
    for (bool terminated : {true, false}) {
      std::string text(length, 'x');
      for (std::size_t i = 0; i < length; i += 7) text[i] = static_cast<char>(0x80 + i % 0x7F);
      RawSet(Key(), "Text", REG_SZ, text.c_str(), static_cast<DWORD>(length + terminated));
      TRegistry reg;
      ASSERT_TRUE(reg.OpenKeyReadOnly(Key()));
      std::string read = "unchanged";
      EXPECT_TRUE(reg.TryReadString("Text", read));
      EXPECT_EQ(text, read) << length << (terminated ? " with" : " without") << " terminator";
      EXPECT_EQ(text, reg.ReadString("Text")) << length;
    }
  }
}

// TryReadInteger takes a 32-bit integer only, and raises nothing.
TEST_F(RegistryTest, TryReadIntegerTakesOnlyA32BitInteger) {
  const DWORD minus = static_cast<DWORD>(-120);
  const unsigned long long wide = 5;
  struct TCase {
    const char* name;
    DWORD type;
    const void* data;
    DWORD size;
  };
  for (const TCase& c : {TCase{"Text", REG_SZ, "120", 4}, TCase{"Empty", REG_SZ, "", 0},
                         TCase{"Short", REG_DWORD, "\x78\x00\x00", 3},
                         TCase{"Quad", REG_QWORD, &wide, 8}, TCase{"Binary", REG_BINARY, &minus, 4},
                         TCase{"BigEndian", REG_DWORD_BIG_ENDIAN, &minus, 4}})
    RawSet(Key(), c.name, c.type, c.data, c.size);
  RawSet(Key(), "Left", REG_DWORD, &minus, 4);
  TRegistry reg;
  ASSERT_TRUE(reg.OpenKeyReadOnly(Key()));
  int value = 7;
  for (const char* name : {"Text", "Empty", "Short", "Quad", "Binary", "BigEndian", "Absent"}) {
    EXPECT_FALSE(reg.TryReadInteger(name, value)) << name;
    EXPECT_EQ(7, value) << name;
  }
  EXPECT_TRUE(reg.TryReadInteger("Left", value));
  EXPECT_EQ(-120, value);
}

TEST_F(RegistryTest, RenameValueKeepsTypeAndData) {
  DWORD number = 0x12345678;
  RawSet(Key(), "System", REG_SZ, "C:\\zub\\cfg", 11);
  RawSet(Key(), "OldNumber", REG_DWORD, &number, sizeof(number));
  RawSet(Key(), "OldBlob", REG_BINARY, "\0\1\2", 3);
  TRegistry reg;
  ASSERT_TRUE(reg.OpenKey(Key(), false));
  for (auto [from, to] : {std::pair{"System", "Config"}, std::pair{"OldNumber", "NewNumber"},
                          std::pair{"OldBlob", "NewBlob"}}) {
    EXPECT_TRUE(reg.RenameValue(from, to)) << from;
    EXPECT_FALSE(reg.ValueExists(from)) << from;
  }
  EXPECT_EQ("C:\\zub\\cfg", reg.ReadString("Config"));
  EXPECT_EQ(0x12345678, reg.ReadInteger("NewNumber"));
  EXPECT_EQ(TRawValue(REG_BINARY, std::string("\0\1\2", 3)), RawValue(Key(), "NewBlob"));
  EXPECT_FALSE(reg.Failed());
}

TEST_F(RegistryTest, RenameOfAbsentValueFailsAndRenameToItselfKeepsTheValue) {
  TRegistry reg;
  ASSERT_TRUE(reg.OpenKey(Key(), true));
  EXPECT_FALSE(reg.RenameValue("ZubDos", "UsersPub"));
  EXPECT_FALSE(reg.ValueExists("UsersPub"));
  ASSERT_TRUE(reg.WriteString("UsersPub", "C:\\a,*"));
  // Value names ignore case, so these name the value itself.
  EXPECT_TRUE(reg.RenameValue("UsersPub", "UsersPub"));
  EXPECT_TRUE(reg.RenameValue("UsersPub", "USERSPUB"));
  EXPECT_EQ("C:\\a,*", reg.ReadString("UsersPub"));
}

TEST_F(RegistryTest, RenameOverwritesAnExistingTarget) {
  TRegistry reg;
  ASSERT_TRUE(reg.OpenKey(Key(), true));
  ASSERT_TRUE(reg.WriteString("ZubDos", "new"));
  ASSERT_TRUE(reg.WriteString("UsersPub", "old"));
  EXPECT_TRUE(reg.RenameValue("ZubDos", "UsersPub"));
  EXPECT_EQ("new", reg.ReadString("UsersPub"));
  EXPECT_FALSE(reg.ValueExists("ZubDos"));
}

TEST_F(RegistryTest, DeleteValueReportsWhetherThereWasOne) {
  TRegistry reg;
  ASSERT_TRUE(reg.OpenKey(Key(), true));
  ASSERT_TRUE(reg.WriteString("ZubDos", "x"));
  EXPECT_TRUE(reg.DeleteValue("ZubDos"));
  EXPECT_FALSE(reg.ValueExists("ZubDos"));
  EXPECT_FALSE(reg.DeleteValue("ZubDos"));
  // Deleting what is not there loses nothing, so it is no failure.
  EXPECT_FALSE(reg.Failed());
}

TEST_F(RegistryTest, WithoutAnOpenKeyNothingIsReadOrWritten) {
  TRegistry reg;
  EXPECT_FALSE(reg.HasOpenKey());
  EXPECT_FALSE(reg.ValueExists("x"));
  EXPECT_EQ("", reg.ReadString("x"));
  EXPECT_FALSE(reg.WriteString("x", "y"));
  EXPECT_FALSE(reg.WriteInteger("x", 1));
  EXPECT_TRUE(reg.Failed());
  EXPECT_TRUE(reg.GetKeyNames().empty());
  EXPECT_FALSE(reg.HasSubKeys());
  EXPECT_FALSE(reg.RenameValue("x", "y"));
}
