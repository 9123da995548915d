#include "editor/config/FolderRules.h"

TRootFolders DeriveFromRoot(std::string_view root) {
  const std::string r(root);
  const std::string s = (!r.empty() && r.back() == '\\') ? "" : "\\";
  TRootFolders f;
  f.Data = r + s + "Data";
  f.Sounds = r + s + "Sounds";
  f.Config = r + s + "Config";
  f.Lang = f.Config + "\\Lang";
  f.Fwd = f.Config + "\\Fwd";
  f.Log = f.Data + "\\Log";
  f.Sat = f.Data + "\\Sat";
  f.Wp = f.Data + "\\Wp";
  f.OldMail = f.Data + "\\OldMail";
  f.Mail = f.Data + "\\Mail";
  f.CompresMail = f.Data + "\\Binmail";
  f.Yapp = r + s + "UsersPub\\Yapp";
  f.Docs = f.Data + "\\Docs";
  f.ImportFile = r + s + "Mail.in";
  f.Pg = r + s + "Pg";
  f.Filters = r + s + "Filters";
  f.Servers = r + s + "Servers";
  f.Drivers = r + s + "Drivers";
  f.Diskc = r + s + "UsersPub";
  return f;
}

TDataFolders DeriveFromData(std::string_view data) {
  const std::string d(data);
  return {d + "\\Mail", d + "\\Binmail", d + "\\Docs"};
}

std::vector<std::string> FoldersToCreate(std::string_view path, bool mailSubfolders) {
  std::vector<std::string> parts;
  std::size_t start = 0;
  while (start <= path.size()) {
    std::size_t sep = path.find('\\', start);
    std::size_t end = sep == std::string_view::npos ? path.size() : sep;
    if (end > start) parts.emplace_back(path.substr(start, end - start));
    if (sep == std::string_view::npos) break;
    start = sep + 1;
  }
  std::vector<std::string> out;
  if (parts.empty()) return out;
  // Taking the first part as the start suits a drive ("C:"); a path rooted
  // without one would otherwise be created relative to the current folder:
  // "\BBS" starts at the root of the drive, "\\server\share\BBS" at the share.
  std::string current;
  std::size_t first = 1;
  if (path.substr(0, 2) == "\\\\") {
    if (parts.size() < 2) return out;
    current = "\\\\" + parts[0] + "\\" + parts[1] + "\\";
    first = 2;
  } else if (path[0] == '\\') {
    current = "\\";
    first = 0;
  } else {
    current = parts[0] + "\\";
  }
  for (std::size_t i = first; i < parts.size(); ++i) {
    current += parts[i] + "\\";
    out.push_back(current);
  }
  if (mailSubfolders) {
    for (char d = '0'; d <= '9'; ++d) out.push_back(current + "mail" + d);
  }
  return out;
}
