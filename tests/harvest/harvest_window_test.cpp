// The harvest run with the real main window behind the control surface: its
// calls cross from the worker threads to the window's thread.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <spawn.h>
#include <sys/wait.h>

#include <QLabel>
#include <QTest>
#include <atomic>
#include <chrono>
#include <functional>
#include <thread>

#include "app/main_window.h"
#include "harvest/harvest.h"
#include "harvest_fixture.h"
#include "loopback_site.h"
#include "support/temp_folder.h"
#include "web/encoding.h"

extern char** environ;

namespace kelvora {
namespace {

using testing::LoopbackSite;
using test_support::TempCurrentFolder;

// Lets the window's thread handle events until `done` holds or a minute passed.
bool serve_events_until(const std::function<bool()>& done) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::minutes(1);
  while (!done()) {
    if (std::chrono::steady_clock::now() > deadline) return false;
    QTest::qWait(5);
  }
  return true;
}

// Runs harvests on worker threads, one per host, while the window serves events.
void harvest_beside_window(const std::vector<std::string>& hosts, int32_t pause_ms) {
  std::atomic<size_t> finished{0};
  std::vector<std::thread> runs;
  for (const auto& host : hosts) {
    runs.emplace_back([&finished, host, pause_ms] {
      harvest_groups_at(host, pause_ms);
      ++finished;
    });
  }
  EXPECT_TRUE(serve_events_until([&] { return finished == hosts.size(); }));
  for (auto& run : runs) run.join();
}

QString hint_caption(const MainWindow& window) {
  return window.findChild<QLabel*>(QString::fromUtf8("提示"))->text();
}

TEST(HarvestIntoWindow, AppendsToTheListBoxShowsProgressAndSaves) {
  TempCurrentFolder folder;
  folder.write("weiqun.txt", earlier_list());
  MainWindow window;
  LoopbackSite site(failure_site);

  harvest_beside_window({site.host()}, 1);

  const Text expected = earlier_list() + failure_site_lines(site.host());
  EXPECT_EQ(window.list_text(), expected);
  EXPECT_EQ(folder.read("weiqun.txt"), expected);
  EXPECT_EQ(hint_caption(window), QString::fromUtf8("当前正才获取第10页，第1条数据，请耐心等待！"));
}

TEST(HarvestIntoWindow, TwoRunsTogetherLeaveWholeLinesAndTheLastSaveOnFile) {
  TempCurrentFolder folder;
  folder.write("weiqun.txt", earlier_list());
  MainWindow window;
  LoopbackSite first_site(failure_site);
  LoopbackSite second_site(failure_site);

  harvest_beside_window({first_site.host(), second_site.host()}, 2);

  const Text& list = window.list_text();
  EXPECT_TRUE(holds_two_whole_runs(list, first_site.host(), second_site.host()));
  EXPECT_EQ(folder.read("weiqun.txt"), list);
}

// The child process (shutdown_child.cpp) starts the program in a temporary
// folder, starts two runs, closes the window once a line has arrived and shuts
// down as the program does.
TEST(HarvestIntoWindow, ClosingTheWindowDuringRunsEndsTheProcessWithStatusZero) {
  TempCurrentFolder folder;
  folder.write("weiqun.txt", earlier_list());
  LoopbackSite site(failure_site);

  const std::string site_env = std::string(child_site_variable) + "=" + site.host();
  const std::string folder_env = std::string(child_folder_variable) + "=" + folder.path().string();
  std::vector<char*> env;
  for (char** entry = environ; *entry != nullptr; ++entry) env.push_back(*entry);
  env.push_back(const_cast<char*>(site_env.c_str()));
  env.push_back(const_cast<char*>(folder_env.c_str()));
  env.push_back(nullptr);
  char program[] = "/proc/self/exe";
  char* argv[] = {program, nullptr};
  pid_t child = 0;
  ASSERT_EQ(posix_spawn(&child, program, nullptr, nullptr, argv, env.data()), 0);

  // Each run would take more than 20 s with its 2000 ms pauses; the process
  // must not wait for them.
  int status = 0;
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(15);
  pid_t ended = 0;
  while ((ended = waitpid(child, &status, WNOHANG)) == 0 &&
         std::chrono::steady_clock::now() < deadline) {
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  if (ended == 0) {
    kill(child, SIGKILL);
    waitpid(child, &status, 0);
    FAIL() << "the program did not end after its window closed";
  }
  ASSERT_TRUE(WIFEXITED(status)) << "ended by signal " << WTERMSIG(status);
  EXPECT_EQ(WEXITSTATUS(status), 0);
  // The runs were under way, and both were cut off: they neither saved nor
  // reached page 2.
  EXPECT_THAT(site.request_targets(), ::testing::Contains(listing(1)));
  EXPECT_EQ(folder.read("weiqun.txt"), earlier_list());
  for (const auto& target : site.request_targets()) {
    EXPECT_THAT(target, ::testing::Not(::testing::HasSubstr("wxq-9-2-")));
  }
}

}  // namespace
}  // namespace kelvora
