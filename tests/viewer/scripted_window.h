#pragma once
// A stand-in for the main window with a virtual clock: user actions and the
// cycle's resumptions run as events in the order of their virtual times, so
// tests can check the order and timing of steps exactly and instantly.
#include <chrono>
#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "app/control_surface.h"

namespace kelvora::testing {

class ScriptedWindow final : public ControlSurface {
 public:
  // Installs itself as the window and its clock as the cycles' clock.
  ScriptedWindow();
  ~ScriptedWindow() override;
  ScriptedWindow(const ScriptedWindow&) = delete;
  ScriptedWindow& operator=(const ScriptedWindow&) = delete;

  // Runs `action` as an event at virtual time `ms`.
  void at(int64_t ms, std::function<void(ScriptedWindow&)> action);
  // Handles events in time order until none are left.
  void run();
  // The window goes away: uninstalled, its pending events dropped unrun.
  void close();

  int64_t now_ms() const;
  std::size_t pending_events() const { return events_.size(); }

  // What the cycles did to the controls, in order: "<ms> hint <text>",
  // "<ms> info <text>", "<ms> picture <bytes>", "<ms> untick" / "<ms> tick".
  std::vector<std::string> log;
  Text list;
  Text interval = "3000";
  bool auto_switch = false;

  void set_hint_text(const Text& text) override;
  void set_info_text(const Text& text) override;
  Text get_list_text() override { return list; }
  void set_list_text(const Text& text) override { list = text; }
  void append_list_text(std::span<const std::string_view> texts) override;
  void set_qr_picture(const Bytes& picture) override;
  bool get_auto_switch() override { return auto_switch; }
  void set_auto_switch(bool ticked) override;
  Text get_interval_text() override { return interval; }
  void pause_with_events(int32_t ms) override;
  void call_after(int32_t ms, std::function<void()> task) override;

 private:
  void record(const std::string& what, const std::string& value);

  // Keyed by (virtual time, arrival), so events of the same time keep their order.
  std::map<std::pair<int64_t, uint64_t>, std::function<void()>> events_;
  uint64_t arrivals_ = 0;
  bool open_ = true;
};

}  // namespace kelvora::testing
