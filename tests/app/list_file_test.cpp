// The group list file: loading into the list box, the count in the hint, and
// saves that never leave a torn file.
#include "viewer/list_file.h"

#include <sys/stat.h>
#include <sys/wait.h>

#include <QLabel>
#include <csignal>
#include <thread>

#include "app/control_surface.h"
#include "app/main_window.h"
#include "app_test_support.h"

namespace kelvora {
namespace {

using namespace std::chrono_literals;
namespace fs = std::filesystem;

QString loading_hint(int count) {
  return QString::fromUtf8("恭喜导入数据成功啦！共%1条，点击开始获取开始工作！").arg(count);
}

class ListFileTest : public testing::Test {
 protected:
  test::TemporaryCurrentFolder folder_;
  fs::path list_file() const { return folder_.path() / "weiqun.txt"; }
  QString hint(MainWindow& window) { return test::find_control<QLabel>(window, "提示")->text(); }
};

TEST_F(ListFileTest, AbsentFileGivesAnEmptyListAndCountZero) {
  MainWindow window;
  EXPECT_EQ(get_list_text(), "");
  EXPECT_EQ(hint(window), loading_hint(0));
}

TEST_F(ListFileTest, FolderInPlaceOfTheFileGivesAnEmptyList) {
  fs::create_directory(list_file());
  MainWindow window;
  EXPECT_EQ(get_list_text(), "");
  EXPECT_EQ(hint(window), loading_hint(0));
}

struct LoadCase {
  const char* name;
  std::string bytes;
  int count;
};

const LoadCase kLoadCases[] = {
    {"two CR LF lines", "a|http://x/1.png\r\nb|http://x/2.png\r\n", 2},
    {"last line without line end", "a|http://x/1.png\r\nb|http://x/2.png", 2},
    {"nothing but CR LF", "\r\n", 1},
    {"LF-only lines", "a|1\nb|2\nc|3\n", 3},
    {"GBK title", "\xC4\xE3\xBA\xC3|http://x/q.png\r\n", 1},
    {"zero byte in the middle", std::string("a|1\r\n\0b|2\r\n", 11), 2},
    {"zero byte first", std::string("\0a|1\r\n", 6), 1},
    {"empty file", "", 0},
};

TEST_F(ListFileTest, LoadKeepsEveryByteAndSaveWritesThemBack) {
  for (const LoadCase& row : kLoadCases) {
    SCOPED_TRACE(row.name);
    test::write_file(list_file(), row.bytes);
    MainWindow window;
    EXPECT_EQ(get_list_text(), row.bytes);
    EXPECT_EQ(hint(window), loading_hint(row.count));

    fs::remove(list_file());
    save_group_list();
    EXPECT_EQ(test::read_file(list_file()), row.bytes);
  }
}

TEST_F(ListFileTest, CountLinesCountsLineFeedsAndAnUnendedLastLine) {
  EXPECT_EQ(count_lines(""), 0);
  EXPECT_EQ(count_lines("\n"), 1);
  EXPECT_EQ(count_lines("a"), 1);
  EXPECT_EQ(count_lines("a\r\nb\r"), 2);
  EXPECT_EQ(count_lines("\r\r\r"), 1);
}

TEST_F(ListFileTest, SaveOfAnEmptyListLeavesAnEmptyFileAndNoLeftovers) {
  test::write_file(list_file(), "old|1\r\n");
  MainWindow window;
  set_list_text("");
  save_group_list();
  EXPECT_TRUE(fs::exists(list_file()));
  EXPECT_EQ(fs::file_size(list_file()), 0u);
  EXPECT_EQ(std::distance(fs::directory_iterator(folder_.path()), fs::directory_iterator()), 1);
}

TEST_F(ListFileTest, FailedSaveIsSilentAndLeavesWhatWasThere) {
  fs::create_directory(list_file());  // cannot be replaced by a file
  test::write_file(list_file() / "inside", "x");
  MainWindow window;
  set_list_text("new|1\r\n");
  save_group_list();
  EXPECT_TRUE(fs::is_directory(list_file()));
  EXPECT_EQ(test::read_file(list_file() / "inside"), "x");
  EXPECT_EQ(std::distance(fs::directory_iterator(folder_.path()), fs::directory_iterator()), 1);
}

TEST_F(ListFileTest, SaveAfterTheWindowIsGoneLeavesTheFileAlone) {
  test::write_file(list_file(), "kept|1\r\n");
  { MainWindow window; }
  save_group_list();  // the list would read as empty now
  EXPECT_EQ(test::read_file(list_file()), "kept|1\r\n");
}

TEST_F(ListFileTest, SavesFromTwoWorkersTakeTurnsAndTheLastHasTheWholeList) {
  MainWindow window;
  std::atomic<int> finished{0};
  auto harvest_and_save = [&](std::string who) {
    for (int i = 0; i < 200; ++i) append_list_text({who, std::to_string(i), "|p", "\r\n"});
    save_group_list();
    ++finished;
  };
  std::thread first(harvest_and_save, "a"), second(harvest_and_save, "b");
  ASSERT_TRUE(test::handle_events_until([&] { return finished == 2; }));
  first.join();
  second.join();
  EXPECT_EQ(test::read_file(list_file()), get_list_text());
  EXPECT_EQ(count_lines(get_list_text()), 400);
}

// A surface that holds nothing but a list, for a child process that has no window.
class ListOnlySurface : public ControlSurface {
 public:
  explicit ListOnlySurface(Text list) : list_(std::move(list)) {}
  void set_hint_text(const Text&) override {}
  void set_info_text(const Text&) override {}
  Text get_list_text() override { return list_; }
  void set_list_text(const Text& text) override { list_ = text; }
  void append_list_text(std::span<const std::string_view>) override {}
  void set_qr_picture(const Bytes&) override {}
  bool get_auto_switch() override { return false; }
  void set_auto_switch(bool) override {}
  Text get_interval_text() override { return {}; }
  void pause_with_events(int32_t) override {}
  void call_after(int32_t, std::function<void()>) override {}

 private:
  Text list_;
};

Text numbered_lines(const std::string& prefix, size_t total_bytes) {
  Text list;
  list.reserve(total_bytes + 64);
  for (int i = 0; list.size() < total_bytes; ++i) {
    list +=
        prefix + std::to_string(i) + "|http://example.invalid/qr/" + std::to_string(i) + ".png\r\n";
  }
  return list;
}

// Size of the save's temporary file beside the list, or -1 while there is none.
long long temporary_size(const fs::path& folder) {
  for (const auto& entry : fs::directory_iterator(folder)) {
    if (entry.path().extension() == ".tmp") {
      std::error_code error;
      const auto size = fs::file_size(entry.path(), error);
      return error ? -1 : static_cast<long long>(size);
    }
  }
  return -1;
}

TEST_F(ListFileTest, SaveKilledAtAnyMomentLeavesTheOldOrTheNewFileWhole) {
  const Text old_list = numbered_lines("old", 1 << 20);
  const Text new_list = numbered_lines("new", 60 << 20);
  // Kill as soon as the temporary file appears, then part way through it.
  for (long long kill_at : {0LL, 8LL << 20, 30LL << 20, 55LL << 20}) {
    SCOPED_TRACE(kill_at);
    test::write_file(list_file(), old_list);
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      ListOnlySurface surface(new_list);
      set_control_surface(&surface);
      save_group_list();
      _exit(0);
    }
    const auto deadline = std::chrono::steady_clock::now() + 60s;
    bool reaped = false;
    while (!reaped && temporary_size(folder_.path()) < kill_at &&
           std::chrono::steady_clock::now() < deadline) {
      reaped = waitpid(child, nullptr, WNOHANG) == child;  // the save finished first
      std::this_thread::sleep_for(1ms);
    }
    if (!reaped) {
      kill(child, SIGKILL);
      waitpid(child, nullptr, 0);
    }

    const Text on_disk = test::read_file(list_file());
    EXPECT_TRUE(on_disk == old_list || on_disk == new_list) << "torn file of " << on_disk.size();
    for (const auto& entry : fs::directory_iterator(folder_.path())) {
      if (entry.path().extension() == ".tmp") fs::remove(entry.path());
    }
  }
}

}  // namespace
}  // namespace kelvora
