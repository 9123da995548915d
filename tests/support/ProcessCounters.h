// What the process holds, for tests that repeat an operation many times and
// expect it to leave nothing behind: kernel handles, GDI objects, USER
// objects and heap memory.
//
// GetGuiResources is only a stub under Wine (it answers 0), so there the GDI
// objects are counted from the process's handle table in the PEB and the
// USER objects as the process's windows. ProveCountersWork shows that each
// counter sees what is made and released before a test relies on it.
#pragma once
#include <windows.h>
#include <winternl.h>

#include <gtest/gtest.h>

#include <cstddef>
#include <string>
#include <vector>

namespace process_counters {

// GDI objects of this process. Under Wine: the entries of the GDI handle
// table (GdiSharedHandleTable in the PEB), 24 bytes each, the object type
// in the WORD at offset 14, zero for a free entry.
inline std::size_t GdiObjects() {
  if (DWORD n = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS)) return n;
  using TQuery = NTSTATUS(NTAPI*)(HANDLE, PROCESSINFOCLASS, PVOID, ULONG, PULONG);
  const auto query = reinterpret_cast<TQuery>(reinterpret_cast<void*>(
      GetProcAddress(GetModuleHandleA("ntdll.dll"), "NtQueryInformationProcess")));
  PROCESS_BASIC_INFORMATION basic{};
  if (!query || query(GetCurrentProcess(), ProcessBasicInformation, &basic, sizeof basic,
                      nullptr) != 0)
    return 0;
  const auto* peb = reinterpret_cast<const BYTE*>(basic.PebBaseAddress);
  const BYTE* table = *reinterpret_cast<const BYTE* const*>(peb + 0xF8);
  std::size_t count = 0;
  for (std::size_t i = 0; table && i < 0x10000; ++i)
    if (*reinterpret_cast<const WORD*>(table + i * 24 + 14) != 0) ++count;
  return count;
}

inline BOOL CALLBACK CountWindow(HWND hwnd, LPARAM count) {
  DWORD process = 0;
  GetWindowThreadProcessId(hwnd, &process);
  if (process != GetCurrentProcessId()) return TRUE;
  ++*reinterpret_cast<std::size_t*>(count);
  EnumChildWindows(hwnd, CountWindow, count);  // children of children come too
  return TRUE;
}

// USER objects of this process; under Wine its windows (top-level, owned
// and children), which is what the editor makes of them.
inline std::size_t UserObjects() {
  if (DWORD n = GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS)) return n;
  std::size_t count = 0;
  EnumWindows(CountWindow, reinterpret_cast<LPARAM>(&count));
  return count;
}

// Kernel handles of this process. Wine answers GetProcessHandleCount with
// 0; there every handle value is asked whether it is one (the server gives
// out the lowest free values first, so the table stays compact).
inline std::size_t KernelHandles() {
  DWORD count = 0;
  if (GetProcessHandleCount(GetCurrentProcess(), &count) && count) return count;
  DWORD flags = 0;
  for (UINT_PTR value = 4; value < 0x10000; value += 4)
    if (GetHandleInformation(reinterpret_cast<HANDLE>(value), &flags)) ++count;
  return count;
}

// Bytes in use on every heap of the process: the C++ run-time allocates on
// one of its own, the system DLLs on theirs.
inline std::size_t HeapBytes() {
  std::vector<HANDLE> heaps(GetProcessHeaps(0, nullptr) + 16);
  heaps.resize(GetProcessHeaps(static_cast<DWORD>(heaps.size()), heaps.data()));
  std::size_t used = 0;
  for (HANDLE heap : heaps) {
    if (!HeapLock(heap)) continue;
    PROCESS_HEAP_ENTRY entry{};
    while (HeapWalk(heap, &entry))
      if (entry.wFlags & PROCESS_HEAP_ENTRY_BUSY) used += entry.cbData;
    HeapUnlock(heap);
  }
  return used;
}

struct TCounts {
  std::size_t Handles = 0, Gdi = 0, User = 0, Heap = 0;
};

inline TCounts Now() { return {KernelHandles(), GdiObjects(), UserObjects(), HeapBytes()}; }

inline std::string Describe(const TCounts& c) {
  return "handles " + std::to_string(c.Handles) + ", GDI " + std::to_string(c.Gdi) + ", USER " +
         std::to_string(c.User) + ", heap " + std::to_string(c.Heap) + " bytes";
}

inline void MakeAndRelease(int count, bool check) {
  const TCounts before = Now();
  std::vector<HBRUSH> brushes;
  std::vector<HANDLE> events;
  std::vector<HWND> windows;
  std::vector<void*> blocks;
  for (int i = 0; i < count; ++i) {
    brushes.push_back(CreateSolidBrush(RGB(i, 1, 2)));
    events.push_back(CreateEventA(nullptr, TRUE, FALSE, nullptr));
    windows.push_back(CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr,
                                      nullptr, nullptr));
    blocks.push_back(new char[100000]);
  }
  const TCounts during = Now();
  if (!check) {
    for (int i = 0; i < count; ++i) {
      DeleteObject(brushes[i]);
      CloseHandle(events[i]);
      DestroyWindow(windows[i]);
      delete[] static_cast<char*>(blocks[i]);
    }
    return;
  }
  ASSERT_EQ(before.Gdi + 10, during.Gdi);
  ASSERT_EQ(before.User + 10, during.User);
  ASSERT_EQ(before.Handles + 10, during.Handles);
  ASSERT_GE(during.Heap, before.Heap + 10 * 100000);
  for (int i = 0; i < 10; ++i) {
    DeleteObject(brushes[i]);
    CloseHandle(events[i]);
    DestroyWindow(windows[i]);
    delete[] static_cast<char*>(blocks[i]);
  }
  const TCounts after = Now();
  ASSERT_EQ(before.Gdi, after.Gdi);
  ASSERT_EQ(before.User, after.User);
  ASSERT_EQ(before.Handles, after.Handles);
  ASSERT_LT(after.Heap, during.Heap - 10 * 100000 + 100000);
}

// Each counter sees ten objects made and their release: a counter that
// always answers the same would make every flat count meaningless. A window
// stays up meanwhile: a thread's first window brings a helper window of the
// thread (its input method's), which goes again with the last one.
inline void ProveCountersWork() {
  HWND keeper = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr,
                                nullptr, nullptr);
  MakeAndRelease(10, false);
  MakeAndRelease(10, true);
  DestroyWindow(keeper);
}

}  // namespace process_counters
