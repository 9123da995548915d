// The folder rules on any typed or stored path: the folders to create nest,
// each one part deeper than the last, and end at the path itself; the
// derived folders sit below the root with exactly one separator.
#include <string>

#include "FuzzCheck.h"
#include "editor/config/FolderRules.h"

namespace {
bool EndsWith(const std::string& s, std::string_view tail) {
  return s.size() >= tail.size() && s.compare(s.size() - tail.size(), tail.size(), tail) == 0;
}
// The path as the rules read it: its parts joined by one separator, after
// the "\\" of a network path or the "\" of a path without a drive.
std::string Normalised(std::string_view path) {
  std::string out = path.substr(0, 2) == "\\\\" ? "\\\\" : path.substr(0, 1) == "\\" ? "\\" : "";
  bool pending = false;
  for (char c : path) {
    if (c == '\\') {
      pending = true;
      continue;
    }
    if (pending && !out.empty() && out.back() != '\\') out += '\\';
    pending = false;
    out += c;
  }
  return out;
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, std::size_t size) {
  const std::string_view path = FuzzText(data, size);
  const std::vector<std::string> plain = FoldersToCreate(path, false);
  for (std::size_t i = 0; i < plain.size(); ++i) {
    FUZZ_CHECK(EndsWith(plain[i], "\\") && plain[i].find("\\\\", 1) == std::string::npos);
    if (i > 0) {
      FUZZ_CHECK(plain[i].compare(0, plain[i - 1].size(), plain[i - 1]) == 0);
      FUZZ_CHECK(plain[i].find('\\', plain[i - 1].size()) == plain[i].size() - 1);
    }
  }
  if (!plain.empty()) FUZZ_CHECK(plain.back() == Normalised(path) + "\\");
  // The ten mail folders follow inside the last one (a drive alone has them
  // at its root).
  const std::vector<std::string> mail = FoldersToCreate(path, true);
  FUZZ_CHECK(mail.size() == plain.size() + 10 || (plain.empty() && mail.empty()));
  for (std::size_t i = 0; i < mail.size(); ++i) {
    if (i < plain.size()) {
      FUZZ_CHECK(mail[i] == plain[i]);
    } else {
      const std::size_t k = i - plain.size();
      FUZZ_CHECK(EndsWith(mail[i], "\\mail" + std::to_string(k)));
      if (!plain.empty()) FUZZ_CHECK(mail[i] == plain.back() + "mail" + std::to_string(k));
    }
  }

  const TRootFolders root = DeriveFromRoot(path);
  const std::string base = std::string(path) + (EndsWith(std::string(path), "\\") ? "" : "\\");
  for (const std::string* f : {&root.Data, &root.Config, &root.Pg, &root.Diskc, &root.Drivers})
    FUZZ_CHECK(f->compare(0, base.size(), base) == 0 && f->find('\\', base.size()) == std::string::npos);
  FUZZ_CHECK(root.Mail == root.Data + "\\Mail" && root.Lang == root.Config + "\\Lang");
  const TDataFolders under = DeriveFromData(path);
  FUZZ_CHECK(under.Docs == std::string(path) + "\\Docs");
  return 0;
}
