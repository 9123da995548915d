// The editor's document: the one configuration, what of it is still to be
// read from the store, and whether it holds changes the store has not.
// The process entry makes it before anything else and it lives as long as
// the process; the window and the command line both work on it through the
// commands, and the pages are views of it.
#pragma once
#include <string>

#include "editor/config/Configuration.h"
#include "editor/config/RegistryKeys.h"
#include "editor/config/Save.h"

class IHost;

class TDocument {
 public:
  TDocument() = default;
  TDocument(const TDocument&) = delete;
  TDocument& operator=(const TDocument&) = delete;

  TConfiguration& Config() { return config_; }
  const TConfiguration& Config() const { return config_; }

  // --- Change state ----------------------------------------------------
  // True while the configuration holds changes that are not stored.
  bool Modified() const { return modified_ && !letGo_; }
  // An edit: a command, a browse, a colour, the ports or servers page.
  void Changed() { modified_ = true; }
  // A key released in a text field: any key but Enter is an edit.
  void KeyReleased(unsigned virtualKey) {
    if (virtualKey != 13) modified_ = true;
  }
  // A character typed on a check box: Space toggles it and is an edit; the
  // character is swallowed so that the box does not toggle a second time.
  void CharacterOnBox(char& key) {
    if (key != ' ') return;
    key = 0;
    modified_ = true;
  }
  // A check box clicked, by the sysop or by the program: the views show a
  // load without clicking, so every click is an edit.
  void BoxClicked() { modified_ = true; }
  // The store holds what the configuration holds: saved, loaded, replaced.
  void Unchanged() { modified_ = false; }

  // "No" at the close: the changes are let go. From here on nothing of
  // the configuration is stored or shown again.
  void LetGo() { letGo_ = true; }
  bool LetGone() const { return letGo_; }

  // --- The store -------------------------------------------------------
  // Loads the store (the tables on need), shows it, and leaves nothing
  // changed. A store with the older folder key is carried over to the
  // newer one by a save unless the store must stay exactly as it is (a
  // restore). The port table starts from its defaults.
  enum class TOlderFolders { CarryOver, Keep };
  void Reload(IHost& host, TOlderFolders older = TOlderFolders::CarryOver);
  // The port and server tables that the load left for later, read now.
  void ReadPendingTables();

  // The save command: the one save, then what its result asks for (the
  // field to fix, or the write that failed, through the host); on success
  // nothing is changed any more and running programs are told. Returns
  // whether everything was stored.
  bool Save(IHost& host);
  // Warns when the configuration has no callsign or route, which the save
  // refuses, and shows the field to fill. False when both are there.
  bool WarnMissingIdentity(IHost& host) const;

 private:
  TConfiguration config_;
  bool modified_ = false;
  bool letGo_ = false;
};

// Tells running programs that the stored configuration changed: posts
// "ZUBCFG_NOTIFY" to every top-level window, both parameters 0.
void NotifyConfigurationChanged();
