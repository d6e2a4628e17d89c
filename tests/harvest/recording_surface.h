#pragma once
// A stand-in for the window's control surface that keeps the list and the
// hint and records every hint and pause, safe to call from any thread.
#include <chrono>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "app/control_surface.h"

namespace kelvora::testing {

class RecordingSurface : public ControlSurface {
 public:
  explicit RecordingSurface(Text list = {}, Text hint = {})
      : list_(std::move(list)), hint_(std::move(hint)) {}

  void set_hint_text(const Text& text) override {
    std::lock_guard lock(mutex_);
    hint_ = text;
    hints_.push_back(text);
  }
  void set_info_text(const Text&) override {}
  Text get_list_text() override {
    std::lock_guard lock(mutex_);
    return list_;
  }
  void set_list_text(const Text& text) override {
    std::lock_guard lock(mutex_);
    list_ = text;
  }
  void append_list_text(std::span<const std::string_view> texts) override {
    std::lock_guard lock(mutex_);
    for (auto text : texts) list_ += text;
    ++appends_;
  }
  void set_qr_picture(const Bytes&) override {}
  bool get_auto_switch() override { return false; }
  void set_auto_switch(bool) override {}
  Text get_interval_text() override { return "3000"; }
  void pause_with_events(int32_t ms) override {
    {
      std::lock_guard lock(mutex_);
      pauses_.push_back(ms);
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
  }
  void call_after(int32_t, std::function<void()>) override {}

  Text hint() const { return locked(hint_); }
  std::vector<Text> hints() const { return locked(hints_); }
  std::vector<int32_t> pauses() const { return locked(pauses_); }
  int appends() const { return locked(appends_); }

 private:
  template <typename T>
  T locked(const T& value) const {
    std::lock_guard lock(mutex_);
    return value;
  }

  mutable std::mutex mutex_;
  Text list_;
  Text hint_;
  std::vector<Text> hints_;
  std::vector<int32_t> pauses_;
  int appends_ = 0;
};

// Installs a surface for the life of the object.
class InstalledSurface {
 public:
  explicit InstalledSurface(ControlSurface& surface) { set_control_surface(&surface); }
  ~InstalledSurface() { set_control_surface(nullptr); }
};

}  // namespace kelvora::testing
