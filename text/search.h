#pragma once
// The search and trimming rules that every text operation shares.
// Searches step through a text by characters, so a pattern never matches
// from the second byte of a two-byte character. A byte of 0x80 or above that
// is the last byte of the scanned stretch ends the scan without being tried.
#include <cstdint>
#include <string_view>

#include "text/text.h"

namespace kelvora {

// First position (1-based) at or after `start` where `pattern` begins, stepping
// by characters from byte `start` (below 1 counts as 1); -1 if none. The empty
// pattern gives 1 whenever `start` lies inside the text.
int32_t search_forward(std::string_view text, std::string_view pattern, int32_t start,
                       bool ignore_case);

// Position of the last occurrence lying wholly inside the first start-1 bytes,
// stepping from the text's beginning; -1 if none. The empty pattern gives 1
// when that stretch is not empty.
int32_t search_backward(std::string_view text, std::string_view pattern, int32_t start,
                        bool ignore_case);

// The text without leading and trailing ASCII spaces and full-width spaces (A1 A1).
Text trim_spaces(std::string_view text);

}  // namespace kelvora
