// The first run: without a stored configuration the window starts with a
// working set of defaults, marked as unsaved; with one (even an empty one)
// nothing is applied.
#include <optional>
#include <string>
#include <vector>

#include "support/LoadSaveFixture.h"

namespace {

const char kCurrentVersion[] = "Software\\Microsoft\\Windows\\CurrentVersion";

std::optional<std::string> ProgramFilesIn(REGSAM view) {
  HKEY key = nullptr;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kCurrentVersion, 0, KEY_QUERY_VALUE | view, &key) !=
      ERROR_SUCCESS)
    return std::nullopt;
  char data[MAX_PATH + 1] = {};
  DWORD size = MAX_PATH, type = 0;
  const LONG rc = RegQueryValueExA(key, "ProgramFilesDir", nullptr, &type,
                                   reinterpret_cast<BYTE*>(data), &size);
  RegCloseKey(key);
  if (rc != ERROR_SUCCESS || type != REG_SZ) return std::nullopt;
  return std::string(data);
}

class FirstRunTest : public LoadSaveFixture {
 protected:
  // Sets (or, with nullopt, removes) ProgramFilesDir in the 32-bit view for
  // as long as it lives, then puts the prefix back as it found it.
  class TProgramFiles32 {
   public:
    explicit TProgramFiles32(const std::optional<std::string>& value)
        : before_(ProgramFilesIn(KEY_WOW64_32KEY)) {
      for (const char* level :
           {"Software\\Microsoft", "Software\\Microsoft\\Windows", kCurrentVersion})
        if (!KeyExists(level)) created_.insert(created_.begin(), level);  // deepest first
      Set(value);
    }
    ~TProgramFiles32() {
      Set(before_);
      for (const std::string& level : created_)
        RegDeleteKeyExA(HKEY_LOCAL_MACHINE, level.c_str(), KEY_WOW64_32KEY, 0);
    }

   private:
    static void Set(const std::optional<std::string>& value) {
      if (value) return WriteString(kCurrentVersion, "ProgramFilesDir", *value);
      HKEY key = nullptr;
      if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kCurrentVersion, 0, KEY_ALL_ACCESS | KEY_WOW64_32KEY,
                        &key) != ERROR_SUCCESS)
        return;
      RegDeleteValueA(key, "ProgramFilesDir");
      RegCloseKey(key);
    }
    const std::optional<std::string> before_;
    std::vector<std::string> created_;
  };
};

TEST_F(FirstRunTest, WithoutAStoredConfigurationTheWindowGetsTheDefaults) {
  OpenEditor();
  TForm1& f = Form();
  for (const TControl* edit : {f.General().Editbbsindicativo, f.General().Edithroute, f.General().Editlocator, f.General().Editciudad,
                               f.General().Editsysopnombre, f.General().Codpostal})
    EXPECT_FALSE(edit->Text().empty()) << edit->Name;
  EXPECT_EQ(f.General().Editbbsindicativo->Text(), f.General().Editsysopindicativo->Text());
  EXPECT_EQ(f.General().Editbbsindicativo->Text() + "." + f.General().Edithroute->Text(),
            std::string(Configuration->ConfigRecord.BbsCallsign));

  const std::string root = f.Folders().Directorioraiz->Text();
  ASSERT_GT(root.size(), 7u);
  EXPECT_EQ("\\Nodrax", root.substr(root.size() - 7));
  EXPECT_EQ(':', root[1]) << root;  // on a drive, not at the current one's root

  ExpectChecked(true, {f.Miscellaneous1().Log, f.Miscellaneous1().Indicacioncanales, f.Forwarding().Forwardzub, f.Forwarding().Compressforward,
                       f.Miscellaneous1().Datosusuario, f.Warnings().Menos1mega, f.Warnings().Errorarchivo, f.Warnings().Servererror, f.Warnings().Pingpong,
                       f.Warnings().Noruta, f.Warnings().Nonts, f.Warnings().Mensajenoencontrado, f.Warnings().Errorpropuesta, f.Warnings().Reject,
                       f.Warnings().Held, f.Unproto().Ackui, f.Unproto().Privateui, f.Unproto().Userui});
  ExpectChecked(false, {f.Miscellaneous1().Modotest, f.Unproto().Tituloui, f.Forwarding().Mbl});
  ExpectTexts({{f.General().Editssid, "2"}, {f.Folders().Directoriodata, root + "\\Data"},
               {f.Disks().Diskc, root + "\\UsersPub"}, {f.Miscellaneous2().timeoutusuarios, "10"},
               {f.Miscellaneous2().Timeoutforward, "10"}, {f.Miscellaneous2().yappmax, "200"}, {f.Miscellaneous2().modemmax, "100"},
               {f.Miscellaneous1().Indicativosbaliza, "20"}, {f.Miscellaneous2().buferusuario, "1000"}, {f.Miscellaneous2().buferconsola, "1000"},
               {f.Miscellaneous2().bufermonitor, "1000"}, {f.Miscellaneous1().Cabecera, "[$c] ZUB$E $$:$R"},
               {f.Miscellaneous1().Numerobid, "10000"}, {f.Miscellaneous2().Diasboletines, "30"}, {f.Unproto().Editbackui, "500"},
               {f.Unproto().Editdelayui, "5"}});
  EXPECT_STREQ("500", Configuration->ConfigRecord.Editbackui);

  // Nothing stored, the tables empty, the window marked as changed.
  EXPECT_TRUE(Dump().empty());
  EXPECT_TRUE(ConfigModified);
  for (int i = 0; i < kPortCount; ++i) EXPECT_FALSE(PortInUse(Configuration->PortTable[i])) << i;
  EXPECT_EQ(0, Configuration->ServerCount);
}

TEST_F(FirstRunTest, ClosingAsksToSaveAndYesStoresTheDefaults) {
  OpenEditor();
  AnswerMessage(IDCANCEL);
  EXPECT_FALSE(RequestClose());
  ASSERT_EQ(1u, Messages().size());
  EXPECT_EQ("Save Configuration?", Messages()[0].text);
  EXPECT_EQ("Nodraxcfg", Messages()[0].caption);

  TForm1& f = Form();
  f.Folders().Directorioraiz->SetText(kTestRoot);
  const std::string identity = f.General().Editbbsindicativo->Text() + "." + f.General().Edithroute->Text();
  AnswerMessage(IDYES);
  EXPECT_TRUE(RequestClose());
  EXPECT_EQ(2u, Messages().size());
  ExpectStored(kConfigKey, {{"BbsCallsign", identity}, {"SSID", "2"}, {"Unproto", "500 5 AVP"},
                            {"FullLog", "OK"}, {"ChannelsIndication", "OK"}, {"TestMode", "NO"},
                            {"WarningMessages", "1023"}, {"ForwardTypeZub", "OK  0"},
                            {"ForwardResume", "OK  0"}, {"Timeout", "10  10"},
                            {"MaxDownloadYapp", "200  100"}, {"ScrollBuffers", "1000  1000  1000"},
                            {"CallsignsInMailBeacon", "20"}, {"MaxBids", "10000"},
                            {"BulletinsLifetime", "30"}});
  EXPECT_EQ((std::vector<std::string>{"Port0"}), SubKeys(kPortsKey));
  EXPECT_TRUE(FolderExists(std::string(kTestRoot) + "\\Data\\Mail\\mail0"));
}

TEST_F(FirstRunTest, AStoredConfigurationEvenAnEmptyOneGetsNoDefaults) {
  CreateEmptyConfig();
  OpenEditor();
  TForm1& f = Form();
  ExpectTexts({{f.General().Editbbsindicativo, ""}, {f.General().Editssid, ""}, {f.Folders().Directorioraiz, ""},
               {f.Miscellaneous2().timeoutusuarios, ""}});
  ExpectChecked(false, {f.Miscellaneous1().Log, f.Unproto().Ackui});
  EXPECT_FALSE(ConfigModified);
}

TEST_F(FirstRunTest, TheRootFollowsTheProgramFilesFolderOfThe32BitView) {
  TProgramFiles32 programFiles(std::string("C:\\NodraxTest\\PF32"));
  OpenEditor();
  EXPECT_EQ("C:\\NodraxTest\\PF32\\Nodrax", Form().Folders().Directorioraiz->Text());
}

TEST_F(FirstRunTest, WithoutThe32BitValueTheNativeProgramFilesFolderIsTaken) {
  const std::optional<std::string> native = ProgramFilesIn(KEY_WOW64_64KEY);
  ASSERT_TRUE(native) << "the prefix has no native ProgramFilesDir";
  TProgramFiles32 programFiles(std::nullopt);
  OpenEditor();
  EXPECT_EQ(*native + "\\Nodrax", Form().Folders().Directorioraiz->Text());
}

// The installer stores the folder it installed into as ZubRoot: a first run
// takes it as the root, expanded when it is a REG_EXPAND_SZ text and cut at
// the stored size when it has no terminator. An empty one leaves the
// program-files rule.
struct TStoredRoot {
  DWORD type;
  std::string bytes, root;
};

class FirstRunRootTest : public FirstRunTest, public ::testing::WithParamInterface<TStoredRoot> {};

TEST_P(FirstRunRootTest, TheRootIsTheStoredZubRootWhenThereIsOne) {
  TProgramFiles32 programFiles(std::string("C:\\NodraxTest\\PF32"));
  SetEnvironmentVariableA("NODRAX_FIRST_RUN", "C:\\NodraxTest\\Expanded");
  HKEY key = nullptr;
  ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(HKEY_LOCAL_MACHINE, kFoldersKey, 0, nullptr, 0,
                                           KEY_ALL_ACCESS | KEY_WOW64_32KEY, nullptr, &key, nullptr));
  RegSetValueExA(key, "ZubRoot", 0, GetParam().type,
                 reinterpret_cast<const BYTE*>(GetParam().bytes.data()),
                 static_cast<DWORD>(GetParam().bytes.size()));
  RegCloseKey(key);
  OpenEditor();
  EXPECT_EQ(GetParam().root, Form().Folders().Directorioraiz->Text());
  EXPECT_EQ(GetParam().root + "\\Data", Form().Folders().Directoriodata->Text());
  EXPECT_FALSE(KeyExists(kConfigKey)) << "the first run stores nothing before a save";
}

INSTANTIATE_TEST_SUITE_P(
    Roots, FirstRunRootTest,
    ::testing::Values(
        TStoredRoot{REG_SZ, std::string("D:\\Radio BBS") + '\0', "D:\\Radio BBS"},
        TStoredRoot{REG_EXPAND_SZ, std::string("%NODRAX_FIRST_RUN%\\Root") + '\0',
                    "C:\\NodraxTest\\Expanded\\Root"},
        TStoredRoot{REG_SZ, "C:\\Unterminated", "C:\\Unterminated"},
        TStoredRoot{REG_SZ, std::string(1, '\0'), "C:\\NodraxTest\\PF32\\Nodrax"}));

}  // namespace
