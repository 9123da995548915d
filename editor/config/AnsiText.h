// Text in the ANSI code page of the system.
#pragma once
#include <windows.h>

#include <string>

// In capitals by the rules of the system's code page (server file names are
// stored so).
// Plain ASCII, where every code page agrees, is done here: the system's
// rules are USER32's, which a command-line check would otherwise load for
// that alone.
inline std::string Capitals(std::string text) {
  bool ascii = true;
  for (char c : text) ascii = ascii && static_cast<unsigned char>(c) < 0x80;
  if (ascii) {
    for (char& c : text)
      if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  } else {
    CharUpperBuffA(&text[0], static_cast<DWORD>(text.size()));
  }
  return text;
}
