// The console colours of an Init.srv: an index of the sixteen-colour
// text-mode palette (0 black, 1 blue, 2 green, 3 cyan, 4 red ...) turned into
// the matching standard window colour.
#pragma once
#include <cstdint>
#include <string_view>

// A reference to the system colour of button faces (high bit: a system
// colour, 15: its index), what an index outside the palette gives.
inline constexpr uint32_t kButtonFaceColour = 0x8000000F;

// The colour of a colour line: read by the number rule, 0 to 15 give their
// palette colour as 0x00BBGGRR, anything else the button-face reference.
uint32_t Colores(std::string_view text);
