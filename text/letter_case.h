#pragma once
// Letter case in GBK texts: only the ASCII letters have a case, and the second
// byte of a two-byte character is never changed.
#include <string_view>

#include "text/text.h"

namespace kelvora {

Text lower_ascii_letters(std::string_view text);

// True when `text` begins with `prefix`, ASCII letter case ignored.
bool starts_with_nocase(std::string_view text, std::string_view prefix);

// True when the two texts are equal, ASCII letter case ignored.
bool equal_nocase(std::string_view a, std::string_view b);

}  // namespace kelvora
