// What a command needs of whoever runs it: the window, or the command line.
// The window answers questions with message boxes and shows fields and
// texts; the command line prints, and answers each question with its
// default button, so that nothing it was not told to do happens unasked.
#pragma once
#include <windows.h>

#include <string>

class IHost {
 public:
  // A message or a question: the text, its caption and the MessageBox
  // flags (buttons, icon, default button). Returns the button taken (IDOK,
  // IDYES, IDNO, IDCANCEL).
  virtual int Message(const std::string& text, const std::string& caption, UINT flags) = 0;
  // Shows the field that needs the sysop: its page first, then the field.
  virtual void ShowField(const std::string& page, const std::string& field) = 0;
  // The configuration was replaced (a load, an import): everything shown
  // of it is shown again.
  virtual void ShowConfiguration() = 0;
  // The station texts changed behind the views' back (derived folders).
  virtual void ShowTexts() = 0;
  // A short line about what was just done (the status bar).
  virtual void SetStatus(const std::string& text) = 0;
  // The local time that names backups and notes.
  virtual SYSTEMTIME LocalTime() = 0;

 protected:
  ~IHost() = default;
};

// A host that shows nothing and takes every question's default: for the
// loads and saves that run before any window exists, and for tests.
class TQuietHost : public IHost {
 public:
  int Message(const std::string&, const std::string&, UINT flags) override;
  void ShowField(const std::string&, const std::string&) override {}
  void ShowConfiguration() override {}
  void ShowTexts() override {}
  void SetStatus(const std::string&) override {}
  SYSTEMTIME LocalTime() override;
};

// The button a message box would have focused: the one its default-button
// flag names, else its first.
int DefaultButton(UINT flags);
