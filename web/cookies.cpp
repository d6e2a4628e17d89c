#include "web/cookies.h"

#include <cstddef>
#include <string_view>
#include <unordered_set>

#include "text/search.h"
#include "text/split.h"

namespace kelvora {
namespace {

constexpr std::string_view kDeletedSuffix = "=deleted";

// The text without its blanks: ASCII spaces and full-width spaces (A1 A1),
// the latter recognised only where a character begins.
Text without_blanks(std::string_view text) {
  Text kept;
  kept.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c == ' ') continue;
    if (is_lead_byte(c) && i + 1 < text.size()) {
      if (!(c == '\xA1' && text[i + 1] == '\xA1')) kept.append(text.substr(i, 2));
      ++i;
      continue;
    }
    kept += c;
  }
  return kept;
}

// True when the piece's last characters are "=deleted"; the suffix must begin
// on a character, not on the second byte of a two-byte one.
bool is_deleted_marker(std::string_view piece) {
  if (piece.size() < kDeletedSuffix.size()) return false;
  const int32_t last =
      search_backward(piece, kDeletedSuffix, static_cast<int32_t>(piece.size()) + 1, false);
  return last == static_cast<int32_t>(piece.size() - kDeletedSuffix.size()) + 1;
}

}  // namespace

Text merge_cookies(Text& cookies, Text& new_cookies) {
  cookies = without_blanks(cookies);
  new_cookies = without_blanks(new_cookies);

  std::vector<Text> merged = split_text(new_cookies, ";");
  // The names already in `merged`, so that each old piece is checked in one
  // step instead of one has_cookie_named pass over the whole list.
  std::unordered_set<Text> names;
  for (const Text& piece : merged) names.insert(cookie_name(piece));
  for (Text& piece : split_text(cookies, ";")) {
    if (names.insert(cookie_name(piece)).second) merged.push_back(std::move(piece));
  }

  Text joined;
  for (const Text& piece : merged) {
    if (is_deleted_marker(piece)) continue;
    joined += piece;
    joined += "; ";
  }
  if (!joined.empty()) joined.resize(joined.size() - 2);

  cookies = unique_pieces(joined, "; ");
  return cookies;
}

Text cookie_name(std::string_view piece) {
  const int32_t equals = search_forward(piece, "=", 1, false);
  if (equals == -1) return trim_spaces(piece);
  return trim_spaces(piece.substr(0, static_cast<std::size_t>(equals - 1)));
}

bool has_cookie_named(const std::vector<Text>& pieces, std::string_view name) {
  for (const Text& piece : pieces) {
    if (cookie_name(piece) == name) return true;
  }
  return false;
}

Text unique_pieces(std::string_view text, std::string_view separator) {
  // Without a separator the whole text is one piece, which cannot repeat.
  if (separator.empty()) return Text(text);

  Text result;
  std::unordered_set<std::string_view> seen;
  for (const Text& piece : split_text(text, separator)) {
    if (!seen.insert(piece).second) continue;
    result += piece;
    result += separator;
  }
  if (!result.empty()) result.resize(result.size() - separator.size());
  return result;
}

int32_t piece_index(const std::vector<Text>& list, std::string_view piece) {
  for (std::size_t i = 0; i < list.size(); ++i) {
    if (list[i] == piece) return static_cast<int32_t>(i) + 1;
  }
  return -1;
}

}  // namespace kelvora
