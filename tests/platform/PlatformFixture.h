// A test form with scripted dialogs, and input delivered as real messages.
#pragma once
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "platform/Application.h"
#include "platform/Controls.h"
#include "support/ScriptedDialogs.h"

class PlatformTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Application().Title = "Platform tests";
    form = std::make_unique<TForm>("TPlatformTestForm", "TestForm", 400, 300);
  }

  void TearDown() override {
    while (!owned_.empty()) owned_.pop_back();  // children before their parents
    form.reset();
    Pump();
  }

  // A control that lives until the test ends, at left, top, width, height.
  struct TBounds { int left, top, width, height; };
  template <typename T, typename... Args>
  T& Add(TBounds at, Args&&... args) {
    T& added = Own<T>(std::forward<Args>(args)...);
    added.SetBounds(at.left, at.top, at.width, at.height);
    return added;
  }
  template <typename T, typename... Args>
  T& Own(Args&&... args) {
    owned_.push_back(std::make_unique<T>(std::forward<Args>(args)...));
    return static_cast<T&>(*owned_.back());
  }

  // What reaches OnKeyPress and OnKeyUp; the swallowed character goes no
  // further.
  struct TKeyLog {
    std::string pressed;
    std::vector<WORD> released;
  };
  template <typename T>
  static void LogKeys(T& control, TKeyLog& log, char swallow) {
    control.OnKeyPress = [&log, swallow](TObject*, char& key) {
      log.pressed += key;
      if (key == swallow) key = 0;
    };
    control.OnKeyUp = [&log](TObject*, WORD& key) { log.released.push_back(key); };
  }

  // Another window takes the activation and gives it back to the form.
  void ActivateAnotherFormAndBack() {
    TForm other("TPlatformTestForm", "Other", 100, 100);
    other.Show();
    SetActiveWindow(other.Handle());
    SetActiveWindow(form->Handle());
    Pump();
  }

  // Shows the form and makes it the active window, as a user's start does.
  void ShowForm() {
    form->Show();
    SetForegroundWindow(form->Handle());
    SetActiveWindow(form->Handle());
    Pump();
  }

  static void Pump() { Application().ProcessMessages(); }

  // A key as the keyboard gives it: posted down and up, then run through
  // the application's loop, which translates it and navigates.
  static void Keystroke(HWND target, WORD key) {
    const LPARAM scan = static_cast<LPARAM>(MapVirtualKeyA(key, MAPVK_VK_TO_VSC)) << 16;
    PostMessageA(target, WM_KEYDOWN, key, scan | 1);
    Pump();
    PostMessageA(GetFocus() ? GetFocus() : target, WM_KEYUP, key, scan | 1 | 0xC0000000);
    Pump();
  }

  // Characters straight to the window procedure, as TranslateMessage gives.
  static void TypeChars(HWND target, const std::string& text) {
    for (char c : text) SendMessageA(target, WM_CHAR, static_cast<unsigned char>(c), 1);
  }

  static void ClickAt(HWND target, int x, int y) {
    SendMessageA(target, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
    SendMessageA(target, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
  }

  static void ClickMiddle(HWND target) {
    RECT r;
    GetClientRect(target, &r);
    ClickAt(target, r.right / 2, r.bottom / 2);
  }

  TScriptedDialogs dialogs;
  TDialogsGuard dialogsInstalled{dialogs};
  std::unique_ptr<TForm> form;

 private:
  std::vector<std::unique_ptr<TObject>> owned_;
};
