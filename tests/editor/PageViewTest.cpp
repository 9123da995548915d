// The pages as views of the configuration: what the sysop types or ticks on
// a page lands in it, and after a command replaces it (a reload, an Init.srv
// import) every page shows it, whether made before the command or after.
//
// The fields and boxes are the pages' own controls; which member each shows
// is found by typing and ticking, and the members come from the editor's
// tables of stored values, so that a field or box added to a page or to the
// configuration is checked without being named here.
#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "editor/app/Pages.h"
#include "editor/config/Save.h"
#include "editor/config/StoredValues.h"
#include "support/LoadSaveFixture.h"

namespace {

using T = TStationTexts;
using B = TStationBoxes;

template <class M>
void AddOnce(std::vector<M>& members, M member) {
  if (member && std::find(members.begin(), members.end(), member) == members.end())
    members.push_back(member);
}

// Every station text, box and console colour that a stored value names.
// The identity, the disks, the letters of Unproto, the mail beacon's box and
// Desactivado1 are filled by code from a composed value rather than named
// by a row.
struct TMembers {
  std::vector<TStationText> Texts;
  std::vector<TStationBox> Boxes;
  std::vector<TConsoleColour> Colours;
};
const TMembers& Members() {
  static const TMembers members = [] {
    TMembers m;
    for (TStationText t : {&T::Editbbsindicativo, &T::Edithroute, &T::Diska, &T::Diskb,
                           &T::Diskc, &T::Diskd, &T::Diske, &T::Diskf, &T::Diskg, &T::Diskh})
      AddOnce(m.Texts, t);
    for (TStationBox b : {&B::Ackui, &B::Privateui, &B::Userui, &B::Tituloui, &B::Mailbeacon,
                           &B::Desactivado1})
      AddOnce(m.Boxes, b);
    std::vector<TBoxGroup> groups = {FirstConnectionBoxes(), SecurityBoxes(0), SecurityBoxes(1),
                                     SecurityBoxes(2)};
    for (const auto* table : {&ConfigValues(), &FolderValues()})
      for (const TStoredValue& v : *table) {
        for (std::size_t i = 0; i < v.TextCount; ++i) AddOnce(m.Texts, v.Texts[i]);
        AddOnce(m.Boxes, v.Box);
        AddOnce(m.Colours, v.Colour);
        if (v.Group) groups.push_back(v.Group());
      }
    for (const TBoxGroup& g : groups)
      for (std::size_t i = 0; i < g.Count; ++i) AddOnce(m.Boxes, g.Boxes[i]);
    return m;
  }();
  return members;
}

// Which member each control shows, by the control's name.
struct TViews {
  std::map<std::string, TStationText> Texts;
  std::map<std::string, TStationBox> Boxes;
  std::map<std::string, TConsoleColour> Colours;
};

class PageViewTest : public LoadSaveFixture {
 protected:
  // Makes every page that is not made yet.
  void MakeEveryPage() {
    for (TTabSheet* sheet : Form().Pagina->Pages()) Form().PageOf(sheet);
  }
  std::vector<TPage*> BuiltPages() {
    std::vector<TPage*> pages;
    for (TTabSheet* sheet : Form().Pagina->Pages())
      if (TPage* page = Form().BuiltPage(sheet)) pages.push_back(page);
    return pages;
  }

  // Types a text of its own into every field and ticks or clears every box
  // of every page: each lands in exactly one member, shown by no other
  // control. The six sample labels of the colours are found by colours of
  // their own.
  TViews TypeAndTick() {
    TViews views;
    MakeEveryPage();
    int mark = 0;
    for (TPage* page : BuiltPages()) {
      if (!dynamic_cast<TStationPage*>(page)) continue;
      ClickTab(page->Sheet());
      for (const auto& control : page->Controls()) {
        if (auto* edit = dynamic_cast<TEdit*>(control.get())) {
          const std::string typed = {static_cast<char>('A' + mark / 10),
                                     static_cast<char>('0' + mark % 10)};
          ++mark;
          Erase(edit);
          Type(edit, typed);
          EXPECT_EQ(typed, edit->Text()) << edit->Name;
          std::vector<TStationText> holding;
          for (TStationText t : Members().Texts)
            if (Config().Texts.*t == typed) holding.push_back(t);
          EXPECT_EQ(1u, holding.size()) << "what is typed into " << edit->Name;
          if (holding.size() == 1) views.Texts[edit->Name] = holding[0];
        } else if (auto* box = dynamic_cast<TCheckBox*>(control.get())) {
          const TStationBoxes before = Config().Boxes;
          Click(box);
          std::vector<TStationBox> changed;
          for (TStationBox b : Members().Boxes)
            if (Config().Boxes.*b != before.*b) changed.push_back(b);
          EXPECT_EQ(1u, changed.size()) << "what a click on " << box->Name << " changes";
          if (changed.size() != 1) continue;
          EXPECT_EQ(box->Checked(), Config().Boxes.*changed[0]) << box->Name;
          views.Boxes[box->Name] = changed[0];
        }
      }
    }
    const std::vector<TConsoleColour>& colours = Members().Colours;
    for (std::size_t i = 0; i < colours.size(); ++i)
      Config().Colours.*colours[i] = RGB(10 + i, 20, 30);
    Form().ShowConfiguration();
    for (const auto& control : Form().Page<TColoursPage>().Controls())
      if (auto* label = dynamic_cast<TLabel*>(control.get()))
        for (TConsoleColour c : colours)
          if (c != &TConsoleColours::Background && label->FontColor() == Config().Colours.*c)
            views.Colours[label->Name] = c;
    return views;
  }

  // Every page shows every text, box and colour as the configuration holds
  // it.
  void ExpectPagesShowTheConfiguration(const TViews& views) {
    const TConfiguration& c = Config();
    int checked = 0;
    for (TPage* page : BuiltPages()) {
      for (const auto& control : page->Controls()) {
        const std::string& name = control->Name;
        if (auto text = views.Texts.find(name); text != views.Texts.end()) {
          EXPECT_EQ(c.Texts.*text->second, WindowText(control.get())) << name;
        } else if (auto box = views.Boxes.find(name); box != views.Boxes.end()) {
          EXPECT_EQ(c.Boxes.*box->second, static_cast<TCheckBox*>(control.get())->Checked())
              << name;
        } else if (auto colour = views.Colours.find(name); colour != views.Colours.end()) {
          const auto* label = static_cast<const TLabel*>(control.get());
          EXPECT_EQ(c.Colours.*colour->second, label->FontColor()) << name;
          EXPECT_EQ(c.Colours.Background, label->Color()) << name;
        } else if (auto* panel = dynamic_cast<const TPanel*>(control.get());
                   panel && dynamic_cast<TColoursPage*>(page)) {
          EXPECT_EQ(c.Colours.Background, panel->Color()) << name;
        } else {
          continue;
        }
        ++checked;
      }
    }
    // Every page is made by now: each view was found on one.
    EXPECT_EQ(views.Texts.size() + views.Boxes.size() + views.Colours.size() + 1, checked);
  }

  // What the pages show before a command: nothing the command brings.
  void ShowStale(bool ticked) {
    for (TStationText t : Members().Texts) Config().Texts.*t = "~";
    for (TStationBox b : Members().Boxes) Config().Boxes.*b = ticked;
    for (TConsoleColour c : Members().Colours) Config().Colours.*c = RGB(1, 2, 3);
    Form().ShowConfiguration();
    SetModified(false);
  }
};

TEST_F(PageViewTest, WhatIsTypedOrTickedOnEveryPageLandsInAMemberOfItsOwn) {
  // The members are complete: the tables name every one.
  EXPECT_EQ(sizeof(TStationTexts) / sizeof(std::string), Members().Texts.size());
  EXPECT_EQ(sizeof(TStationBoxes) / sizeof(bool), Members().Boxes.size());
  EXPECT_EQ(sizeof(TConsoleColours) / sizeof(uint32_t), Members().Colours.size());

  CreateEmptyConfig();
  OpenEditor();
  const TViews views = TypeAndTick();
  // Each member has a control of its own; the background is the panel's.
  std::vector<TStationText> texts;
  for (const auto& [name, text] : views.Texts) AddOnce(texts, text);
  std::vector<TStationBox> boxes;
  for (const auto& [name, box] : views.Boxes) AddOnce(boxes, box);
  EXPECT_EQ(Members().Texts.size(), views.Texts.size());
  EXPECT_EQ(views.Texts.size(), texts.size());
  EXPECT_EQ(Members().Boxes.size(), views.Boxes.size());
  EXPECT_EQ(views.Boxes.size(), boxes.size());
  EXPECT_EQ(Members().Colours.size() - 1, views.Colours.size());
  ExpectPagesShowTheConfiguration(views);
}

// An Init.srv of an older installation.
std::string InitSrv() {
  std::map<int, std::string> station = {
      {1, "EA9ZZB.#CE.ESP.EURO"}, {2, "2"}, {3, "IM75JV"}, {4, "Ceuta"},
      {5, "C:\\NodraxTest\\BBS\\SYSTEM\\"}, {6, "C:\\NodraxTest\\Old\\MAIL"},
      {7, "C:\\NodraxTest\\Old\\BIN"}, {8, "C:\\ZUB\\A,*,C:\\ZUB\\C,*,*,*,*,*"},
      {9, "C:\\NodraxTest\\Old\\YAPP"}, {10, "C:\\NodraxTest\\Old\\DOCS"}, {11, "Jose Perez"},
      {12, "EA9ZZC"}, {13, "******"}, {14, "C:\\ZUB\\IMPORT.TXT"}, {16, "OK"}, {18, "OK"},
      {19, "NO"}, {20, "OK 10"}, {21, "OK 3"}, {23, "OK"}, {24, "5"}, {25, "3 0 1023"},
      {26, "513"}, {28, "10 20"}, {29, "200 100"}, {31, "B5"}, {32, "1000 900 800"},
      {33, "[$c] ZUB$E $$:$R"}, {34, "10000"}, {35, "30"}, {37, "EA9ZZB.#CE.ESP.EURO"},
      {38, "51001"}, {39, "5 10 AP"}, {45, "16"}, {50, "15"}, {51, "14"}, {52, "10"},
      {53, "11"}, {54, "7"}, {55, "12"}};
  std::string file;
  for (int n = 1; n <= 56; ++n) file += station[n] + "\r\n";
  return file + "WP WP.EXE White pages server\r\n";
}

// A configuration with every text, box and colour set, none of them as a
// fresh configuration has it.
void StoreAFullConfiguration() {
  TConfiguration c;
  int n = 0;
  for (TStationText t : Members().Texts) c.SetText(t, std::to_string(100 + n++));
  c.SetText(&T::Directorioraiz, "C:\\NodraxTest\\BBS");  // the folders below it, on C:
  c.SetText(&T::Editciudad, "Stored");
  for (std::size_t i = 0; i < Members().Boxes.size(); ++i)
    c.Boxes.*Members().Boxes[i] = i % 2 == 0;
  c.Boxes.Desactivado1 = false;  // it would store no first-connection option
  for (std::size_t i = 0; i < Members().Colours.size(); ++i)
    c.Colours.*Members().Colours[i] = RGB(40 + i, 50, 60);
  ASSERT_EQ(TSaveOutcome::Saved, SaveConfiguration(c).Outcome);
}

TEST_F(PageViewTest, AfterACommandEveryPageShowsTheConfigurationMadeBeforeOrAfter) {
  CreateEmptyConfig();
  OpenEditor();
  const TViews views = TypeAndTick();
  struct TCommand {
    const char* Name;
    std::function<void()> Run;
    const char* City;  // what the command brings
  };
  const TCommand commands[] = {
      {"Reload", [this] { InvokeMenu("ReloadRegistry1"); }, "Stored"},
      {"Init.srv",
       [this] {
         std::filesystem::create_directories(kTestFolder);
         const std::string path = std::string(kTestFolder) + "\\Init.srv";
         std::ofstream(path, std::ios::binary) << InitSrv();
         AnswerOpenFile(path);
         InvokeMenu("Menuimport");
       },
       "Ceuta"},
  };
  // The pages made before the command show first every box cleared, then
  // every box ticked, so that a page left as it was shows a wrong box. (The
  // General page is always made before: the window opens on it.)
  struct TRound {
    bool MadeBefore, Ticked;
  };
  for (const TCommand& command : commands) {
    for (const TRound round : {TRound{true, false}, TRound{true, true}, TRound{false, false}}) {
      SCOPED_TRACE(std::string(command.Name) +
                   (round.MadeBefore ? " made before, " : " made after, ") +
                   (round.Ticked ? "ticked" : "cleared"));
      TearDown();
      SetUp();
      StoreAFullConfiguration();
      OpenEditor();
      if (round.MadeBefore) MakeEveryPage();
      ShowStale(round.Ticked);
      command.Run();
      EXPECT_EQ(command.City, Config().Texts.Editciudad);
      MakeEveryPage();
      ExpectPagesShowTheConfiguration(views);
    }
  }
}

}  // namespace
