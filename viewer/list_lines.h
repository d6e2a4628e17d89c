#pragma once
// Cutting the group list into lines without walking it byte by byte.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

namespace kelvora {

// True when the CR LF pair at `cr_pos` ends a line: the CR begins a character
// rather than being the second byte of a two-byte GBK character.
bool cuts_line_at(std::string_view list, std::size_t cr_pos);

// Line `number` (1-based) of the list, cut at CR LF only. A lone CR or LF stays
// inside its line, the empty text has no lines, and a CR LF at the very end
// opens no empty last line. Empty when the list has fewer lines.
std::optional<std::string_view> find_list_line(std::string_view list, int32_t number);

}  // namespace kelvora
