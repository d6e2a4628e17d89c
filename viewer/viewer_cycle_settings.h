#pragma once
// Internal settings of the viewer cycle for tests and benchmarks. The program
// never changes them.
#include <cstdint>

namespace kelvora {

// The fixed pause after a group is shown: 500 ms unless a test shortens it.
void set_shown_group_pause_ms(int32_t ms);

// The number of the list line shown last (0 before the first step).
int32_t group_cursor_value();

// Back to the state of a freshly started program.
void reset_group_cursor();

}  // namespace kelvora
