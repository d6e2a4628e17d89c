#pragma once
// The control surface of the main window.
//
// One surface object lives for the whole process; a window attaches itself
// when it is created and detaches when it is closed or destroyed. Calls from
// the window's thread run directly. Calls from another thread are posted to the
// window's thread and the caller waits until they have run there; when the
// window goes away meanwhile, every waiting caller is released and the posted
// call never runs. Without a window, calls do nothing.
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>

#include "app/control_surface.h"

namespace kelvora {

class MainWindow;

class WindowSurface final : public ControlSurface {
 public:
  // The one surface of the process; never destroyed.
  static WindowSurface& instance();

  // Window's thread only. attach also installs the surface; detach (for a
  // window that is not attached, a no-op) uninstalls it and releases waiting callers.
  void attach(MainWindow* window);
  void detach(MainWindow* window);

  void set_hint_text(const Text& text) override;
  void set_info_text(const Text& text) override;
  Text get_list_text() override;
  void set_list_text(const Text& text) override;
  void append_list_text(std::span<const std::string_view> texts) override;
  void set_qr_picture(const Bytes& picture) override;
  bool get_auto_switch() override;
  void set_auto_switch(bool ticked) override;
  Text get_interval_text() override;
  void pause_with_events(int32_t ms) override;
  void call_after(int32_t ms, std::function<void()> task) override;

 private:
  WindowSurface() = default;

  // Runs `operation` with the window on the window's thread, waiting for it
  // when called from elsewhere. False, without running it, when there is no window.
  bool run_on_window(const std::function<void(MainWindow&)>& operation);
  bool on_window_thread() const;

  std::mutex mutex_;
  std::condition_variable call_finished_;
  MainWindow* window_ = nullptr;  // written on the window's thread under mutex_
  uint64_t generation_ = 0;       // changes whenever a window attaches or detaches
};

}  // namespace kelvora
