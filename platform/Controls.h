// Thin classes over the Win32 common controls, in the manner of a VCL form:
// every control has a Name, events are std::function members, setting a text
// fires the change event and setting a check fires the click event, as if the
// user had done it. Notifications that Windows sends to a parent (WM_COMMAND,
// WM_NOTIFY, WM_CTLCOLOR*) are reflected back to the control they concern.
//
// Windows are ANSI (CreateWindowExA): the configuration is ANSI text.
//
// Layouts are written in the pixels of a 96-DPI screen. Every control keeps
// the bounds it was given in those units and shows them at the DPI of its
// window (the form's), with the font of that DPI; when the form moves to a
// monitor of another DPI, every control is placed again from its 96-DPI
// bounds. At 96 DPI a 96-DPI pixel is a pixel.
#pragma once
#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

class TObject {
 public:
  virtual ~TObject() = default;
};

using TNotifyEvent = std::function<void(TObject* Sender)>;
// Key is the typed character; setting it to 0 swallows it.
using TKeyPressEvent = std::function<void(TObject* Sender, char& Key)>;
// Key is the virtual key code; setting it to 0 stops default handling.
using TKeyEvent = std::function<void(TObject* Sender, WORD& Key)>;
using TCloseQueryEvent = std::function<void(TObject* Sender, bool& CanClose)>;

enum class TCursorKind { Default, HandPoint };
enum class TAlignment { Left, Center, Right };

class TContainer;

class TControl : public TObject {
 public:
  explicit TControl(std::string name);
  ~TControl() override;
  TControl(const TControl&) = delete;
  TControl& operator=(const TControl&) = delete;

  const std::string Name;
  HWND Handle() const { return hwnd_; }
  TContainer* Parent() const { return parent_; }

  // In 96-DPI pixels of the parent's client area, whatever the DPI.
  void SetBounds(int left, int top, int width, int height);
  // The next control made on this thread is made at these bounds (96-DPI
  // pixels, as SetBounds takes them), as if SetBounds had been called: a
  // window made where it belongs is not moved afterwards, which under Wine
  // is a round trip to the server for every control of a page.
  class TMadeAt {
   public:
    TMadeAt(int left, int top, int width, int height);
    ~TMadeAt();
    TMadeAt(const TMadeAt&) = delete;
    TMadeAt& operator=(const TMadeAt&) = delete;
  };
  // Windows made meanwhile (a parent made on demand) do not take the bounds
  // of a TMadeAt meant for the control being made.
  class TMadeAtPaused {
   public:
    TMadeAtPaused();
    ~TMadeAtPaused();
    TMadeAtPaused(const TMadeAtPaused&) = delete;
    TMadeAtPaused& operator=(const TMadeAtPaused&) = delete;

   private:
    bool pending_;
  };
  RECT BoundsRect() const;  // in the parent's client coordinates, in pixels
  // The client area in 96-DPI pixels, the units SetBounds takes.
  virtual RECT ClientRect96() const;
  // The DPI the control is shown at: its form's.
  int Dpi() const { return dpi_; }
  // A length of the 96-DPI layout in this control's pixels.
  int Scale(int length) const;
  void SetVisible(bool visible);
  bool Visible() const;
  void SetEnabled(bool enabled);
  bool Enabled() const;
  void SetFocus();
  bool Focused() const;
  void SetHint(const std::string& hint);  // shown as a tooltip
  void SetCursor(TCursorKind cursor) { cursor_ = cursor; }

  std::string Text() const;
  virtual void SetText(const std::string& text);

  TNotifyEvent OnClick;
  TKeyPressEvent OnKeyPress;
  TKeyEvent OnKeyUp;

  static TControl* FromHandle(HWND hwnd);

  // Reflected from the parent window. Return true when handled.
  virtual bool HandleCommand(WORD code);
  virtual bool HandleNotify(NMHDR* header, LRESULT& result);
  // A brush for WM_CTLCOLOR*, or nullptr for the default colours.
  virtual HBRUSH HandleCtlColor(HDC dc);
  // WM_DRAWITEM of an owner-drawn control. Return true when drawn.
  virtual bool HandleDrawItem(DRAWITEMSTRUCT* item);

 protected:
  // Creates the window as a child of parent, of the size given, and
  // subclasses it.
  void CreateHandle(TContainer* parent, const char* windowClass, DWORD style,
                    DWORD exStyle, const std::string& text, SIZE size = SIZE{0, 0});
  // Adopts a window created elsewhere (containers, forms).
  void Attach(HWND hwnd, TContainer* parent);
  // The subclass procedure; the default runs key events and the cursor, then
  // the window's own procedure (DefaultProc).
  virtual LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam);
  LRESULT DefaultProc(UINT msg, WPARAM wParam, LPARAM lParam);
  // A window inside the control that takes the keyboard for it (the edit of
  // a drop-down combo box): its key messages run this control's key events.
  void SubclassChild(HWND child);
  virtual LRESULT ChildProc(HWND child, UINT msg, WPARAM wParam, LPARAM lParam);
  // The child window's own procedure.
  static LRESULT DefaultChildProc(HWND child, UINT msg, WPARAM wParam, LPARAM lParam);
  // OnKeyPress for WM_CHAR, OnKeyUp for WM_KEYUP. Returns true when the
  // handler swallowed the key; otherwise wParam carries the key to pass on.
  bool RunKeyEvent(UINT msg, WPARAM& wParam);
  // Lets go of the window without destroying it: no more messages reach
  // this object.
  void Detach();
  // Runs an event handler; an error escaping it goes to the application's
  // error display and the program keeps running.
  void Fire(const std::function<void()>& handler);
  // Shows the control at dpi_, which has just changed from oldDpi: the font
  // of the new DPI, and the place of its 96-DPI bounds (a control never
  // placed keeps its place, scaled).
  virtual void ApplyDpi(int oldDpi);
  // Puts the window where the 96-DPI bounds say, at dpi_.
  void Place();
  // The pixel rectangle of the 96-DPI bounds at dpi_.
  RECT PlacedRect() const;
  // Takes the bounds of a TMadeAt, if one is pending: the window is then
  // made at PlacedRect().
  bool TakeMadeAt();
  bool Placed() const { return placed_; }

  HWND hwnd_ = nullptr;
  TContainer* parent_ = nullptr;
  TCursorKind cursor_ = TCursorKind::Default;
  bool subclassed_ = false;
  int dpi_ = 96;

 private:
  static LRESULT CALLBACK SubclassProc(HWND, UINT, WPARAM, LPARAM);
  void RelayToHint(UINT msg, WPARAM wParam, LPARAM lParam);
  friend class TContainer;
  RECT bounds96_{};      // as SetBounds gave them
  bool placed_ = false;  // SetBounds was called
  int placedDpi_ = 0;    // the DPI the window stands at its bounds for
  std::string hint_;
  HWND tips_ = nullptr;  // the tooltip window that shows hint_
  HWND child_ = nullptr;
};

// A window that holds other controls: a form, a tab sheet, a panel, a group.
class TContainer : public TControl {
 public:
  explicit TContainer(std::string name);
  void SetColor(COLORREF color);  // background
  COLORREF Color() const { return color_; }
  void SetBorderSunken(bool sunken);
  // The brush of the background colour; children that show the parent's
  // background paint with it.
  HBRUSH BackgroundBrush();
  // Makes the window of a container that makes it only when needed (a tab
  // sheet): before a child is put into it, before it shows.
  virtual void Realize() {}
  ~TContainer() override;

 protected:
  // Creates a window of the shared container class.
  void CreateContainer(TContainer* parent, DWORD style, DWORD exStyle,
                       const std::string& text);
  virtual LRESULT ContainerProc(UINT msg, WPARAM wParam, LPARAM lParam);
  // Gives the container the etched frame and caption of a group box.
  void SetGroupFrame(bool frame) { groupFrame_ = frame; }
  void ApplyDpi(int oldDpi) override;
  // Each child at the container's DPI, which has just changed from oldDpi.
  void ApplyDpiToChildren(int oldDpi);
  COLORREF color_;
  HBRUSH brush_ = nullptr;

 private:
  void PaintGroupFrame(HDC dc);
  bool groupFrame_ = false;
  bool pressed_ = false;
  static LRESULT CALLBACK StaticProc(HWND, UINT, WPARAM, LPARAM);
  friend class TForm;
};

class TPanel : public TContainer {
 public:
  TPanel(TContainer* parent, std::string name);
};

class TGroupBox : public TContainer {
 public:
  TGroupBox(TContainer* parent, std::string name, const std::string& caption);
};

class TTabSheet : public TContainer {
 public:
  TTabSheet(class TPageControl* pages, std::string name, const std::string& caption,
            bool tabVisible = true);
  const std::string Caption;
  const bool TabVisible;
  TPageControl* PageControl() const { return pages_; }
  // A sheet's window is made when it first shows or first gets a control:
  // a form of many pages starts without the windows of those not shown.
  void Realize() override;

 protected:
  // Its page control places it.
  void ApplyDpi(int oldDpi) override;

 private:
  TPageControl* pages_;
};

class TPageControl : public TControl {
 public:
  // Multi-line tabs. The sheets are siblings placed over the display area.
  TPageControl(TContainer* parent, std::string name);
  void SetBounds(int left, int top, int width, int height);
  TTabSheet* ActivePage() const { return active_; }
  void SetActivePage(TTabSheet* sheet);
  const std::vector<TTabSheet*>& Pages() const { return sheets_; }
  // Runs before a sheet is shown, each time: a sheet may make its controls
  // only then.
  std::function<void(TTabSheet*)> OnShowing;
  RECT DisplayRect() const;  // where sheets go, in the parent's coordinates
  int RowCount() const;
  // Ctrl+Tab and Ctrl+Shift+Tab: the next or previous page with a tab, the
  // keyboard on its first control.
  void SelectNextPage(bool forward);
  // After another page became the active one, by the user or the program.
  TNotifyEvent OnChange;

  bool HandleNotify(NMHDR* header, LRESULT& result) override;

 protected:
  void ApplyDpi(int oldDpi) override;

 private:
  friend class TTabSheet;
  void AddSheet(TTabSheet* sheet);
  // A sheet whose window has just been made: placed over the display area.
  void PlaceNewSheet(TTabSheet* sheet);
  void LayoutSheets();
  void PlaceSheet(TTabSheet* sheet, const RECT& area);
  std::vector<TTabSheet*> sheets_;
  std::vector<TTabSheet*> tabs_;  // the visible ones, in tab order
  TTabSheet* active_ = nullptr;
  RECT laidOut_{};  // the display area the sheets were last placed in
};

class TLabel : public TControl {
 public:
  TLabel(TContainer* parent, std::string name, const std::string& caption);
  void SetFontColor(COLORREF color);
  COLORREF FontColor() const { return fontColor_; }
  void SetColor(COLORREF color);  // background
  COLORREF Color() const { return color_; }
  void SetTransparent(bool transparent);
  void SetBold(bool bold);
  void SetAlignment(TAlignment alignment);
  // The caption on one line in the label's own font, in 96-DPI pixels:
  // bounds of this size hold it at the label's DPI and at 96 DPI.
  SIZE CaptionSize() const;

  bool HandleCommand(WORD code) override;
  HBRUSH HandleCtlColor(HDC dc) override;

 protected:
  // A label never placed keeps its measured size: measured again.
  void ApplyDpi(int oldDpi) override;

 private:
  COLORREF fontColor_;
  COLORREF color_;
  bool transparent_ = true;
  HBRUSH brush_ = nullptr;

 public:
  ~TLabel() override;
};

// A picture scaled to fit the control with its proportions kept, centred,
// and drawn with halftone stretching, which keeps fine lines and small
// text readable when the picture is made smaller. Without a picture the
// control shows its parent's background.
class TImage : public TControl {
 public:
  TImage(TContainer* parent, std::string name);
  // width x height pixels, top row first, three bytes (red, green, blue)
  // each. A size that does not match the pixels clears the picture.
  void SetPicture(int width, int height, const std::vector<unsigned char>& rgb);
  void ClearPicture();
  bool HasPicture() const { return width_ > 0; }
  SIZE PictureSize() const { return SIZE{width_, height_}; }
  // Where the picture is drawn, in the control's client coordinates.
  RECT PictureRect() const;

  bool HandleDrawItem(DRAWITEMSTRUCT* item) override;

 private:
  int width_ = 0;
  int height_ = 0;
  std::vector<unsigned char> bits_;  // bottom-up BGR rows padded to 4 bytes
};

class TEdit : public TControl {
 public:
  TEdit(TContainer* parent, std::string name);
  void SetText(const std::string& text) override;
  // Shows the text as the program's own, without running OnChange: a view
  // showing what it already holds elsewhere.
  void ShowText(const std::string& text);
  void SetMaxLength(int length);  // typing and pasting only; SetText is not cut
  void SetUpperCase(bool upper) { upperCase_ = upper; }
  void SetOemConvert(bool oem) { oemConvert_ = oem; }
  TNotifyEvent OnChange;
  // OnClick (TControl) runs when the left button is released over the field.

  bool HandleCommand(WORD code) override;

 protected:
  LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

 private:
  bool upperCase_ = false;
  bool oemConvert_ = false;
  bool settingText_ = false;
};

class TCheckBox : public TControl {
 public:
  TCheckBox(TContainer* parent, std::string name, const std::string& caption);
  bool Checked() const;
  void SetChecked(bool checked);  // fires OnClick when the state changes
  void ShowChecked(bool checked);  // without OnClick
  bool HandleCommand(WORD code) override;
};

class TButton : public TControl {
 public:
  TButton(TContainer* parent, std::string name, const std::string& caption);
  bool HandleCommand(WORD code) override;

 protected:
  struct FlatTag {};
  TButton(TContainer* parent, std::string name, const std::string& caption, FlatTag);
  LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
};

// A flat button that takes no focus, with a small folder picture beside its
// caption.
class TSpeedButton : public TButton {
 public:
  TSpeedButton(TContainer* parent, std::string name, const std::string& caption);
  bool HandleCommand(WORD code) override;
  bool HandleDrawItem(DRAWITEMSTRUCT* item) override;

 protected:
  LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

 private:
  bool tracking_ = false;  // the mouse went down on the button
  bool pushed_ = false;    // drawn pressed: tracking and the mouse over it
  bool hot_ = false;       // the mouse is over the button
};

enum class TComboStyle { DropDown, DropDownList };

class TComboBox : public TControl {
 public:
  TComboBox(TContainer* parent, std::string name, TComboStyle style);
  void SetItems(const std::vector<std::string>& items);
  void AddItem(const std::string& item);
  void ClearItems();
  int ItemCount() const;
  std::string Item(int index) const;
  int ItemIndex() const;
  void SetItemIndex(int index);  // fires OnChange
  void SetText(const std::string& text) override;  // fires OnChange
  // The same without OnChange.
  void ShowItemIndex(int index);
  void ShowText(const std::string& text);
  TNotifyEvent OnChange;

  bool HandleCommand(WORD code) override;

 protected:
  LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
  LRESULT ChildProc(HWND child, UINT msg, WPARAM wParam, LPARAM lParam) override;

 private:
  TComboStyle style_;
  bool settingText_ = false;
};

class TListBox : public TControl {
 public:
  TListBox(TContainer* parent, std::string name);
  void AddItem(const std::string& item);
  void InsertItem(int index, const std::string& item);
  void DeleteItem(int index);
  void ClearItems();
  int ItemCount() const;
  std::string Item(int index) const;
  int ItemIndex() const;
  void SetItemIndex(int index);
  bool HandleCommand(WORD code) override;
};

class TRadioGroup : public TContainer {
 public:
  TRadioGroup(TContainer* parent, std::string name, const std::string& caption,
              const std::vector<std::string>& items, int columns = 1);
  void SetBounds(int left, int top, int width, int height);
  int ItemIndex() const;
  void SetItemIndex(int index);  // -1 for none; fires OnClick when it changes
  void ShowItemIndex(int index);  // without OnClick
  int ItemCount() const { return static_cast<int>(buttons_.size()); }
  HWND ItemHandle(int index) const { return buttons_.at(index); }

 protected:
  LRESULT ContainerProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
  void ApplyDpi(int oldDpi) override;

 private:
  void Layout();
  // Where button i goes in the group's client area.
  RECT ButtonRect(int i) const;
  void Check(int index);
  std::vector<HWND> buttons_;
  int count_ = 0;
  int columns_;
  int index_ = -1;
  RECT laidOut_{};  // the client area the buttons were placed for
  int laidOutDpi_ = 0;
};

class TStatusBar : public TControl {
 public:
  TStatusBar(TContainer* parent, std::string name, const std::vector<int>& widths);
  void SetPanelText(int panel, const std::string& text);
  std::string PanelText(int panel) const;
  void SetPanelCentered(int panel, bool centred);

 protected:
  void ApplyDpi(int oldDpi) override;

 private:
  void SetParts();
  std::vector<int> widths_;  // 96-DPI pixels
  std::vector<std::string> texts_;
  std::vector<bool> centred_;
};

class TTimer : public TObject {
 public:
  explicit TTimer(std::string name, UINT intervalMs = 1000);
  ~TTimer() override;
  const std::string Name;
  void SetEnabled(bool enabled);
  bool Enabled() const { return id_ != 0; }
  UINT Interval() const { return interval_; }
  TNotifyEvent OnTimer;
  // Runs OnTimer as a tick of the timer would.
  void Tick();

 private:
  static void CALLBACK TimerProc(HWND, UINT, UINT_PTR, DWORD);
  UINT interval_;
  UINT_PTR id_ = 0;
  bool ticking_ = false;  // a tick whose handler has not returned yet
};

class TMenuItem : public TObject {
 public:
  TMenuItem(std::string name, std::string caption);  // caption "-" is a separator
  const std::string Name;
  const std::string Caption;
  UINT Command() const { return command_; }
  void SetEnabled(bool enabled);
  bool Enabled() const { return enabled_; }
  TNotifyEvent OnClick;
  TMenuItem* Add(std::unique_ptr<TMenuItem> child);
  const std::vector<std::unique_ptr<TMenuItem>>& Items() const { return children_; }

 private:
  friend class TForm;
  UINT command_ = 0;
  bool enabled_ = true;
  HMENU owner_ = nullptr;  // the menu that holds this item
  UINT position_ = 0;      // its place in owner_
  HWND window_ = nullptr;  // the form whose menu bar holds owner_
  std::vector<std::unique_ptr<TMenuItem>> children_;
};

struct TFormStyle {
  bool fixedBorder = true;
  bool minimizeBox = true;
  bool maximizeBox = false;
};

// A top-level window of its own window class.
class TForm : public TContainer {
 public:
  // className names the registered window class (the editor's is "TForm1").
  // The client size is in 96-DPI pixels; the window takes it at the DPI of
  // its monitor, and again after a move to a monitor of another DPI
  // (WM_DPICHANGED).
  TForm(std::string className, std::string name, int clientWidth, int clientHeight,
        TFormStyle style = {}, HWND owner = nullptr);
  ~TForm() override;
  // The client size of a window of this style whose outer size at 96 DPI
  // is given, in 96-DPI pixels.
  static SIZE ClientSizeAt96(int outerWidth, int outerHeight, TFormStyle style);
  RECT ClientRect96() const override;

  void SetCaption(const std::string& caption);
  void SetMenu(std::unique_ptr<TMenuItem> root);  // root's children are the bar
  TMenuItem* FindMenuItem(const std::string& name) const;
  void SetPosition(int left, int top);
  POINT Position() const;  // screen coordinates of the window's top-left

  void Show();    // OnShow runs before the window first appears
  int ShowModal();  // returns ModalResult
  void SetModalResult(int result);
  int ModalResult() const { return modalResult_; }
  void Close();   // asks OnCloseQuery; destroys the window when allowed
  bool Closed() const { return hwnd_ == nullptr; }

  TNotifyEvent OnShow;
  TNotifyEvent OnActivate;
  TCloseQueryEvent OnCloseQuery;
  TNotifyEvent OnDestroy;
  bool IsMainForm = false;  // its destruction ends the message loop

 protected:
  LRESULT ContainerProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

 private:
  bool CloseQuery();
  void FitClientSize();
  // WM_DPICHANGED: every control at the new DPI, then the window in the
  // rectangle the system suggests, with the client size of the new DPI.
  void ChangeDpi(int dpi, const RECT* suggested);
  // The window's icons in the sizes of its DPI.
  void SetIcons();
  std::unique_ptr<TMenuItem> menu_;
  HICON icons_[2] = {nullptr, nullptr};  // big and small, when not the class's
  int clientWidth_;
  int clientHeight_;
  HWND lastFocus_ = nullptr;  // the control to refocus on reactivation
  bool shown_ = false;
  int modalResult_ = 0;
  bool inModal_ = false;
  bool closeApproved_ = false;  // the modal close already passed OnCloseQuery
  bool destroying_ = false;     // the destructor is taking the window down
};
