// The key where the import and the restore mount a configuration file
// (kMountKey). A command cut short while its file was mounted (a crash, a
// log-off) leaves the file mounted there, and every later mount onto it
// fails.
#pragma once
#include <windows.h>

#include <string>

// Unmounts whatever is left at the key. ERROR_SUCCESS when the key is free
// (nothing was there, or it is gone now); otherwise why it stays (a handle
// that another program holds in it, a key that is no mounted file).
LONG FreeMountPoint(const std::string& key);

// Unmounts the file whatever happens after the mount.
class TMountedFile {
 public:
  explicit TMountedFile(std::string key) : key_(std::move(key)) {}
  ~TMountedFile();
  TMountedFile(const TMountedFile&) = delete;
  TMountedFile& operator=(const TMountedFile&) = delete;

 private:
  std::string key_;
};
