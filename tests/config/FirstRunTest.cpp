// The first run: without a stored configuration the editor starts from a
// working set of defaults, with the BBS root in the program-files folder.
#include <iterator>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "config/StoredConfiguration.h"
#include "editor/app/FirstRun.h"

namespace {

using T = TStationTexts;
using B = TStationBoxes;

class FirstRunTest : public RegistryTreeFixture {};

TEST_F(FirstRunTest, TheDefaultsAreAWorkingStationAndNothingIsStored) {
  Primeravez(Config());
  const TConfiguration& c = Config();
  const TStationTexts& t = c.Texts;
  const TStationText samples[] = {&T::Editbbsindicativo, &T::Edithroute, &T::Editlocator,
                                  &T::Editciudad,        &T::Editsysopnombre, &T::Codpostal};
  for (std::size_t i = 0; i < std::size(samples); ++i)
    EXPECT_FALSE((t.*samples[i]).empty()) << "sample " << i << " of the list";
  EXPECT_EQ(t.Editbbsindicativo, t.Editsysopindicativo);
  EXPECT_EQ(t.Editbbsindicativo + "." + t.Edithroute, std::string(c.ConfigRecord.BbsCallsign));

  const TStationBox ticked[] = {
      &B::Log,          &B::Indicacioncanales, &B::Forwardzub,   &B::Compressforward,
      &B::Datosusuario, &B::Menos1mega,        &B::Errorarchivo, &B::Servererror,
      &B::Pingpong,     &B::Noruta,            &B::Nonts,        &B::Mensajenoencontrado,
      &B::Errorpropuesta, &B::Reject,          &B::Held,         &B::Ackui,
      &B::Privateui,    &B::Userui};
  const TStationBox clear[] = {&B::Modotest, &B::Tituloui, &B::Mbl};
  for (std::size_t i = 0; i < std::size(ticked); ++i) EXPECT_TRUE(c.Boxes.*ticked[i]) << i;
  for (std::size_t i = 0; i < std::size(clear); ++i) EXPECT_FALSE(c.Boxes.*clear[i]) << i;

  const std::string root = t.Directorioraiz;
  const std::pair<TStationText, std::string> texts[] = {
      {&T::Editssid, "2"}, {&T::Directoriodata, root + "\\Data"}, {&T::Diskc, root + "\\UsersPub"},
      {&T::timeoutusuarios, "10"}, {&T::Timeoutforward, "10"}, {&T::yappmax, "200"},
      {&T::modemmax, "100"}, {&T::Indicativosbaliza, "20"}, {&T::buferusuario, "1000"},
      {&T::buferconsola, "1000"}, {&T::bufermonitor, "1000"}, {&T::Cabecera, "[$c] ZUB$E $$:$R"},
      {&T::Numerobid, "10000"}, {&T::Diasboletines, "30"}, {&T::Editbackui, "500"},
      {&T::Editdelayui, "5"}};
  for (const auto& [field, text] : texts) {
    EXPECT_EQ(text, t.*field);
    EXPECT_EQ(text, FieldText(c.ConfigRecord, MirroredField(field))) << text;
  }

  // Nothing stored, the tables empty.
  EXPECT_TRUE(Dump().empty());
  for (int i = 0; i < kPortCount; ++i) EXPECT_FALSE(PortInUse(c.PortTable[i])) << i;
  EXPECT_EQ(0, c.ServerCount);
}

TEST_F(FirstRunTest, SavedTheDefaultsAreWhatANewBbsStartsWith) {
  Primeravez(Config());
  Config().SetText(&T::Directorioraiz, kTestRoot);
  ASSERT_EQ(TSaveOutcome::Saved, SaveConfiguration(Config()).Outcome);
  const std::string identity = Config().Texts.Editbbsindicativo + "." + Config().Texts.Edithroute;
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

// ---------------------------------------------------------------------------
// The root folder: Nodrax in the program-files folder of the 32-bit view.

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

class FirstRunRootTest : public RegistryTreeFixture {
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
  static std::string Root() {
    Primeravez(Config());
    return Config().Texts.Directorioraiz;
  }
};

TEST_F(FirstRunRootTest, OnTheDriveOfTheProgramFilesFolderNotAtTheCurrentOnesRoot) {
  const std::string root = Root();
  ASSERT_GT(root.size(), 7u);
  EXPECT_EQ("\\Nodrax", root.substr(root.size() - 7));
  EXPECT_EQ(':', root[1]) << root;
}

TEST_F(FirstRunRootTest, TheRootFollowsTheProgramFilesFolderOfThe32BitView) {
  TProgramFiles32 programFiles(std::string("C:\\NodraxTest\\PF32"));
  EXPECT_EQ("C:\\NodraxTest\\PF32\\Nodrax", Root());
}

TEST_F(FirstRunRootTest, WithoutThe32BitValueTheNativeProgramFilesFolderIsTaken) {
  const std::optional<std::string> native = ProgramFilesIn(KEY_WOW64_64KEY);
  ASSERT_TRUE(native) << "the prefix has no native ProgramFilesDir";
  TProgramFiles32 programFiles(std::nullopt);
  EXPECT_EQ(*native + "\\Nodrax", Root());
}

// The installer stores the folder it installed into as ZubRoot: a first run
// takes it as the root, expanded when it is a REG_EXPAND_SZ text and cut at
// the stored size when it has no terminator. An empty one leaves the
// program-files rule.
TEST_F(FirstRunRootTest, TheRootIsTheStoredZubRootWhenThereIsOne) {
  struct TStoredRoot {
    DWORD Type;
    std::string Bytes, Root;
  };
  const TStoredRoot roots[] = {
      {REG_SZ, std::string("D:\\Radio BBS") + '\0', "D:\\Radio BBS"},
      {REG_EXPAND_SZ, std::string("%NODRAX_FIRST_RUN%\\Root") + '\0',
       "C:\\NodraxTest\\Expanded\\Root"},
      {REG_SZ, "C:\\Unterminated", "C:\\Unterminated"},
      {REG_SZ, std::string(1, '\0'), "C:\\NodraxTest\\PF32\\Nodrax"}};
  TProgramFiles32 programFiles(std::string("C:\\NodraxTest\\PF32"));
  SetEnvironmentVariableA("NODRAX_FIRST_RUN", "C:\\NodraxTest\\Expanded");
  for (const TStoredRoot& stored : roots) {
    HKEY key = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(HKEY_LOCAL_MACHINE, kFoldersKey, 0, nullptr, 0,
                                             KEY_ALL_ACCESS | KEY_WOW64_32KEY, nullptr, &key,
                                             nullptr));
    RegSetValueExA(key, "ZubRoot", 0, stored.Type, reinterpret_cast<const BYTE*>(stored.Bytes.data()),
                   static_cast<DWORD>(stored.Bytes.size()));
    RegCloseKey(key);
    NewDocument();
    EXPECT_EQ(stored.Root, Root());
    EXPECT_EQ(stored.Root + "\\Data", Config().Texts.Directoriodata);
    EXPECT_FALSE(KeyExists(kConfigKey)) << "the first run stores nothing before a save";
  }
}

}  // namespace
