// The Servers page: the server programs that the BBS runs. Unlike the other
// pages it works on the registry itself: each add, change or delete goes at
// once to the server's key below Software\Nodrax\Servers, and the list and
// the ServerTable are then read back from there. The save is not involved
// and nothing here counts as an unsaved change.
#include <windows.h>

#include <string>
#include <type_traits>
#include <utility>
#include <variant>
#include <vector>

#include "editor/app/Main.h"
#include "editor/config/AnsiText.h"
#include "editor/config/Cargaregistro.h"
#include "editor/config/Records.h"
#include "editor/config/RegistryKeys.h"
#include "editor/config/Save.h"
#include "platform/Dialogs.h"
#include "platform/Registry.h"

namespace {

const char kCaption[] = "Nodraxcfg";
const char kInternalServer[] = "INTERNAL SERVER";
// The registry's form of the internal server: the BBS takes any File that
// starts with "*" for it.
const char kInternalServerStored[] = "**********";

// The fields hold no more than a ServerRecord does.
constexpr int kNameLength = sizeof(TServerRecord::Name) - 1;
constexpr int kFileLength = sizeof(TServerRecord::File) - 1;
constexpr int kDescriptionLength = sizeof(TServerRecord::Description) - 1;

using TServerMember = std::variant<TLabel* TForm1::*, TListBox* TForm1::*, TEdit* TForm1::*,
                                   TComboBox* TForm1::*, TCheckBox* TForm1::*, TButton* TForm1::*>;

template <class M>
struct TMemberControl;
template <class T>
struct TMemberControl<T* TForm1::*> {
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
  void (TForm1::*click)(TObject*);
  void (TForm1::*change)(TObject*);
  void (TForm1::*keyPress)(TObject*, char&);
};

// Enter is swallowed and moves the focus on.
void MoveOnEnter(char& key, TControl* next) {
  if (key != '\r') return;
  key = 0;
  next->SetFocus();
}

std::string ServerKey(const std::string& name) { return std::string(kServersKey) + "\\" + name; }

// What the registry keeps of the file field: the program's name in
// capitals, or the internal server's mark. The mark is compared after the
// capitals, so that "internal server" typed by hand is the internal server
// too and not a program of that name that the BBS would try to start.
std::string StoredFile(const std::string& typed) {
  const std::string file = Capitals(typed);
  return file == kInternalServer ? kInternalServerStored : file;
}

void Warn(TForm1& form, const std::string& text) {
  Dialogs().MessageBox(form.Handle(), text, kCaption, MB_ICONWARNING | MB_OK);
}

class TFilling {
 public:
  explicit TFilling(bool& flag) : flag_(flag) { flag_ = true; }
  ~TFilling() { flag_ = false; }
  TFilling(const TFilling&) = delete;
  TFilling& operator=(const TFilling&) = delete;

 private:
  bool& flag_;
};

}  // namespace

void TForm1::BuildServers() {
  static const TServerRow rows[] = {
      {&TForm1::Label75, "Label75", "Installed Servers", 12, 10, 150, 14, 0, false, nullptr,
       nullptr, nullptr, nullptr},
      {&TForm1::ListBox1, "ListBox1", nullptr, 12, 28, 150, 252, 0, false, "Click Me!",
       &TForm1::ListBox1Click, nullptr, nullptr},
      {&TForm1::Label78, "Label78", "Server Name", 180, 10, 196, 14, 0, false, nullptr,
       &TForm1::Label78Click, nullptr, nullptr},
      {&TForm1::Editaddserver, "Editaddserver", nullptr, 180, 28, 120, 21, kNameLength, true,
       nullptr, nullptr, &TForm1::DisabledClick, &TForm1::EditaddserverKeyPress},
      {&TForm1::Label79, "Label79", "File Server", 180, 60, 196, 14, 0, false, nullptr,
       &TForm1::Label79Click, nullptr, nullptr},
      {&TForm1::Editfileserver, "Editfileserver", kInternalServer, 180, 78, 160, 21,
       kFileLength, false, nullptr, nullptr, &TForm1::DisabledClick,
       &TForm1::EditfileserverKeyPress},
      {&TForm1::Label80, "Label80", "Description", 180, 110, 196, 14, 0, false, nullptr,
       &TForm1::Label80Click, nullptr, nullptr},
      {&TForm1::Editinfo, "Editinfo", nullptr, 180, 128, 196, 21, kDescriptionLength, false,
       nullptr, nullptr, &TForm1::DisabledClick, &TForm1::EditinfoKeyPress},
      {&TForm1::Disabled, "Disabled", "Disabled", 180, 162, 120, 17, 0, false, nullptr,
       &TForm1::DisabledClick, nullptr, nullptr},
      {&TForm1::Botonaddserver, "Botonaddserver", "Add Server", 180, 194, 94, 25, 0, false,
       nullptr, &TForm1::BotonaddserverClick, nullptr, nullptr},
      {&TForm1::Apply, "Apply", "Apply", 282, 194, 94, 25, 0, false, nullptr,
       &TForm1::BotonaddserverClick, nullptr, nullptr},
      {&TForm1::Botondelserver, "Botondelserver", "Delete Selected Server", 12, 288, 150, 25, 0,
       false, nullptr, &TForm1::BotondelserverClick, nullptr, nullptr},
  };
  for (const TServerRow& row : rows) {
    std::visit(
        [&](auto member) {
          using T = typename TMemberControl<decltype(member)>::type;
          T* control = nullptr;
          if constexpr (std::is_same_v<T, TComboBox>) {
            control = Make<T>(Hojaservers, row.name, TComboStyle::DropDown);
            if (row.caption) control->AddItem(row.caption);
            if (row.maxLength) SendMessageA(control->Handle(), CB_LIMITTEXT, row.maxLength, 0);
          } else if constexpr (std::is_same_v<T, TEdit>) {
            control = Make<T>(Hojaservers, row.name);
            if (row.maxLength) control->SetMaxLength(row.maxLength);
            control->SetUpperCase(row.upper);
          } else if constexpr (std::is_same_v<T, TListBox>) {
            control = Make<T>(Hojaservers, row.name);
          } else {
            control = Make<T>(Hojaservers, row.name, row.caption);
          }
          if constexpr (std::is_same_v<T, TComboBox> || std::is_same_v<T, TEdit>) {
            if (row.change)
              control->OnChange = [this, h = row.change](TObject* s) { (this->*h)(s); };
          }
          control->SetBounds(row.left, row.top, row.width, row.height);
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

void TForm1::ShowServerList() {
  if (!ListBox1) return;
  std::vector<std::string> names;
  for (int i = 0; ServerTable && i < ServerCount && i < kServerCount; ++i)
    names.push_back(FieldText(ServerTable[i].Name));
  // After an add, a change or a delete the list differs in one place at
  // most: the items before and after it stay, and the list neither flickers
  // nor scrolls back to the top. What it shows is known without asking it.
  std::vector<std::string>& shown = serversShown_;
  if (ListBox1->ItemCount() != static_cast<int>(shown.size())) {
    ListBox1->ClearItems();
    shown.clear();
  }
  std::size_t same = 0, sameAtEnd = 0;
  while (same < shown.size() && same < names.size() && shown[same] == names[same]) ++same;
  while (sameAtEnd < shown.size() - same && sameAtEnd < names.size() - same &&
         shown[shown.size() - 1 - sameAtEnd] == names[names.size() - 1 - sameAtEnd])
    ++sameAtEnd;
  for (std::size_t i = shown.size() - sameAtEnd; i-- > same;)
    ListBox1->DeleteItem(static_cast<int>(i));
  for (std::size_t i = same; i < names.size() - sameAtEnd; ++i)
    ListBox1->InsertItem(static_cast<int>(i), names[i]);
  shown = std::move(names);
  ListBox1->SetItemIndex(-1);
}

void TForm1::ListBox1Click(TObject*) {
  Editaddserver->SetText("");
  Editfileserver->SetText("");
  Editinfo->SetText("");
  TFilling filling(ServerFilling);
  Apply->SetEnabled(false);
  const int i = ListBox1->ItemIndex();
  if (!ServerTable || i < 0 || i >= ServerCount) return;
  const TServerRecord& server = ServerTable[i];
  Editaddserver->SetText(FieldText(server.Name));
  Editfileserver->SetText(server.File[0] == '*' ? kInternalServer : FieldText(server.File));
  Editinfo->SetText(FieldText(server.Description));
  Disabled->SetChecked(FieldText(server.Disabled) == "true");
}

void TForm1::DisabledClick(TObject*) {
  if (!ServerFilling) Apply->SetEnabled(true);
}

void TForm1::BotonaddserverClick(TObject*) {
  const std::string name = Editaddserver->Text();
  const std::string file = Editfileserver->Text();
  if (name.empty() || file.empty()) return;
  if (name.find('\\') != std::string::npos) {
    // The key would land below another server's key, where the BBS never
    // looks.
    Warn(*this, "A server name cannot contain \"\\\".");
    return;
  }
  const std::string key = ServerKey(name);
  TRegistry reg;
  // A change of a stored server is always allowed; a new one must still fit
  // the table, or the list would not show it.
  if (ServerCount >= kServerCount && !reg.KeyExists(key)) {
    Warn(*this, "The server list is full: the BBS runs at most " +
                    std::to_string(kServerCount) + " servers.\nDelete one before adding another.");
    return;
  }
  if (reg.OpenKey(key, true)) {
    reg.WriteString("File", StoredFile(file));
    reg.WriteString("Description", Editinfo->Text());
    reg.WriteString("Disabled", Disabled->Checked() ? "true" : "false");
    reg.CloseKey();
  }
  if (reg.Failed()) {
    // The fields keep what was typed, so that the sysop can try again with
    // the rights to write; the list shows whatever part did get stored.
    Warn(*this, "The server was not saved: " + FailedWriteText(reg));
    CargaServidores(*this);
    return;
  }
  Editaddserver->SetText("");
  Editfileserver->SetText("");
  Editinfo->SetText("");
  if (Disabled->Checked()) Disabled->SetChecked(false);
  Apply->SetEnabled(false);
  CargaServidores(*this);
  NotifyConfigurationChanged();
}

void TForm1::BotondelserverClick(TObject*) {
  const int i = ListBox1->ItemIndex();
  if (i >= 0) {
    const std::string key = ServerKey(ListBox1->Item(i));
    Editaddserver->SetText("");
    Editfileserver->SetText("");
    Editinfo->SetText("");
    TRegistry reg;
    if (reg.KeyExists(key)) reg.DeleteKey(key);
    if (reg.Failed()) Warn(*this, "The server was not deleted: " + FailedWriteText(reg));
    CargaServidores(*this);
  }
  if (Disabled->Checked()) Disabled->SetChecked(false);
}

void TForm1::EditaddserverKeyPress(TObject*, char& Key) {
  // A "\" in the name would make the key a path.
  if (Key == '\\') Key = 0;
  MoveOnEnter(Key, Editfileserver);
}

void TForm1::EditfileserverKeyPress(TObject*, char& Key) { MoveOnEnter(Key, Editinfo); }

void TForm1::EditinfoKeyPress(TObject*, char& Key) { MoveOnEnter(Key, Botonaddserver); }

void TForm1::Label78Click(TObject*) { Editaddserver->SetFocus(); }
void TForm1::Label79Click(TObject*) { Editfileserver->SetFocus(); }
void TForm1::Label80Click(TObject*) { Editinfo->SetFocus(); }
