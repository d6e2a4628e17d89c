#pragma once
// The search and trimming rules that every text operation shares.
// Searches step through a text by characters, so a pattern never matches
// from the second byte of a two-byte character.
#include <cstdint>
#include <string_view>

#include "text/text.h"

namespace kelvora {

// First position (1-based) at or after `start` where `pattern` begins; -1 if none.
int32_t search_forward(std::string_view text, std::string_view pattern, int32_t start,
                       bool ignore_case);

// Position of the last occurrence lying wholly inside the first start-1 bytes; -1 if none.
int32_t search_backward(std::string_view text, std::string_view pattern, int32_t start,
                        bool ignore_case);

// The text without leading and trailing ASCII spaces and full-width spaces (A1 A1).
Text trim_spaces(std::string_view text);

}  // namespace kelvora
