// The Servers page under the keyboard and the mouse: servers written straight
// into the registry and read back, Apply, the keyboard, the full list,
// refused writes and deletes, and the broadcast.
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "platform/Registry.h"
#include "support/LoadSaveFixture.h"

namespace {

using TNames = std::vector<std::string>;

class ServersPageTest : public LoadSaveFixture {
 protected:
  void SetUp() override {
    LoadSaveFixture::SetUp();
    CreateEmptyConfig();
  }
  static std::string Server(const std::string& name) { return Key(kServersKey, name); }
  // The sysop types into fields that the program emptied.
  void Enter(const std::string& name, const std::string& file, const std::string& info = "") {
    TForm1& f = Form();
    SelectPageOf(f.Page<TServersPage>().ListBox1);
    const std::pair<TControl*, std::string> typed[] = {
        {f.Page<TServersPage>().Editaddserver, name}, {f.Page<TServersPage>().Editfileserver, file}, {f.Page<TServersPage>().Editinfo, info}};
    for (const auto& [field, text] : typed) {
      field->SetText("");
      Type(field, text);
    }
  }
  void ClickItem(int index) {
    SelectPageOf(Form().Page<TServersPage>().ListBox1);
    RECT r{};
    SendMessageA(Form().Page<TServersPage>().ListBox1->Handle(), LB_GETITEMRECT, index, reinterpret_cast<LPARAM>(&r));
    const LPARAM at = MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    SendMessageA(Form().Page<TServersPage>().ListBox1->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageA(Form().Page<TServersPage>().ListBox1->Handle(), WM_LBUTTONUP, 0, at);
    Pump();
  }
  TNames Listed() {
    TNames items;
    for (int i = 0; i < Form().Page<TServersPage>().ListBox1->ItemCount(); ++i)
      items.push_back(Form().Page<TServersPage>().ListBox1->Item(i));
    return items;
  }
  void ExpectFields(const std::string& name, const std::string& file, const std::string& info) {
    ExpectTexts(
        {{Form().Page<TServersPage>().Editaddserver, name}, {Form().Page<TServersPage>().Editfileserver, file}, {Form().Page<TServersPage>().Editinfo, info}});
  }
};

TEST_F(ServersPageTest, AddStoresTheServerAndShowsItAgain) {
  struct Row {
    const char *name, *file, *info;
    bool disabled;
    const char *key, *stored, *shown;
  };
  // In the registry's order of the keys, which the list follows.
  const Row rows[] = {
      {"Box", "box.exe", "", true, "BOX", "BOX.EXE", "BOX.EXE"},
      {"INT", "internal server", "typed lower", false, "INT", "**********", "INTERNAL SERVER"},
      {"pms", "INTERNAL SERVER", "Mailbox", false, "PMS", "**********", "INTERNAL SERVER"},
  };
  OpenEditor();
  TNotifyCounter notified;
  for (const Row& row : rows) {
    Enter(row.name, row.file, row.info);
    if (row.disabled) Click(Form().Page<TServersPage>().Disabled);
    Click(Form().Page<TServersPage>().Botonaddserver);
    ExpectStored(Server(row.key), {{"File", row.stored},
                                   {"Description", row.info},
                                   {"Disabled", row.disabled ? "true" : "false"}});
    ExpectFields("", "", "");
    EXPECT_FALSE(Form().Page<TServersPage>().Disabled->Checked() || Form().Page<TServersPage>().Apply->Enabled()) << row.key;
  }
  EXPECT_EQ((TNames{"BOX", "INT", "PMS"}), Listed());
  EXPECT_EQ(3, notified.Count());
  for (int i = 0; i < 3; ++i) {
    ClickItem(i);
    ExpectFields(rows[i].key, rows[i].shown, rows[i].info);
    EXPECT_EQ(rows[i].disabled, Form().Page<TServersPage>().Disabled->Checked());
    EXPECT_FALSE(Form().Page<TServersPage>().Apply->Enabled());
  }
  EXPECT_FALSE(Modified());
  EXPECT_TRUE(Messages().empty());
}

TEST_F(ServersPageTest, ApplyIsEnabledByTheSysopsEditsOnlyAndARenameAddsAServer) {
  WriteStrings(Server("OLD"), {{"File", "old.exe"}, {"Description", "Old one"}});
  OpenEditor();
  TForm1& f = Form();
  EXPECT_EQ(TNames{"OLD"}, Listed());
  for (TControl* edit :
       {static_cast<TControl*>(f.Page<TServersPage>().Disabled), static_cast<TControl*>(f.Page<TServersPage>().Editinfo),
        static_cast<TControl*>(f.Page<TServersPage>().Editfileserver), static_cast<TControl*>(f.Page<TServersPage>().Editaddserver)}) {
    ClickItem(0);
    EXPECT_FALSE(f.Page<TServersPage>().Apply->Enabled());
    edit == f.Page<TServersPage>().Disabled ? Click(f.Page<TServersPage>().Disabled) : Type(edit, "X");
    EXPECT_TRUE(f.Page<TServersPage>().Apply->Enabled()) << edit->Name;
  }
  ClickItem(0);
  Erase(f.Page<TServersPage>().Editaddserver);
  Type(f.Page<TServersPage>().Editaddserver, "XOLD");
  Click(f.Page<TServersPage>().Apply);
  EXPECT_EQ((TNames{"OLD", "XOLD"}), Listed());
  EXPECT_EQ(-1, f.Page<TServersPage>().ListBox1->ItemIndex());
  ExpectStored(Server("OLD"), {{"File", "old.exe"}, {"Description", "Old one"}});
  ExpectStored(Server("XOLD"), {{"File", "OLD.EXE"}, {"Description", "Old one"}});
  EXPECT_FALSE(Modified());
}

TEST_F(ServersPageTest, EnterMovesThroughTheFieldsToAddServerAndLabelsFocusTheirField) {
  OpenEditor();
  TForm1& f = Form();
  Enter("ABC\\DEFGHIJKLMNOPQ", std::string(25, 'f'), std::string(120, 'd'));
  const std::pair<TControl*, const char*> steps[] = {
      {f.Page<TServersPage>().Editaddserver, "Editfileserver"}, {f.Page<TServersPage>().Editfileserver, "Editinfo"},
      {f.Page<TServersPage>().Editinfo, "Botonaddserver"},      {f.Page<TServersPage>().Label78, "Editaddserver"},
      {f.Page<TServersPage>().Label79, "Editfileserver"},       {f.Page<TServersPage>().Label80, "Editinfo"}};
  for (const auto& [from, to] : steps) {
    from == f.Page<TServersPage>().Label78 || from == f.Page<TServersPage>().Label79 || from == f.Page<TServersPage>().Label80 ? Click(from) : PressEnter(from);
    EXPECT_EQ(to, FocusedName());
  }
  EXPECT_FALSE(KeyExists(kServersKey));
  ExpectFields("ABCDEFGHIJKLMN", std::string(19, 'f'), std::string(99, 'd'));
  // Typed, "\" is swallowed; pasted, it would make the name a path.
  Erase(f.Page<TServersPage>().Editaddserver);
  Paste(f.Page<TServersPage>().Editaddserver, "A\\B");
  AnswerMessage(IDOK);
  Click(f.Page<TServersPage>().Botonaddserver);
  ExpectOnlyMessage("A server name cannot contain \"\\\".", "Nodraxcfg", MB_ICONWARNING | MB_OK);
  EXPECT_FALSE(KeyExists(kServersKey));
  EXPECT_FALSE(Modified());
}

// Servers that an import brought in and that are not stored yet stay in
// the list whatever the page does to the other servers, and the next save
// stores them; the page used to read the list back from the registry, and
// they vanished. A name is in capitals however it comes into its field.
TEST_F(ServersPageTest, ImportedServersStayUntilSavedAndNamesAreCapitals) {
  WriteString(Server("OLD"), "File", "old.exe");
  OpenEditor();
  std::filesystem::create_directories(kTestFolder);
  const std::string file = std::string(kTestFolder) + "\\Init.srv";
  std::ofstream(file, std::ios::binary)
      << "N0CALL.#TEST\r\n--\r\nwp WP.EXE White pages\r\nCHAT CHAT.EXE Chat\r\n";
  AnswerOpenFile(file);
  InvokeMenu("Menuimport");
  ASSERT_EQ((TNames{"wp", "CHAT"}), Listed());
  ClickItem(0);
  ExpectFields("WP", "WP.EXE", "White pages");

  Enter("", "box.exe", "Box");
  Paste(Form().Page<TServersPage>().Editaddserver, "box");
  EXPECT_EQ("BOX", WindowText(Form().Page<TServersPage>().Editaddserver));
  Click(Form().Page<TServersPage>().Botonaddserver);
  EXPECT_EQ((TNames{"BOX", "wp", "CHAT"}), Listed());
  ClickItem(2);
  Erase(Form().Page<TServersPage>().Editinfo);
  Type(Form().Page<TServersPage>().Editinfo, "Chat room");
  Click(Form().Page<TServersPage>().Apply);
  EXPECT_EQ("Chat room", Text(Server("CHAT"), "Description"));
  ClickItem(1);
  Click(Form().Page<TServersPage>().Botondelserver);
  EXPECT_EQ((TNames{"BOX", "CHAT"}), Listed());

  Form().MenusaveClick(nullptr);
  EXPECT_FALSE(Modified());
  EXPECT_EQ((TNames{"BOX", "CHAT", "OLD"}), SubKeys(kServersKey));
  EXPECT_EQ("BOX.EXE", Text(Server("BOX"), "File"));
}

TEST_F(ServersPageTest, TheHundredAndFirstServerIsRefusedAndAChangeStillGoesThrough) {
  for (int i = 0; i < 100; ++i) WriteString(Server("S" + std::to_string(i)), "File", "s.exe");
  OpenEditor();
  ASSERT_EQ(100u, Listed().size());
  TNotifyCounter notified;
  Enter("EXTRA", "extra.exe");
  AnswerMessage(IDOK);
  Click(Form().Page<TServersPage>().Botonaddserver);
  ExpectOnlyMessage(
      "The server list is full: the BBS runs at most 100 servers.\n"
      "Delete one before adding another.",
      "Nodraxcfg", MB_ICONWARNING | MB_OK);
  EXPECT_FALSE(KeyExists(Server("EXTRA")));
  ExpectFields("EXTRA", "extra.exe", "");
  Enter("S7", "new.exe");
  Click(Form().Page<TServersPage>().Botonaddserver);
  EXPECT_EQ("NEW.EXE", Text(Server("S7"), "File"));
  EXPECT_EQ(1, notified.Count());
}

TEST_F(ServersPageTest, RefusedWritesAndDeletesAreReportedAndKeepWhatWasTyped) {
  WriteString(Server("KEPT"), "File", "kept.exe");
  OpenEditor();
  struct Row {
    const char *denied, *name;  // name: typed and added; nullptr: KEPT deleted
    DWORD mask;
    const char* text;
  };
  // Wine refuses no delete for a denied DELETE right, but cannot delete a
  // key whose subkeys may not be listed.
  const Row rows[] = {
      {"", "NEW", KEY_CREATE_SUB_KEY, "The server was not saved: writing to "},
      {"KEPT", "KEPT", KEY_SET_VALUE, "The server was not saved: writing to "},
      {"KEPT", nullptr, KEY_ENUMERATE_SUB_KEYS, "The server was not deleted: writing to "},
  };
  TNotifyCounter notified;
  for (const Row& row : rows) {
    Deny(*row.denied ? Server(row.denied) : kServersKey, row.mask);
    dialogs.VerifyAndClear();
    AnswerMessage(IDOK);
    if (row.name) {
      Enter(row.name, "typed.exe", "typed");
      Click(Form().Page<TServersPage>().Botonaddserver);
      ExpectFields(row.name, "typed.exe", "typed");
      EXPECT_TRUE(Form().Page<TServersPage>().Apply->Enabled());
    } else {
      ClickItem(0);
      Click(Form().Page<TServersPage>().Botondelserver);
    }
    ASSERT_EQ(1u, Messages().size());
    EXPECT_EQ(row.text + ("HKEY_LOCAL_MACHINE\\" + Server(row.name ? row.name : "KEPT")) +
                  " failed.\n" + SystemErrorMessage(ERROR_ACCESS_DENIED),
              Messages()[0].text);
    EXPECT_EQ("kept.exe", Text(Server("KEPT"), "File"));
    EXPECT_EQ(TNames{"KEPT"}, Listed());
  }
  EXPECT_EQ(0, notified.Count());
}

TEST_F(ServersPageTest, AnotherProgramHearsOfAnAddButNotOfADelete) {
  OpenEditor();
  CreateDirectoryA(kTestFolder, nullptr);
  const std::string result = std::string(kTestFolder) + "\\servers.txt";
  {
    TNotifyListener listener(result, 20000);
    ASSERT_TRUE(listener.Started());
    Enter("PMS", "pms.exe");
    Click(Form().Page<TServersPage>().Botonaddserver);
    EXPECT_EQ(0u, listener.ExitCode());
  }
  TNotifyListener listener(result, 3000);
  ASSERT_TRUE(listener.Started());
  Click(Form().Page<TServersPage>().Botondelserver);  // nothing selected: nothing changes
  EXPECT_EQ(TNames{"PMS"}, Listed());
  ClickItem(0);
  Click(Form().Page<TServersPage>().Botondelserver);
  EXPECT_TRUE(Listed().empty());
  EXPECT_FALSE(KeyExists(Server("PMS")));
  ExpectFields("", "", "");
  EXPECT_EQ(2u, listener.ExitCode());
  EXPECT_TRUE(Messages().empty());
}

}  // namespace
