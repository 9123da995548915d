// The commands as functions of the document, without a window: what each
// does to the store, what it returns, and what it asks its host.
#include <windows.h>

#include <gtest/gtest.h>

#include <deque>
#include <string>
#include <vector>

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
  void StoreStation(const std::string& callsign) {
    Config().SetText(&TStationTexts::Editbbsindicativo, callsign);
    Config().SetText(&TStationTexts::Edithroute, "#MAD.ESP.EU");
    Config().SetText(&TStationTexts::Directorioraiz, kTestRoot);
    ASSERT_EQ(TSaveOutcome::Saved, SaveConfiguration(Config()).Outcome);
  }
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
