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
  std::string current = parts[0] + "\\";
  for (std::size_t i = 1; i < parts.size(); ++i) {
    current += parts[i] + "\\";
    out.push_back(current);
  }
  if (mailSubfolders) {
    for (char d = '0'; d <= '9'; ++d) out.push_back(current + "mail" + d);
  }
  return out;
}
