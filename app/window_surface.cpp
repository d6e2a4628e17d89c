#include "app/window_surface.h"

#include <QCoreApplication>
#include <QThread>
#include <QTimer>
#include <memory>

#include "app/main_window.h"
#include "app/shell_services.h"

namespace kelvora {

WindowSurface& WindowSurface::instance() {
  // Leaked on purpose: worker threads may still call it while the process ends.
  static auto* surface = new WindowSurface;
  return *surface;
}

void WindowSurface::attach(MainWindow* window) {
  {
    std::lock_guard lock(mutex_);
    window_ = window;
    ++generation_;
  }
  call_finished_.notify_all();
  set_control_surface(this);
  // With a window there are events to hand out: process_pending_events now does so.
  install_pending_events_hook();
}

void WindowSurface::detach(MainWindow* window) {
  {
    std::lock_guard lock(mutex_);
    if (window_ != window) return;
    window_ = nullptr;
    ++generation_;
  }
  call_finished_.notify_all();
  set_control_surface(nullptr);
}

bool WindowSurface::on_window_thread() const {
  const QCoreApplication* app = QCoreApplication::instance();
  return app != nullptr && QThread::currentThread() == app->thread();
}

bool WindowSurface::run_on_window(const std::function<void(MainWindow&)>& operation) {
  if (on_window_thread()) {
    // window_ only changes on this thread, so it can be read without the lock.
    if (window_ == nullptr) return false;
    operation(*window_);
    return true;
  }

  struct Call {
    bool finished = false;
  };
  auto call = std::make_shared<Call>();
  std::unique_lock lock(mutex_);
  if (window_ == nullptr) return false;
  const uint64_t generation = generation_;
  // The posted call belongs to the window: if the window is destroyed first,
  // Qt drops it unrun. The caller waits below until it has run or the window
  // has gone, so `operation` and what it refers to outlive its run.
  QMetaObject::invokeMethod(
      window_,
      [this, call, generation, &operation] {
        MainWindow* window = nullptr;
        {
          std::lock_guard inner(mutex_);
          if (generation_ != generation) return;  // caller already released
          window = window_;
        }
        operation(*window);
        {
          std::lock_guard inner(mutex_);
          call->finished = true;
        }
        call_finished_.notify_all();
      },
      Qt::QueuedConnection);
  call_finished_.wait(lock, [&] { return call->finished || generation_ != generation; });
  return call->finished;
}

void WindowSurface::set_hint_text(const Text& text) {
  run_on_window([&](MainWindow& w) { w.set_hint_text(text); });
}

void WindowSurface::set_info_text(const Text& text) {
  run_on_window([&](MainWindow& w) { w.set_info_text(text); });
}

Text WindowSurface::get_list_text() {
  Text result;
  run_on_window([&](MainWindow& w) { result = w.list_text(); });
  return result;
}

void WindowSurface::set_list_text(const Text& text) {
  run_on_window([&](MainWindow& w) { w.set_list_text(text); });
}

void WindowSurface::append_list_text(std::span<const std::string_view> texts) {
  run_on_window([&](MainWindow& w) { w.append_list_text(texts); });
}

void WindowSurface::set_qr_picture(const Bytes& picture) {
  run_on_window([&](MainWindow& w) { w.set_qr_picture(picture); });
}

bool WindowSurface::get_auto_switch() {
  bool ticked = false;
  run_on_window([&](MainWindow& w) { ticked = w.auto_switch(); });
  return ticked;
}

void WindowSurface::set_auto_switch(bool ticked) {
  run_on_window([&](MainWindow& w) { w.set_auto_switch(ticked); });
}

Text WindowSurface::get_interval_text() {
  Text text;
  run_on_window([&](MainWindow& w) { text = w.interval_text(); });
  return text;
}

void WindowSurface::pause_with_events(int32_t ms) {
  if (ms <= 0) return;
  MainWindow* window = on_window_thread() ? window_ : nullptr;
  if (window == nullptr) {
    QThread::msleep(static_cast<unsigned long>(ms));
    return;
  }
  pause_handling_events(ms, window);
}

void WindowSurface::call_after(int32_t ms, std::function<void()> task) {
  // The timer belongs to the window, so it dies with it, and the generation
  // check drops it once the window it was meant for has closed.
  auto start_timer = [this, ms, task = std::move(task)](MainWindow& window, uint64_t generation) {
    QTimer::singleShot(std::max<int32_t>(ms, 0), Qt::PreciseTimer, &window,
                       [this, generation, task] {
                         if (generation_ == generation) task();
                       });
  };
  if (on_window_thread()) {
    if (window_ != nullptr) start_timer(*window_, generation_);
    return;
  }
  std::lock_guard lock(mutex_);
  if (window_ == nullptr) return;
  MainWindow* window = window_;
  const uint64_t generation = generation_;
  QMetaObject::invokeMethod(
      window, [window, generation, start_timer] { start_timer(*window, generation); },
      Qt::QueuedConnection);
}

}  // namespace kelvora
