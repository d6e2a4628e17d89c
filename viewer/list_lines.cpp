#include "viewer/list_lines.h"

#include <cstring>

#include "text/text.h"

namespace kelvora {

bool cuts_line_at(std::string_view list, std::size_t cr_pos) {
  // A byte below 0x80 always ends a character, so the CR begins one exactly
  // when the run of lead-range bytes right before it has even length.
  std::size_t run_start = cr_pos;
  while (run_start > 0 && is_lead_byte(list[run_start - 1])) --run_start;
  return (cr_pos - run_start) % 2 == 0;
}

namespace {

// Position of the first line-ending CR LF at or after `from`, or npos.
std::size_t find_line_end(std::string_view list, std::size_t from) {
  const char* const begin = list.data();
  const std::size_t size = list.size();
  while (from + 1 < size) {
    const void* hit = std::memchr(begin + from, '\r', size - 1 - from);
    if (hit == nullptr) return std::string_view::npos;
    const std::size_t cr = static_cast<std::size_t>(static_cast<const char*>(hit) - begin);
    // Nearly always the byte before the CR is below 0x80: no run to measure.
    if (list[cr + 1] == '\n' &&
        (cr == 0 || !is_lead_byte(list[cr - 1]) || cuts_line_at(list, cr))) {
      return cr;
    }
    from = cr + 1;
  }
  return std::string_view::npos;
}

}  // namespace

std::optional<std::string_view> find_list_line(std::string_view list, int32_t number) {
  if (number < 1) return std::nullopt;
  std::size_t start = 0;
  for (int32_t line = 1;; ++line) {
    const std::size_t end = find_line_end(list, start);
    if (line == number) {
      if (end != std::string_view::npos) return list.substr(start, end - start);
      if (start < list.size()) return list.substr(start);  // the last line has no CR LF
      return std::nullopt;
    }
    if (end == std::string_view::npos) return std::nullopt;
    start = end + 2;
  }
}

}  // namespace kelvora
