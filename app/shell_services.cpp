#include "app/shell_services.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QThread>
#include <QTimer>
#include <chrono>

#include "app/main_window.h"
#include "text/pending_events.h"

namespace kelvora {

namespace {

void handle_queued_events() {
  const QCoreApplication* app = QCoreApplication::instance();
  if (app == nullptr || QThread::currentThread() != app->thread()) return;
  QCoreApplication::processEvents();
}

}  // namespace

void install_pending_events_hook() { set_pending_events_hook(handle_queued_events); }

void pause_handling_events(int32_t ms, MainWindow* window) {
  using Clock = std::chrono::steady_clock;
  const Clock::time_point deadline = Clock::now() + std::chrono::milliseconds(ms);
  bool ended_early = false;
  QEventLoop loop;
  // A nested loop ends on QCoreApplication::exit too; then the pause ends with it.
  QObject::connect(window, &MainWindow::closed, &loop, [&] {
    ended_early = true;
    loop.quit();
  });
  while (!ended_early) {
    const Clock::duration left = deadline - Clock::now();
    if (left <= Clock::duration::zero()) return;
    // Round up so that the timer never fires before the deadline.
    const auto left_ms = std::chrono::ceil<std::chrono::milliseconds>(left).count();
    bool timer_fired = false;
    QTimer timer;
    timer.setSingleShot(true);
    timer.setTimerType(Qt::PreciseTimer);
    QObject::connect(&timer, &QTimer::timeout, &loop, [&] {
      timer_fired = true;
      loop.quit();
    });
    timer.start(static_cast<int>(left_ms));
    loop.exec();
    if (!timer_fired) return;  // closed window or application quit
  }
}

}  // namespace kelvora
