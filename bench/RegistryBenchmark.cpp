// Times the editor's save and load of a full configuration against the
// fewest raw registry calls that write and read the same values; then, with
// that configuration stored, the editor's start-up, the first show of each
// page, the add of a server, the show of a port, the transfers and one
// message to a control, each against its floor.
//
//   registry_benchmark [runs] [pages|transfers]
//       runs: default 25, at least 20; pages: the first shows of the pages
//       alone; transfers: the export, the imports and the restore alone
//
// Everything happens in one process and one run, on the registry of the Wine
// prefix (or Windows machine) it runs on; the configuration under
// Software\Nodrax is replaced, so run it on a prefix of its own.
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "bench/CommandLineBenchmark.h"
#include "bench/ControlsBenchmark.h"
#include "bench/ServersBenchmark.h"
#include "bench/StartupBenchmark.h"
#include "bench/PagesBenchmark.h"
#include "bench/PortsBenchmark.h"
#include "bench/TransfersBenchmark.h"
#include "bench/BenchDocument.h"
#include "bench/RawTree.h"
#include "bench/Timing.h"
#include "editor/app/Pages.h"
#include "editor/config/Load.h"
#include "editor/config/Configuration.h"
#include "editor/config/RegistryKeys.h"
#include "editor/config/Save.h"
#include "platform/Application.h"
#include "platform/Registry.h"

// The benchmark's own copy of the save, flushing each key (Save.cpp).
TSaveResult SaveConfigurationFlushingEachKey(TConfiguration& c, const std::string& root);

namespace {

using bench::Median;
using bench::TimeMs;
using namespace bench::raw;

const char kCallsign[] = "EA9ZZB";

// Every page set, all ten ports in use, a hundred servers.
void FillFullConfiguration(TConfiguration& c) {
  using T = TStationTexts;
  const std::pair<TStationText, const char*> texts[] = {
      {&T::Editbbsindicativo, kCallsign}, {&T::Edithroute, "#CE.ESP.EURO"}, {&T::Editssid, "2"},
      {&T::Editciudad, "Ceuta"}, {&T::Editlocator, "IM75JV"}, {&T::Codpostal, "51001"},
      {&T::Editsysopindicativo, "EA9ZZB"}, {&T::Editsysopnombre, "Luis"},
      {&T::Directorioraiz, "C:\\NodraxBench\\BBS"}, {&T::Editbackui, "500"},
      {&T::Editdelayui, "5"}, {&T::Indicativosbaliza, "20"}, {&T::Numerobid, "10000"},
      {&T::Sysopmessage, "EA9ZZB"}, {&T::Wpmessage, "EA9ZZB"}, {&T::Cabecera, "[$c] ZUB$E $$:$R"},
      {&T::timeoutusuarios, "10"}, {&T::Timeoutforward, "10"}, {&T::Diasboletines, "30"},
      {&T::yappmax, "200"}, {&T::modemmax, "100"}, {&T::buferusuario, "1000"},
      {&T::buferconsola, "1000"}, {&T::bufermonitor, "1000"}};
  for (const auto& [field, text] : texts) c.SetText(field, text);
  for (TStationText disk : {&T::Diska, &T::Diskb, &T::Diskd, &T::Diske, &T::Diskf, &T::Diskg,
                            &T::Diskh})
    c.SetText(disk, "C:\\NodraxBench\\BBS\\UsersPub");
  // Every third box of every set left clear.
  int n = 0;
  for (const TBoxGroup& group : {ForwardingBoxes(), ResumeBoxes(), FirstConnectionBoxes(),
                                 SecurityBoxes(0), SecurityBoxes(1), SecurityBoxes(2),
                                 WarningBoxes()})
    for (std::size_t i = 0; i < group.Count; ++i) c.Boxes.*group.Boxes[i] = n++ % 3 != 0;
  for (TStationBox box : {&TStationBoxes::Ackui, &TStationBoxes::Privateui,
                          &TStationBoxes::Forwardzub, &TStationBoxes::Compressforward,
                          &TStationBoxes::Log, &TStationBoxes::Indicacioncanales,
                          &TStationBoxes::Datosusuario, &TStationBoxes::Mailbeacon})
    c.Boxes.*box = true;
  for (int i = 0; i < kPortCount; ++i) {
    TPortRecord& p = c.PortTable[i];
    SetField(p.Driver, i % 2 ? "TCP" : "KIS");
    SetField(p.Com, std::to_string(i + 1));
    SetField(p.BaudRate, "9600");
    SetField(p.HexAddress, "3F8");
    SetField(p.NumChannels, "4");
    SetField(p.Canal, "1");
    SetField(p.Paclen, "128");
    SetField(p.MaxFrame, "4");
    SetField(p.NumFwdChannels, "2");
    SetField(p.MaxBlock, "10");
    SetField(p.Fwdminute, "05");
    SetField(p.Fwdperiodo, "30");
    SetField(p.Unprotos, "L");
    SetField(p.Yapp, "Y");
    SetField(p.Tipopuerto, "U");
    SetField(p.Label, "Port " + std::to_string(i + 1));
  }
  for (int i = 0; i < kServerCount; ++i) {
    TServerRecord& s = c.ServerTable[i];
    SetField(s.Name, "SRV" + std::to_string(i));
    SetField(s.File, "srv" + std::to_string(i) + ".exe");
    SetField(s.Description, "Server number " + std::to_string(i));
    SetField(s.Disabled, i % 2 ? "true" : "false");
  }
  c.ServerCount = kServerCount;
}

}  // namespace

TDocument& BenchDocument() {
  static TDocument document;
  return document;
}

int main(int argc, char** argv) {
  const int runs = std::max(20, argc > 1 ? std::atoi(argv[1]) : 25);
  INITCOMMONCONTROLSEX icc{sizeof icc, ICC_WIN95_CLASSES | ICC_TAB_CLASSES | ICC_BAR_CLASSES};
  InitCommonControlsEx(&icc);
  const std::string mode = argc > 2 ? argv[2] : "";
  TRegistry().DeleteKey(kNodraxKey);
  TConfiguration& config = Config();
  FillFullConfiguration(config);

  if (SaveConfiguration(config).Outcome != TSaveOutcome::Saved) {
    std::fprintf(stderr, "the first save failed\n");
    return 1;
  }
  std::printf("%d runs of each case; in every case the editor and its floor take turns, run by "
              "run, the editor first\n",
              runs);
  // "pages": the first shows of the pages alone, over the stored ports.
  if (mode == "pages") {
    RunPagesBenchmark(runs);
    return 0;
  }
  // "startup": the start-up alone (scripts/bench.sh runs it on every CPU);
  // "rest": everything but the start-up.
  if (mode == "startup") {
    RunStartupBenchmark(runs, kCallsign);
    return 0;
  }
  // "cmdline": the check and the command line alone.
  if (mode == "cmdline") {
    RunCheckBenchmark(runs);
    RunCommandLineBenchmark(runs);
    return 0;
  }
  std::vector<TKey> keys;
  Snapshot(kTree, keys);

  // The save as the editor ships it (one flush at the end), its floor, and
  // the save flushing each key, which the editor no longer does, kept for
  // comparison; the three take turns.
  std::vector<double> onceMs, floorMs, eachMs;
  bool sameValues = true;
  for (int i = 0; i < runs; ++i) {
    onceMs.push_back(TimeMs([&] { SaveConfiguration(config); }));
    floorMs.push_back(TimeMs([&] { RawWrite(keys); }));
    eachMs.push_back(TimeMs([&] { SaveConfigurationFlushingEachKey(config, kNodraxKey); }));
    if (i == 0) {
      std::vector<TKey> after;
      Snapshot(kTree, after);
      sameValues = SameTree(keys, after);
    }
  }
  const double saveOnce = Median(onceMs), floor = Median(floorMs), saveEach = Median(eachMs);
  // The load into a new configuration, as at start-up, and into one that
  // holds the same configuration already, against the raw read. The three
  // take turns, so that all meet the same load of the machine.
  std::vector<double> fresh, same, raw;
  bool loadedAll = true;
  for (int i = 0; i < runs; ++i) {
    auto loaded = std::make_unique<TConfiguration>();
    fresh.push_back(TimeMs([&] { CargaRegistro(*loaded); }));
    loadedAll = loadedAll && loaded->ServerCount == kServerCount &&
                FieldText(loaded->ConfigRecord.BbsCallsign) == FieldText(config.ConfigRecord.BbsCallsign);
    same.push_back(TimeMs([&] { CargaRegistro(*loaded); }));
    raw.push_back(TimeMs([&] { RawRead(keys); }));
  }
  const double load = Median(fresh), loadSame = Median(same), rawRead = Median(raw);
  std::printf("full configuration: %zu keys, %zu values; medians\n", keys.size(),
              CountValues(keys));
  std::printf("save (one flush at end, as shipped)  %8.3f ms\n", saveOnce);
  std::printf("floor (raw writes, one flush)        %8.3f ms\n", floor);
  std::printf("save/floor                           %8.2f\n", saveOnce / floor);
  std::printf("for comparison only, a save flushing each key: %.3f ms (%.2f x the floor)\n",
              saveEach, saveEach / floor);
  std::printf("load into a new configuration      %8.3f ms\n", load);
  std::printf("load into the same configuration   %8.3f ms\n", loadSame);
  std::printf("raw read                           %8.3f ms\n", rawRead);
  std::printf("load/raw read           %8.2f (new), %.2f (same)\n", load / rawRead,
              loadSame / rawRead);
  std::printf("loaded as saved         %s\n", loadedAll ? "yes" : "NO");
  std::printf("same values both ways   %s\n", sameValues ? "yes" : "NO");
  // "transfers": the export, the imports and the restore alone.
  const bool transfersOnly = mode == "transfers";
  if (!transfersOnly) {
    RunCheckBenchmark(runs);
    RunCommandLineBenchmark(runs);
    if (mode != "rest") RunStartupBenchmark(runs, kCallsign);
    RunPagesBenchmark(runs);
  }
  TForm1 form(BenchDocument());
  form.Show();
  if (!transfersOnly) {
    BenchServers(form, runs);
    RunPortsBenchmark(form, runs);
  }
  BenchmarkExport(form, runs);
  BenchmarkImport(form, runs);
  BenchmarkRestore(form, runs);
  BenchmarkInitSrv(form, runs);
  if (!transfersOnly) RunControlsBenchmark(runs);
  return 0;
}
