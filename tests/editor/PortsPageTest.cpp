// The Ports page under the mouse and the keyboard: showing a port, the type
// classes and their defaults, storing edits, the channel warnings, the
// driver list, the import of an old ports file and start code 22.
#include <windows.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <tuple>
#include <vector>

#include "support/LoadSaveFixture.h"

namespace {

using Strings = std::vector<std::string>;

// The fields of a port, in the order of the rows below.
constexpr auto kFields = std::make_tuple(
    &TPortRecord::Driver, &TPortRecord::Com, &TPortRecord::BaudRate, &TPortRecord::HexAddress,
    &TPortRecord::Canal, &TPortRecord::NumChannels, &TPortRecord::Paclen, &TPortRecord::MaxFrame,
    &TPortRecord::NumFwdChannels, &TPortRecord::MaxBlock, &TPortRecord::Fwdminute,
    &TPortRecord::Fwdperiodo, &TPortRecord::Label, &TPortRecord::Tipopuerto, &TPortRecord::Unprotos,
    &TPortRecord::Yapp, &TPortRecord::Gateway, &TPortRecord::Rdonly, &TPortRecord::Disabled);

Strings Fields(const TPortRecord& p) {
  return std::apply([&](auto... field) { return Strings{FieldText(p.*field)...}; }, kFields);
}

// Sets the first v.size() fields, each cut at its width.
void SetFields(TPortRecord& p, const Strings& v) {
  size_t i = 0;
  std::apply([&](auto... field) { ((i < v.size() ? SetField(p.*field, v[i]) : void(), ++i), ...); },
             kFields);
}

// A serial port whose every value differs from the defaults of a new type.
const Strings kKamPort = {"KAM", "3",  "1200", "2F8", "2", "5", "128", "2", "1", "10",
                          "05",  "60", "Old",  "U",   "L", "Y", "W",   "",  "true"};

const char* const kPortEdits[] = {"Direccionserie", "Numcanales", "Multi",     "Paclen",
                                  "Maxframe",       "Maxblock",   "Fwdminute", "Fwdperiodo",
                                  "Numcanalesfwd",  "Infocanal"};

class PortsPageTest : public LoadSaveFixture {
 protected:
  static constexpr const char* kFolder = "C:\\NodraxTest\\Ports";
  void SetUp() override {
    LoadSaveFixture::SetUp();
    std::filesystem::create_directories(kFolder);
    CreateEmptyConfig();
    OpenEditor();
  }
  static std::string Path(const std::string& name) { return std::string(kFolder) + "\\" + name; }
  static void WriteFile(const std::string& name, const std::string& text) {
    std::ofstream(Path(name), std::ios::binary) << text;
  }
  void SelectPort(int index) {
    if (ActivePageName() != "Hojapuertosbbs") ClickTab(Form().FindSheet("Hojapuertosbbs"));
    SendMessageA(Form().Page<TPortsPage>().Puertosbbs->ItemHandle(index), BM_CLICK, 0, 0);
    Pump();
  }
  // Fills the drivers folder and rebuilds the list from the menu.
  void Drivers(const Strings& files) {
    for (const std::string& f : files) WriteFile(f, "");
    Form().Page<TFoldersPage>().Driversdir->SetText(kFolder);
    InvokeMenu("ReloadDriversDir1");
  }
  // The sysop picks an item of the type selector's list.
  void ChooseType(const std::string& type) {
    HWND combo = Form().Page<TPortsPage>().Modopuerto2->Handle();
    const LRESULT index = SendMessageA(combo, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                       reinterpret_cast<LPARAM>(type.c_str()));
    ASSERT_NE(CB_ERR, index) << type << " is not in the list";
    SendMessageA(combo, CB_SETCURSEL, index, 0);
    SendMessageA(GetParent(combo), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(combo), CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(combo));
    Pump();
  }
  void Import(const std::optional<std::string>& path) {
    AnswerOpenFile(path);
    InvokeMenu("Importsys");
  }
  static std::vector<bool> Enabled(std::initializer_list<const TControl*> controls) {
    std::vector<bool> on;
    for (const TControl* c : controls) on.push_back(c->Enabled());
    return on;
  }
};

}  // namespace

TEST_F(PortsPageTest, EveryFieldHasItsCaptionLimitAndLabel) {
  SetFields(Config().PortTable[0], kKamPort);
  // Entering the page shows port 1 and refreshes the page after it.
  SelectPort(0);
  struct Row {
    const char* field;
    const char* label;
    const char* caption;
    int limit;
  };
  const Row rows[] = {
      {"Numcanales", "Label51", "Num. chans:", 2}, {"Multi", "Label81", "Multi Chan:", 2},
      {"Paclen", "Label52", "Paclen:", 3},         {"Maxframe", "Label53", "Maxframe:", 1},
      {"Maxblock", "Label57", "Max Block:", 3},    {"Fwdminute", "Label58", "Fwd minute:", 2},
      {"Fwdperiodo", "Label59", "Fwd periode:", 2},
      {"Numcanalesfwd", "Label54", "Number of fwd chans:", 2},
      {"Infocanal", "Label55", "Label:", 9},       {"Direccionserie", "Label83", "Hex. Address:", 9},
  };
  for (const Row& row : rows) {
    TControl* label = Control(row.label);
    EXPECT_EQ(row.caption, WindowText(label)) << row.label;
    EXPECT_EQ(row.limit, SendMessageA(Control(row.field)->Handle(), EM_GETLIMITTEXT, 0, 0))
        << row.field;
    Click(label);
    EXPECT_EQ(row.field, FocusedName()) << row.label;
  }
  const std::pair<const char*, const char*> captions[] = {
      {"Label10", "Type:"},     {"Label84", "Bauds:"},  {"Label50", "COM:"},
      {"Disport", "Disable"},   {"Unprotos", "UI Lists"}, {"Yapp", "YAPP"},
      {"Gateway", "GATEWAY"},   {"Rdonly", "RD - ONLY"}, {"Puertosbbs", "Port"},
      {"Tipopuerto", "Mode"}};
  for (const auto& [name, caption] : captions) EXPECT_EQ(caption, WindowText(Control(name))) << name;
  EXPECT_EQ("PORT 10 ", WindowText(Form().Page<TPortsPage>().Puertosbbs->ItemHandle(9)));
  EXPECT_EQ("BBS", WindowText(Form().Page<TPortsPage>().Tipopuerto->ItemHandle(2)));
  EXPECT_EQ(12, Form().Page<TPortsPage>().Velocidadserie->ItemCount());
  EXPECT_EQ("115200", Form().Page<TPortsPage>().Velocidadserie->Item(11));
  EXPECT_EQ("10", Form().Page<TPortsPage>().Comports->Item(9));
  EXPECT_FALSE(Modified()) << "labels and showing mark nothing";
}

TEST_F(PortsPageTest, ShowingAPortMarksNothingAndShowsItsStoredValues) {
  // Port 3: no driver. Everything off, "Disable" cleared.
  SetFields(Config().PortTable[1], kKamPort);
  SelectPort(1);
  SelectPort(2);
  EXPECT_EQ("None", Form().Page<TPortsPage>().Modopuerto2->Text());
  for (const char* name : kPortEdits) EXPECT_FALSE(Control(name)->Enabled()) << name;
  for (const char* name : {"Label51", "Label83", "Velocidadserie", "Comports", "Tipopuerto",
                           "Unprotos", "Rdonly", "Disport"})
    EXPECT_FALSE(Control(name)->Enabled()) << name;
  EXPECT_FALSE(Form().Page<TPortsPage>().Disport->Checked());
  EXPECT_EQ("false", FieldText(Config().PortTable[2].Disabled));
  // Its own empty values, not those of port 2, stand greyed in the fields.
  EXPECT_EQ("", WindowText(Form().Page<TPortsPage>().Infocanal));
  EXPECT_FALSE(Form().Page<TPortsPage>().Unprotos->Checked());

  // Port 2: a serial port whose address is stored in small letters.
  lstrcpyA(Config().PortTable[1].HexAddress, "2f8");
  SelectPort(1);
  EXPECT_EQ("KAM", Form().Page<TPortsPage>().Modopuerto2->Text());
  EXPECT_EQ("2F8", WindowText(Form().Page<TPortsPage>().Direccionserie));
  EXPECT_EQ("2F8", FieldText(Config().PortTable[1].HexAddress));
  EXPECT_EQ("1200", Form().Page<TPortsPage>().Velocidadserie->Item(Form().Page<TPortsPage>().Velocidadserie->ItemIndex()));
  EXPECT_EQ("3", Form().Page<TPortsPage>().Comports->Item(Form().Page<TPortsPage>().Comports->ItemIndex()));
  EXPECT_EQ(0, Form().Page<TPortsPage>().Tipopuerto->ItemIndex());
  EXPECT_TRUE(Form().Page<TPortsPage>().Disport->Checked());
  EXPECT_TRUE(Form().Page<TPortsPage>().Unprotos->Checked() && Form().Page<TPortsPage>().Yapp->Checked() && Form().Page<TPortsPage>().Gateway->Checked());
  EXPECT_FALSE(Form().Page<TPortsPage>().Rdonly->Checked());
  EXPECT_EQ("Old", WindowText(Form().Page<TPortsPage>().Infocanal));
  EXPECT_EQ(kKamPort, Fields(Config().PortTable[1])) << "showing stores back what it shows";

  // Port 4: TCP, whose port number is no baud rate of the list.
  SetFields(Config().PortTable[3], {"TCP", "8", "8000", "0", "0", "7"});
  SelectPort(3);
  EXPECT_EQ("TCP Port:", WindowText(Form().Page<TPortsPage>().Label83));
  EXPECT_EQ("8000", WindowText(Form().Page<TPortsPage>().Direccionserie));
  EXPECT_EQ(-1, Form().Page<TPortsPage>().Velocidadserie->ItemIndex());
  EXPECT_EQ("8000", FieldText(Config().PortTable[3].BaudRate));
  EXPECT_TRUE(IsChild(Form().Page<TPortsPage>().Puertosbbs->Handle(), GetFocus()))
      << "the keyboard stays in the port selector";
  EXPECT_FALSE(Modified());
}

// What a change to any type but None leaves of kKamPort from NumChannels
// on: the defaults of a new port.
const Strings kNewTail = {"7", "250", "4", "2", "50", "00",  "30", "Info for channel",
                          "G", "",    "",  "",  "R",  "true"};

struct TypeCase {
  const char* type;
  Strings record;        // Fields() after the change, from kKamPort; five fields end in kNewTail
  const char* address;   // caption of Label83
  std::vector<bool> on;  // Direccionserie, Velocidadserie, Multi, Comports, Infocanal
};

void PrintTo(const TypeCase& c, std::ostream* os) { *os << c.type; }

class TypeChangeTest : public PortsPageTest, public ::testing::WithParamInterface<TypeCase> {};

TEST_P(TypeChangeTest, StoresTheTypeAndTheDefaultsOfItsClass) {
  const TypeCase& c = GetParam();
  Drivers({"BPQ.dll", "AGW.dll", "TCP.dll", "TLN.dll", "DED.dll"});
  SetFields(Config().PortTable[0], kKamPort);
  SelectPort(0);
  ChooseType(c.type);
  Strings record = c.record;
  if (record.size() == 5) record.insert(record.end(), kNewTail.begin(), kNewTail.end());
  EXPECT_EQ(record, Fields(Config().PortTable[0]));
  EXPECT_EQ(c.address, WindowText(Form().Page<TPortsPage>().Label83));
  TForm1& f = Form();
  EXPECT_EQ(c.on, Enabled({f.Page<TPortsPage>().Direccionserie, f.Page<TPortsPage>().Velocidadserie, f.Page<TPortsPage>().Multi, f.Page<TPortsPage>().Comports, f.Page<TPortsPage>().Infocanal}));
  EXPECT_EQ(c.on[3], FocusedName() == "Comports");
  EXPECT_TRUE(Modified());
}

INSTANTIATE_TEST_SUITE_P(
    Types, TypeChangeTest,
    ::testing::Values(
        TypeCase{"None",
                 {"NON", "3", "1200", "2F8", "2", "5", "128", "2", "1", "10", "05", "60", "Old",
                  "U", "L", "Y", "W", "", "false"},
                 "Hex. Address:", {false, false, false, false, false}},
        TypeCase{"BPQ", {"BPQ", "8", "0", "0", "1"}, "Hex. Address:",
                 {false, false, false, true, true}},
        TypeCase{"AGW", {"AGW", "8", "0", "0", "0"}, "Hex. Address:",
                 {false, false, false, true, true}},
        TypeCase{"TCP", {"TCP", "8", "3F8", "0", "0"}, "TCP Port:",
                 {true, false, false, true, true}},
        TypeCase{"TLN", {"TLN", "8", "3F8", "0", "0"}, "TLN Port:",
                 {true, false, false, true, true}},
        TypeCase{"DED", {"DED", "8", "9600", "3F8", "0"}, "Hex. Address:",
                 {true, true, true, true, true}}),
    [](const ::testing::TestParamInfo<TypeCase>& info) { return std::string(info.param.type); });

TEST_F(PortsPageTest, OneTypedCharacterIsTheDriverOfASerialPort) {
  SelectPort(4);
  SetModified(false);
  Type(Form().Page<TPortsPage>().Modopuerto2, "x");
  EXPECT_EQ("x", FieldText(Config().PortTable[4].Driver));
  EXPECT_EQ("3F8", FieldText(Config().PortTable[4].HexAddress));
  EXPECT_EQ("9600", FieldText(Config().PortTable[4].BaudRate));
  EXPECT_EQ("Comports", FocusedName());
  EXPECT_TRUE(Modified());
}

TEST_F(PortsPageTest, ChannelCountsWarnAndKeepOrEmpty) {
  const char* more = "Num.Channels must be equal or major of Num. Fwd Channels";
  const char* fewer = "Number of Fwd Channels must be equal or minor of Num.Channels";
  SetFields(Config().PortTable[0], kKamPort);
  lstrcpyA(Config().PortTable[0].NumFwdChannels, "4");
  SelectPort(0);

  struct Step {
    const char* field;
    const char* typed;  // nullptr: erase; "": click into it
    const char* warning;
    Strings counts;  // NumChannels, NumFwdChannels afterwards
  };
  const Step steps[] = {
      {"Numcanales", "3", more, {"3", "4"}},
      {"Numcanales", "", more, {"3", "4"}},
      {"Numcanalesfwd", "5", fewer, {"3", ""}},
      {"Numcanalesfwd", "2", nullptr, {"3", "2"}},
      {"Numcanales", nullptr, more, {"", "2"}},
  };
  for (const Step& s : steps) {
    TEdit* edit = static_cast<TEdit*>(Control(s.field));
    if (s.warning) dialogs.ExpectMessageBox("Nodraxcfg", s.warning, MB_ICONWARNING | MB_OK, IDOK);
    SetModified(false);
    if (!s.typed) {
      Erase(edit);
    } else if (!*s.typed) {
      Click(edit);
    } else {
      SendMessageA(edit->Handle(), EM_SETSEL, 0, -1);
      Type(edit, s.typed);
    }
    dialogs.VerifyAndClear();
    EXPECT_EQ(s.counts, (Strings{FieldText(Config().PortTable[0].NumChannels),
                                 FieldText(Config().PortTable[0].NumFwdChannels)}))
        << s.field << " " << (s.typed ? s.typed : "erased");
    EXPECT_EQ(s.field, FocusedName());
    EXPECT_TRUE(Modified());
  }
  EXPECT_EQ("", WindowText(Form().Page<TPortsPage>().Numcanales));

  // Showing a port whose counts disagree warns too, marks nothing and takes
  // nothing back: the stored count emptied unmarked was lost at the next
  // save of anything else.
  SetFields(Config().PortTable[1], {"KAM", "1", "9600", "3F8", "0", "3", "", "", "4"});
  dialogs.ExpectMessageBox("Nodraxcfg", more, MB_ICONWARNING | MB_OK, IDOK);
  dialogs.ExpectMessageBox("Nodraxcfg", fewer, MB_ICONWARNING | MB_OK, IDOK);
  SetModified(false);
  SelectPort(1);
  EXPECT_EQ("4", FieldText(Config().PortTable[1].NumFwdChannels));
  EXPECT_EQ("4", WindowText(Form().Page<TPortsPage>().Numcanalesfwd));
  EXPECT_FALSE(Modified());
}

TEST_F(PortsPageTest, EnterIsSwallowedAndOtherKeysMarkAChange) {
  SetFields(Config().PortTable[0], kKamPort);
  SelectPort(0);
  for (const char* name : kPortEdits) {
    TControl* edit = Control(name);
    const std::string before = WindowText(edit);
    SetModified(false);
    PressEnter(edit);
    EXPECT_FALSE(Modified()) << name;
    EXPECT_EQ(before, WindowText(edit)) << name;
    PressKey(edit, VK_RIGHT);
    EXPECT_TRUE(Modified()) << name;
  }
  // The type selector too, like every other field of the page.
  for (TComboBox* list :
       {Form().Page<TPortsPage>().Velocidadserie, Form().Page<TPortsPage>().Comports, Form().Page<TPortsPage>().Modopuerto2}) {
    SetModified(false);
    PressKey(list, VK_SHIFT);
    EXPECT_TRUE(Modified()) << list->Name;
  }
}

TEST_F(PortsPageTest, TheDriverListHoldsTheMatchingDllsInSearchOrder) {
  InvokeMenu("ReloadDriversDir1");
  EXPECT_EQ(1, Form().Page<TPortsPage>().Modopuerto2->ItemCount()) << "no drivers folder: None alone";
  Drivers({"kam.dll", "x_y.dll", "long.dll", "tnc.txt"});
  // The names come in the order the search gives them.
  Strings expected = {"None"};
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA(Path("???.dll").c_str(), &found);
  ASSERT_NE(INVALID_HANDLE_VALUE, search);
  do {
    const std::string name = found.cFileName;
    expected.push_back(name == "kam.dll" ? "KAM" : expected.size() == 1 ? "X_Y" : "_Y");
  } while (FindNextFileA(search, &found));
  FindClose(search);
  ASSERT_EQ(3u, expected.size());
  Strings items;
  for (int i = 0; i < Form().Page<TPortsPage>().Modopuerto2->ItemCount(); ++i) items.push_back(Form().Page<TPortsPage>().Modopuerto2->Item(i));
  EXPECT_EQ(expected, items);
  EXPECT_EQ("", Form().Page<TPortsPage>().Modopuerto2->Text());
  EXPECT_FALSE(Modified());
}

// ---------------------------------------------------------------------------
// The ports-file import.

TEST_F(PortsPageTest, ImportChoosesTheFormatByNameAndShowsThePortAgain) {
  SetFields(Config().PortTable[1], kKamPort);
  SelectPort(1);
  WriteFile("PORT.SYS", "1 7 23 0\r\n2 4 1 0 250 4 2 50 00/30 BLW Tel\r\n");
  Import(Path("PORT.SYS"));
  const TFileDialogRequest asked = OpenRequests().at(0);
  EXPECT_EQ("Open Ports File", asked.title);
  EXPECT_EQ("Ports files|ports.sys;port.sys", asked.filter);
  EXPECT_EQ(".", asked.initialDir);
  EXPECT_EQ(300u, asked.maxFileName);
  EXPECT_EQ((Strings{"TLN", "1", "23", "0", "0", "4", "250", "4", "2", "50", "00", "30", "Tel",
                     "B", "L", "", "W", "", "false"}),
            Fields(Config().PortTable[1]));
  EXPECT_TRUE(Modified());
  EXPECT_EQ("TLN", Form().Page<TPortsPage>().Modopuerto2->Text());
  EXPECT_EQ("23", WindowText(Form().Page<TPortsPage>().Direccionserie));
  EXPECT_EQ("Tel", WindowText(Form().Page<TPortsPage>().Infocanal));

  WriteFile("ports.sys", "1 TCP 0 8000 x\n3 4 1 0 250 4 2 50 00/30 G Net\n");
  Import(Path("ports.sys"));
  EXPECT_EQ("8000", FieldText(Config().PortTable[2].BaudRate));
  EXPECT_EQ("0", FieldText(Config().PortTable[2].HexAddress));
  EXPECT_EQ("", FieldText(Config().PortTable[1].Driver)) << "the table is replaced as a whole";
  EXPECT_EQ("None", Form().Page<TPortsPage>().Modopuerto2->Text());
}

TEST_F(PortsPageTest, FailedAndEmptyImports) {
  SetFields(Config().PortTable[0], kKamPort);
  // A file that cannot be opened leaves the table as it was.
  dialogs.ExpectOpenFile(Path("missing.sys"));
  dialogs.ExpectMessageBox("Nodraxcfg", "I can't open file", MB_ICONERROR | MB_OK, IDOK);
  InvokeMenu("Importsys");
  EXPECT_EQ(kKamPort, Fields(Config().PortTable[0]));
  Import(std::nullopt);
  EXPECT_EQ(kKamPort, Fields(Config().PortTable[0]));
  EXPECT_FALSE(Modified());

  // A second BPQ interface stops the import with what came before kept.
  WriteFile("oldport.sys", "B 2 0 0\n1 3 B 0 80 1 1 10 00/30 G One\nC 2 0 0\n2 3 B 0 80 1 1 10 00/30 G Two\n");
  dialogs.ExpectOpenFile(Path("oldport.sys"));
  dialogs.ExpectMessageBox("Nodraxcfg",
                           "There are more than one port with interface BPQ.\n"
                           "With new BPQ32 only ONE port is allowed.\n"
                           "Please correct it or import will not be correct.",
                           MB_ICONERROR | MB_OK, IDOK);
  InvokeMenu("Importsys");
  EXPECT_EQ("BPQ", FieldText(Config().PortTable[0].Driver));
  EXPECT_EQ("", FieldText(Config().PortTable[1].Label));
  EXPECT_TRUE(Modified());

  // Only comments: every port reset, and nothing marked.
  SetModified(false);
  WriteFile("comments.sys", "# old ports\n#1 TCP 0 8000 x\n");
  Import(Path("comments.sys"));
  for (int i = 0; i < kPortCount; ++i) EXPECT_FALSE(PortInUse(Config().PortTable[i])) << i;
  EXPECT_FALSE(Modified());
}

// ---------------------------------------------------------------------------
// Start code 22: the import, then Save & Exit, without the information box.

class PortsStartCodeTest : public LoadSaveFixture {
 protected:
  void Start(const std::optional<std::string>& file) {
    WriteString(kConfigKey, "BbsCallsign", "X1ABC.ABC.XX.EU");
    WriteString(Key(kPortsKey, "Port1"), "Driver", "KAM");
    CommandTail = "22";
    AnswerOpenFile(file);
    OpenEditor();
  }
};

TEST_F(PortsStartCodeTest, CancelledImportStillSavesAndCloses) {
  Start(std::nullopt);
  EXPECT_FALSE(EditorOpen());
  EXPECT_TRUE(Messages().empty()) << "no information box";
  EXPECT_EQ("0", Text(kConfigKey, "SSID")) << "the configuration was saved";
  EXPECT_EQ("KAM", Text(Key(kPortsKey, "Port1"), "Driver"));
}

TEST_F(PortsStartCodeTest, ImportedPortsAreSaved) {
  std::filesystem::create_directories(kTestFolder);
  const std::string file = std::string(kTestFolder) + "\\ports.sys";
  std::ofstream(file) << "1 TCP 0 8000 x\n2 4 1 0 250 4 2 50 00/30 G Net\n";
  Start(file);
  EXPECT_FALSE(EditorOpen());
  EXPECT_TRUE(Messages().empty());
  EXPECT_EQ((Strings{"Port0", "Port2"}), SubKeys(kPortsKey));
  EXPECT_EQ("8000", Text(Key(kPortsKey, "Port2"), "BaudRate"));
  EXPECT_EQ("G", Text(Key(kPortsKey, "Port2"), "Mode"));
}

// Reading the drivers folder again leaves the shown port its type: with an
// empty selector, a port number typed for a TCP port went to HexAddress,
// and entering the page again took the port for a serial one, whose baud
// list then overwrote the port number.
TEST_F(PortsPageTest, ReloadingTheDriversKeepsTheTypeOfTheShownPort) {
  Drivers({"kam.dll"});
  SetFields(Config().PortTable[0], {"TCP", "8", "6300", "0"});
  SelectPort(0);
  InvokeMenu("ReloadDriversDir1");
  EXPECT_EQ("TCP", Form().Page<TPortsPage>().Modopuerto2->Text());
  EXPECT_EQ(2, Form().Page<TPortsPage>().Modopuerto2->ItemCount()) << "None and KAM";
  Erase(Form().Page<TPortsPage>().Direccionserie);
  Type(Form().Page<TPortsPage>().Direccionserie, "8100");
  ClickTab(Form().FindSheet("Hojageneral"));
  ClickTab(Form().FindSheet("Hojapuertosbbs"));
  EXPECT_EQ("8100", FieldText(Config().PortTable[0].BaudRate));
  EXPECT_EQ("0", FieldText(Config().PortTable[0].HexAddress));
  EXPECT_EQ("8100", WindowText(Form().Page<TPortsPage>().Direccionserie));
  EXPECT_EQ("TCP Port:", WindowText(Form().Page<TPortsPage>().Label83));
}

TEST_F(PortsPageTest, AReloadShowsTheReloadedPort) {
  SetFields(Config().PortTable[0], kKamPort);
  SelectPort(0);
  WriteStrings(Key(kPortsKey, "Port1"), {{"Driver", "TCP"}, {"BaudRate", "6300"}});
  InvokeMenu("ReloadRegistry1");
  EXPECT_EQ("TCP", Form().Page<TPortsPage>().Modopuerto2->Text());
  EXPECT_EQ("6300", WindowText(Form().Page<TPortsPage>().Direccionserie));
  EXPECT_FALSE(Modified());
}
