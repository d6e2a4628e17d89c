#pragma once
#include <cstdint>
#include <string_view>

namespace kelvora {

// Reads a decimal number: full-width characters folded to ASCII, leading white
// space skipped, an optional sign, digits up to the first non-digit. No
// digits give 0; the value wraps around in 32 bits.
int32_t text_to_int(std::string_view text);

}  // namespace kelvora
