// The disk as the configuration check sees it, through the system's own
// calls: one attribute query for what a path names, one search for a
// folder's files.
#pragma once
#include "editor/config/Check.h"

class TDiskProbe : public IDiskProbe {
 public:
  // GetFileAttributesA.
  TKind Kind(const std::string& path) const override;
  // FindFirstFileA / FindNextFileA on folder "\" pattern; folders left out.
  std::vector<std::string> Files(const std::string& folder, const std::string& pattern) const override;
  // The path's parents, nearest first, up to the first one that exists.
  bool CanCreate(const std::string& path) const override;
  // ExpandVariables (platform/Registry.h), as the save expands a folder.
  std::optional<std::string> Expand(const std::string& path) const override;
};
