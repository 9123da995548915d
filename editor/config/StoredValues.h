// The registry tree below Software\Nodrax, value by value: one table per
// key, each value named once with the part of the configuration it holds
// and how it is written as text. The load, the save, the check of a
// configuration file before it is imported and the tests all take their
// lists from here.
//
// A table lists its values in the order the save writes them; the load
// reads them in the same order (no value read later overrides one read
// before, except where the folders below say so).
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "editor/config/CarriedOverSettings.h"
#include "editor/config/Configuration.h"

enum class TEncoding {
  Text,             // one text field, whole; Fixed stands in when the field is empty
  Identity,         // BbsCallsign: callsign "." route
  Unproto,          // back, blank, delay, blank, the letters A V P M
  FirstConnection,  // the sum of the first-connection boxes; "0" while Desactivado1 is ticked
  Security,         // three sums: user, sysop, system, two blanks between
  Sum,              // the decimal sum of a group's boxes
  SwitchAndSum,     // "OK"/"NO" of Box, two blanks, the sum of a group
  Switch,           // "OK"/"NO" of Box; the load looks for "OK" then "NO" anywhere
  MailBeacon,       // "B" when Mailbeacon is ticked, then the count
  CopySysOp,        // the callsign, "******" for none
  TwoSpaced,        // the texts joined by two blanks, "0" for each empty one
  Colour,           // a console colour as signed decimal
  Constant,         // always Fixed; not read
  Hroute,           // always "OK"; read into Box as a switch
  Folder,           // a folder path, made on disk by the save
  Disks,            // UsersPub: the eight virtual disks joined by ",", "*" unused
};

struct TStoredValue {
  const char* Name;
  TEncoding Encoding;
  TStationText Texts[3];  // the text fields, in the order of the parts
  std::size_t TextCount;
  TStationBox Box;         // Switch, SwitchAndSum, Hroute
  TBoxGroup (*Group)();    // Sum, SwitchAndSum
  TConsoleColour Colour;   // Colour
  const char* Fixed;       // Text's stand-in for empty, Constant's text
  TRecordField Letter;     // where the save keeps a box's "OK"/"NO" or letter (Width 0: nowhere)
  TRecordField Composed;   // where the save keeps a composed value (Width 0: nowhere)
  bool Loaded;             // the load reads it
  // Folders only.
  bool MakesFolder;        // the save makes the folder on disk
  bool MailFolder;         // ... with "mail0" to "mail9" inside
  const char* OlderName;   // the name an older editor stored it under
  bool EmptiedWithoutRoot; // written empty when the root folder is empty
};

// Config, in the order the save writes it.
const std::vector<TStoredValue>& ConfigValues();
// Folders (and its older name Directories): the root first, the data
// folder before the three folders it derives; the folders that the root
// alone gives (Sounds, Lang, Log, Sat, Wp, OldMail, Fwd) are not read.
const std::vector<TStoredValue>& FolderValues();
// With an empty root the save writes these folders empty, in this order,
// and leaves the others as stored.
const std::vector<TStationText>& FoldersEmptiedWithoutRoot();

// Ports\PortN, each value a field of TPortRecord.
using TPortField = TFieldPlace<TPortRecord>;
#define NODRAX_PORT_FIELD(name) NODRAX_FIELD_PLACE(TPortRecord, name)

enum class TPortEncoding {
  Text,        // the field, whole; Default for an empty one
  FwdPeriode,  // Fwdminute "/" Fwdperiodo
  Mode,        // the letters of Unprotos, Yapp, Gateway, Rdonly and Tipopuerto
};
struct TPortValue {
  const char* Name;
  TPortEncoding Encoding;
  TPortField Field;      // Text
  const char* Default;   // what the save writes for an empty field
};
// In the order the save writes them.
const std::vector<TPortValue>& PortValues();
// Port0, the file-forwarding pseudo-port: written once with these values.
const std::vector<std::pair<const char*, const char*>>& Port0Values();

// Servers\<name>, each value a text field of TServerRecord.
struct TServerValue {
  const char* Name;
  TFieldPlace<TServerRecord> Field;
  bool Capitals;  // File is stored in capitals
};
const std::vector<TServerValue>& ServerValues();

// The BBS's own keys that a configuration file carries over.
struct TCarriedValue {
  const char* Name;
  int32_t TCarriedOverSettings::*Number;  // or
  std::string TCarriedOverSettings::*Text;
  std::size_t Width;  // of a text, its terminator counted
};
struct TCarriedKey {
  const char* Path;  // below Software\Nodrax, with a leading "\"
  std::vector<TCarriedValue> Values;  // in the order they are read
  std::vector<const char*> WriteOrder;
};
// In the order the keys are read.
const std::vector<TCarriedKey>& CarriedKeys();
// The paths of CarriedKeys in the order they are written.
const std::vector<const char*>& CarriedKeyWriteOrder();

// The values below one key that the load or the import reads: the key
// below the root ("\Config"; "\Ports\*" and "\Servers\*" stand for each
// port and server key), their names, and whether they are integers (else
// texts). Made from the tables above.
struct TReadValues {
  std::string Key;
  std::vector<std::string> Names;
  bool Integers = false;
};
std::vector<TReadValues> ReadValueTable();
