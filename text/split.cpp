#include "text/split.h"

#include "text/char_search.h"

namespace kelvora {

std::vector<Text> split_text(std::string_view text, std::string_view separator) {
  std::vector<Text> pieces;
  if (text.empty()) return pieces;
  // An empty separator would be found at every step without moving on: the
  // text stays whole.
  if (separator.empty()) {
    pieces.emplace_back(text);
    return pieces;
  }
  detail::PatternSearch search(separator, false);
  size_t from = 0;
  while (from < text.size()) {
    size_t hit = search.find(text, from);
    if (hit == detail::not_found) {
      pieces.emplace_back(text.substr(from));
      break;
    }
    pieces.emplace_back(text.substr(from, hit - from));
    from = hit + separator.size();
  }
  return pieces;
}

}  // namespace kelvora
