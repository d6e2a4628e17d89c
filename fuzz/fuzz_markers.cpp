// Drives the search, trim, marker, split and number operations with texts,
// markers, start positions, lengths and flags taken from the input, and checks
// what every result must satisfy whatever the input.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include "text/markers.h"
#include "text/number.h"
#include "text/search.h"
#include "text/split.h"

namespace {

using kelvora::Text;

void check(bool condition) {
  if (!condition) std::abort();
}

bool contains(const std::string& whole, const std::string& part) {
  return whole.find(part) != std::string::npos;
}

bool is_prefix(const std::string& whole, const std::string& part) {
  return whole.compare(0, part.size(), part) == 0 && part.size() <= whole.size();
}

bool is_suffix(const std::string& whole, const std::string& part) {
  return part.size() <= whole.size() &&
         whole.compare(whole.size() - part.size(), part.size(), part) == 0;
}

char fold(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 0x20) : c; }

bool matches_at(const std::string& text, const std::string& pattern, int32_t position,
                bool ignore_case) {
  size_t at = static_cast<size_t>(position - 1);
  if (at + pattern.size() > text.size()) return false;
  for (size_t k = 0; k < pattern.size(); ++k) {
    char a = text[at + k], b = pattern[k];
    if (ignore_case ? fold(a) != fold(b) : a != b) return false;
  }
  return true;
}

void check_searches(const std::string& text, const std::string& pattern, int32_t start,
                    bool ignore_case) {
  int32_t forward = kelvora::search_forward(text, pattern, start, ignore_case);
  if (forward != -1) {
    check(pattern.empty() ? forward == 1 : forward >= std::max(start, 1));
    check(matches_at(text, pattern, forward, ignore_case));
  }
  int32_t backward = kelvora::search_backward(text, pattern, start, ignore_case);
  if (backward != -1) {
    check(backward >= 1);
    check(static_cast<int64_t>(backward) - 1 + static_cast<int64_t>(pattern.size()) <=
          static_cast<int64_t>(start) - 1);
    check(matches_at(text, pattern, backward, ignore_case));
  }
}

void check_split(const std::string& text, const std::string& separator) {
  std::vector<Text> pieces = kelvora::split_text(text, separator);
  std::string joined;
  for (size_t i = 0; i < pieces.size(); ++i) {
    if (i > 0) joined += separator;
    joined += pieces[i];
  }
  // The pieces and separators give the text back, but for a final separator.
  check(joined == text || (!separator.empty() && joined + separator == text));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider input(data, size);
  const uint8_t flags = input.ConsumeIntegral<uint8_t>();
  const bool ignore_case = flags & 1;
  const bool include_start = flags & 2;
  const bool include_end = flags & 4;
  const bool leave_out_start = flags & 8;
  const int32_t start_pos = input.ConsumeIntegralInRange<int32_t>(-4, 300);
  const int32_t max_length = input.ConsumeIntegralInRange<int32_t>(-2, 40);
  const std::string start_marker = input.ConsumeRandomLengthString(8);
  const std::string end_marker = input.ConsumeRandomLengthString(8);
  const std::string prefix = input.ConsumeRandomLengthString(3);
  const std::string suffix = input.ConsumeRandomLengthString(3);
  const std::string text = input.ConsumeRemainingBytesAsString();

  check_searches(text, start_marker, start_pos, ignore_case);
  check_split(text, start_marker);

  Text trimmed = kelvora::trim_spaces(text);
  check(contains(text, trimmed));
  check(kelvora::trim_spaces(trimmed) == trimmed);

  check(is_prefix(text, kelvora::text_before_first(text, start_marker, start_pos, ignore_case)));
  std::optional<int32_t> after_start;
  if (!leave_out_start) after_start = start_pos;
  check(is_suffix(text, kelvora::text_after_last(text, start_marker, after_start, ignore_case)));
  Text between = kelvora::text_between(text, start_marker, end_marker, start_pos, ignore_case);
  Text between_nocase =
      kelvora::text_between_nocase(text, start_marker, end_marker, start_pos, ignore_case);
  check(between.size() <= text.size() && between_nocase.size() <= text.size());
  check(contains(text, between) && contains(text, between_nocase));

  std::vector<Text> pieces{"stale"};
  int32_t count = kelvora::all_texts_between(text, start_marker, end_marker, pieces, ignore_case,
                                             max_length, prefix, suffix, include_start,
                                             include_end, start_pos);
  check(count == static_cast<int32_t>(pieces.size()));
  for (const Text& piece : pieces) {
    check(!piece.empty());
    if (max_length != 0) check(static_cast<int32_t>(piece.size()) < max_length);
  }

  kelvora::text_to_int(text);
  kelvora::text_to_int(start_marker);
  return 0;
}
