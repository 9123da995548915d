// Text in the ANSI code page of the system.
#pragma once
#include <windows.h>

#include <string>

// In capitals by the rules of the system's code page (server file names are
// stored so).
inline std::string Capitals(std::string text) {
  if (!text.empty()) CharUpperBuffA(&text[0], static_cast<DWORD>(text.size()));
  return text;
}
