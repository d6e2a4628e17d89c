#include "tests/viewer/scripted_window.h"

#include <gtest/gtest.h>

#include "viewer/cycle_stack.h"
#include "viewer/viewer_cycle_settings.h"

namespace kelvora::testing {

namespace {

// Virtual nanoseconds; starts well after 0 so that nothing is due before it.
int64_t virtual_time_ns = 1'000'000'000;

std::chrono::nanoseconds virtual_now() { return std::chrono::nanoseconds(virtual_time_ns); }

constexpr int64_t kStart = 1'000'000'000;
constexpr int64_t kNanosPerMs = 1'000'000;

}  // namespace

ScriptedWindow::ScriptedWindow() {
  virtual_time_ns = kStart;
  set_cycle_clock(&virtual_now);
  reset_group_cursor();
  set_control_surface(this);
}

ScriptedWindow::~ScriptedWindow() {
  close();
  set_cycle_clock(nullptr);
}

void ScriptedWindow::at(int64_t ms, std::function<void(ScriptedWindow&)> action) {
  events_.emplace(std::pair(kStart + ms * kNanosPerMs, arrivals_++),
                  [this, action = std::move(action)] { action(*this); });
}

void ScriptedWindow::run() {
  // Far more than any test needs; stops a cycle that never ends.
  for (int handled = 0; handled < 10'000'000 && !events_.empty(); ++handled) {
    auto next = events_.begin();
    virtual_time_ns = std::max(virtual_time_ns, next->first.first);
    std::function<void()> event = std::move(next->second);
    events_.erase(next);
    event();
  }
  EXPECT_TRUE(events_.empty()) << "events still pending";
}

void ScriptedWindow::close() {
  if (!open_) return;
  open_ = false;
  set_control_surface(nullptr);
  auto dropped = std::move(events_);
  events_.clear();
  dropped.clear();
}

int64_t ScriptedWindow::now_ms() const { return (virtual_time_ns - kStart) / kNanosPerMs; }

void ScriptedWindow::record(const std::string& what, const std::string& value) {
  log.push_back(std::to_string(now_ms()) + " " + what + value);
}

void ScriptedWindow::set_hint_text(const Text& text) { record("hint ", text); }
void ScriptedWindow::set_info_text(const Text& text) { record("info ", text); }
void ScriptedWindow::set_qr_picture(const Bytes& picture) { record("picture ", picture); }

void ScriptedWindow::set_auto_switch(bool ticked) {
  auto_switch = ticked;
  record(ticked ? "tick" : "untick", "");
}

void ScriptedWindow::append_list_text(std::span<const std::string_view> texts) {
  for (std::string_view text : texts) list.append(text);
}

void ScriptedWindow::pause_with_events(int32_t ms) {
  if (ms > 0) virtual_time_ns += ms * kNanosPerMs;
}

void ScriptedWindow::call_after(int32_t ms, std::function<void()> task) {
  if (!open_) return;
  events_.emplace(std::pair(virtual_time_ns + int64_t{ms} * kNanosPerMs, arrivals_++),
                  std::move(task));
}

}  // namespace kelvora::testing
