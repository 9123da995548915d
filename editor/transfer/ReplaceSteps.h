// The window's side of the steps before the stored configuration is deleted
// or replaced ("Import Config", "Delete Config"): the import's mount point
// freed of what a crashed import left there.
#pragma once

class TForm1;

// Frees the import's mount point of a file an earlier import left mounted.
// When it cannot, says so under the caption and returns false.
bool FreeImportMountPoint(TForm1& form, const char* caption);
