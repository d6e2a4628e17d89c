#pragma once
// The character-stepping search engine behind search_forward, search_backward
// and the marker operations. Internal to text/.
//
// A byte-level finder (memmem when case matters, a folded KMP scan otherwise)
// proposes occurrences in order; each is kept only if it begins a character
// when the text is stepped from the scan's first byte. The check is local: it
// looks back over the run of bytes >= 0x80 before the candidate, never further
// than the last position already known to begin a character, so a whole scan
// stays linear.
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

namespace kelvora::detail {

inline constexpr size_t not_found = static_cast<size_t>(-1);

inline bool is_high(char c) { return static_cast<unsigned char>(c) >= 0x80; }

// Whether byte p begins a character when `text` is stepped by characters from
// some earlier byte. `anchor` is a position in [start, p] already known to
// begin a character; it moves up to p (or p - 1), so checks made in rising
// order of p cost linear time altogether.
bool begins_character(std::string_view text, size_t p, size_t& anchor);

// A non-empty pattern prepared for searches in one or more texts.
class PatternSearch {
 public:
  PatternSearch(std::string_view pattern, bool ignore_case);

  // 0-based position of the first occurrence at or after `from` that begins a
  // character, stepping from `from`; not_found if none. A byte >= 0x80 that is
  // the text's last byte ends the scan without being tried.
  size_t find(std::string_view text, size_t from);

  // 0-based position of the last occurrence that begins a character, stepping
  // from the start of `text`; not_found if none.
  size_t find_last(std::string_view text);

  std::string_view pattern() const { return pattern_; }
  bool ignore_case() const { return ignore_case_; }
  const std::vector<uint32_t>& failure_table();

 private:
  std::string_view pattern_;
  bool ignore_case_;
  std::vector<uint32_t> failure_;  // KMP table over the folded pattern, built on first use
};

// The text without leading and trailing blanks (spaces and A1 A1), and without
// a lone byte >= 0x80 at its end; a view into `text`.
std::string_view trim_blanks(std::string_view text);

}  // namespace kelvora::detail
