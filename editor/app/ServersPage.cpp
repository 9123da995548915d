#include "editor/app/ServersPage.h"

#include <windows.h>

#include <string>
#include <type_traits>
#include <utility>
#include <variant>
#include <vector>

#include "editor/config/AnsiText.h"
#include "editor/config/Load.h"
#include "editor/config/Records.h"
#include "editor/config/ServerStore.h"

namespace {

const char kCaption[] = "Nodraxcfg";

// The fields hold no more than a ServerRecord does.
constexpr int kNameLength = sizeof(TServerRecord::Name) - 1;
constexpr int kFileLength = sizeof(TServerRecord::File) - 1;
constexpr int kDescriptionLength = sizeof(TServerRecord::Description) - 1;

using TServerMember = std::variant<TLabel* TServersPage::*, TListBox* TServersPage::*, TEdit* TServersPage::*,
                                   TComboBox* TServersPage::*, TCheckBox* TServersPage::*, TButton* TServersPage::*>;

template <class M>
struct TMemberControl;
template <class T>
struct TMemberControl<T* TServersPage::*> {
  using type = T;
};

struct TServerRow {
  TServerMember member;
  const char* name;
  const char* caption;  // the combo box's one item; nullptr: none
  int left, top, width, height;
  int maxLength;  // 0: no limit
  bool upper;
  const char* hint;
  void (TServersPage::*click)(TObject*);
  void (TServersPage::*change)(TObject*);
  void (TServersPage::*keyPress)(TObject*, char&);
};

// Enter is swallowed and moves the focus on.
void MoveOnEnter(char& key, TControl* next) {
  if (key != '\r') return;
  key = 0;
  next->SetFocus();
}

void Warn(IViewHost& host, const std::string& text) {
  host.Message(text, kCaption, MB_ICONWARNING | MB_OK);
}

}  // namespace

void TServersPage::Build() {
  static const TServerRow rows[] = {
      {&TServersPage::Label75, "Label75", "Installed Servers", 12, 10, 150, 14, 0, false, nullptr,
       nullptr, nullptr, nullptr},
      {&TServersPage::ListBox1, "ListBox1", nullptr, 12, 28, 150, 252, 0, false, "Click Me!",
       &TServersPage::ListBox1Click, nullptr, nullptr},
      {&TServersPage::Label78, "Label78", "Server Name", 180, 10, 196, 14, 0, false, nullptr,
       &TServersPage::Label78Click, nullptr, nullptr},
      {&TServersPage::Editaddserver, "Editaddserver", nullptr, 180, 28, 120, 21, kNameLength, true,
       nullptr, nullptr, &TServersPage::DisabledClick, &TServersPage::EditaddserverKeyPress},
      {&TServersPage::Label79, "Label79", "File Server", 180, 60, 196, 14, 0, false, nullptr,
       &TServersPage::Label79Click, nullptr, nullptr},
      {&TServersPage::Editfileserver, "Editfileserver", kInternalServer, 180, 78, 160, 21,
       kFileLength, false, nullptr, nullptr, &TServersPage::DisabledClick,
       &TServersPage::EditfileserverKeyPress},
      {&TServersPage::Label80, "Label80", "Description", 180, 110, 196, 14, 0, false, nullptr,
       &TServersPage::Label80Click, nullptr, nullptr},
      {&TServersPage::Editinfo, "Editinfo", nullptr, 180, 128, 196, 21, kDescriptionLength, false,
       nullptr, nullptr, &TServersPage::DisabledClick, &TServersPage::EditinfoKeyPress},
      {&TServersPage::Disabled, "Disabled", "Disabled", 180, 162, 120, 17, 0, false, nullptr,
       &TServersPage::DisabledClick, nullptr, nullptr},
      {&TServersPage::Botonaddserver, "Botonaddserver", "Add Server", 180, 194, 94, 25, 0, false,
       nullptr, &TServersPage::BotonaddserverClick, nullptr, nullptr},
      {&TServersPage::Apply, "Apply", "Apply", 282, 194, 94, 25, 0, false, nullptr,
       &TServersPage::BotonaddserverClick, nullptr, nullptr},
      {&TServersPage::Botondelserver, "Botondelserver", "Delete Selected Server", 12, 288, 150, 25, 0,
       false, nullptr, &TServersPage::BotondelserverClick, nullptr, nullptr},
  };
  for (const TServerRow& row : rows) {
    std::visit(
        [&](auto member) {
          using T = typename TMemberControl<decltype(member)>::type;
          T* control = nullptr;
          const RECT at{row.left, row.top, row.left + row.width, row.top + row.height};
          if constexpr (std::is_same_v<T, TComboBox>) {
            control = MakeAt<T>(at, Sheet(), row.name, TComboStyle::DropDown);
            if (row.caption) control->AddItem(row.caption);
            if (row.maxLength) SendMessageA(control->Handle(), CB_LIMITTEXT, row.maxLength, 0);
          } else if constexpr (std::is_same_v<T, TEdit>) {
            control = MakeAt<T>(at, Sheet(), row.name);
            if (row.maxLength) control->SetMaxLength(row.maxLength);
            control->SetUpperCase(row.upper);
            // Capitals however the text comes in: typed, pasted or shown
            // from the list.
            if (row.upper)
              SetWindowLongPtrA(control->Handle(), GWL_STYLE,
                                GetWindowLongPtrA(control->Handle(), GWL_STYLE) | ES_UPPERCASE);
          } else if constexpr (std::is_same_v<T, TListBox>) {
            control = MakeAt<T>(at, Sheet(), row.name);
          } else {
            control = MakeAt<T>(at, Sheet(), row.name, row.caption);
          }
          if constexpr (std::is_same_v<T, TComboBox> || std::is_same_v<T, TEdit>) {
            if (row.change)
              control->OnChange = [this, h = row.change](TObject* s) { (this->*h)(s); };
          }
          if (row.hint) control->SetHint(row.hint);
          if (row.click) control->OnClick = [this, h = row.click](TObject* s) { (this->*h)(s); };
          if (row.keyPress)
            control->OnKeyPress = [this, h = row.keyPress](TObject* s, char& k) {
              (this->*h)(s, k);
            };
          this->*member = control;
        },
        row.member);
  }
  Apply->SetEnabled(false);
}

void TServersPage::ShowConfiguration() {
  TConfiguration& c = Config();
  ServersNeeded(c);
  std::vector<std::string> names;
  for (int i = 0; i < c.ServerCount && i < kServerCount; ++i)
    names.push_back(FieldText(c.ServerTable[i].Name));
  // After an add, a change or a delete the list differs in one place at
  // most: the items before and after it stay, and the list neither flickers
  // nor scrolls back to the top. What it shows is known without asking it.
  std::vector<std::string>& shown = shown_;
  if (ListBox1->ItemCount() != static_cast<int>(shown.size())) {
    ListBox1->ClearItems();
    shown.clear();
  }
  std::size_t same = 0, sameAtEnd = 0;
  while (same < shown.size() && same < names.size() && shown[same] == names[same]) ++same;
  while (sameAtEnd < shown.size() - same && sameAtEnd < names.size() - same &&
         shown[shown.size() - 1 - sameAtEnd] == names[names.size() - 1 - sameAtEnd])
    ++sameAtEnd;
  // A hundred servers in one go (an import) redraw the list and set its
  // scroll bar once, not once for every server.
  const bool many = names.size() - same - sameAtEnd > 1;
  if (many) SendMessageA(ListBox1->Handle(), WM_SETREDRAW, FALSE, 0);
  for (std::size_t i = shown.size() - sameAtEnd; i-- > same;)
    ListBox1->DeleteItem(static_cast<int>(i));
  for (std::size_t i = same; i < names.size() - sameAtEnd; ++i)
    ListBox1->InsertItem(static_cast<int>(i), names[i]);
  if (many) {
    SendMessageA(ListBox1->Handle(), WM_SETREDRAW, TRUE, 0);
    InvalidateRect(ListBox1->Handle(), nullptr, TRUE);
  }
  shown = std::move(names);
  ListBox1->SetItemIndex(-1);
}

void TServersPage::ClearFields() {
  Editaddserver->SetText("");
  Editfileserver->SetText("");
  Editinfo->SetText("");
}

void TServersPage::ListBox1Click(TObject*) {
  // Showing a server is no edit: the fields are shown without their
  // change and click handlers, and Apply stays off.
  Editaddserver->ShowText("");
  Editfileserver->ShowText("");
  Editinfo->ShowText("");
  Apply->SetEnabled(false);
  const int i = ListBox1->ItemIndex();
  if (i < 0 || i >= Config().ServerCount) return;
  const TServerRecord& server = Config().ServerTable[i];
  Editaddserver->ShowText(FieldText(server.Name));
  Editfileserver->ShowText(ShownProgram(server));
  Editinfo->ShowText(FieldText(server.Description));
  Disabled->ShowChecked(FieldText(server.Disabled) == "true");
}

void TServersPage::DisabledClick(TObject*) { Apply->SetEnabled(true); }

void TServersPage::BotonaddserverClick(TObject*) {
  const TServerResult stored = StoreServer(Config(), Editaddserver->Text(), Editfileserver->Text(),
                                           Editinfo->Text(), Disabled->Checked());
  switch (stored.Outcome) {
    case TServerOutcome::Unnamed:
      return;
    case TServerOutcome::BadName:
      // The key would land below another server's key, where the BBS never
      // looks.
      Warn(Host(), "A server name cannot contain \"\\\".");
      return;
    case TServerOutcome::Full:
      Warn(Host(), "The server list is full: the BBS runs at most " +
                       std::to_string(kServerCount) + " servers.\nDelete one before adding another.");
      return;
    case TServerOutcome::WriteFailed:
      // The fields keep what was typed, so that the sysop can try again with
      // the rights to write.
      Warn(Host(), "The server was not saved: " + stored.Failure);
      return;
    case TServerOutcome::Stored:
      break;
  }
  ClearFields();
  if (Disabled->Checked()) Disabled->SetChecked(false);
  Apply->SetEnabled(false);
  ShowConfiguration();
  NotifyConfigurationChanged();
}

void TServersPage::BotondelserverClick(TObject*) {
  const int i = ListBox1->ItemIndex();
  if (i >= 0) {
    ClearFields();
    const TServerResult deleted = DeleteServer(Config(), i);
    if (deleted.Outcome == TServerOutcome::WriteFailed)
      Warn(Host(), "The server was not deleted: " + deleted.Failure);
    ShowConfiguration();
  }
  if (Disabled->Checked()) Disabled->SetChecked(false);
}

void TServersPage::EditaddserverKeyPress(TObject*, char& Key) {
  // A "\" in the name would make the key a path.
  if (Key == '\\') Key = 0;
  MoveOnEnter(Key, Editfileserver);
}

void TServersPage::EditfileserverKeyPress(TObject*, char& Key) { MoveOnEnter(Key, Editinfo); }

void TServersPage::EditinfoKeyPress(TObject*, char& Key) { MoveOnEnter(Key, Botonaddserver); }

void TServersPage::Label78Click(TObject*) { Editaddserver->SetFocus(); }
void TServersPage::Label79Click(TObject*) { Editfileserver->SetFocus(); }
void TServersPage::Label80Click(TObject*) { Editinfo->SetFocus(); }
