// A page of the main window: the controls of one tab sheet, made from the
// page's table the first time the sheet is shown, and a view of the
// configuration: it shows what the configuration holds and writes the
// sysop's edits into it.
#pragma once
#include <windows.h>

#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "editor/config/Configuration.h"
#include "editor/config/Document.h"
#include "editor/config/Host.h"
#include "platform/Controls.h"

// What a page needs of the window that holds it, beyond what every command
// needs: the owner of its dialogs, and the drivers the ports page offers.
class IViewHost : public IHost {
 public:
  virtual HWND Owner() const = 0;
  // "None" first, then what the drivers folder held when it was last read.
  virtual const std::vector<std::string>& DriverTypes() const = 0;

 protected:
  ~IViewHost() = default;
};

class TPage {
 public:
  TPage(TDocument& document, IViewHost& host, TTabSheet* sheet)
      : document_(document), host_(host), sheet_(sheet) {}
  virtual ~TPage();
  TPage(const TPage&) = delete;
  TPage& operator=(const TPage&) = delete;

  TTabSheet* Sheet() const { return sheet_; }
  TDocument& Doc() const { return document_; }
  TConfiguration& Config() const { return document_.Config(); }
  IViewHost& Host() const { return host_; }

  // Makes and places the controls; runs once, before the sheet first shows.
  virtual void Build() = 0;
  // Shows the configuration as it stands, after a command replaced it (a
  // load, an import, the first run); nothing counts as an edit.
  virtual void ShowConfiguration() {}
  // Shows the station texts that changed behind the page's back: the
  // folders that another field derived.
  virtual void ShowTexts() {}
  // The sheet has just become the active page.
  virtual void Enter() {}
  // The control that edits the value, if this page has one.
  virtual TControl* ControlOf(const TConfigField&) const { return nullptr; }

  TControl* FindControl(const std::string& name) const;
  const std::vector<std::unique_ptr<TControl>>& Controls() const { return owned_; }

  // Enter in a text field: swallowed, and the focus moves to the field's
  // successor (its page selected first). A field without one keeps it.
  void FieldKeyPress(TObject* Sender, char& Key);
  // A click on a field's caption label focuses the field.
  void CaptionLabelClick(TObject* Sender);

  // The change tracking that the fields and boxes of the pages share.
  // A key released in a text field or list: any key but Enter is a change.
  void EditbbsindicativoKeyUp(TObject* Sender, WORD& Key);
  // Space on a check box is a change (and is swallowed).
  void ForwardzubKeyPress(TObject* Sender, char& Key);
  // A click on a check box is a change.
  void CachebidsClick(TObject* Sender);

 protected:
  template <class T, class... Args>
  T* Make(Args&&... args) {
    auto control = std::make_unique<T>(std::forward<Args>(args)...);
    T* raw = control.get();
    byName_[raw->Name] = raw;
    owned_.push_back(std::move(control));
    return raw;
  }
  // Makes the control where it belongs, in 96-DPI pixels of its parent.
  template <class T, class... Args>
  T* MakeAt(const RECT& at, Args&&... args) {
    T* control = nullptr;
    {
      const TControl::TMadeAt place(at.left, at.top, at.right - at.left, at.bottom - at.top);
      control = Make<T>(std::forward<Args>(args)...);
    }
    // Nothing to do for a control made there; one whose window another
    // constructor made is moved.
    control->SetBounds(at.left, at.top, at.right - at.left, at.bottom - at.top);
    return control;
  }
  // Enter in the field moves to the named field, on the named page (or on
  // this one when page is empty).
  void SetSuccessor(TControl* field, const std::string& page, const std::string& next);
  void SetCaption(TControl* label, TControl* field);

 private:
  TDocument& document_;
  IViewHost& host_;
  TTabSheet* sheet_;
  std::vector<std::unique_ptr<TControl>> owned_;
  std::map<std::string, TControl*> byName_;
  std::map<TControl*, std::pair<std::string, std::string>> successor_;
  std::map<TControl*, TControl*> captionOf_;
};

// The pages of the station's settings: text fields and check boxes that
// show TStationTexts and TStationBoxes.
class TStationPage : public TPage {
 public:
  using TPage::TPage;
  void ShowConfiguration() override;
  void ShowTexts() override;
  TControl* ControlOf(const TConfigField& field) const override;

  // The folder browse of every folder and disk button.
  void SpeedrootClick(TObject* Sender);

 protected:
  // Layout of the page contents, in pixels of the sheet's client area.
  static constexpr int kRowHeight = 21;
  static constexpr int kLabelHeight = 14;
  static constexpr int kCheckHeight = 17;

  // One text field with its caption: a label, or a flat browse button that
  // puts a chosen folder into the field. The members are the page's own.
  // A row is spelt in named steps, so that a table of them says which
  // field is upper-cased or where Enter goes:
  //   TFieldRow<P>(&P::Editssid, "Editssid", &T::Editssid)
  //       .Caption(&P::Label2, "Label2", "--").MaxLength(2).Next("Edithroute")
  template <class P>
  class TFieldRow {
   public:
    TFieldRow(TEdit* P::*field, const char* name, TStationText text)
        : Field(field), Name(name), Text(text) {}
    // A caption label, which a click hands on to the field.
    TFieldRow& Caption(TLabel* P::*label, const char* name, const char* caption) {
      Label = label;
      CaptionName = name;
      CaptionText = caption;
      return *this;
    }
    // A flat browse button as the caption, which puts a chosen folder into
    // the field.
    TFieldRow& Browse(TSpeedButton* P::*button, const char* name, const char* caption) {
      Button = button;
      CaptionName = name;
      CaptionText = caption;
      return *this;
    }
    TFieldRow& MaxLength(int characters) {
      Characters = characters;
      return *this;
    }
    TFieldRow& Upper() {
      UpperCase = true;
      return *this;
    }
    // Only characters of the OEM code page: the BBS keeps the value in
    // files of the DOS era.
    TFieldRow& Oem() {
      OemOnly = true;
      return *this;
    }
    TFieldRow& OnChange(void (P::*change)(TObject*)) {
      Change = change;
      return *this;
    }
    // Enter moves to this field, on this page or on the page named.
    TFieldRow& Next(const char* field) {
      NextField = field;
      return *this;
    }
    TFieldRow& Next(const char* page, const char* field) {
      NextPage = page;
      NextField = field;
      return *this;
    }
    // A text right of the field ("minutes").
    TFieldRow& Unit(const char* text) {
      UnitText = text;
      return *this;
    }

    TEdit* P::*Field;
    const char* Name;
    TStationText Text;
    TLabel* P::*Label = nullptr;
    TSpeedButton* P::*Button = nullptr;
    const char* CaptionName = nullptr;
    const char* CaptionText = nullptr;
    int Characters = 0;  // 0: no limit
    bool UpperCase = false;
    bool OemOnly = false;
    void (P::*Change)(TObject*) = nullptr;
    const char* NextPage = nullptr;   // nullptr: the same page
    const char* NextField = nullptr;  // nullptr: Enter keeps the focus
    const char* UnitText = nullptr;
  };
  // Makes the rows one below the other: caption at left, field beside it,
  // the unit (if any) right of the field.
  template <class P>
  void BuildFieldRows(const TFieldRow<P>* rows, std::size_t count, int left, int captionWidth,
                      int top, int step, int fieldWidth) {
    for (std::size_t i = 0; i < count; ++i) {
      const int y = top + static_cast<int>(i) * step;
      const int fieldLeft = left + captionWidth + 4;
      const bool button = !rows[i].Label;
      BuildFieldRow(rows[i], Box(left, button ? y : y + 3, captionWidth, button ? kRowHeight : kLabelHeight),
                    Box(fieldLeft, y, fieldWidth, kRowHeight));
      if (rows[i].UnitText)
        MakeAt<TLabel>(Box(fieldLeft + fieldWidth + 6, y + 3, 70, kLabelHeight), Sheet(),
                       std::string(rows[i].Name) + "Unit", rows[i].UnitText);
    }
  }
  // One row, its caption and its field where the page puts them.
  template <class P>
  void BuildFieldRow(const TFieldRow<P>& row, const RECT& captionAt, const RECT& fieldAt) {
    P& page = static_cast<P&>(*this);
    TControl* caption = nullptr;
    if (row.Label) {
      TLabel* label = MakeAt<TLabel>(captionAt, Sheet(), row.CaptionName, row.CaptionText);
      page.*row.Label = label;
      caption = label;
    } else if (row.Button) {
      TSpeedButton* button =
          MakeAt<TSpeedButton>(captionAt, Sheet(), row.CaptionName, row.CaptionText);
      page.*row.Button = button;
      caption = button;
    }
    TEdit* edit =
        MakeField(fieldAt, row.Name, row.Text, row.Characters, row.UpperCase, row.OemOnly);
    page.*row.Field = edit;
    if (row.Change) edit->OnChange = [&page, change = row.Change](TObject* s) { (page.*change)(s); };
    if (row.Label) SetCaption(caption, edit);
    if (row.Button) folderOf_[static_cast<TSpeedButton*>(caption)] = edit;
    if (row.NextField) SetSuccessor(edit, row.NextPage ? row.NextPage : "", row.NextField);
  }
  static RECT Box(int left, int top, int width, int height) {
    return RECT{left, top, left + width, top + height};
  }
  // A field showing a station text, with the input rules and the shared
  // key handling of the pages.
  TEdit* MakeField(const RECT& at, const char* name, TStationText text, int maxLength, bool upper,
                   bool oem);

  template <class P>
  struct TCheckRow {
    TCheckBox* P::*Member;
    const char* Name;
    const char* Caption;
    TStationBox Box;
  };
  template <class P>
  TCheckBox* MakeCheck(const TCheckRow<P>& row, int left, int top, int width) {
    TCheckBox* box = MakeCheckBox(Box(left, top, width, kCheckHeight), row.Name, row.Caption,
                                  row.Box);
    static_cast<P&>(*this).*row.Member = box;
    return box;
  }
  // A check box showing a station box; a click marks a change as every
  // option box's does.
  TCheckBox* MakeCheckBox(const RECT& at, const char* name, const char* caption, TStationBox box);

  // The field's text goes into the configuration; the folders it derives
  // show on every page made so far.
  void StoreText(TObject* field);
  // The box's state goes into the configuration.
  void StoreBox(TObject* box);

  TEdit* Field(TStationText text) const;
  std::map<TSpeedButton*, TEdit*> folderOf_;  // browse button -> field

 private:
  std::vector<std::pair<TEdit*, TStationText>> texts_;
  std::vector<std::pair<TCheckBox*, TStationBox>> boxes_;
};
