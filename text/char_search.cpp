#include "text/char_search.h"

#include <cstring>

namespace kelvora::detail {

namespace {

unsigned char fold(char c) {
  auto b = static_cast<unsigned char>(c);
  return (b >= 'A' && b <= 'Z') ? static_cast<unsigned char>(b + 0x20) : b;
}

// Every byte-level occurrence of a pattern at or after a start, in rising
// order, overlapping ones included. Case-sensitive searches use memmem; after
// many hits in one scan (a text full of near-misses) they switch to the KMP
// scan, whose cost does not grow with the pattern's length per hit.
class Occurrences {
 public:
  Occurrences(PatternSearch& search, std::string_view text, size_t from)
      : search_(search), text_(text), cursor_(from), use_memmem_(!search.ignore_case()) {}

  size_t next() {
    if (use_memmem_ && memmem_calls_ < kMemmemCallLimit) return next_by_memmem();
    return next_by_kmp();
  }

 private:
  static constexpr int kMemmemCallLimit = 32;

  size_t next_by_memmem() {
    ++memmem_calls_;
    std::string_view pattern = search_.pattern();
    if (cursor_ >= text_.size()) return not_found;
    const void* hit = memmem(text_.data() + cursor_, text_.size() - cursor_, pattern.data(),
                             pattern.size());
    if (hit == nullptr) {
      cursor_ = text_.size();
      return not_found;
    }
    size_t p = static_cast<size_t>(static_cast<const char*>(hit) - text_.data());
    cursor_ = p + 1;
    return p;
  }

  size_t next_by_kmp() {
    std::string_view pattern = search_.pattern();
    const std::vector<uint32_t>& failure = search_.failure_table();
    const bool ignore_case = search_.ignore_case();
    size_t m = pattern.size();
    while (cursor_ < text_.size()) {
      unsigned char c = ignore_case ? fold(text_[cursor_]) : text_[cursor_];
      while (matched_ > 0 && pattern_byte(matched_) != c) matched_ = failure[matched_ - 1];
      if (pattern_byte(matched_) == c) ++matched_;
      ++cursor_;
      if (matched_ == m) {
        matched_ = failure[m - 1];
        return cursor_ - m;
      }
    }
    return not_found;
  }

  unsigned char pattern_byte(size_t i) const {
    char c = search_.pattern()[i];
    return search_.ignore_case() ? fold(c) : static_cast<unsigned char>(c);
  }

  PatternSearch& search_;
  std::string_view text_;
  size_t cursor_;
  bool use_memmem_;
  int memmem_calls_ = 0;
  size_t matched_ = 0;  // KMP state: pattern bytes matched just before cursor_
};

}  // namespace

bool begins_character(std::string_view text, size_t p, size_t& anchor) {
  // A byte below 0x80 is a character or the second byte of one, so the byte
  // after it begins a character; inside a run of bytes >= 0x80 characters
  // start every two bytes from the run's first character start.
  size_t run_start = p;
  while (run_start > anchor && is_high(text[run_start - 1])) --run_start;
  bool begins = (p - run_start) % 2 == 0;
  anchor = begins ? p : p - 1;
  return begins;
}

PatternSearch::PatternSearch(std::string_view pattern, bool ignore_case)
    : pattern_(pattern), ignore_case_(ignore_case) {}

const std::vector<uint32_t>& PatternSearch::failure_table() {
  if (!failure_.empty() || pattern_.empty()) return failure_;
  auto byte = [this](size_t i) {
    return ignore_case_ ? fold(pattern_[i]) : static_cast<unsigned char>(pattern_[i]);
  };
  failure_.assign(pattern_.size(), 0);
  uint32_t k = 0;
  for (size_t i = 1; i < pattern_.size(); ++i) {
    while (k > 0 && byte(k) != byte(i)) k = failure_[k - 1];
    if (byte(k) == byte(i)) ++k;
    failure_[i] = k;
  }
  return failure_;
}

size_t PatternSearch::find(std::string_view text, size_t from) {
  if (pattern_.empty() || from >= text.size() || pattern_.size() > text.size() - from) {
    return not_found;
  }
  Occurrences occurrences(*this, text, from);
  size_t anchor = from;
  for (size_t p = occurrences.next(); p != not_found; p = occurrences.next()) {
    if (!begins_character(text, p, anchor)) continue;
    if (p + 1 == text.size() && is_high(text[p])) return not_found;  // lone first byte
    return p;
  }
  return not_found;
}

size_t PatternSearch::find_last(std::string_view text) {
  if (pattern_.empty() || pattern_.size() > text.size()) return not_found;
  Occurrences occurrences(*this, text, 0);
  size_t anchor = 0;
  size_t last = not_found;
  for (size_t p = occurrences.next(); p != not_found; p = occurrences.next()) {
    if (!begins_character(text, p, anchor)) continue;
    if (p + 1 == text.size() && is_high(text[p])) break;  // lone first byte
    last = p;
  }
  return last;
}

std::string_view trim_blanks(std::string_view text) {
  size_t first = text.size();  // start of the first character that is not blank
  size_t end = 0;              // end of the last character that is not blank
  size_t i = 0;
  while (i < text.size()) {
    size_t width = is_high(text[i]) ? 2 : 1;
    if (i + width > text.size()) break;  // a lone first byte at the end is dropped
    bool blank = width == 1 ? text[i] == ' '
                            : (text[i] == '\xA1' && text[i + 1] == '\xA1');
    if (!blank) {
      if (first == text.size()) first = i;
      end = i + width;
    }
    i += width;
  }
  return first < end ? text.substr(first, end - first) : std::string_view{};
}

}  // namespace kelvora::detail
