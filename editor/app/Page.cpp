#include "editor/app/Page.h"

#include "platform/Application.h"
#include "platform/Dialogs.h"

TPage::~TPage() {
  // Children before their parents: the reverse of the order of creation.
  while (!owned_.empty()) owned_.pop_back();
}

TControl* TPage::FindControl(const std::string& name) const {
  auto it = byName_.find(name);
  return it == byName_.end() ? nullptr : it->second;
}

void TPage::SetSuccessor(TControl* field, const std::string& page, const std::string& next) {
  successor_[field] = {page, next};
}

void TPage::SetCaption(TControl* label, TControl* field) {
  captionOf_[label] = field;
  label->OnClick = [this](TObject* s) { CaptionLabelClick(s); };
}

void TPage::FieldKeyPress(TObject* Sender, char& Key) {
  if (Key != '\r') return;
  Key = 0;
  auto it = successor_.find(static_cast<TControl*>(Sender));
  if (it == successor_.end()) return;
  const auto& [page, field] = it->second;
  if (!page.empty())
    host_.ShowField(page, field);
  else if (TControl* next = FindControl(field))
    next->SetFocus();
}

void TPage::CaptionLabelClick(TObject* Sender) {
  auto it = captionOf_.find(static_cast<TControl*>(Sender));
  if (it != captionOf_.end()) it->second->SetFocus();
}

void TPage::EditbbsindicativoKeyUp(TObject*, WORD& Key) { document_.KeyReleased(Key); }

void TPage::ForwardzubKeyPress(TObject*, char& Key) { document_.CharacterOnBox(Key); }

void TPage::CachebidsClick(TObject*) { document_.BoxClicked(); }

// ---------------------------------------------------------------------------
// TStationPage

TEdit* TStationPage::MakeField(const RECT& at, const char* name, TStationText text, int maxLength,
                               bool upper, bool oem) {
  TEdit* edit = MakeAt<TEdit>(at, Sheet(), name);
  if (maxLength > 0) edit->SetMaxLength(maxLength);
  edit->SetUpperCase(upper);
  edit->SetOemConvert(oem);
  edit->OnKeyPress = [this](TObject* s, char& k) { FieldKeyPress(s, k); };
  edit->OnKeyUp = [this](TObject* s, WORD& k) { EditbbsindicativoKeyUp(s, k); };
  texts_.emplace_back(edit, text);
  return edit;
}

TCheckBox* TStationPage::MakeCheckBox(const RECT& at, const char* name, const char* caption,
                                      TStationBox box) {
  TCheckBox* check = MakeAt<TCheckBox>(at, Sheet(), name, caption);
  check->OnClick = [this](TObject* s) {
    StoreBox(s);
    CachebidsClick(s);
  };
  check->OnKeyPress = [this](TObject* s, char& k) { ForwardzubKeyPress(s, k); };
  boxes_.emplace_back(check, box);
  return check;
}

TControl* TStationPage::ControlOf(const TConfigField& field) const {
  return field.Text ? Field(field.Text) : nullptr;
}

TEdit* TStationPage::Field(TStationText text) const {
  for (const auto& [edit, shown] : texts_)
    if (shown == text) return edit;
  return nullptr;
}

void TStationPage::StoreText(TObject* field) {
  // After "No" at the close question nothing may follow any more.
  if (Doc().LetGone()) return;
  for (const auto& [edit, text] : texts_) {
    if (edit != field) continue;
    Config().SetText(text, edit->Text());
    // The root and the data folder derive other folders, some of them on
    // other pages.
    Host().ShowTexts();
    return;
  }
}

void TStationPage::StoreBox(TObject* box) {
  if (Doc().LetGone()) return;
  for (const auto& [check, member] : boxes_)
    if (check == box) Config().Boxes.*member = check->Checked();
}

void TStationPage::ShowTexts() {
  for (const auto& [edit, text] : texts_) edit->ShowText(Config().Texts.*text);
}

void TStationPage::ShowConfiguration() {
  ShowTexts();
  for (const auto& [check, box] : boxes_) check->ShowChecked(Config().Boxes.*box);
}

void TStationPage::SpeedrootClick(TObject* Sender) {
  auto it = folderOf_.find(static_cast<TSpeedButton*>(Sender));
  if (it == folderOf_.end()) return;
  std::string path;
  if (!Dialogs().BrowseFolder(Application().MainWindow ? Application().MainWindow : Host().Owner(),
                              "Search for ZUB Directories", path))
    return;
  it->second->SetText(path);
  it->second->SetFocus();
  Doc().Changed();
}
