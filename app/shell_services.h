#pragma once
// Waiting services of the window's thread.
#include <cstdint>

namespace kelvora {

class MainWindow;

// Installs the hook behind process_pending_events (a window does so when it
// attaches to the control surface): on the window's thread it
// handles the events already queued, without waiting for more; on any other
// thread it does nothing.
void install_pending_events_hook();

// Window's thread: handles events until at least ms (> 0) have passed, idle
// between events. Returns early when the application quits or `window` closes.
void pause_handling_events(int32_t ms, MainWindow* window);

}  // namespace kelvora
