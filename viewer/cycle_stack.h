#pragma once
// The stack of running viewer cycles.
//
// A click during a pause starts a cycle nested inside the paused one, and the
// paused one goes on only when the nested one has ended. Nesting native event
// loops for that would cost one deep call chain per queued click, so each cycle
// is a coroutine instead: a pause suspends it and asks the window to resume it
// later (call_after), so the window's events go on meanwhile. The cycles live
// on a heap-allocated stack; only the top one runs. When it ends, the one below
// goes on at once if its pause time is up, otherwise once it is.
#include <chrono>
#include <coroutine>
#include <cstddef>
#include <cstdint>
#include <exception>

namespace kelvora {

class Cycle {
 public:
  struct promise_type {
    int32_t pause_ms = 0;  // the length of the pause the cycle is suspended in

    Cycle get_return_object() noexcept { return Cycle(Handle::from_promise(*this)); }
    std::suspend_always initial_suspend() noexcept { return {}; }
    std::suspend_always final_suspend() noexcept { return {}; }
    void return_void() noexcept {}
    void unhandled_exception() noexcept { std::terminate(); }
  };
  using Handle = std::coroutine_handle<promise_type>;

  Cycle(Cycle&& other) noexcept : handle_(other.handle_) { other.handle_ = {}; }
  Cycle& operator=(Cycle&&) = delete;
  ~Cycle() {
    if (handle_) handle_.destroy();
  }

  // Hands the coroutine over to the caller, who destroys it.
  Handle release() noexcept {
    Handle h = handle_;
    handle_ = {};
    return h;
  }

 private:
  explicit Cycle(Handle h) noexcept : handle_(h) {}
  Handle handle_;
};

// `co_await CyclePause{ms}` inside a cycle: ms <= 0 goes on at once and lets no
// event through; otherwise the cycle is suspended and resumed no sooner than ms
// later, the window's events (further clicks included) being handled meanwhile.
struct CyclePause {
  int32_t ms;

  bool await_ready() const noexcept { return ms <= 0; }
  void await_suspend(Cycle::Handle h) const noexcept { h.promise().pause_ms = ms; }
  void await_resume() const noexcept {}
};

// Pushes the cycle on top of the stack and runs it up to its first pause or its
// end. Call on the window's thread.
void run_nested_cycle(Cycle cycle);

// Number of cycles on the stack, running or paused.
std::size_t cycles_on_stack();

// The monotonic clock pauses are measured with. Tests install a clock of their
// own; nullptr restores the steady clock.
using CycleClock = std::chrono::nanoseconds (*)();
void set_cycle_clock(CycleClock clock);

}  // namespace kelvora
