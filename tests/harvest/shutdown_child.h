#pragma once
// The child process of the shutdown test.
#include <string>

namespace kelvora {

// Starts the program in `folder`, starts two harvest runs against `host` with
// their real pauses, closes the window once the first line has arrived, and
// shuts down as the program does. Never returns.
[[noreturn]] void run_shutdown_child(const std::string& folder, const std::string& host);

}  // namespace kelvora
