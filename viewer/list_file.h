#pragma once
// The group list file weiqun.txt in the current directory.
#include <cstdint>
#include <string_view>

namespace kelvora {

// Fills the list box from weiqun.txt and shows the number of groups in the hint.
void load_group_list();

// Writes the list box over weiqun.txt (atomically; saves never interleave).
void save_group_list();

// Number of LF bytes, plus 1 when the last byte is not LF; 0 for the empty text.
int32_t count_lines(std::string_view text);

}  // namespace kelvora
