// The control surface across threads, the waiting services, and what happens
// once the window is gone.
#include "app/control_surface.h"

#include <sys/resource.h>

#include <QCheckBox>
#include <QTimer>
#include <atomic>
#include <future>
#include <thread>

#include "app/main_window.h"
#include "app_test_support.h"
#include "text/pending_events.h"

namespace kelvora {
namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

class ControlSurfaceTest : public testing::Test {
 protected:
  test::TemporaryCurrentFolder folder_;
  std::unique_ptr<MainWindow> window_ = std::make_unique<MainWindow>();

  QCheckBox* check_box() { return test::find_control<QCheckBox>(*window_, "选择框1"); }
  // A click waiting in the queue, as if the user had just made it.
  void queue_click() {
    QMetaObject::invokeMethod(check_box(), &QCheckBox::click, Qt::QueuedConnection);
  }
};

TEST_F(ControlSurfaceTest, PauseOfZeroOrLessHandlesNoEvent) {
  for (int32_t ms : {0, -5}) {
    SCOPED_TRACE(ms);
    set_auto_switch(false);
    queue_click();
    pause_with_events(ms);
    EXPECT_FALSE(check_box()->isChecked());
    QCoreApplication::processEvents();  // the click was there all along
    EXPECT_TRUE(check_box()->isChecked());
  }
}

TEST_F(ControlSurfaceTest, PauseLastsAtLeastItsTimeAndHandlesClicksMeanwhile) {
  QTimer::singleShot(100, check_box(), &QCheckBox::click);
  const Clock::time_point start = Clock::now();
  pause_with_events(500);
  EXPECT_GE(Clock::now() - start, 500ms);
  EXPECT_TRUE(check_box()->isChecked());
}

TEST_F(ControlSurfaceTest, PauseLeavesTheProcessorIdle) {
  auto cpu_time = [] {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return std::chrono::seconds(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           std::chrono::microseconds(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec);
  };
  const auto before = cpu_time();
  pause_with_events(2000);
  EXPECT_LT(cpu_time() - before, 100ms);  // under 5% of the 2 s
}

TEST_F(ControlSurfaceTest, PendingEventsAreHandledOnTheWindowThreadOnly) {
  queue_click();
  std::thread([] { process_pending_events(); }).join();
  EXPECT_FALSE(check_box()->isChecked());
  process_pending_events();
  EXPECT_TRUE(check_box()->isChecked());
}

TEST_F(ControlSurfaceTest, AppendsFromTwoThreadsAtOnceKeepEveryLineWhole) {
  constexpr int kLines = 3000;
  std::atomic<int> finished{0};
  auto append_lines = [&](std::string who) {
    for (int i = 0; i < kLines; ++i) {
      const std::string title = who + std::to_string(i);
      const std::string address = "http://" + who + "/" + std::to_string(i) + ".png";
      append_list_text({title, "|", address, "\r\n"});
    }
    ++finished;
  };
  std::thread first(append_lines, "a"), second(append_lines, "b");
  ASSERT_TRUE(test::handle_events_until([&] { return finished == 2; }));
  first.join();
  second.join();

  const Text list = get_list_text();
  int next[2] = {0, 0};
  size_t at = 0;
  while (at < list.size()) {
    const size_t end = list.find("\r\n", at);
    ASSERT_NE(end, Text::npos);
    const std::string line = list.substr(at, end - at);
    const int who = line[0] == 'a' ? 0 : 1;
    const std::string name(1, line[0]);
    const std::string i = std::to_string(next[who]++);
    ASSERT_EQ(line, name + i + "|http://" + name + "/" + i + ".png");
    at = end + 2;
  }
  EXPECT_EQ(next[0], kLines);
  EXPECT_EQ(next[1], kLines);
}

TEST_F(ControlSurfaceTest, DeferredTaskRunsLaterOnTheWindowThreadAndDiesWithTheWindow) {
  std::atomic<bool> ran{false};
  std::thread::id ran_on;
  std::thread([&] {
    call_after(20, [&] {
      ran_on = std::this_thread::get_id();
      ran = true;
    });
  }).join();
  ASSERT_TRUE(test::handle_events_until([&] { return ran.load(); }));
  EXPECT_EQ(ran_on, std::this_thread::get_id());

  bool dropped_ran = false;
  call_after(20, [&] { dropped_ran = true; });
  window_->close();
  test::handle_events_until([] { return false; }, 200ms);
  EXPECT_FALSE(dropped_ran);
}

TEST_F(ControlSurfaceTest, CallsAfterTheWindowIsGoneReturnWithoutEffect) {
  set_list_text("kept\r\n");
  // A worker that is waiting for the window's thread when the window goes away
  // is released without its call running.
  std::promise<Text> seen_by_worker;
  std::atomic<bool> calling{false};
  std::thread worker([&] {
    calling = true;
    seen_by_worker.set_value(get_list_text());
  });
  while (!calling) std::this_thread::yield();
  window_->close();
  auto answer = seen_by_worker.get_future();
  ASSERT_EQ(answer.wait_for(10s), std::future_status::ready);
  worker.join();
  EXPECT_EQ(answer.get(), "");  // this thread handled no event, so it never ran
  EXPECT_FALSE(window_is_open());

  window_.reset();
  auto every_call = [] {
    set_hint_text("x");
    set_info_text("x");
    set_list_text("x");
    append_list_text({"x", "\r\n"});
    set_qr_picture("x");
    set_auto_switch(true);
    EXPECT_EQ(get_list_text(), "");
    EXPECT_FALSE(get_auto_switch());
    EXPECT_EQ(get_interval_text(), "");
    call_after(0, [] { ADD_FAILURE() << "a task ran without a window"; });
  };
  every_call();
  auto from_worker = std::async(std::launch::async, every_call);
  ASSERT_EQ(from_worker.wait_for(10s), std::future_status::ready);
  test::handle_events_until([] { return false; }, 100ms);
}

}  // namespace
}  // namespace kelvora
