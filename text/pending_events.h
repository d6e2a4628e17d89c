#pragma once
// Lets long text operations give the window's pending events a turn.
// The window installs a hook at start-up; without one the call does nothing.

namespace kelvora {

using PendingEventsHook = void (*)();

void set_pending_events_hook(PendingEventsHook hook);

// Handles the events already waiting for the calling thread, then returns.
// Does nothing on a thread that owns no window.
void process_pending_events();

}  // namespace kelvora
