#include "text/search.h"

#include <algorithm>

#include "text/char_search.h"

namespace kelvora {

namespace {

int32_t to_position(size_t index) {
  return index == detail::not_found ? -1 : static_cast<int32_t>(index + 1);
}

}  // namespace

int32_t search_forward(std::string_view text, std::string_view pattern, int32_t start,
                       bool ignore_case) {
  size_t from = static_cast<size_t>(std::max(start, 1)) - 1;
  if (from >= text.size()) return -1;
  // The empty pattern is found at the text's beginning, whatever the start.
  if (pattern.empty()) return 1;
  return to_position(detail::PatternSearch(pattern, ignore_case).find(text, from));
}

int32_t search_backward(std::string_view text, std::string_view pattern, int32_t start,
                        bool ignore_case) {
  size_t stretch = std::min(static_cast<size_t>(std::max(start, 1)) - 1, text.size());
  if (stretch == 0) return -1;
  if (pattern.empty()) return 1;
  return to_position(
      detail::PatternSearch(pattern, ignore_case).find_last(text.substr(0, stretch)));
}

Text trim_spaces(std::string_view text) { return Text(detail::trim_blanks(text)); }

}  // namespace kelvora
