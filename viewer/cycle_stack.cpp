#include "viewer/cycle_stack.h"

#include <algorithm>
#include <limits>
#include <memory>
#include <vector>

#include "app/control_surface.h"

namespace kelvora {

namespace {

using std::chrono::nanoseconds;

nanoseconds steady_now() { return std::chrono::steady_clock::now().time_since_epoch(); }

CycleClock cycle_clock = &steady_now;

struct Frame {
  Cycle::Handle handle;
  nanoseconds due{};      // when the pause it is suspended in is up
  uint64_t pause_id = 0;  // tells this pause of this cycle from every other pause
  bool running = false;   // resumed and not yet suspended again
};

class CycleStack {
 public:
  void push_and_run(Cycle::Handle handle) {
    frames_.push_back(Frame{handle});
    run_top();
  }

  // A pause's resumption has come. It counts only while its cycle is on top
  // and still in that pause; a cycle further down goes on once it is on top.
  void on_resume_time(uint64_t pause_id) {
    if (frames_.empty()) return;
    const Frame& top = frames_.back();
    if (top.running || top.pause_id != pause_id) return;
    run_top();
  }

  // Once the window is gone, a paused cycle is ended without being resumed:
  // its frame is freed and it touches no control again.
  void end_paused_cycles_if_window_gone() {
    if (window_is_open()) return;
    std::vector<Frame> kept;
    for (Frame& frame : frames_) {
      if (frame.running) {
        kept.push_back(frame);
      } else {
        frame.handle.destroy();
      }
    }
    frames_.swap(kept);
  }

  std::size_t size() const { return frames_.size(); }

 private:
  void run_top();
  void request_resume(uint64_t pause_id, nanoseconds after);
  std::size_t index_of(Cycle::Handle handle) const;

  std::vector<Frame> frames_;  // the top cycle is at the back
  uint64_t last_pause_id_ = 0;
};

CycleStack& cycle_stack() {
  // Never destroyed: the window may drop resumption tasks during shutdown.
  static CycleStack* const stack = new CycleStack;
  return *stack;
}

// Carries one pause's resumption through the window's event loop. If the
// window drops the task without running it, the window is gone.
class ResumeTicket {
 public:
  explicit ResumeTicket(uint64_t pause_id) : pause_id_(pause_id) {}
  ResumeTicket(const ResumeTicket&) = delete;
  ResumeTicket& operator=(const ResumeTicket&) = delete;
  ~ResumeTicket() {
    if (!used_) cycle_stack().end_paused_cycles_if_window_gone();
  }

  void use() {
    used_ = true;
    cycle_stack().on_resume_time(pause_id_);
  }

 private:
  uint64_t pause_id_;
  bool used_ = false;
};

void CycleStack::request_resume(uint64_t pause_id, nanoseconds after) {
  const auto ms = std::chrono::ceil<std::chrono::milliseconds>(after).count();
  const auto clamped = std::clamp<int64_t>(ms, 1, std::numeric_limits<int32_t>::max());
  auto ticket = std::make_shared<ResumeTicket>(pause_id);
  call_after(static_cast<int32_t>(clamped), [ticket] { ticket->use(); });
}

std::size_t CycleStack::index_of(Cycle::Handle handle) const {
  std::size_t i = frames_.size();
  while (frames_[i - 1].handle != handle) --i;
  return i - 1;
}

void CycleStack::run_top() {
  while (!frames_.empty()) {
    end_paused_cycles_if_window_gone();
    if (frames_.empty()) return;
    Frame& top = frames_.back();
    // Already running: this is a click handled inside one of its steps; the
    // resumption further down the call chain carries on when it returns.
    if (top.running) return;
    const nanoseconds now = cycle_clock();
    if (now < top.due) {
      request_resume(top.pause_id, top.due - now);
      return;
    }

    top.running = true;
    const Cycle::Handle handle = top.handle;
    handle.resume();

    // The stack may have changed while the cycle ran; find its frame again.
    const std::size_t index = index_of(handle);
    Frame& frame = frames_[index];
    frame.running = false;
    if (handle.done()) {
      handle.destroy();
      frames_.erase(frames_.begin() + static_cast<std::ptrdiff_t>(index));
      continue;
    }
    const nanoseconds pause = std::chrono::milliseconds(handle.promise().pause_ms);
    frame.pause_id = ++last_pause_id_;
    frame.due = cycle_clock() + pause;
    const bool on_top = index + 1 == frames_.size();
    // Last use of `frame`: the request may end it at once when the window is gone.
    request_resume(frame.pause_id, pause);
    if (on_top) return;
  }
}

}  // namespace

void run_nested_cycle(Cycle cycle) { cycle_stack().push_and_run(cycle.release()); }

std::size_t cycles_on_stack() { return cycle_stack().size(); }

void set_cycle_clock(CycleClock clock) { cycle_clock = clock != nullptr ? clock : &steady_now; }

}  // namespace kelvora
