#include "text/pending_events.h"

#include <atomic>

namespace kelvora {

namespace {
std::atomic<PendingEventsHook> pending_events_hook{nullptr};
}

void set_pending_events_hook(PendingEventsHook hook) { pending_events_hook.store(hook); }

void process_pending_events() {
  if (PendingEventsHook hook = pending_events_hook.load()) hook();
}

}  // namespace kelvora
