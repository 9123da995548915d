#include "support/ScriptedDialogs.h"

#include <gtest/gtest.h>

#include <cstdio>

namespace {

std::string Hex(unsigned value) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%X", value);
  return text;
}

}  // namespace

const char* DialogKindName(TDialogKind kind) {
  switch (kind) {
    case TDialogKind::MessageBox: return "message box";
    case TDialogKind::OpenFile: return "file-open dialog";
    case TDialogKind::SaveFile: return "file-save dialog";
    case TDialogKind::BrowseFolder: return "folder browser";
    case TDialogKind::ChooseColour: return "colour dialog";
    case TDialogKind::ShellOpen: return "shell open";
  }
  return "dialog";
}

std::string TDialogCall::Describe() const {
  std::string d = DialogKindName(kind);
  switch (kind) {
    case TDialogKind::MessageBox:
      d += " \"" + caption + "\": \"" + text + "\" type " + Hex(type);
      break;
    case TDialogKind::OpenFile:
    case TDialogKind::SaveFile:
      d += " titled \"" + file.title + "\" in \"" + file.initialDir + "\"";
      break;
    case TDialogKind::BrowseFolder:
      d += " titled \"" + text + "\"";
      break;
    case TDialogKind::ChooseColour:
      d += " preset " + Hex(colour);
      break;
    case TDialogKind::ShellOpen:
      d += " of \"" + text + "\"";
      break;
  }
  return d;
}

TScriptedDialogs::TExpectation& TScriptedDialogs::TExpectation::Then(
    std::function<void()> action) {
  action_ = std::move(action);
  return *this;
}

TScriptedDialogs::~TScriptedDialogs() { ReportUnused(); }

void TScriptedDialogs::ReportUnused() const {
  for (const TExpectation& e : expected_)
    ADD_FAILURE() << "expected " << Describe(e) << " was never asked";
}

TScriptedDialogs::TExpectation& TScriptedDialogs::Queue(TDialogKind kind) {
  expected_.emplace_back();
  expected_.back().kind_ = kind;
  return expected_.back();
}

TScriptedDialogs::TExpectation& TScriptedDialogs::ExpectMessageBox(std::string caption,
                                                                   std::string text, UINT type,
                                                                   int answer) {
  TExpectation& e = ExpectAnyMessageBox(answer);
  e.caption_ = std::move(caption);
  e.text_ = std::move(text);
  e.type_ = type;
  return e;
}

TScriptedDialogs::TExpectation& TScriptedDialogs::ExpectMessageBoxContaining(
    std::string caption, std::string fragment, UINT type, int answer) {
  TExpectation& e = ExpectMessageBox(std::move(caption), std::move(fragment), type, answer);
  e.textIsFragment_ = true;
  return e;
}

TScriptedDialogs::TExpectation& TScriptedDialogs::ExpectAnyMessageBox(int answer) {
  TExpectation& e = Queue(TDialogKind::MessageBox);
  e.answer_ = answer;
  return e;
}

TScriptedDialogs::TExpectation& TScriptedDialogs::ExpectOpenFile(std::optional<std::string> path) {
  return Queue(TDialogKind::OpenFile).Answer(std::move(path));
}

TScriptedDialogs::TExpectation& TScriptedDialogs::ExpectSaveFile(std::optional<std::string> path) {
  return Queue(TDialogKind::SaveFile).Answer(std::move(path));
}

TScriptedDialogs::TExpectation& TScriptedDialogs::ExpectBrowseFolder(
    std::optional<std::string> path) {
  return Queue(TDialogKind::BrowseFolder).Answer(std::move(path));
}

TScriptedDialogs::TExpectation& TScriptedDialogs::ExpectBrowseFolder(
    std::string title, std::optional<std::string> path) {
  TExpectation& e = ExpectBrowseFolder(std::move(path));
  e.text_ = std::move(title);
  return e;
}

TScriptedDialogs::TExpectation& TScriptedDialogs::ExpectChooseColour(
    std::optional<COLORREF> colour) {
  TExpectation& e = Queue(TDialogKind::ChooseColour);
  e.colour_ = colour;
  return e;
}

TScriptedDialogs::TExpectation& TScriptedDialogs::ExpectShellOpen(std::string target) {
  TExpectation& e = Queue(TDialogKind::ShellOpen);
  e.text_ = std::move(target);
  return e;
}

std::vector<TDialogCall> TScriptedDialogs::CallsOf(TDialogKind kind) const {
  std::vector<TDialogCall> found;
  for (const TDialogCall& call : calls_)
    if (call.kind == kind) found.push_back(call);
  return found;
}

const TDialogCall* TScriptedDialogs::Last(TDialogKind kind) const {
  for (auto it = calls_.rbegin(); it != calls_.rend(); ++it)
    if (it->kind == kind) return &*it;
  return nullptr;
}

void TScriptedDialogs::VerifyAndClear() {
  ReportUnused();
  expected_.clear();
  calls_.clear();
}

std::optional<TScriptedDialogs::TExpectation> TScriptedDialogs::Take(const TDialogCall& call) {
  calls_.push_back(call);
  if (expected_.empty()) {
    ADD_FAILURE() << "unexpected " << call.Describe();
    return std::nullopt;
  }
  if (expected_.front().kind_ != call.kind) {
    ADD_FAILURE() << "unexpected " << call.Describe() << "; the next expected is "
                  << Describe(expected_.front());
    return std::nullopt;
  }
  TExpectation e = std::move(expected_.front());
  expected_.pop_front();
  // A call of the right kind with other details still takes its answer, so
  // that the test goes on along its script and reports every difference.
  if (e.caption_ && *e.caption_ != call.caption)
    ADD_FAILURE() << call.Describe() << ": expected the caption \"" << *e.caption_ << "\"";
  if (e.text_) {
    const bool match = e.textIsFragment_ ? call.text.find(*e.text_) != std::string::npos
                                         : *e.text_ == call.text;
    if (!match)
      ADD_FAILURE() << call.Describe() << ": expected " << (e.textIsFragment_ ? "a text with " : "")
                    << "\"" << *e.text_ << "\"";
  }
  if (e.type_ && *e.type_ != call.type)
    ADD_FAILURE() << call.Describe() << ": expected the type " << Hex(*e.type_);
  if (e.action_) e.action_();
  return e;
}

int TScriptedDialogs::MessageBox(HWND owner, const std::string& text, const std::string& caption,
                                 UINT type) {
  TDialogCall call = Call(TDialogKind::MessageBox, owner, text);
  call.caption = caption;
  call.type = type;
  std::optional<TExpectation> e = Take(call);
  return e ? e->answer_ : IDCANCEL;
}

bool TScriptedDialogs::FileDialog(TDialogKind kind, TFileDialogRequest& request) {
  TDialogCall call = Call(kind, request.owner, request.title);
  call.file = request;
  return Answered(Take(call), request.fileName);
}

bool TScriptedDialogs::OpenFile(TFileDialogRequest& request) {
  return FileDialog(TDialogKind::OpenFile, request);
}

bool TScriptedDialogs::SaveFile(TFileDialogRequest& request) {
  return FileDialog(TDialogKind::SaveFile, request);
}

bool TScriptedDialogs::BrowseFolder(HWND owner, const std::string& title, std::string& path) {
  return Answered(Take(Call(TDialogKind::BrowseFolder, owner, title)), path);
}

bool TScriptedDialogs::ChooseColour(HWND owner, COLORREF& colour) {
  TDialogCall call = Call(TDialogKind::ChooseColour, owner, "");
  call.colour = colour;
  std::optional<TExpectation> e = Take(call);
  if (!e || !e->colour_) return false;
  colour = *e->colour_;
  return true;
}

void TScriptedDialogs::ShellOpen(HWND owner, const std::string& target, int showCommand) {
  TDialogCall call = Call(TDialogKind::ShellOpen, owner, target);
  call.type = static_cast<UINT>(showCommand);
  Take(call);
}

TDialogCall TScriptedDialogs::Call(TDialogKind kind, HWND owner, const std::string& text) {
  TDialogCall call;
  call.kind = kind;
  call.owner = owner;
  call.text = text;
  return call;
}

bool TScriptedDialogs::Answered(const std::optional<TExpectation>& e, std::string& path) {
  if (!e || !e->path_) return false;
  path = *e->path_;
  return true;
}

std::string TScriptedDialogs::Describe(const TExpectation& e) {
  std::string d = DialogKindName(e.kind_);
  if (e.caption_) d += " \"" + *e.caption_ + "\"";
  if (e.text_) d += std::string(e.textIsFragment_ ? " with " : " ") + "\"" + *e.text_ + "\"";
  if (!e.caption_ && !e.text_ && e.kind_ == TDialogKind::MessageBox) d += " (any)";
  return d;
}
