// The start code of the command line, acted on at the first activation:
// the page, the focused field, the text of status panel 0 and the
// information box.
#include <windows.h>
#include <commctrl.h>

#include "support/EditorFixture.h"

struct StartCase {
  const char* label;  // names the case in the test list
  const char* tail;
  const char* page;
  const char* field;
  const char* panel;
  bool infoBox;
};

void PrintTo(const StartCase& c, std::ostream* os) { *os << '"' << c.tail << '"'; }

class StartCodeFixture : public EditorFixture {
 protected:
  void OpenWithTail(const char* tail, bool infoBox) {
    CreateEmptyConfig();
    CommandTail = tail;
    if (infoBox) AnswerMessage(IDOK);
    OpenEditor();
    ASSERT_TRUE(EditorOpen());
  }
  // The tab control itself shows the page, and the page is on screen.
  void ExpectPageShown(const std::string& page) {
    EXPECT_EQ(page, ActivePageName());
    TTabSheet* sheet = Form().FindSheet(page);
    ASSERT_NE(nullptr, sheet);
    EXPECT_TRUE(IsWindowVisible(sheet->Handle())) << page;
    const int selected = static_cast<int>(SendMessageA(Form().Pagina->Handle(), TCM_GETCURSEL, 0, 0));
    EXPECT_EQ(sheet->Caption, TabCaption(selected));
  }
};

class StartCodeTest : public StartCodeFixture,
                      public ::testing::WithParamInterface<StartCase> {};

TEST_P(StartCodeTest, SelectsPageAndFieldAndReports) {
  const StartCase c = GetParam();
  OpenWithTail(c.tail, c.infoBox);
  ExpectPageShown(c.page);
  EXPECT_EQ(c.field, FocusedName());
  EXPECT_EQ(c.panel, PanelText(0));
  ExpectOnlyMessage("More information about the error in status bar", "Nodrax error",
                    MB_ICONINFORMATION | MB_OK, c.infoBox ? 1 : 0);
}

INSTANTIATE_TEST_SUITE_P(
    Codes, StartCodeTest,
    ::testing::Values(
        StartCase{"Empty", "", "Hojageneral", "Editbbsindicativo", "", false},
        StartCase{"Zero", "0", "Hojageneral", "Editbbsindicativo", "", false},
        StartCase{"NoDigits", "abc", "Hojageneral", "Editbbsindicativo", "", false},
        StartCase{"Callsign", "1", "Hojageneral", "Editbbsindicativo", " Callsign not found",
                  true},
        StartCase{"UsersPub", "14", "Hojadirectorioszub", "Diskc",
                  " UsersPub folder not found", true},
        StartCase{"SysOpName", "17", "Hojageneral", "Editsysopnombre", " SysOp name not found",
                  true},
        StartCase{"SysOpMessages", "19", "Hojamiscelanea", "Sysopmessage",
                  " Callsign to copy SysOp msg's not found", true},
        StartCase{"HRoute", "26", "Hojageneral", "Edithroute", " HRoute not found", true},
        StartCase{"Timeout", "31", "Hojatiempos", "timeoutusuarios", " Timeout not found", true},
        StartCase{"Unprotos", "40", "Hojaunprotos", "Editbackui", " Unprotos not found", true},
        StartCase{"Background", "42", "Hojacolores", "Panel1", " Background color not found",
                  true},
        StartCase{"ChannelInfo", "48", "Hojacolores", "Panel1", " Channel info color not found",
                  true},
        // Codes without a row: the General page, nothing in the panel, the box.
        StartCase{"Code24", "24", "Hojageneral", "Editbbsindicativo", "", true},
        StartCase{"Code41", "41", "Hojageneral", "Editbbsindicativo", "", true},
        StartCase{"Code49", "49", "Hojageneral", "Editbbsindicativo", "", true},
        StartCase{"Negative", "-3", "Hojageneral", "Editbbsindicativo", "", true},
        // 2^32 + 14 must not wrap round to 14.
        StartCase{"Beyond32Bits", "4294967310", "Hojageneral", "Editbbsindicativo", "", true},
        StartCase{"Huge", "99999999999999999999999", "Hojageneral", "Editbbsindicativo", "",
                  true},
        // The number rule: blanks, one sign, digits up to the first other.
        StartCase{"LeadingBlanks", "   5", "Hojadirectorios", "Directorioraiz",
                  " Root folder not found", true},
        StartCase{"TabAndBlank", "\t 12", "Hojadirectorios", "Directoriomensajes",
                  " Mail folder not found", true},
        StartCase{"PlusSign", "+7", "Hojadirectorios", "Directoriodata",
                  " Data folder not found", true},
        StartCase{"TwoSigns", "+-7", "Hojageneral", "Editbbsindicativo", "", false},
        StartCase{"DigitsThenLetters", "5abc", "Hojadirectorios", "Directorioraiz",
                  " Root folder not found", true}),
    [](const ::testing::TestParamInfo<StartCase>& info) { return std::string(info.param.label); });

using StartCodeActivationTest = StartCodeFixture;

TEST_F(StartCodeActivationTest, ActsOnlyAtTheFirstActivation) {
  OpenWithTail("14", true);
  ASSERT_EQ(1u, Messages().size());
  // The sysop moves on; coming back to the window changes nothing.
  Form().Pagina->SetActivePage(Form().FindSheet("Hojaforward"));
  Form().Page<TForwardingPage>().Forwardzub->SetFocus();
  SendMessageA(FormHandle(), WM_ACTIVATE, WA_INACTIVE, 0);
  SendMessageA(FormHandle(), WM_ACTIVATE, WA_ACTIVE, 0);
  SendMessageA(FormHandle(), WM_ACTIVATE, WA_CLICKACTIVE, 0);
  Pump();
  EXPECT_EQ(1u, Messages().size()) << "the information box came again";
  EXPECT_EQ("Hojaforward", ActivePageName());
  EXPECT_EQ(" UsersPub folder not found", PanelText(0));
}

TEST_F(StartCodeActivationTest, DoesNotMarkTheConfigurationChanged) {
  OpenWithTail("5", true);
  EXPECT_FALSE(Modified());
}
