#pragma once
// Keeping a cookie string up to date with the cookies an answer set.
#include <cstdint>
#include <string_view>
#include <vector>

#include "text/text.h"

namespace kelvora {

// Rewrites both variables (blanks removed; `cookies` merged) and returns a copy
// of the merged string.
Text merge_cookies(Text& cookies, Text& new_cookies);

// The text before the first "=", blanks trimmed; the whole piece, trimmed,
// when it holds no "=".
Text cookie_name(std::string_view piece);

// True when some piece has exactly this name.
bool has_cookie_named(const std::vector<Text>& pieces, std::string_view name);

// The text split at `separator` and joined again without exact repeats,
// first occurrences in their order.
Text unique_pieces(std::string_view text, std::string_view separator);

// 1-based position of the first element equal to `piece`; -1 when none.
int32_t piece_index(const std::vector<Text>& list, std::string_view piece);

}  // namespace kelvora
