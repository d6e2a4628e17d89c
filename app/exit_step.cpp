#include "app/exit_step.h"

#include <atomic>
#include <cstdlib>
#include <mutex>

#include "app/control_surface.h"
#include "text/pending_events.h"

namespace kelvora {

namespace {
std::atomic<int> runs{0};
std::atomic<bool> done{false};
std::once_flag registered;

void run_exit_step_at_quick_exit() { run_exit_step(); }
}  // namespace

void release_program_state() {
  set_control_surface(nullptr);
  set_pending_events_hook(nullptr);
  runs.fetch_add(1);
}

void register_exit_step() {
  std::call_once(registered, [] { std::at_quick_exit(run_exit_step_at_quick_exit); });
}

void run_exit_step() {
  if (!done.exchange(true)) release_program_state();
}

int exit_step_runs() { return runs.load(); }

}  // namespace kelvora
