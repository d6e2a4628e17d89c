#pragma once
// The harvest run: walks the directory site's listing pages on a worker
// thread and appends one group line per listed group to the list.

namespace kelvora {

// The handler of a click on 按钮1: starts one more run on a new detached thread.
void start_harvest();

// One whole run, on the calling thread.
void harvest_groups();

}  // namespace kelvora
