// The pages of the main window under the keyboard and the mouse: change
// tracking, Enter and its successors, caption labels, input rules and
// limits, the mirror into ConfigRecord, the folder derivation, colours,
// check boxes and the browse buttons.
#include <windows.h>
#include <commctrl.h>

#include <cstring>
#include <functional>
#include <map>

#include "editor/config/Configuration.h"
#include "support/EditorFixture.h"

namespace {

// Text of a record field, read after the action.
using RecordRead = std::function<std::string()>;
#define RECORD(field) [] { return FieldText(CurrentDocument()->Config().ConfigRecord.field); }
// Names each parameterised case after a column of its row.
#define NAMED_BY(column) [](const auto& info) { return std::string(info.param.column); }

const char* const kOptionBoxes[] = {
    // Unproto Frames.
    "Ackui", "Privateui", "Userui", "Tituloui",
    // First Connection Options.
    "Desactivado1", "Excluido1", "Local1", "Experto1", "Sysop1", "Bbs1", "Paginacion1", "Guest1",
    "Modem1", "Todosmensajes1", "Listaunprotos1", "Listanuevos1", "Pms1",
    // Security.
    "Todosmensajesuser", "Borramensajesuser", "Sysuser", "Remoteuser", "Labelsuser",
    "Deleteuser", "Gatewaysuser", "Dosuser", "Alldiskuser", "Specialuser",
    "Todosmensajessysop", "Borramensajessysop", "Syssysop", "Remotesysop", "Labelssysop",
    "Deletesysop", "Gatewayssysop", "Dossysop", "Alldisksysop", "Specialsysop",
    "Todosmensajessys", "Borramensajessys", "Syssys", "Remotesys", "Labelssys", "Deletesys",
    "Gatewayssys", "Dossys", "Alldisksys", "Specialsys",
    // Warnings.
    "Menos1mega", "Errorarchivo", "Servererror", "Pingpong", "Noruta", "Nonts",
    "Mensajenoencontrado", "Errorpropuesta", "Reject", "Held",
    // Forwarding.
    "Forwardzub", "Compressforward", "Resume", "Xprotocol", "Xprioridad", "Noxchecksum", "Mbl",
    "Bbsdeclaradas", "Bidalterno", "Caracterh", "Caractercabecera",
    // Miscellaneous I.
    "Modotest", "Log", "Indicacioncanales", "Datosusuario", "Mailbeacon", "Deldata", "Wpnoheld",
    "Testcallsign", "Nobbscallsign", "Norecover"};

const char* const kTextFields[] = {
    // General.
    "Editbbsindicativo", "Editssid", "Edithroute", "Editciudad", "Editlocator", "Codpostal",
    "Editsysopindicativo", "Editsysopnombre",
    // Folders.
    "Directorioraiz", "Directorioconfig", "Directoriodata", "Directoriomensajes",
    "Directoriomensajesbin", "Directorioyapp", "Directoriodocs", "Ficheroimport", "Pgdir",
    "Driversdir", "Serversdir", "Filtersdir",
    // ZubDos Virtual Disks.
    "Diska", "Diskb", "Diskc", "Diskd", "Diske", "Diskf", "Diskg", "Diskh",
    // Unproto Frames.
    "Editbackui", "Editdelayui",
    // Miscellaneous I.
    "Indicativosbaliza", "Numerobid", "Sysopmessage", "Wpmessage", "Cabecera",
    // Miscellaneous II.
    "timeoutusuarios", "Timeoutforward", "Diasboletines", "yappmax", "modemmax", "buferusuario",
    "buferconsola", "bufermonitor"};

}  // namespace

// ---------------------------------------------------------------------------
// Change tracking by the keyboard.

using KeyTrackingTest = EditorTest;

TEST_F(KeyTrackingTest, EnterNeverMarksAChangeAndInsertsNothing) {
  Type(Form().Page<TGeneralPage>().Editciudad, "Lugo");
  SetModified(false);
  PressEnter(Form().Page<TGeneralPage>().Editciudad);
  EXPECT_FALSE(Modified());
  EXPECT_EQ("Lugo", WindowText(Form().Page<TGeneralPage>().Editciudad));
  EXPECT_EQ("Lugo", FieldText(Config().ConfigRecord.Qth));
  EXPECT_EQ("Editlocator", FocusedName());
}

TEST_F(KeyTrackingTest, EveryOtherKeyReleaseInEveryTextFieldMarksOne) {
  for (const char* name : kTextFields) {
    TControl* field = ShownControl(name);
    ASSERT_NE(nullptr, field);
    SetModified(false);
    // A navigation key alone, no character.
    PressKey(field, VK_RIGHT);
    EXPECT_TRUE(Modified()) << name << ": arrow key";
    SetModified(false);
    PressKey(field, VK_RETURN, '\r');
    EXPECT_FALSE(Modified()) << name << ": Enter";
  }
}

TEST_F(KeyTrackingTest, TabMarksAChangeAndMovesOn) {
  Type(Form().Page<TGeneralPage>().Editciudad, "Lugo");
  Form().Page<TGeneralPage>().Editciudad->SetFocus();
  SetModified(false);
  PressTab(Form().Page<TGeneralPage>().Editciudad);
  EXPECT_TRUE(Modified());
  EXPECT_EQ("Lugo", WindowText(Form().Page<TGeneralPage>().Editciudad));
  EXPECT_NE("Editciudad", FocusedName()) << "Tab moves between the controls";
}

TEST_F(KeyTrackingTest, PastedTextIsMirroredWithoutMarkingAChange) {
  Paste(Form().Page<TGeneralPage>().Editciudad, "Santiago");
  EXPECT_EQ("Santiago", WindowText(Form().Page<TGeneralPage>().Editciudad));
  EXPECT_EQ("Santiago", FieldText(Config().ConfigRecord.Qth));
  EXPECT_FALSE(Modified());

  // A pasted root derives the folders as typing does.
  SelectPageOf(Form().Page<TFoldersPage>().Directorioraiz);
  Paste(Form().Page<TFoldersPage>().Directorioraiz, "E:\\ZUB");
  EXPECT_EQ("E:\\ZUB\\Data", WindowText(Form().Page<TFoldersPage>().Directoriodata));
  EXPECT_EQ("E:\\ZUB", FieldText(Config().ConfigRecord.ZubRoot));
  EXPECT_FALSE(Modified());
}

TEST_F(KeyTrackingTest, PastingKeepsToTheTypingLimit) {
  Paste(Form().Page<TGeneralPage>().Editssid, "123");
  EXPECT_EQ("12", WindowText(Form().Page<TGeneralPage>().Editssid));
  EXPECT_EQ("12", FieldText(Config().ConfigRecord.SSID));
}

// ---------------------------------------------------------------------------
// Enter and its successors.

struct EnterCase {
  const char* field;
  const char* page;   // shown afterwards
  const char* focus;  // focused afterwards
};

void PrintTo(const EnterCase& c, std::ostream* os) { *os << c.field; }

class EnterTest : public EditorTest, public ::testing::WithParamInterface<EnterCase> {};

TEST_P(EnterTest, MovesToTheSuccessor) {
  const EnterCase c = GetParam();
  TControl* field = ShownControl(c.field);
  ASSERT_NE(nullptr, field);
  field->SetFocus();
  const std::string before = WindowText(field);
  PressEnter(field);
  EXPECT_EQ(c.page, ActivePageName());
  EXPECT_EQ(c.focus, FocusedName());
  EXPECT_EQ(before, WindowText(field));
  EXPECT_FALSE(Modified());
}

INSTANTIATE_TEST_SUITE_P(
    Fields, EnterTest,
    ::testing::Values(
        EnterCase{"Editbbsindicativo", "Hojageneral", "Editssid"},
        EnterCase{"Editssid", "Hojageneral", "Edithroute"},
        EnterCase{"Edithroute", "Hojageneral", "Editciudad"},
        EnterCase{"Editciudad", "Hojageneral", "Editlocator"},
        EnterCase{"Editlocator", "Hojageneral", "Codpostal"},
        EnterCase{"Codpostal", "Hojageneral", "Editsysopindicativo"},
        EnterCase{"Editsysopindicativo", "Hojageneral", "Editsysopnombre"},
        EnterCase{"Editsysopnombre", "Hojadirectorios", "Directorioraiz"},
        EnterCase{"Directorioraiz", "Hojadirectorios", "Directorioconfig"},
        EnterCase{"Directorioconfig", "Hojadirectorios", "Directoriodata"},
        EnterCase{"Directoriodata", "Hojadirectorios", "Directoriomensajes"},
        EnterCase{"Directoriomensajes", "Hojadirectorios", "Directoriomensajesbin"},
        EnterCase{"Directoriomensajesbin", "Hojadirectorios", "Directorioyapp"},
        EnterCase{"Directorioyapp", "Hojadirectorios", "Directoriodocs"},
        EnterCase{"Directoriodocs", "Hojadirectorios", "Ficheroimport"},
        EnterCase{"Ficheroimport", "Hojadirectorios", "Pgdir"},
        EnterCase{"Pgdir", "Hojadirectorios", "Driversdir"},
        EnterCase{"Driversdir", "Hojadirectorios", "Serversdir"},
        EnterCase{"Serversdir", "Hojadirectorios", "Filtersdir"},
        EnterCase{"Filtersdir", "Hojadirectorioszub", "Diska"},
        EnterCase{"Diska", "Hojadirectorioszub", "Diskb"},
        EnterCase{"Diskd", "Hojadirectorioszub", "Diske"},
        EnterCase{"Diskg", "Hojadirectorioszub", "Diskh"},
        EnterCase{"Diskh", "Hojaunprotos", "Editbackui"},
        EnterCase{"Editbackui", "Hojaunprotos", "Editdelayui"},
        EnterCase{"Editdelayui", "Hojaunprotos", "Ackui"},
        EnterCase{"Indicativosbaliza", "Hojamiscelanea", "Numerobid"},
        EnterCase{"Numerobid", "Hojamiscelanea", "Sysopmessage"},
        EnterCase{"Sysopmessage", "Hojamiscelanea", "Wpmessage"},
        EnterCase{"Wpmessage", "Hojamiscelanea", "Cabecera"},
        EnterCase{"timeoutusuarios", "Hojatiempos", "Timeoutforward"},
        EnterCase{"Timeoutforward", "Hojatiempos", "Diasboletines"},
        EnterCase{"Diasboletines", "Hojatiempos", "yappmax"},
        EnterCase{"yappmax", "Hojatiempos", "modemmax"},
        EnterCase{"modemmax", "Hojatiempos", "buferusuario"},
        EnterCase{"buferusuario", "Hojatiempos", "buferconsola"},
        EnterCase{"buferconsola", "Hojatiempos", "bufermonitor"}),
    NAMED_BY(field));

using EnterSpecialTest = EditorTest;

TEST_F(EnterSpecialTest, HeaderShowsTheColoursPageAndGivesTheFocusToNoField) {
  SelectPageOf(Form().Page<TMiscellaneous1Page>().Cabecera);
  Type(Form().Page<TMiscellaneous1Page>().Cabecera, "[$c]");
  Form().Page<TMiscellaneous1Page>().Cabecera->SetFocus();
  SetModified(false);
  PressEnter(Form().Page<TMiscellaneous1Page>().Cabecera);
  EXPECT_EQ("Hojacolores", ActivePageName());
  EXPECT_EQ("[$c]", WindowText(Form().Page<TMiscellaneous1Page>().Cabecera));
  // The handler picks no successor; hiding the page may hand the focus to
  // the page control, but no field takes it.
  TControl* focus = FocusedControl();
  EXPECT_TRUE(focus == Form().Page<TMiscellaneous1Page>().Cabecera || focus == Form().Pagina)
      << "focus went to " << FocusedName();
  EXPECT_FALSE(Modified());
}

TEST_F(EnterSpecialTest, LastBufferFieldAsksOnlyWithChangesAndNoOrCancelKeepEverything) {
  SelectPageOf(Form().Page<TMiscellaneous2Page>().bufermonitor);
  Form().Page<TMiscellaneous2Page>().bufermonitor->SetFocus();
  PressEnter(Form().Page<TMiscellaneous2Page>().bufermonitor);
  EXPECT_TRUE(Messages().empty()) << "without changes Enter does nothing";
  EXPECT_EQ("Hojatiempos", ActivePageName());
  EXPECT_EQ("bufermonitor", FocusedName());

  Type(Form().Page<TMiscellaneous2Page>().bufermonitor, "500");
  ASSERT_TRUE(Modified());
  for (int answer : {IDNO, IDCANCEL}) {
    AnswerMessage(answer);
    PressEnter(Form().Page<TMiscellaneous2Page>().bufermonitor);
    EXPECT_EQ("bufermonitor", FocusedName());
    EXPECT_TRUE(Modified());
  }
  ExpectOnlyMessage("Save Configuration?", "Nodraxcfg", MB_ICONQUESTION | MB_YESNOCANCEL, 2);
  EXPECT_EQ("500", WindowText(Form().Page<TMiscellaneous2Page>().bufermonitor));
  EXPECT_FALSE(ReadString(kConfigKey, "ScrollBuffers")) << "nothing was saved";
}

TEST_F(EnterSpecialTest, EnterFromTheKeyboardReachesTheFieldThroughTheMessageLoop) {
  // The dialog navigation of the loop must leave Enter to the field.
  Form().Page<TGeneralPage>().Editsysopnombre->SetFocus();
  Keystroke(Form().Page<TGeneralPage>().Editsysopnombre, VK_RETURN);
  EXPECT_EQ("Hojadirectorios", ActivePageName());
  EXPECT_EQ("Directorioraiz", FocusedName());
  EXPECT_FALSE(Modified());
  EXPECT_TRUE(EditorOpen());
}

// ---------------------------------------------------------------------------
// Caption labels.

struct CaptionCase {
  const char* label;
  const char* field;
};

void PrintTo(const CaptionCase& c, std::ostream* os) { *os << c.label; }

class CaptionLabelTest : public EditorTest, public ::testing::WithParamInterface<CaptionCase> {};

TEST_P(CaptionLabelTest, ClickFocusesItsField) {
  TControl* label = ShownControl(GetParam().label);
  ASSERT_NE(nullptr, label);
  Form().SetFocus();
  Click(label);
  EXPECT_EQ(GetParam().field, FocusedName());
  EXPECT_FALSE(Modified());
}

INSTANTIATE_TEST_SUITE_P(
    Labels, CaptionLabelTest,
    ::testing::Values(CaptionCase{"Label1", "Editbbsindicativo"}, CaptionCase{"Label2", "Editssid"},
                      CaptionCase{"Label3", "Edithroute"}, CaptionCase{"Label4", "Editciudad"},
                      CaptionCase{"Label5", "Editlocator"}, CaptionCase{"Label6", "Codpostal"},
                      CaptionCase{"Label7", "Editsysopindicativo"},
                      CaptionCase{"Label8", "Editsysopnombre"},
                      CaptionCase{"Label26", "Editbackui"}, CaptionCase{"Label27", "Editdelayui"},
                      CaptionCase{"Label9", "Indicativosbaliza"},
                      CaptionCase{"Label28", "Numerobid"}, CaptionCase{"Label60", "Sysopmessage"},
                      CaptionCase{"Label61", "Wpmessage"}, CaptionCase{"Label16", "Cabecera"},
                      CaptionCase{"Label32", "timeoutusuarios"},
                      CaptionCase{"Label33", "Timeoutforward"},
                      CaptionCase{"Label34", "Diasboletines"}, CaptionCase{"Label35", "yappmax"},
                      CaptionCase{"Label36", "modemmax"}, CaptionCase{"Label37", "buferusuario"},
                      CaptionCase{"Label38", "buferconsola"},
                      CaptionCase{"Label39", "bufermonitor"}),
    NAMED_BY(label));

using SecurityLabelTest = EditorTest;

TEST_F(SecurityLabelTest, RowLabelsDoNotReactToClicks) {
  SelectPageOf(Form().Page<TSecurityPage>().Todosmensajesuser);
  Form().Page<TSecurityPage>().Sysuser->SetFocus();
  Click(Control("Label64"));
  Click(Control("Label73"));
  EXPECT_EQ("Sysuser", FocusedName());
  EXPECT_FALSE(Form().Page<TSecurityPage>().Todosmensajesuser->Checked());
  EXPECT_FALSE(Modified());
}

// ---------------------------------------------------------------------------
// Input rules and the mirror into ConfigRecord.

struct MirrorCase {
  const char* field;
  const char* typed;
  RecordRead record;
  const char* shown = nullptr;   // nullptr: as typed
  const char* stored = nullptr;  // nullptr: as shown
};

void PrintTo(const MirrorCase& c, std::ostream* os) { *os << c.field << " <- " << c.typed; }

class MirrorTest : public EditorTest, public ::testing::WithParamInterface<MirrorCase> {};

TEST_P(MirrorTest, TypedTextIsShownAndMirrored) {
  const MirrorCase& c = GetParam();
  TControl* field = ShownControl(c.field);
  ASSERT_NE(nullptr, field);
  Type(field, c.typed);
  const char* shown = c.shown ? c.shown : c.typed;
  EXPECT_EQ(shown, WindowText(field));
  EXPECT_EQ(c.stored ? c.stored : shown, c.record());
}

INSTANTIATE_TEST_SUITE_P(
    Fields, MirrorTest,
    ::testing::Values(
        // Upper case as typed, on screen and in the record.
        MirrorCase{"Editbbsindicativo", "ea4xyz", RECORD(BbsCallsign), "EA4XYZ", "EA4XYZ."},
        MirrorCase{"Edithroute", "#mad.esp.eu", RECORD(BbsCallsign), "#MAD.ESP.EU", ".#MAD.ESP.EU"},
        MirrorCase{"Editlocator", "in80dk", RECORD(Locator), "IN80DK"},
        MirrorCase{"Editsysopindicativo", "ea4abc", RECORD(SysOpCallsign), "EA4ABC"},
        MirrorCase{"Indicativosbaliza", "2x", RECORD(Indicativosbaliza), "2X"},
        MirrorCase{"Numerobid", "9e", RECORD(MaxBids), "9E"},
        MirrorCase{"Sysopmessage", "ea4abc", RECORD(CopySysOpMessages), "EA4ABC"},
        MirrorCase{"Wpmessage", "ea4bbs", RECORD(RouteWpMessages), "EA4BBS"},
        // As typed.
        MirrorCase{"Editciudad", "San Sebastian de los Reyes", RECORD(Qth)},
        MirrorCase{"Editsysopnombre", "Juan", RECORD(SysOpName)},
        MirrorCase{"Codpostal", "28a01", RECORD(ZipCode)},
        MirrorCase{"Editssid", "2", RECORD(SSID)},
        MirrorCase{"Cabecera", "[$c] zub", RECORD(ZubHeader)},
        MirrorCase{"Diskb", "c:\\dos", RECORD(Diskb)}, MirrorCase{"Pgdir", "e:\\pg", RECORD(Pg)},
        MirrorCase{"Editbackui", "5", RECORD(Editbackui)},
        MirrorCase{"timeoutusuarios", "15", RECORD(timeoutusuarios)},
        MirrorCase{"Timeoutforward", "20", RECORD(Timeoutforward)},
        MirrorCase{"Diasboletines", "30", RECORD(BulletinsLifetime)},
        MirrorCase{"yappmax", "200", RECORD(yappmax)},
        MirrorCase{"modemmax", "100", RECORD(modemmax)},
        MirrorCase{"buferusuario", "1000", RECORD(buferusuario)},
        MirrorCase{"buferconsola", "900", RECORD(buferconsola)},
        MirrorCase{"bufermonitor", "800", RECORD(bufermonitor)},
        // Typing limits: callsign 10, SSID 2, most folders and disks 79,
        // time-outs 4.
        MirrorCase{"Editbbsindicativo", "EA4ABCDEFGHIJ", RECORD(BbsCallsign), "EA4ABCDEFG",
                   "EA4ABCDEFG."},
        MirrorCase{"Editssid", "123", RECORD(SSID), "12"},
        MirrorCase{"timeoutusuarios", "123456", RECORD(timeoutusuarios), "1234"}));

using InputRulesTest = EditorTest;

TEST_F(InputRulesTest, CallsignAndHRouteShareOneField) {
  Type(Form().Page<TGeneralPage>().Editbbsindicativo, "XX1XX");
  EXPECT_EQ("XX1XX.", FieldText(Config().ConfigRecord.BbsCallsign));
  Type(Form().Page<TGeneralPage>().Edithroute, "#b");
  EXPECT_EQ("XX1XX.#B", FieldText(Config().ConfigRecord.BbsCallsign));
  Erase(Form().Page<TGeneralPage>().Edithroute);
  EXPECT_EQ("XX1XX.", FieldText(Config().ConfigRecord.BbsCallsign));
}

TEST_F(InputRulesTest, CityKeepsItsCaseWhileTheCallsignTurnsCapital) {
  Type(Form().Page<TGeneralPage>().Editbbsindicativo, "eb1abc");
  Type(Form().Page<TGeneralPage>().Editciudad, "ourense");
  EXPECT_EQ("EB1ABC", WindowText(Form().Page<TGeneralPage>().Editbbsindicativo));
  EXPECT_EQ("ourense", WindowText(Form().Page<TGeneralPage>().Editciudad));
  EXPECT_EQ("ourense", FieldText(Config().ConfigRecord.Qth));
}

TEST_F(InputRulesTest, FoldersAndDisksStopTypingAt79Characters) {
  const std::string typed = "C:\\" + std::string(85, 'f');
  for (const char* name : {"Directorioraiz", "Directoriomensajes", "Directoriomensajesbin",
                           "Directorioyapp", "Directoriodocs", "Ficheroimport", "Diska", "Diskh"}) {
    TControl* field = ShownControl(name);
    ASSERT_NE(nullptr, field);
    Erase(field);
    Type(field, typed);
    EXPECT_EQ(typed.substr(0, 79), WindowText(field)) << name;
  }
  EXPECT_EQ(typed.substr(0, 79), FieldText(Config().ConfigRecord.Diska));
}

TEST_F(InputRulesTest, ProgramSetTextIsNotCutButTheRecordKeepsToItsWidth) {
  // A browse result longer than the typing limit of 79.
  const std::string root = "C:\\" + std::string(117, 'r');  // 120 characters
  SelectPageOf(Form().Page<TFoldersPage>().Speedroot);
  AnswerBrowse(root);
  Click(Form().Page<TFoldersPage>().Speedroot);
  EXPECT_EQ(root, WindowText(Form().Page<TFoldersPage>().Directorioraiz));
  // The folders it derives show what their fields keep, as loaded ones do.
  EXPECT_EQ((root + "\\Data").substr(0, 99), WindowText(Form().Page<TFoldersPage>().Directoriodata));
  EXPECT_EQ((root + "\\Data\\Mail").substr(0, 99), WindowText(Form().Page<TFoldersPage>().Directoriomensajes));
  EXPECT_EQ(root.substr(0, 89), FieldText(Config().ConfigRecord.ZubRoot));
  EXPECT_EQ((root + "\\Data").substr(0, 99), FieldText(Config().ConfigRecord.Data));
  EXPECT_EQ((root + "\\Data\\Mail").substr(0, 99), FieldText(Config().ConfigRecord.Mail));
  EXPECT_EQ((root + "\\UsersPub").substr(0, 79), FieldText(Config().ConfigRecord.Diskc));
  EXPECT_EQ((root + "\\Sounds").substr(0, 99), FieldText(Config().ConfigRecord.Sounds));

  // A field without a limit takes a long text; its record field stops at
  // its width.
  Erase(Form().Page<TFoldersPage>().Directorioconfig);
  Type(Form().Page<TFoldersPage>().Directorioconfig, root);
  EXPECT_EQ(root, WindowText(Form().Page<TFoldersPage>().Directorioconfig));
  EXPECT_EQ(root.substr(0, 99), FieldText(Config().ConfigRecord.Config));

  // Callsign and a long route share a field of 35.
  Type(Form().Page<TGeneralPage>().Editbbsindicativo, "EA4ZZZ");
  const std::string route = "#" + std::string(45, 'R');
  Type(Form().Page<TGeneralPage>().Edithroute, route);
  EXPECT_EQ(route, WindowText(Form().Page<TGeneralPage>().Edithroute));
  EXPECT_EQ(("EA4ZZZ." + route).substr(0, 34), FieldText(Config().ConfigRecord.BbsCallsign));
}

struct EmptyNumberCase {
  const char* field;
  RecordRead record;
  const char* whenEmpty;
};

void PrintTo(const EmptyNumberCase& c, std::ostream* os) { *os << c.field; }

class EmptyNumberTest : public EditorTest,
                        public ::testing::WithParamInterface<EmptyNumberCase> {};

TEST_P(EmptyNumberTest, EmptiedFieldStaysEmptyOnScreen) {
  const EmptyNumberCase& c = GetParam();
  TControl* field = ShownControl(c.field);
  ASSERT_NE(nullptr, field);
  Type(field, "30");
  EXPECT_EQ("30", c.record());
  Erase(field);
  EXPECT_EQ("", WindowText(field));
  EXPECT_EQ(c.whenEmpty, c.record());
  Type(field, "7");
  EXPECT_EQ("7", c.record()) << "the 0 is not kept in front";
}

INSTANTIATE_TEST_SUITE_P(
    Fields, EmptyNumberTest,
    ::testing::Values(EmptyNumberCase{"Editbackui", RECORD(Editbackui), "0"},
                      EmptyNumberCase{"Editdelayui", RECORD(Editdelayui), "0"},
                      EmptyNumberCase{"Indicativosbaliza", RECORD(Indicativosbaliza), "0"},
                      // Other numbers keep an empty text.
                      EmptyNumberCase{"Numerobid", RECORD(MaxBids), ""},
                      EmptyNumberCase{"timeoutusuarios", RECORD(timeoutusuarios), ""}),
    NAMED_BY(field));

// ---------------------------------------------------------------------------
// Folder derivation.

namespace {
// Each folder the root derives, as it comes out below the root D:\BBS, with
// the field that shows it (nullptr: it lives in the record only).
struct DerivedFolder {
  const char* example;
  const char* field;
  RecordRead record;
};
const DerivedFolder kDerivedFolders[] = {
    {"D:\\BBS\\Data", "Directoriodata", RECORD(Data)},
    {"D:\\BBS\\Config", "Directorioconfig", RECORD(Config)},
    {"D:\\BBS\\Data\\Mail", "Directoriomensajes", RECORD(Mail)},
    {"D:\\BBS\\Data\\Binmail", "Directoriomensajesbin", RECORD(CompresMail)},
    {"D:\\BBS\\Data\\Docs", "Directoriodocs", RECORD(Docs)},
    {"D:\\BBS\\UsersPub\\Yapp", "Directorioyapp", RECORD(Yapp)},
    {"D:\\BBS\\Mail.in", "Ficheroimport", RECORD(ImportFile)},
    {"D:\\BBS\\Pg", "Pgdir", RECORD(Pg)},
    {"D:\\BBS\\Filters", "Filtersdir", RECORD(Filters)},
    {"D:\\BBS\\Servers", "Serversdir", RECORD(Servers)},
    {"D:\\BBS\\Drivers", "Driversdir", RECORD(Drivers)},
    {"D:\\BBS\\UsersPub", "Diskc", RECORD(Diskc)},
    {"D:\\BBS\\Sounds", nullptr, RECORD(Sounds)},
    {"D:\\BBS\\Config\\Lang", nullptr, RECORD(Lang)},
    {"D:\\BBS\\Config\\Fwd", nullptr, RECORD(Fwd)},
    {"D:\\BBS\\Data\\Log", nullptr, RECORD(Log)},
    {"D:\\BBS\\Data\\Sat", nullptr, RECORD(Sat)},
    {"D:\\BBS\\Data\\Wp", nullptr, RECORD(Wp)},
    {"D:\\BBS\\Data\\OldMail", nullptr, RECORD(OldMail)}};

// Each folder by its example path.
using Folders = std::map<std::string, std::string>;

Folders Derived(const std::string& root) {
  const std::string s = !root.empty() && root.back() == '\\' ? "" : "\\";
  Folders f;
  for (const DerivedFolder& d : kDerivedFolders)
    f[d.example] = root + s + (d.example + std::strlen("D:\\BBS\\"));
  return f;
}
}  // namespace

class DerivationTest : public EditorTest {
 protected:
  void SetUp() override {
    EditorTest::SetUp();
    SelectPageOf(Form().Page<TFoldersPage>().Directorioraiz);
  }
  // On screen where a field shows it, else in the record.
  Folders Shown() {
    Folders f;
    for (const DerivedFolder& d : kDerivedFolders)
      f[d.example] = d.field ? WindowText(Control(d.field)) : d.record();
    return f;
  }
  // Screen and record both.
  void Expect(const Folders& e, const std::string& when) {
    for (const DerivedFolder& d : kDerivedFolders) {
      if (d.field) {
        EXPECT_EQ(e.at(d.example), WindowText(Control(d.field))) << when;
      }
      EXPECT_EQ(e.at(d.example), d.record()) << when << ", record";
    }
  }
};

TEST_F(DerivationTest, TypingTheRootRewritesEveryFolderAtEachCharacter) {
  // A folder chosen by hand is replaced as well.
  Type(Form().Page<TFoldersPage>().Pgdir, "X:\\MINE");
  const std::string root = "D:\\BBS";
  for (size_t i = 1; i <= root.size(); ++i) {
    Type(Form().Page<TFoldersPage>().Directorioraiz, root.substr(i - 1, 1));
    Expect(Derived(root.substr(0, i)), "after " + root.substr(0, i));
  }
  EXPECT_EQ("D:\\BBS", FieldText(Config().ConfigRecord.ZubRoot));
  // The example, literally.
  const Folders s = Shown();
  for (const DerivedFolder& d : kDerivedFolders) EXPECT_EQ(d.example, s.at(d.example));
}

TEST_F(DerivationTest, ARootEndingInABackslashGetsNoSecondOne) {
  Type(Form().Page<TFoldersPage>().Directorioraiz, "D:\\BBS\\");
  Expect(Derived("D:\\BBS\\"), "D:\\BBS\\");
  EXPECT_EQ("D:\\BBS\\Data", WindowText(Form().Page<TFoldersPage>().Directoriodata));
  EXPECT_EQ("D:\\BBS\\Data\\Log", FieldText(Config().ConfigRecord.Log));
  for (const auto& [example, path] : Shown())
    EXPECT_EQ(std::string::npos, path.find("\\\\")) << path;
  Erase(Form().Page<TFoldersPage>().Directorioraiz);
  Type(Form().Page<TFoldersPage>().Directorioraiz, "D:\\");
  EXPECT_EQ("D:\\Data", WindowText(Form().Page<TFoldersPage>().Directoriodata));
  EXPECT_EQ("D:\\Data\\Mail", WindowText(Form().Page<TFoldersPage>().Directoriomensajes));
}

TEST_F(DerivationTest, AnEmptyRootGivesFoldersBelowTheCurrentDrive) {
  Type(Form().Page<TFoldersPage>().Directorioraiz, "D");
  Erase(Form().Page<TFoldersPage>().Directorioraiz);
  EXPECT_EQ("", WindowText(Form().Page<TFoldersPage>().Directorioraiz));
  EXPECT_EQ("", FieldText(Config().ConfigRecord.ZubRoot));
  EXPECT_EQ("\\Data", WindowText(Form().Page<TFoldersPage>().Directoriodata));
  EXPECT_EQ("\\Config", WindowText(Form().Page<TFoldersPage>().Directorioconfig));
  Expect(Derived(""), "empty root");
}

TEST_F(DerivationTest, TheDataFolderAloneMovesItsThreeFolders) {
  Type(Form().Page<TFoldersPage>().Directorioraiz, "D:\\BBS");
  Erase(Form().Page<TFoldersPage>().Directoriodata);
  Type(Form().Page<TFoldersPage>().Directoriodata, "D:\\MSG");
  Folders e = Derived("D:\\BBS");
  e["D:\\BBS\\Data"] = "D:\\MSG";
  e["D:\\BBS\\Data\\Mail"] = "D:\\MSG\\Mail";
  e["D:\\BBS\\Data\\Binmail"] = "D:\\MSG\\Binmail";
  e["D:\\BBS\\Data\\Docs"] = "D:\\MSG\\Docs";
  // Log, Sat, Wp and OldMail follow the root only.
  Expect(e, "data folder D:\\MSG");
}

TEST_F(DerivationTest, TheConfigFolderAloneMovesNothing) {
  Type(Form().Page<TFoldersPage>().Directorioraiz, "D:\\BBS");
  Erase(Form().Page<TFoldersPage>().Directorioconfig);
  Type(Form().Page<TFoldersPage>().Directorioconfig, "E:\\CFG");
  Folders e = Derived("D:\\BBS");
  e["D:\\BBS\\Config"] = "E:\\CFG";
  Expect(e, "config folder E:\\CFG");
}

// ---------------------------------------------------------------------------
// Colours.

class ColourTest : public EditorTest {
 protected:
  void SetUp() override {
    EditorTest::SetUp();
    SelectPageOf(Form().Page<TColoursPage>().Panel1);
  }
  std::vector<TLabel*> Labels() {
    TColoursPage& w = Form().Page<TColoursPage>();
    return {w.Sendtext, w.Receivedtext, w.Chaninfo, w.Monhead, w.Mondata, w.Consoletext};
  }
};

TEST_F(ColourTest, StartsWithTheConsoleColours) {
  EXPECT_EQ(RGB(0, 0, 0), Form().Page<TColoursPage>().Panel1->Color());
  const COLORREF texts[] = {RGB(0, 255, 0),     RGB(255, 0, 0),     RGB(0, 255, 255),
                            RGB(255, 255, 255), RGB(128, 128, 128), RGB(255, 255, 0)};
  const auto labels = Labels();
  for (size_t i = 0; i < labels.size(); ++i) {
    EXPECT_EQ(texts[i], labels[i]->FontColor()) << labels[i]->Name;
    EXPECT_EQ(RGB(0, 0, 0), labels[i]->Color()) << labels[i]->Name;
  }
}

TEST_F(ColourTest, TheSameTextColourAgainOrACancelledDialogChangesAndMarksNothing) {
  AnswerColour(RGB(0, 255, 0));
  Click(Form().Page<TColoursPage>().Sendtext);
  AnswerColour(std::nullopt);
  Click(Form().Page<TColoursPage>().Monhead);
  EXPECT_EQ((std::vector<COLORREF>{RGB(0, 255, 0), RGB(255, 255, 255)}), ColourPresets())
      << "each preset with its label's colour";
  EXPECT_EQ(RGB(0, 255, 0), Form().Page<TColoursPage>().Sendtext->FontColor());
  EXPECT_EQ(RGB(255, 255, 255), Form().Page<TColoursPage>().Monhead->FontColor());
  EXPECT_FALSE(Modified());
}

TEST_F(ColourTest, AnotherTextColourChangesOnlyThatLabel) {
  AnswerColour(RGB(10, 20, 30));
  Click(Form().Page<TColoursPage>().Mondata);
  EXPECT_EQ(std::vector<COLORREF>{RGB(128, 128, 128)}, ColourPresets());
  EXPECT_EQ(RGB(10, 20, 30), Form().Page<TColoursPage>().Mondata->FontColor());
  EXPECT_EQ(RGB(255, 255, 0), Form().Page<TColoursPage>().Consoletext->FontColor());
  EXPECT_EQ(RGB(0, 0, 0), Form().Page<TColoursPage>().Mondata->Color()) << "the background stays";
  EXPECT_TRUE(Modified());
}

TEST_F(ColourTest, ABackgroundReachesThePanelAndTheSixLabelsButNoTextColour) {
  std::vector<COLORREF> texts;
  for (TLabel* label : Labels()) texts.push_back(label->FontColor());
  AnswerColour(RGB(0, 0, 128));
  Click(Form().Page<TColoursPage>().Panel1);
  EXPECT_EQ(std::vector<COLORREF>{RGB(0, 0, 0)}, ColourPresets())
      << "preset with the panel's colour";
  EXPECT_TRUE(Modified());
  EXPECT_EQ(RGB(0, 0, 128), Form().Page<TColoursPage>().Panel1->Color());
  const auto labels = Labels();
  for (size_t i = 0; i < labels.size(); ++i) {
    EXPECT_EQ(RGB(0, 0, 128), labels[i]->Color()) << labels[i]->Name;
    EXPECT_EQ(texts[i], labels[i]->FontColor()) << labels[i]->Name;
  }
  // The same background again is no change.
  SetModified(false);
  AnswerColour(RGB(0, 0, 128));
  Click(Form().Page<TColoursPage>().Panel1);
  EXPECT_FALSE(Modified());
}

// ---------------------------------------------------------------------------
// Check boxes.

class CheckBoxTest : public EditorTest {
 protected:
  // The box, with its page shown.
  TCheckBox* Box(const char* name) {
    auto* box = dynamic_cast<TCheckBox*>(ShownControl(name));
    EXPECT_NE(nullptr, box) << name << " is not a check box";
    return box;
  }
};

TEST_F(CheckBoxTest, EveryOptionBoxMarksAChangeWhenClicked) {
  ASSERT_EQ(78u, std::size(kOptionBoxes));
  for (const char* name : kOptionBoxes) {
    TCheckBox* box = Box(name);
    ASSERT_NE(nullptr, box);
    const bool before = box->Checked();
    SetModified(false);
    Click(box);
    EXPECT_NE(before, box->Checked()) << name;
    EXPECT_TRUE(Modified()) << name;
  }
}

TEST_F(CheckBoxTest, WhatTheLoadShowsIsNoChangeButSpaceAndClicksAre) {
  // The load shows the boxes it read without clicking them: only the keys
  // and clicks that follow mark a change.
  for (const char* name : kOptionBoxes) {
    TCheckBox* box = Box(name);
    ASSERT_NE(nullptr, box);
    SetModified(false);
    const bool before = box->Checked();
    // Every box the other way round than this one shows.
    std::memset(static_cast<void*>(&Config().Boxes), before ? 0 : 1, sizeof(TStationBoxes));
    Form().ShowConfiguration();
    EXPECT_NE(before, box->Checked()) << name << ": shown";
    EXPECT_FALSE(Modified()) << name << ": shown";
    box->SetFocus();
    PressSpace(box);
    EXPECT_TRUE(Modified()) << name << ": Space";
  }
  SetModified(false);
  Form().Page<TUnprotoPage>().Ackui->SetChecked(!Form().Page<TUnprotoPage>().Ackui->Checked());
  EXPECT_TRUE(Modified()) << "a box set by the program counts";
}

TEST_F(CheckBoxTest, AToggledBoxLeavesTheRecordAloneUntilTheSave) {
  for (const char* name : {"Log", "Forwardzub", "Ackui", "Mailbeacon"}) Click(Box(name));
  EXPECT_EQ("", FieldText(Config().ConfigRecord.FullLog));
  EXPECT_EQ("", FieldText(Config().ConfigRecord.Forwardzub));
  EXPECT_EQ("", FieldText(Config().ConfigRecord.Ackui));
  EXPECT_EQ("", FieldText(Config().ConfigRecord.Mailbeacon));
  EXPECT_TRUE(Modified());
}

// ---------------------------------------------------------------------------
// Browse buttons.

struct BrowseCase {
  const char* button;
  const char* field;
};

void PrintTo(const BrowseCase& c, std::ostream* os) { *os << c.button; }

class FolderBrowseTest : public EditorTest, public ::testing::WithParamInterface<BrowseCase> {};

TEST_P(FolderBrowseTest, ChosenFolderFillsItsFieldAndMarksAChange) {
  TControl* button = ShownControl(GetParam().button);
  TControl* field = Control(GetParam().field);
  ASSERT_TRUE(button && field);
  const std::string chosen = "C:\\Nodrax Test\\Chosen";
  AnswerBrowse(chosen);
  Click(button);
  EXPECT_EQ(std::vector<std::string>{"Search for ZUB Directories"}, BrowseTitles());
  EXPECT_TRUE(OpenRequests().empty());
  EXPECT_EQ(chosen, WindowText(field));
  EXPECT_EQ(GetParam().field, FocusedName());
  EXPECT_TRUE(Modified());
}

INSTANTIATE_TEST_SUITE_P(
    Buttons, FolderBrowseTest,
    ::testing::Values(
        BrowseCase{"Speedroot", "Directorioraiz"}, BrowseCase{"Speedconfig", "Directorioconfig"},
        BrowseCase{"Speeddata", "Directoriodata"}, BrowseCase{"Speedmensajes", "Directoriomensajes"},
        BrowseCase{"Speedzip", "Directoriomensajesbin"}, BrowseCase{"Speedyapp", "Directorioyapp"},
        BrowseCase{"Speeddoc", "Directoriodocs"}, BrowseCase{"Speedpg", "Pgdir"},
        BrowseCase{"Speeddriver", "Driversdir"}, BrowseCase{"Speedserver", "Serversdir"},
        BrowseCase{"Speedfilter", "Filtersdir"}, BrowseCase{"Speeda", "Diska"},
        BrowseCase{"Speedb", "Diskb"}, BrowseCase{"Speedc", "Diskc"}, BrowseCase{"Speedd", "Diskd"},
        BrowseCase{"Speede", "Diske"}, BrowseCase{"Speedf", "Diskf"}, BrowseCase{"Speedg", "Diskg"},
        BrowseCase{"Speedh", "Diskh"}),
    NAMED_BY(button));

using BrowseTest = EditorTest;

TEST_F(BrowseTest, ChosenRootAndDataFoldersDeriveAsTypedOnes) {
  SelectPageOf(Form().Page<TFoldersPage>().Speedroot);
  AnswerBrowse("C:\\ZUB");
  Click(Form().Page<TFoldersPage>().Speedroot);
  EXPECT_EQ("C:\\ZUB\\Data", WindowText(Form().Page<TFoldersPage>().Directoriodata));
  EXPECT_EQ("C:\\ZUB\\Config\\Lang", FieldText(Config().ConfigRecord.Lang));
  EXPECT_EQ("C:\\ZUB\\UsersPub", WindowText(Form().Page<TDisksPage>().Diskc));
  AnswerBrowse("C:\\MSG");
  Click(Form().Page<TFoldersPage>().Speeddata);
  EXPECT_EQ("C:\\MSG\\Binmail", WindowText(Form().Page<TFoldersPage>().Directoriomensajesbin));
  EXPECT_EQ("C:\\ZUB\\Pg", WindowText(Form().Page<TFoldersPage>().Pgdir));
}

TEST_F(BrowseTest, ACancelledBrowseChangesAndMarksNothing) {
  SelectPageOf(Form().Page<TFoldersPage>().Speedroot);
  Type(Form().Page<TFoldersPage>().Directorioraiz, "D:\\BBS");
  Form().Page<TFoldersPage>().Directorioconfig->SetFocus();
  SetModified(false);
  AnswerBrowse(std::nullopt);
  Click(Form().Page<TFoldersPage>().Speedroot);
  AnswerBrowse(std::nullopt);
  Click(Form().Page<TFoldersPage>().Speeddata);
  EXPECT_EQ(2u, BrowseTitles().size());
  EXPECT_EQ("D:\\BBS", WindowText(Form().Page<TFoldersPage>().Directorioraiz));
  EXPECT_EQ("D:\\BBS\\Data", WindowText(Form().Page<TFoldersPage>().Directoriodata));
  EXPECT_EQ("D:\\BBS\\Data", FieldText(Config().ConfigRecord.Data));
  EXPECT_FALSE(Modified());
}

TEST_F(BrowseTest, ImportFileOpensInTheRootFolderOrWithoutOneInTheDialogsOwn) {
  SelectPageOf(Form().Page<TFoldersPage>().Speedimport);
  AnswerOpenFile(std::nullopt);
  Click(Form().Page<TFoldersPage>().Speedimport);
  ASSERT_EQ(1u, OpenRequests().size());
  EXPECT_EQ("", OpenRequests()[0].initialDir);
  EXPECT_EQ("", WindowText(Form().Page<TFoldersPage>().Ficheroimport));
  EXPECT_FALSE(Modified()) << "a cancelled dialog marks nothing";

  Type(Form().Page<TFoldersPage>().Directorioraiz, "D:\\BBS");
  SetModified(false);
  AnswerOpenFile("D:\\BBS\\Old\\Mail.imp");
  Click(Form().Page<TFoldersPage>().Speedimport);
  ASSERT_EQ(2u, OpenRequests().size());
  const TFileDialogRequest asked = OpenRequests()[1];
  EXPECT_EQ("Open Import Nodrax File", asked.title);
  EXPECT_EQ("D:\\BBS", asked.initialDir);
  EXPECT_EQ("", asked.filter);
  EXPECT_EQ("", asked.defaultExt);
  EXPECT_GE(asked.maxFileName, 300u);
  EXPECT_TRUE(BrowseTitles().empty()) << "a file, not a folder";
  EXPECT_EQ("D:\\BBS\\Old\\Mail.imp", WindowText(Form().Page<TFoldersPage>().Ficheroimport));
  EXPECT_EQ("D:\\BBS\\Old\\Mail.imp", FieldText(Config().ConfigRecord.ImportFile));
  EXPECT_EQ("Ficheroimport", FocusedName());
  EXPECT_TRUE(Modified());
}
