// The commands as functions of the document, without a window: what each
// does to the store, what it returns, and what it asks its host.
#include <windows.h>

#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "config/HostileContent.h"
#include "config/StoredConfiguration.h"
#include "editor/config/Document.h"
#include "editor/config/Host.h"
#include "editor/config/Save.h"
#include "editor/transfer/Commands.h"
#include "support/RegistryTree.h"

namespace {

// Answers questions from a queue (the default button when it is empty) and
// keeps what it was told.
class TScriptedHost : public IHost {
 public:
  int Message(const std::string& text, const std::string&, UINT flags) override {
    messages.push_back(text);
    if (answers.empty()) return DefaultButton(flags);
    const int answer = answers.front();
    answers.pop_front();
    return answer;
  }
  void ShowField(const std::string& page, const std::string& field) override {
    shownFields.push_back(page + "/" + field);
  }
  void ShowConfiguration() override { ++shown; }
  void ShowTexts() override {}
  void SetStatus(const std::string& text) override { status = text; }
  SYSTEMTIME LocalTime() override {
    SYSTEMTIME at{};
    at.wYear = 2026, at.wMonth = 12, at.wDay = 8, at.wHour = 3;
    at.wSecond = static_cast<WORD>(second++ % 60);
    return at;
  }

  std::deque<int> answers;
  std::vector<std::string> messages, shownFields;
  std::string status;
  int shown = 0, second = 0;
};

class CommandsTest : public RegistryTreeFixture {
 protected:
  static std::string Stored() { return Text(kConfigKey, "BbsCallsign"); }
  TScriptedHost host;
};

}  // namespace

TEST_F(CommandsTest, EachCommandReturnsWhatItDidAndTheStoreFollows) {
  StoreStation("EA4AAA");
  const std::string file = std::string(kTestFolder) + "\\a.zub";
  TCommandResult result = ExportConfigFile(file);
  ASSERT_TRUE(result.Done()) << result.Code;
  EXPECT_EQ(file, result.File);

  result = BackUpConfiguration(Doc(), host);
  ASSERT_TRUE(result.Done());
  EXPECT_EQ(std::string(kTestRoot) + "\\Backup\\Nodrax-20261208-030000.zub", result.File);

  StoreStation("EA4BBB");
  result = ImportConfigFile(Doc(), host, file);
  ASSERT_TRUE(result.Done()) << ::testing::PrintToString(host.messages);
  EXPECT_EQ("EA4AAA.#MAD.ESP.EU", Stored());
  EXPECT_EQ("EA4AAA", Config().Texts.Editbbsindicativo);
  EXPECT_FALSE(Modified());
  EXPECT_GT(host.shown, 0) << "the host shows what the import loaded";
  EXPECT_EQ(" Backup: " + result.Backup, host.status);
  const std::string beforeImport = result.Backup;

  result = RestoreBackup(Doc(), host, beforeImport);
  ASSERT_TRUE(result.Done());
  EXPECT_EQ("EA4BBB.#MAD.ESP.EU", Stored());
  EXPECT_EQ("EA4BBB", Config().Texts.Editbbsindicativo);
  EXPECT_EQ(" Restored: " + beforeImport, host.status);

  result = DeleteConfig(Doc(), host);
  ASSERT_TRUE(result.Done());
  EXPECT_FALSE(KeyExists(kConfigKey));
  EXPECT_FALSE(result.Backup.empty());
  EXPECT_TRUE(host.messages.empty()) << host.messages.front();
}

TEST_F(CommandsTest, WhatCannotBeTakenChangesNothingAndSaysWhy) {
  const std::string missing = std::string(kTestFolder) + "\\missing.zub";
  // Nothing stored, no root: no backup can go anywhere.
  EXPECT_EQ(TCommandOutcome::Refused, BackUpConfiguration(Doc(), host).Outcome);
  StoreStation("EA4BBB");
  struct TRow {
    const char* Name;
    TCommandResult (*Run)(TDocument&, IHost&, const std::string&);
  } rows[] = {{"import", &ImportConfigFile}, {"restore", &RestoreBackup}};
  for (const TRow& row : rows) {
    host.messages.clear();
    const TCommandResult result = row.Run(Doc(), host, missing);
    EXPECT_EQ(TCommandOutcome::Refused, result.Outcome) << row.Name;
    EXPECT_EQ("", result.Backup) << row.Name;
    EXPECT_EQ(1u, host.messages.size()) << row.Name;
    EXPECT_EQ("EA4BBB.#MAD.ESP.EU", Stored()) << row.Name;
  }
  // Changes in the document are asked about first; Cancel ends the command.
  SetModified(true);
  host.answers = {IDCANCEL};
  EXPECT_EQ(TCommandOutcome::Cancelled, DeleteConfig(Doc(), host).Outcome);
  EXPECT_TRUE(KeyExists(kConfigKey));
  EXPECT_TRUE(Modified());
}

// After an import the document is what a load of the store gives, as the
// next start of the editor would show it: for files that the save stores
// as they are and for those it stores otherwise, hostile values included.
TEST_F(CommandsTest, AnImportShowsWhatALoadOfTheStoreGives) {
  const std::string file = std::string(kTestFolder) + "\\import.zub";
  hostile::TScratchCurrentFolder scratch(std::string(kTestFolder) + "\\cwd");
  const auto full = [](int pattern) {
    return [pattern] {
      for (const auto& [key, values] : FullConfiguration(pattern))
        WriteStrings(Key(kNodraxKey, key), values);
      for (int i = 0; i < kServerCount; ++i)
        WriteStrings(Key(kServersKey, "S" + std::to_string(i)), {{"File", "s.exe"}});
    };
  };
  struct TRow {
    std::string Name;
    std::function<void()> Store;
  };
  std::vector<TRow> rows = {
      {"full", full(0)},
      {"full, the other pattern", full(1)},
      // A port with values and no driver, folders without a root, a text
      // over its width: the save stores each otherwise than the file.
      {"stored otherwise", [] {
         WriteStrings(kConfigKey, {{"BbsCallsign", "EA4ZZZ.#MAD.ESP.EU"},
                                   {"Qth", std::string(300, 'q')}});
         WriteStrings(kFoldersKey, {{"Mail", "C:\\Elsewhere\\Mail"}});
         WriteStrings(Key(kPortsKey, "Port3"), {{"Label", "no driver"}, {"Com", "3"}});
       }}};
  for (std::size_t k = 1; k < hostile::Kinds().size(); ++k) {
    const hostile::TKind& kind = hostile::Kinds()[k];
    rows.push_back({std::string("hostile ") + kind.Name, [&kind] {
                      hostile::StoreTable(kNodraxKey, kind);
                      WriteStrings(kConfigKey, {{"BbsCallsign", "EA4ZZZ.#MAD.ESP.EU"}});
                    }});
  }
  for (const TRow& row : rows) {
    RemoveNodraxTree();
    row.Store();
    ASSERT_TRUE(ExportConfigFile(file).Done()) << row.Name;
    StoreStation("EA4BBB");
    ASSERT_TRUE(ImportConfigFile(Doc(), host, file).Done())
        << row.Name << ::testing::PrintToString(host.messages);
    TDocument fresh;
    TQuietHost quiet;
    fresh.Reload(quiet);
    fresh.ReadPendingTables();
    Doc().ReadPendingTables();
    EXPECT_TRUE(SameShown(fresh.Config(), Config())) << row.Name;
    EXPECT_FALSE(Modified()) << row.Name;
  }
}
