#include "text/markers.h"

#include <algorithm>
#include <limits>

#include "text/char_search.h"
#include "text/pending_events.h"
#include "text/search.h"

namespace kelvora {

namespace {

// Markers written for text_between may spell a double quote as "#引号" (GBK).
constexpr std::string_view kQuotePlaceholder = "#\xD2\xFD\xBA\xC5";

Text replace_quote_placeholder(std::string_view marker) {
  Text result;
  size_t from = 0;
  for (size_t hit = marker.find(kQuotePlaceholder); hit != std::string_view::npos;
       hit = marker.find(kQuotePlaceholder, from)) {
    result.append(marker.substr(from, hit - from));
    result.push_back('"');
    from = hit + kQuotePlaceholder.size();
  }
  result.append(marker.substr(from));
  return result;
}

// Positions past the 32-bit range cannot be searched from.
int32_t clamp_position(int64_t position) {
  return static_cast<int32_t>(std::min<int64_t>(position, std::numeric_limits<int32_t>::max()));
}

Text between(std::string_view text, std::string_view start_marker, std::string_view end_marker,
             int32_t start_pos, bool ignore_case) {
  Text start = replace_quote_placeholder(start_marker);
  Text end = replace_quote_placeholder(end_marker);
  int32_t p = search_forward(text, start, std::max(start_pos, 1), ignore_case);
  if (p == -1) return {};
  int64_t q = int64_t{p} + static_cast<int64_t>(start.size());
  // Searching for the end marker from just after the start marker keeps bytes
  // of the start marker from being taken for it.
  int32_t e = search_forward(text, end, clamp_position(q), ignore_case);
  // An empty end marker is found at 1, which may lie before q: nothing between.
  if (e == -1 || e < q) return {};
  return Text(text.substr(static_cast<size_t>(q - 1), static_cast<size_t>(e - q)));
}

}  // namespace

Text text_before_first(std::string_view text, std::string_view marker, int32_t start_pos,
                       bool ignore_case) {
  int32_t p = search_forward(text, marker, std::max(start_pos, 1), ignore_case);
  if (p == -1) return {};
  return Text(text.substr(0, static_cast<size_t>(p - 1)));
}

Text text_after_last(std::string_view text, std::string_view marker,
                     std::optional<int32_t> start_pos, bool ignore_case) {
  // Left out, the search covers the whole text, so a marker that ends the
  // text is the last one and nothing follows it.
  int32_t start = start_pos ? *start_pos : clamp_position(int64_t{1} + text.size());
  int32_t p = search_backward(text, marker, start, ignore_case);
  if (p == -1) return {};
  return Text(text.substr(static_cast<size_t>(p - 1) + marker.size()));
}

Text text_between_nocase(std::string_view text, std::string_view start_marker,
                         std::string_view end_marker, int32_t start_pos, bool respect_case) {
  return between(text, start_marker, end_marker, start_pos, !respect_case);
}

Text text_between(std::string_view text, std::string_view start_marker,
                  std::string_view end_marker, int32_t start_pos, bool ignore_case) {
  return between(text, start_marker, end_marker, start_pos, ignore_case);
}

}  // namespace kelvora
