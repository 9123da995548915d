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

// Sets (or, with nullopt, removes) ProgramFilesDir in the 32-bit view for
// as long as it lives, then puts the prefix back as it found it.
class TProgramFiles32 {
 public:
  explicit TProgramFiles32(const std::optional<std::string>& value) {
    before_ = ProgramFilesIn(KEY_WOW64_32KEY);
    const std::vector<std::string> levels = {"Software\\Microsoft", "Software\\Microsoft\\Windows",
                                             kCurrentVersion};
    for (const std::string& level : levels) {
      HKEY key = nullptr;
      if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, level.c_str(), 0, KEY_READ | KEY_WOW64_32KEY, &key) ==
          ERROR_SUCCESS)
        RegCloseKey(key);
      else
        created_.insert(created_.begin(), level);  // deepest first
    }
    Set(value);
  }
  ~TProgramFiles32() {
    Set(before_);
    for (const std::string& level : created_)
      RegDeleteKeyExA(HKEY_LOCAL_MACHINE, level.c_str(), KEY_WOW64_32KEY, 0);
  }

 private:
  static void Set(const std::optional<std::string>& value) {
    HKEY key = nullptr;
    if (value) {
      if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, kCurrentVersion, 0, nullptr, 0,
                          KEY_ALL_ACCESS | KEY_WOW64_32KEY, nullptr, &key, nullptr) != ERROR_SUCCESS)
        return;
      RegSetValueExA(key, "ProgramFilesDir", 0, REG_SZ,
                     reinterpret_cast<const BYTE*>(value->c_str()),
                     static_cast<DWORD>(value->size() + 1));
    } else {
      if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kCurrentVersion, 0, KEY_ALL_ACCESS | KEY_WOW64_32KEY,
                        &key) != ERROR_SUCCESS)
        return;
      RegDeleteValueA(key, "ProgramFilesDir");
    }
    RegCloseKey(key);
  }
  std::optional<std::string> before_;
  std::vector<std::string> created_;
};

using FirstRunTest = LoadSaveFixture;

TEST_F(FirstRunTest, WithoutAStoredConfigurationTheWindowGetsTheDefaults) {
  OpenEditor();
  TForm1& f = Form();
  EXPECT_FALSE(f.Editbbsindicativo->Text().empty());
  EXPECT_EQ(f.Editbbsindicativo->Text(), f.Editsysopindicativo->Text());
  EXPECT_FALSE(f.Edithroute->Text().empty());
  EXPECT_EQ("2", f.Editssid->Text());
  EXPECT_FALSE(f.Editlocator->Text().empty());
  EXPECT_FALSE(f.Editciudad->Text().empty());
  EXPECT_FALSE(f.Editsysopnombre->Text().empty());
  EXPECT_FALSE(f.Codpostal->Text().empty());
  EXPECT_EQ(f.Editbbsindicativo->Text() + "." + f.Edithroute->Text(),
            std::string(ConfigRecord->BbsCallsign));

  const std::string root = f.Directorioraiz->Text();
  ASSERT_GT(root.size(), 7u);
  EXPECT_EQ("\\Nodrax", root.substr(root.size() - 7));
  EXPECT_EQ(':', root[1]) << root;  // on a drive, not at the current one's root
  EXPECT_EQ(root + "\\Data", f.Directoriodata->Text());
  EXPECT_EQ(root + "\\UsersPub", f.Diskc->Text());

  for (TCheckBox* box : {f.Log, f.Indicacioncanales, f.Forwardzub, f.Compressforward,
                         f.Datosusuario, f.Menos1mega, f.Errorarchivo, f.Servererror,
                         f.Pingpong, f.Noruta, f.Nonts, f.Mensajenoencontrado, f.Errorpropuesta,
                         f.Reject, f.Held, f.Ackui, f.Privateui, f.Userui})
    EXPECT_TRUE(box->Checked()) << box->Name;
  EXPECT_FALSE(f.Modotest->Checked());
  EXPECT_FALSE(f.Tituloui->Checked());
  EXPECT_FALSE(f.Mbl->Checked());

  const std::vector<std::pair<TEdit*, const char*>> texts = {
      {f.timeoutusuarios, "10"},  {f.Timeoutforward, "10"},    {f.yappmax, "200"},
      {f.modemmax, "100"},        {f.Indicativosbaliza, "20"}, {f.buferusuario, "1000"},
      {f.buferconsola, "1000"},   {f.bufermonitor, "1000"},    {f.Cabecera, "[$c] ZUB$E $$:$R"},
      {f.Numerobid, "10000"},     {f.Diasboletines, "30"},     {f.Editbackui, "500"},
      {f.Editdelayui, "5"}};
  for (const auto& [edit, text] : texts) EXPECT_EQ(text, edit->Text()) << edit->Name;
  EXPECT_STREQ("500", ConfigRecord->Editbackui);

  // Nothing stored, the tables empty, the window marked as changed.
  EXPECT_TRUE(Dump().empty());
  EXPECT_TRUE(ConfigModified);
  for (int i = 0; i < kPortCount; ++i) EXPECT_FALSE(PortInUse(PortTable[i])) << i;
  EXPECT_EQ(0, ServerCount);
}

TEST_F(FirstRunTest, ClosingAsksToSaveAndYesStoresTheDefaults) {
  OpenEditor();
  AnswerMessage(IDCANCEL);
  EXPECT_FALSE(RequestClose());
  ASSERT_EQ(1u, Messages().size());
  EXPECT_EQ("Save Configuration?", Messages()[0].text);
  EXPECT_EQ("Nodraxcfg", Messages()[0].caption);

  TForm1& f = Form();
  f.Directorioraiz->SetText(kTestRoot);
  const std::string identity = f.Editbbsindicativo->Text() + "." + f.Edithroute->Text();
  AnswerMessage(IDYES);
  EXPECT_TRUE(RequestClose());
  EXPECT_EQ(2u, Messages().size());
  EXPECT_EQ(identity, Text(kConfigKey, "BbsCallsign"));
  EXPECT_EQ("2", Text(kConfigKey, "SSID"));
  EXPECT_EQ("500 5 AVP", Text(kConfigKey, "Unproto"));
  EXPECT_EQ("OK", Text(kConfigKey, "FullLog"));
  EXPECT_EQ("OK", Text(kConfigKey, "ChannelsIndication"));
  EXPECT_EQ("NO", Text(kConfigKey, "TestMode"));
  EXPECT_EQ("1023", Text(kConfigKey, "WarningMessages"));
  EXPECT_EQ("OK  0", Text(kConfigKey, "ForwardTypeZub"));
  EXPECT_EQ("OK  0", Text(kConfigKey, "ForwardResume"));
  EXPECT_EQ("10  10", Text(kConfigKey, "Timeout"));
  EXPECT_EQ("200  100", Text(kConfigKey, "MaxDownloadYapp"));
  EXPECT_EQ("1000  1000  1000", Text(kConfigKey, "ScrollBuffers"));
  EXPECT_EQ("20", Text(kConfigKey, "CallsignsInMailBeacon"));
  EXPECT_EQ("10000", Text(kConfigKey, "MaxBids"));
  EXPECT_EQ("30", Text(kConfigKey, "BulletinsLifetime"));
  EXPECT_EQ((std::vector<std::string>{"Port0"}), SubKeys(kPortsKey));
  EXPECT_TRUE(FolderExists(std::string(kTestRoot) + "\\Data\\Mail\\mail0"));
}

TEST_F(FirstRunTest, AStoredConfigurationEvenAnEmptyOneGetsNoDefaults) {
  CreateEmptyConfig();
  OpenEditor();
  TForm1& f = Form();
  EXPECT_EQ("", f.Editbbsindicativo->Text());
  EXPECT_EQ("", f.Editssid->Text());
  EXPECT_EQ("", f.Directorioraiz->Text());
  EXPECT_EQ("", f.timeoutusuarios->Text());
  EXPECT_FALSE(f.Log->Checked());
  EXPECT_FALSE(f.Ackui->Checked());
  EXPECT_FALSE(ConfigModified);
}

TEST_F(FirstRunTest, TheRootFollowsTheProgramFilesFolderOfThe32BitView) {
  TProgramFiles32 programFiles(std::string("C:\\NodraxTest\\PF32"));
  OpenEditor();
  EXPECT_EQ("C:\\NodraxTest\\PF32\\Nodrax", Form().Directorioraiz->Text());
}

TEST_F(FirstRunTest, WithoutThe32BitValueTheNativeProgramFilesFolderIsTaken) {
  const std::optional<std::string> native = ProgramFilesIn(KEY_WOW64_64KEY);
  ASSERT_TRUE(native) << "the prefix has no native ProgramFilesDir";
  TProgramFiles32 programFiles(std::nullopt);
  OpenEditor();
  EXPECT_EQ(*native + "\\Nodrax", Form().Directorioraiz->Text());
}

}  // namespace
