#pragma once
// The viewer cycle: shows the groups of the list one by one in the main window.

namespace kelvora {

// The handler of a click on 按钮2: runs one cycle of steps.
void show_next_group();

}  // namespace kelvora
