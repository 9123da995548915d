// The windows at the screen's DPI. Their layouts are written for 96 DPI and
// the platform shows them at the DPI of their monitor (platform/Controls.h).
// DpiLayoutTest holds at every DPI: it runs here at the DPI of the test
// lane's screen (96), and HighDpiTest runs it again in a process of this
// program started at 120, 144 and 192 DPI (Wine takes the screen's DPI from
// the registry when a process starts).
#include <windows.h>
#include <commctrl.h>

#include <cstdlib>
#include <fstream>
#include <map>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "editor/app/About.h"
#include "platform/Application.h"
#include "support/EditorFixture.h"

namespace {

// The 96-DPI layout the scaled one is measured against. At 96 DPI the
// checks below hold these figures to the window itself.
constexpr SIZE kMainClient96{396, 407};
constexpr SIZE kAboutOuter96{301, 339};
constexpr int kTabRows96 = 3;

int Scaled(int length, int dpi) { return MulDiv(length, dpi, 96); }

std::string TextOf(HWND hwnd) {
  char text[256] = "";
  GetWindowTextA(hwnd, text, sizeof text);
  return text;
}

std::string ClassOf(HWND hwnd) {
  char name[64] = "";
  GetClassNameA(hwnd, name, sizeof name);
  return name;
}

std::string NameOf(HWND hwnd) {
  TControl* control = TControl::FromHandle(hwnd);
  if (control && control->Handle() == hwnd) return control->Name;
  std::string text = TextOf(hwnd);
  return ClassOf(hwnd) + (text.empty() ? "" : " \"" + text + "\"");
}

std::string Show(const RECT& r) {
  std::ostringstream out;
  out << "(" << r.left << "," << r.top << ")-(" << r.right << "," << r.bottom << ")";
  return out.str();
}

RECT RectInParent(HWND hwnd) {
  RECT r{};
  GetWindowRect(hwnd, &r);
  MapWindowPoints(nullptr, GetParent(hwnd), reinterpret_cast<POINT*>(&r), 2);
  return r;
}

bool IsTextLabel(HWND hwnd) {
  return lstrcmpiA(ClassOf(hwnd).c_str(), "Static") == 0 &&
         (GetWindowLongA(hwnd, GWL_STYLE) & SS_TYPEMASK) <= SS_RIGHT &&
         !TextOf(hwnd).empty();
}

// Where a label's text goes in its client area: measured in the label's own
// font and broken into lines at its width, as the static control does. A
// word wider than the label makes the rectangle wider than the label.
RECT TextRect(HWND label) {
  RECT client{};
  GetClientRect(label, &client);
  const std::string text = TextOf(label);
  HDC dc = GetDC(label);
  HGDIOBJ old =
      SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageA(label, WM_GETFONT, 0, 0)));
  RECT r{0, 0, client.right, 0};
  DrawTextA(dc, text.c_str(), -1, &r, DT_CALCRECT | DT_WORDBREAK | DT_EXPANDTABS);
  SelectObject(dc, old);
  ReleaseDC(label, dc);
  const LONG align = GetWindowLongA(label, GWL_STYLE) & SS_TYPEMASK;
  const LONG shift = align == SS_CENTER  ? (client.right - r.right) / 2
                     : align == SS_RIGHT ? client.right - r.right
                                         : 0;
  OffsetRect(&r, shift, 0);
  return r;
}

// What of a window must stay clear of its siblings: the text of a label
// (a centred heading may be wider than its text), the window otherwise.
RECT Footprint(HWND hwnd) {
  RECT r = RectInParent(hwnd);
  if (!IsTextLabel(hwnd)) return r;
  RECT text = TextRect(hwnd);
  OffsetRect(&text, r.left, r.top);
  IntersectRect(&text, &text, &r);
  return text;
}

std::vector<HWND> ShownChildren(HWND parent) {
  std::vector<HWND> children;
  for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
    if (GetWindowLongA(child, GWL_STYLE) & WS_VISIBLE) children.push_back(child);
  return children;
}

// A tab sheet lies over its page control's display area, and an up-down
// button over its field's border, as the common controls place it: nothing
// else may lie over a sibling.
bool MadeToLieOver(HWND a, HWND b) {
  auto* sheet = dynamic_cast<TTabSheet*>(TControl::FromHandle(a));
  if (sheet) return sheet->PageControl()->Handle() == b;
  return lstrcmpiA(ClassOf(a).c_str(), UPDOWN_CLASSA) == 0 &&
         reinterpret_cast<HWND>(SendMessageA(a, UDM_GETBUDDY, 0, 0)) == b;
}

// The rules of one parent's shown children, then of the children that hold
// controls themselves. Failures name the place they were found.
void CheckLayout(HWND parent, const std::string& where) {
  RECT client{};
  GetClientRect(parent, &client);
  const std::vector<HWND> children = ShownChildren(parent);
  for (size_t i = 0; i < children.size(); ++i) {
    HWND child = children[i];
    const std::string name = where + ": " + NameOf(child);
    const RECT footprint = Footprint(child);
    RECT inside{};
    IntersectRect(&inside, &footprint, &client);
    EXPECT_TRUE(EqualRect(&inside, &footprint))
        << name << " at " << Show(footprint) << " leaves its parent's client area " << Show(client);
    if (auto* sheet = dynamic_cast<TTabSheet*>(TControl::FromHandle(child))) {
      const RECT area = sheet->PageControl()->DisplayRect();
      EXPECT_TRUE(EqualRect(&area, &footprint))
          << name << " at " << Show(footprint) << " is not its tabs' display area " << Show(area);
    }
    if (IsTextLabel(child)) {
      RECT own{}, text = TextRect(child);
      GetClientRect(child, &own);
      EXPECT_TRUE(text.left >= 0 && text.right <= own.right && text.bottom <= own.bottom)
          << name << ": its text needs " << Show(text) << " of " << Show(own);
    }
    for (size_t j = i + 1; j < children.size(); ++j) {
      HWND other = children[j];
      if (MadeToLieOver(child, other) || MadeToLieOver(other, child)) continue;
      const RECT b = Footprint(other);
      RECT common{};
      EXPECT_FALSE(IntersectRect(&common, &footprint, &b))
          << name << " at " << Show(footprint) << " overlaps " << NameOf(other) << " at "
          << Show(b);
    }
    if (dynamic_cast<TContainer*>(TControl::FromHandle(child)))
      CheckLayout(child, where + "/" + NameOf(child));
  }
}

// The client size of a window is its 96-DPI one at the window's DPI. The
// frame is the system's.
void ExpectClientSize(HWND window, SIZE size96, int dpi) {
  RECT client{};
  GetClientRect(window, &client);
  EXPECT_NEAR(Scaled(size96.cx, dpi), client.right, 2) << NameOf(window) << " at " << dpi << " DPI";
  EXPECT_NEAR(Scaled(size96.cy, dpi), client.bottom, 2) << NameOf(window) << " at " << dpi << " DPI";
}

SIZE AboutClient96() {
  // The frame of the About window's style at 96 DPI.
  RECT frame{0, 0, 0, 0};
  using TAdjust = BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT);
  auto adjust = reinterpret_cast<TAdjust>(reinterpret_cast<void (*)()>(
      GetProcAddress(GetModuleHandleA("user32.dll"), "AdjustWindowRectExForDpi")));
  EXPECT_TRUE(adjust && adjust(&frame, WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN,
                               FALSE, WS_EX_CONTROLPARENT, 96));
  return SIZE{kAboutOuter96.cx - (frame.right - frame.left),
              kAboutOuter96.cy - (frame.bottom - frame.top)};
}

class DpiLayoutTest : public EditorTest {
 protected:
  int FormDpi() { return Form().Dpi(); }

  // Every page shown in turn (a page may build its controls when first
  // shown), and the page without a tab as it is.
  void CheckEveryPage(const std::string& at) {
    for (TTabSheet* sheet : Form().Pagina->Pages()) {
      if (sheet->TabVisible) Form().Pagina->SetActivePage(sheet);
      Pump();
      CheckLayout(sheet->Handle(), at + sheet->Name);
    }
    Form().Pagina->SetActivePage(Form().FindSheet("Hojageneral"));
    CheckLayout(FormHandle(), at + "Form1");
  }

  void CheckFrame(int dpi) {
    ExpectClientSize(FormHandle(), kMainClient96, dpi);
    EXPECT_EQ(kTabRows96, Form().Pagina->RowCount()) << "at " << dpi << " DPI";
  }
};

TEST_F(DpiLayoutTest, MainWindowHasTheScaledClientSizeAndItsTabRows) {
  const int dpi = FormDpi();
  // In a process started for another DPI, the one it was started for.
  if (const char* wanted = std::getenv("NODRAX_TEST_DPI")) {
    EXPECT_EQ(std::atoi(wanted), dpi);
  }
  EXPECT_EQ(Application().Font(dpi),
            reinterpret_cast<HFONT>(SendMessageA(Form().Page<TGeneralPage>().Label1->Handle(), WM_GETFONT, 0, 0)));
  CheckFrame(dpi);
}

TEST_F(DpiLayoutTest, EveryPageKeepsItsControlsApartInsideTheirParentsWithTheirTextWhole) {
  CheckEveryPage("");
}

// Also after a move to a monitor of another DPI (see below): its labels are
// sized to their captions when it opens.
TEST_F(DpiLayoutTest, AboutWindowHasTheScaledClientSizeAndItsLayoutAndKeepsThemOnAMove) {
  TForm2 about(FormHandle());
  const int dpi = about.Dpi();
  for (int at : {dpi, dpi == 96 ? 144 : 96}) {
    RECT window{};
    GetWindowRect(about.Handle(), &window);
    SendMessageA(about.Handle(), WM_DPICHANGED, MAKEWPARAM(at, at),
                 reinterpret_cast<LPARAM>(&window));
    ExpectClientSize(about.Handle(), AboutClient96(), at);
    CheckLayout(about.Handle(), "Form2 at " + std::to_string(at) + " DPI");
  }
}

// Under Wine a window never moves to a monitor of another DPI: the message
// that Windows sends then is sent here, with the rectangle it suggests.
TEST_F(DpiLayoutTest, DpiChangeLaysTheWindowOutAgainAndBackToThePixel) {
  const int dpi = FormDpi(), other = dpi == 96 ? 144 : 96;
  // Every page built (a page may build its controls when first shown).
  for (TTabSheet* sheet : Form().Pagina->Pages()) Form().Pagina->SetActivePage(sheet);
  Form().Pagina->SetActivePage(Form().FindSheet("Hojageneral"));
  // The place and font of every window in the form.
  const auto snapshot = [this] {
    std::map<HWND, std::pair<RECT, LRESULT>> shot;
    EnumChildWindows(
        FormHandle(),
        [](HWND hwnd, LPARAM to) {
          (*reinterpret_cast<decltype(shot)*>(to))[hwnd] = {RectInParent(hwnd),
                                                            SendMessageA(hwnd, WM_GETFONT, 0, 0)};
          return TRUE;
        },
        reinterpret_cast<LPARAM>(&shot));
    return shot;
  };
  const auto before = snapshot();
  const auto change = [this](int from, int to) {
    RECT window{};
    GetWindowRect(FormHandle(), &window);
    RECT suggested{window.left + 10, window.top + 20,
                   window.left + 10 + MulDiv(window.right - window.left, to, from),
                   window.top + 20 + MulDiv(window.bottom - window.top, to, from)};
    SendMessageA(FormHandle(), WM_DPICHANGED, MAKEWPARAM(to, to),
                 reinterpret_cast<LPARAM>(&suggested));
    Pump();
    RECT now{};
    GetWindowRect(FormHandle(), &now);
    EXPECT_EQ(suggested.left, now.left);
    EXPECT_EQ(suggested.top, now.top);
  };

  change(dpi, other);
  ASSERT_EQ(other, FormDpi());
  EXPECT_EQ(Application().Font(other),
            reinterpret_cast<HFONT>(SendMessageA(Form().Page<TGeneralPage>().Label1->Handle(), WM_GETFONT, 0, 0)));
  CheckFrame(other);
  CheckEveryPage("at " + std::to_string(other) + " DPI: ");
  // The caption icon in the size of the new DPI.
  ICONINFO icon{};
  ASSERT_TRUE(GetIconInfo(
      reinterpret_cast<HICON>(SendMessageA(FormHandle(), WM_GETICON, ICON_SMALL, 0)), &icon));
  BITMAP bits{};
  GetObjectA(icon.hbmColor, sizeof bits, &bits);
  EXPECT_EQ(Scaled(16, other), bits.bmWidth);
  DeleteObject(icon.hbmColor);
  DeleteObject(icon.hbmMask);
  change(other, dpi);
  ExpectClientSize(FormHandle(), kMainClient96, dpi);
  const auto after = snapshot();
  ASSERT_EQ(before.size(), after.size());
  for (const auto& [hwnd, placed] : before) {
    const auto& [rect, font] = after.at(hwnd);
    EXPECT_TRUE(EqualRect(&placed.first, &rect))
        << NameOf(hwnd) << " came back at " << Show(rect) << ", not " << Show(placed.first);
    EXPECT_EQ(placed.second, font) << NameOf(hwnd);
  }
}

// ---------------------------------------------------------------------------
// The same checks in a process started at another DPI.

// The screen's DPI as Wine reads it when a process starts, for the scope.
class TScreenDpi {
 public:
  explicit TScreenDpi(DWORD dpi) {
    for (Value& value : values_) {
      DWORD type = 0, old = 0, size = sizeof old;
      if (RegGetValueA(value.root, value.path, "LogPixels", RRF_RT_REG_DWORD, &type, &old,
                       &size) == ERROR_SUCCESS)
        value.old = old;
      Write(value, dpi);
    }
  }
  ~TScreenDpi() {
    for (const Value& value : values_) {
      if (value.old) {
        Write(value, *value.old);
      } else {
        HKEY key = nullptr;
        if (RegOpenKeyExA(value.root, value.path, 0, KEY_SET_VALUE, &key) == ERROR_SUCCESS) {
          RegDeleteValueA(key, "LogPixels");
          RegCloseKey(key);
        }
      }
    }
  }
  TScreenDpi(const TScreenDpi&) = delete;
  TScreenDpi& operator=(const TScreenDpi&) = delete;

 private:
  struct Value {
    HKEY root;
    const char* path;
    std::optional<DWORD> old;
  };
  static void Write(const Value& value, DWORD dpi) {
    HKEY key = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(value.root, value.path, 0, nullptr, 0, KEY_SET_VALUE,
                                             nullptr, &key, nullptr));
    EXPECT_EQ(ERROR_SUCCESS, RegSetValueExA(key, "LogPixels", 0, REG_DWORD,
                                            reinterpret_cast<const BYTE*>(&dpi), sizeof dpi));
    RegCloseKey(key);
  }
  Value values_[2] = {
      {HKEY_CURRENT_USER, "Control Panel\\Desktop", std::nullopt},
      {HKEY_LOCAL_MACHINE, "System\\CurrentControlSet\\Hardware Profiles\\Current\\Software\\Fonts",
       std::nullopt}};
};

// Runs this test program with the arguments, its output into a file on C:.
struct TChildRun {
  DWORD exitCode = 0;
  std::string output;
};

TChildRun RunThisProgram(const std::string& arguments) {
  char program[MAX_PATH] = "", folder[MAX_PATH] = "", file[MAX_PATH] = "";
  GetModuleFileNameA(nullptr, program, sizeof program);
  GetTempPathA(sizeof folder, folder);
  GetTempFileNameA(folder, "dpi", 0, file);
  SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
  HANDLE out = CreateFileA(file, GENERIC_WRITE, FILE_SHARE_READ, &inherit, CREATE_ALWAYS,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
  STARTUPINFOA start{};
  start.cb = sizeof start;
  start.dwFlags = STARTF_USESTDHANDLES;
  start.hStdOutput = start.hStdError = out;
  std::string command = std::string("\"") + program + "\" " + arguments;
  PROCESS_INFORMATION process{};
  TChildRun run;
  if (CreateProcessA(program, command.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &start,
                     &process)) {
    if (WaitForSingleObject(process.hProcess, 120000) != WAIT_OBJECT_0) {
      TerminateProcess(process.hProcess, 99);
      WaitForSingleObject(process.hProcess, 5000);
    }
    GetExitCodeProcess(process.hProcess, &run.exitCode);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
  } else {
    run.exitCode = GetLastError();
    run.output = "CreateProcess failed\n";
  }
  CloseHandle(out);
  std::ifstream in(file, std::ios::binary);
  run.output += std::string(std::istreambuf_iterator<char>(in), {});
  in.close();
  DeleteFileA(file);
  return run;
}

class HighDpiTest : public ::testing::TestWithParam<int> {};

TEST_P(HighDpiTest, DpiLayoutHoldsInAProcessStartedAt) {
  const int dpi = GetParam();
  TChildRun run;
  {
    TScreenDpi screen(static_cast<DWORD>(dpi));
    SetEnvironmentVariableA("NODRAX_TEST_DPI", std::to_string(dpi).c_str());
    run = RunThisProgram("--gtest_filter=DpiLayoutTest.* --gtest_color=no");
    SetEnvironmentVariableA("NODRAX_TEST_DPI", nullptr);
  }
  EXPECT_EQ(0u, run.exitCode) << run.output;
  // A filter that no longer names the cases would pass with none run.
  EXPECT_EQ(std::string::npos, run.output.find("Running 0 tests")) << run.output;
  EXPECT_NE(std::string::npos, run.output.find("[  PASSED  ]")) << run.output;
}

INSTANTIATE_TEST_SUITE_P(ScreenDpi, HighDpiTest, ::testing::Values(120, 144, 192));

}  // namespace
