// The Servers page under the keyboard and the mouse: adding and changing a
// server straight into the registry, the list read back, Apply, the
// keyboard, the full list, refused writes and deletes, and the broadcast.
#include <algorithm>
#include <iterator>
#include <string>
#include <vector>

#include "platform/Registry.h"
#include "support/LoadSaveFixture.h"

namespace {

class ServersPageTest : public LoadSaveFixture {
 protected:
  void SetUp() override {
    LoadSaveFixture::SetUp();
    CreateEmptyConfig();
  }
  static std::string Server(const std::string& name) { return Key(kServersKey, name); }
  std::vector<TControl*> Fields() {
    return {Form().Editaddserver, Form().Editfileserver, Form().Editinfo};
  }
  // The sysop fills the page and presses the button.
  void Enter(const std::string& name, const std::string& file, const std::string& info = "") {
    TForm1& f = Form();
    SelectPageOf(f.ListBox1);
    // Emptied by the program: what is under test is the typing.
    for (TControl* field : Fields()) field->SetText("");
    Type(f.Editaddserver, name);
    Type(f.Editfileserver, file);
    Type(f.Editinfo, info);
  }
  void ClickItem(int index) {
    SelectPageOf(Form().ListBox1);
    HWND list = Form().ListBox1->Handle();
    RECT r{};
    ASSERT_NE(LB_ERR, SendMessageA(list, LB_GETITEMRECT, index, reinterpret_cast<LPARAM>(&r)));
    const LPARAM at = MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    SendMessageA(list, WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageA(list, WM_LBUTTONUP, 0, at);
    Pump();
  }
  std::vector<std::string> Listed() {
    std::vector<std::string> items;
    for (int i = 0; i < Form().ListBox1->ItemCount(); ++i)
      items.push_back(Form().ListBox1->Item(i));
    return items;
  }
  void ExpectFields(const std::string& name, const std::string& file, const std::string& info) {
    ExpectTexts(
        {{Form().Editaddserver, name}, {Form().Editfileserver, file}, {Form().Editinfo, info}});
  }
};

TEST_F(ServersPageTest, AddStoresTheServerAndShowsItAgain) {
  struct Row {
    const char *name, *file, *info;
    bool disabled;
    const char *key, *stored, *shown;
  };
  const Row rows[] = {
      {"pms", "INTERNAL SERVER", "Mailbox", false, "PMS", "**********", "INTERNAL SERVER"},
      {"Box", "box.exe", "", true, "BOX", "BOX.EXE", "BOX.EXE"},
      {"INT", "internal server", "lower case", false, "INT", "**********", "INTERNAL SERVER"},
  };
  OpenEditor();
  TNotifyCounter notified;
  for (const Row& row : rows) {
    Enter(row.name, row.file, row.info);
    if (row.disabled) Click(Form().Disabled);
    Click(Form().Botonaddserver);
    ExpectStored(Server(row.key), {{"File", row.stored},
                                   {"Description", row.info},
                                   {"Disabled", row.disabled ? "true" : "false"}});
    ExpectFields("", "", "");
    EXPECT_FALSE(Form().Disabled->Checked());
    EXPECT_FALSE(Form().Apply->Enabled()) << row.key;
  }
  EXPECT_EQ(SubKeys(kServersKey), Listed());
  EXPECT_EQ(3, ServerCount);
  EXPECT_EQ(3, notified.Count());
  for (int i = 0; i < 3; ++i) {
    ClickItem(i);
    const Row& row = *std::find_if(std::begin(rows), std::end(rows),
                                   [&](const Row& r) { return Listed()[i] == r.key; });
    ExpectFields(row.key, row.shown, row.info);
    EXPECT_EQ(row.disabled, Form().Disabled->Checked());
    EXPECT_FALSE(Form().Apply->Enabled());
  }
  EXPECT_FALSE(ConfigModified);
  EXPECT_TRUE(Messages().empty());
}

TEST_F(ServersPageTest, ApplyIsEnabledByTheSysopsEditsOnlyAndARenameAddsAServer) {
  WriteStrings(Server("OLD"),
               {{"File", "old.exe"}, {"Description", "Old one"}, {"Disabled", "false"}});
  OpenEditor();
  EXPECT_EQ((std::vector<std::string>{"OLD"}), Listed());
  EXPECT_FALSE(Form().Apply->Enabled());
  TForm1& f = Form();
  std::vector<TControl*> edits = Fields();
  edits.push_back(f.Disabled);
  for (TControl* edit : edits) {
    ClickItem(0);
    EXPECT_FALSE(f.Apply->Enabled());
    if (edit == f.Disabled)
      Click(f.Disabled);
    else
      Type(edit, "X");
    EXPECT_TRUE(f.Apply->Enabled()) << edit->Name;
  }
  ClickItem(0);
  Erase(f.Editaddserver);
  Type(f.Editaddserver, "NEW");
  Click(f.Apply);
  EXPECT_EQ(SubKeys(kServersKey), Listed());
  EXPECT_EQ(-1, f.ListBox1->ItemIndex());
  EXPECT_EQ(2u, Listed().size());
  ExpectStored(Server("OLD"), {{"File", "old.exe"}, {"Description", "Old one"}});
  ExpectStored(Server("NEW"), {{"File", "OLD.EXE"}, {"Description", "Old one"}});
  EXPECT_FALSE(ConfigModified);
}

TEST_F(ServersPageTest, EnterMovesThroughTheFieldsToAddServerAndLabelsFocusTheirField) {
  OpenEditor();
  TForm1& f = Form();
  Enter("ABC\\DEFGHIJKLMNOPQ", std::string(25, 'f'), std::string(120, 'd'));
  ExpectFields("ABCDEFGHIJKLMN", std::string(19, 'f'), std::string(99, 'd'));
  const std::pair<TControl*, const char*> steps[] = {{f.Editaddserver, "Editfileserver"},
                                                     {f.Editfileserver, "Editinfo"},
                                                     {f.Editinfo, "Botonaddserver"}};
  for (const auto& [from, to] : steps) {
    PressEnter(from);
    EXPECT_EQ(to, FocusedName());
  }
  EXPECT_FALSE(KeyExists(kServersKey));
  ExpectFields("ABCDEFGHIJKLMN", std::string(19, 'f'), std::string(99, 'd'));
  const std::pair<TControl*, const char*> labels[] = {
      {f.Label78, "Editaddserver"}, {f.Label79, "Editfileserver"}, {f.Label80, "Editinfo"}};
  for (const auto& [label, field] : labels) {
    Click(label);
    EXPECT_EQ(field, FocusedName());
  }
  // A pasted "\" would make the name a path below another key.
  Erase(f.Editaddserver);
  Paste(f.Editaddserver, "A\\B");
  AnswerMessage(IDOK);
  Click(f.Botonaddserver);
  ExpectOnlyMessage("A server name cannot contain \"\\\".", "Nodraxcfg", MB_ICONWARNING | MB_OK);
  EXPECT_FALSE(KeyExists(kServersKey));
  EXPECT_FALSE(ConfigModified);
}

TEST_F(ServersPageTest, TheHundredAndFirstServerIsRefusedAndAChangeStillGoesThrough) {
  for (int i = 0; i < 100; ++i) WriteString(Server("S" + std::to_string(i)), "File", "s.exe");
  OpenEditor();
  ASSERT_EQ(100u, Listed().size());
  TNotifyCounter notified;
  Enter("EXTRA", "extra.exe");
  AnswerMessage(IDOK);
  Click(Form().Botonaddserver);
  ExpectOnlyMessage(
      "The server list is full: the BBS runs at most 100 servers.\nDelete one before adding "
      "another.",
      "Nodraxcfg", MB_ICONWARNING | MB_OK);
  EXPECT_FALSE(KeyExists(Server("EXTRA")));
  ExpectFields("EXTRA", "extra.exe", "");
  Enter("S7", "new.exe");
  Click(Form().Botonaddserver);
  EXPECT_EQ("NEW.EXE", Text(Server("S7"), "File"));
  EXPECT_EQ(100u, SubKeys(kServersKey).size());
  EXPECT_EQ(1, notified.Count());
}

TEST_F(ServersPageTest, RefusedWritesAndDeletesAreReportedAndKeepWhatWasTyped) {
  WriteString(Server("KEPT"), "File", "kept.exe");
  OpenEditor();
  struct Row {
    const char* denied;  // below Servers; "" for the Servers key itself
    DWORD mask;
    const char* name;  // typed and added, or nullptr to delete the listed server
    const char* what;
  };
  const Row rows[] = {
      {"", KEY_CREATE_SUB_KEY, "NEW", "The server was not saved: "},
      {"KEPT", KEY_SET_VALUE, "KEPT", "The server was not saved: "},
      // Wine does not refuse a delete for a denied DELETE right; a key
      // whose subkeys may not be listed cannot be deleted with them.
      {"KEPT", KEY_ENUMERATE_SUB_KEYS, nullptr, "The server was not deleted: "},
  };
  TNotifyCounter notified;
  for (const Row& row : rows) {
    const std::string denied = *row.denied ? Server(row.denied) : kServersKey;
    Deny(denied, row.mask);
    dialogs.VerifyAndClear();
    AnswerMessage(IDOK);
    if (row.name) {
      Enter(row.name, "typed.exe", "typed");
      Click(Form().Botonaddserver);
      ExpectFields(row.name, "typed.exe", "typed");
      EXPECT_TRUE(Form().Apply->Enabled());
    } else {
      ClickItem(0);
      Click(Form().Botondelserver);
    }
    const std::string key = "HKEY_LOCAL_MACHINE\\" + Server(row.name ? row.name : row.denied);
    ASSERT_EQ(1u, Messages().size()) << key;
    EXPECT_EQ(std::string(row.what) + "writing to " + key + " failed.\n" +
                  SystemErrorMessage(ERROR_ACCESS_DENIED),
              Messages()[0].text);
    EXPECT_EQ("Nodraxcfg", Messages()[0].caption);
    EXPECT_EQ("kept.exe", Text(Server("KEPT"), "File"));
    EXPECT_EQ((std::vector<std::string>{"KEPT"}), Listed());
  }
  EXPECT_EQ(0, notified.Count());
}

// A program of its own that waits for the notification; it ends with 0 when
// the message came and 2 when it did not within the time given.
class TListener {
 public:
  explicit TListener(unsigned timeoutMs) {
    char exe[MAX_PATH];
    GetModuleFileNameA(nullptr, exe, MAX_PATH);
    std::string path = exe;
    path = path.substr(0, path.find_last_of('\\') + 1) + "NotifyListener.exe";
    const char* readyName = "NodraxServersListenerReady";
    HANDLE ready = CreateEventA(nullptr, TRUE, FALSE, readyName);
    std::string command = "\"" + path + "\" " + readyName + " C:\\NodraxTest\\servers.txt " +
                          std::to_string(timeoutMs);
    STARTUPINFOA si = {};
    si.cb = sizeof si;
    CreateDirectoryA("C:\\NodraxTest", nullptr);
    started_ = CreateProcessA(path.c_str(), &command[0], nullptr, nullptr, FALSE, 0, nullptr,
                              nullptr, &si, &pi_) &&
               WaitForSingleObject(ready, 20000) == WAIT_OBJECT_0;
    CloseHandle(ready);
  }
  ~TListener() {
    if (!pi_.hProcess) return;
    CloseHandle(pi_.hProcess);
    CloseHandle(pi_.hThread);
  }
  bool Started() const { return started_; }
  DWORD ExitCode() {
    DWORD code = 99;
    if (WaitForSingleObject(pi_.hProcess, 25000) == WAIT_OBJECT_0)
      GetExitCodeProcess(pi_.hProcess, &code);
    return code;
  }

 private:
  PROCESS_INFORMATION pi_ = {};
  bool started_ = false;
};

TEST_F(ServersPageTest, AnotherProgramHearsOfAnAddButNotOfADelete) {
  OpenEditor();
  {
    TListener listener(20000);
    ASSERT_TRUE(listener.Started());
    Enter("PMS", "pms.exe");
    Click(Form().Botonaddserver);
    EXPECT_EQ(0u, listener.ExitCode());
  }
  TListener listener(3000);
  ASSERT_TRUE(listener.Started());
  Click(Form().Botondelserver);  // nothing selected
  EXPECT_EQ(1u, Listed().size());
  ClickItem(0);
  Click(Form().Botondelserver);
  EXPECT_TRUE(Listed().empty());
  EXPECT_FALSE(KeyExists(Server("PMS")));
  ExpectFields("", "", "");
  EXPECT_EQ(2u, listener.ExitCode());
  EXPECT_TRUE(Messages().empty());
}

}  // namespace
