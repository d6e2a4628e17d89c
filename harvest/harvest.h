#pragma once
// The harvest run: walks the directory site's listing pages on a worker
// thread and appends one group line per listed group to the list.
#include <cstdint>
#include <string_view>

namespace kelvora {

// The handler of a click on 按钮1: starts one more run on a new detached thread.
void start_harvest();

// One whole run, on the calling thread: the site at the build's directory
// host, 2000 ms after every item.
void harvest_groups();

// The same run against any host, with any pause after each item. A run stops
// quietly, without saving, as soon as it finds the window gone.
void harvest_groups_at(std::string_view host, int32_t pause_ms);

}  // namespace kelvora
