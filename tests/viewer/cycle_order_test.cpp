// The viewer cycle against a scripted window with a virtual clock: which
// groups are shown, with which hints, at which moment. Pictures come from a
// server on 127.0.0.1 through the real download.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "tests/viewer/cycle_steps.h"
#include "tests/viewer/picture_server.h"
#include "tests/viewer/scripted_window.h"
#include "viewer/cycle_stack.h"
#include "viewer/viewer_cycle.h"
#include "viewer/viewer_cycle_settings.h"
#include "web/encoding.h"

namespace kelvora::testing {
namespace {

PictureServer& picture_server() {
  static PictureServer server;
  return server;
}

// "@" in a list text stands for the picture server's address.
std::string with_server(const std::string& text) {
  const std::string base = picture_server().address("");
  std::string out;
  for (char c : text) {
    if (c == '@') {
      out += base;
    } else {
      out += c;
    }
  }
  return out;
}

struct Action {
  int64_t ms;
  std::function<void(ScriptedWindow&)> run;
};

Action click(int64_t ms) {
  return {ms, [](ScriptedWindow&) { show_next_group(); }};
}
Action set_interval(int64_t ms, std::string text) {
  return {ms, [text](ScriptedWindow& w) { w.interval = text; }};
}
Action set_ticked(int64_t ms, bool ticked) {
  return {ms, [ticked](ScriptedWindow& w) { w.auto_switch = ticked; }};
}
Action set_list(int64_t ms, std::string text) {
  return {ms, [text](ScriptedWindow& w) { w.list = with_server(text); }};
}
Action append_list(int64_t ms, std::string text) {
  return {ms, [text](ScriptedWindow& w) { w.list += with_server(text); }};
}

const std::string kThree = "A|@/A\r\nB|@/B\r\nC|@/C\r\n";
const std::string kFive = "A|@/A\r\nB|@/B\r\nC|@/C\r\nD|@/D\r\nE|@/E\r\n";

struct CycleCase {
  const char* name;
  std::string list;
  bool ticked;
  std::string interval;
  std::vector<Action> script;
  Log expected;
  int32_t cursor_after;
};

void PrintTo(const CycleCase& c, std::ostream* os) { *os << c.name; }

class ViewerCycle : public ::testing::TestWithParam<CycleCase> {};

TEST_P(ViewerCycle, ShowsGroupsInOrder) {
  const CycleCase& c = GetParam();
  ScriptedWindow window;
  window.list = with_server(c.list);
  window.auto_switch = c.ticked;
  window.interval = c.interval;
  for (const Action& action : c.script) window.at(action.ms, action.run);
  window.run();
  EXPECT_EQ(window.log, c.expected);
  EXPECT_EQ(group_cursor_value(), c.cursor_after);
  EXPECT_EQ(cycles_on_stack(), 0u);
}

// One step per line, so that the table reads as a time line.
// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Cases, ViewerCycle,
    ::testing::Values(
        CycleCase{"ThreeLinesFiveClicks", kThree, false, "3000",
                  {click(0), click(1000), click(2000), click(3000), click(4000)},
                  Steps()
                      .show(0, 1, "A").switched(500)
                      .show(1000, 2, "B").switched(1500)
                      .show(2000, 3, "C").switched(2500)
                      .untick(3000)
                      .show(4000, 1, "A").switched(4500)
                      .log(),
                  1},
        // The list ends in CR LF: after C the cycle passes the end.
        CycleCase{"AutomaticThroughTheList", kThree, true, "3000", {click(0)},
                  Steps()
                      .show(0, 1, "A").automatic(500)
                      .show(3500, 2, "B").automatic(4000)
                      .show(7000, 3, "C").automatic(7500)
                      .untick(10500)
                      .log(),
                  0},
        CycleCase{"TwoCrLfInARowGiveAnEmptyLine", "A|@/A\r\n\r\nB|@/B", true, "0", {click(0)},
                  Steps()
                      .show(0, 1, "A").automatic(500)
                      .show_empty_line(500, 2).automatic(1000)
                      .show(1000, 3, "B").automatic(1500)
                      .untick(1500)
                      .log(),
                  0},
        CycleCase{"LfOnlyListIsOneLine", "A|@/A\nB|@/B", false, "3000", {click(0), click(1000)},
                  Steps().show(0, 1, "A", "/B").switched(500).untick(1000).log(), 0},
        CycleCase{"TitleBeforeFirstBarAddressAfterLast", "a|b|@/c", false, "3000", {click(0)},
                  Steps().show(0, 1, "a", "/c").switched(500).log(), 1},
        CycleCase{"ClicksOnAnEmptyListAdvanceTheCursor", "", false, "3000",
                  {click(0), click(100), set_list(200, kFive), click(300)},
                  Steps().show(300, 3, "C").switched(800).log(), 3},
        CycleCase{"LinesAppendedDuringACycleAreShown", "A|@/A\r\n", true, "0",
                  {click(0), append_list(100, "B|@/B\r\n")},
                  Steps()
                      .show(0, 1, "A").automatic(500)
                      .show(500, 2, "B").automatic(1000)
                      .untick(1000)
                      .log(),
                  0},
        CycleCase{"IntervalIsReadAtEachWait", kThree, true, "3000",
                  {click(0), set_interval(1000, "100")},
                  Steps()
                      .show(0, 1, "A").automatic(500)
                      .show(3500, 2, "B").automatic(4000)
                      .show(4100, 3, "C").automatic(4600)
                      .untick(4700)
                      .log(),
                  0},
        CycleCase{"UntickingDuringAWaitShowsOneMoreGroup", kThree, true, "3000",
                  {click(0), set_ticked(1000, false)},
                  Steps().show(0, 1, "A").automatic(500).show(3500, 2, "B").switched(4000).log(),
                  2},
        // A click during the wait after line 2 nests a cycle that runs through
        // the rest of the list; the interrupted one then shows line 1.
        CycleCase{"ClickDuringAnAutomaticWaitNests", kFive, true, "3000", {click(0), click(5000)},
                  Steps()
                      .show(0, 1, "A").automatic(500)
                      .show(3500, 2, "B").automatic(4000)
                      .show(5000, 3, "C").automatic(5500)
                      .show(8500, 4, "D").automatic(9000)
                      .show(12000, 5, "E").automatic(12500)
                      .untick(15500)
                      .show(15500, 1, "A").switched(16000)
                      .log(),
                  1},
        // The interrupted fixed pause is over when the nested cycle ends, so
        // the outer cycle looks at the box at once.
        CycleCase{"ClickDuringTheFixedPauseNests", kThree, false, "3000", {click(0), click(200)},
                  Steps().show(0, 1, "A").show(200, 2, "B").switched(700).switched(700).log(), 2},
        // The nested cycle ends before the interrupted wait is up: the outer
        // cycle goes on only when its own time is up.
        CycleCase{"InterruptedWaitRunsToItsEnd", kThree, true, "3000",
                  {click(0), set_ticked(550, false), click(600)},
                  Steps()
                      .show(0, 1, "A").automatic(500)
                      .show(600, 2, "B").switched(1100)
                      .show(3500, 3, "C").switched(4000)
                      .log(),
                  3}),
    [](const auto& info) { return std::string(info.param.name); });
// clang-format on

struct IntervalCase {
  const char* name;
  std::string text;
  int64_t ms;  // the wait it gives, 0 for none
};

void PrintTo(const IntervalCase& c, std::ostream* os) { *os << c.name; }

class ViewerInterval : public ::testing::TestWithParam<IntervalCase> {};

TEST_P(ViewerInterval, FollowsTheNumberRule) {
  const int64_t wait = GetParam().ms;
  ScriptedWindow window;
  window.list = with_server("A|@/A\r\nB|@/B\r\n");
  window.auto_switch = true;
  window.interval = GetParam().text;
  window.at(0, [](ScriptedWindow&) { show_next_group(); });
  window.run();
  // clang-format off
  EXPECT_EQ(window.log, Steps()
                            .show(0, 1, "A").automatic(500)
                            .show(500 + wait, 2, "B").automatic(1000 + wait)
                            .untick(1000 + 2 * wait)
                            .log());
  // clang-format on
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ViewerInterval,
    ::testing::Values(IntervalCase{"Zero", "0", 0}, IntervalCase{"Negative", "-100", 0},
                      IntervalCase{"Letters", "abc", 0}, IntervalCase{"Empty", "", 0},
                      IntervalCase{"Decimal", "2.9", 2}, IntervalCase{"Unit", "2000ms", 2000},
                      IntervalCase{"LeadingSpace", " 70", 70},
                      IntervalCase{"FullWidthDigits", KELVORA_GBK("２０００"), 2000}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ViewerCycleHints, FirstStepHintReadsExactly) {
  ScriptedWindow window;
  window.list = with_server("A|@/A\r\n");
  window.at(0, [](ScriptedWindow&) { show_next_group(); });
  window.run();
  ASSERT_FALSE(window.log.empty());
  EXPECT_EQ(window.log.front(), "0 hint " + KELVORA_GBK("现在正打开第1条群二维码，请稍等!"));
}

// 10,000 clicks arrive during one pause. Each nests inside the one before, so
// all of them show their group first, in click order, and then end from the
// innermost out.
TEST(ViewerCycleNesting, TenThousandClicksDuringOnePauseRunInOrder) {
  constexpr int kClicks = 10'000;
  ScriptedWindow window;
  window.list = with_server(kThree);
  window.at(0, [](ScriptedWindow&) { show_next_group(); });
  for (int i = 0; i < kClicks; ++i) window.at(100, [](ScriptedWindow&) { show_next_group(); });
  window.run();

  std::vector<std::string> titles;
  int switched = 0;
  for (const std::string& entry : window.log) {
    if (entry.find(" info ") != std::string::npos) titles.push_back(entry.substr(entry.size() - 1));
    if (entry.ends_with(switched_hint())) ++switched;
  }
  std::vector<std::string> expected;
  for (int cursor = 0, i = 0; i <= kClicks; ++i) {
    if (++cursor > 3) {
      cursor = 0;
      continue;
    }
    expected.push_back(std::string(1, static_cast<char>('A' + cursor - 1)));
  }
  EXPECT_EQ(titles, expected);
  EXPECT_EQ(switched, static_cast<int>(expected.size()));
  EXPECT_EQ(window.log.back(), "600 hint " + switched_hint());
  EXPECT_EQ(cycles_on_stack(), 0u);
}

// Closing the window while cycles pause ends them at once, without a further
// download or control call.
TEST(ViewerCycleClosing, ClosingDuringAPauseEndsEveryCycleQuietly) {
  for (int64_t close_at : {200, 1000}) {  // in the fixed pause, in the interval wait
    SCOPED_TRACE(close_at);
    ScriptedWindow window;
    window.list = with_server(kThree);
    window.auto_switch = true;
    window.at(0, [](ScriptedWindow&) { show_next_group(); });
    window.at(100, [](ScriptedWindow&) { show_next_group(); });
    window.at(close_at, [](ScriptedWindow& w) {
      const int requests = picture_server().requests();
      w.close();
      EXPECT_EQ(cycles_on_stack(), 0u);
      EXPECT_EQ(picture_server().requests(), requests);
    });
    window.run();
    EXPECT_EQ(window.log.size(), close_at < 500 ? 6u : 7u);
    EXPECT_EQ(cycles_on_stack(), 0u);
  }
}

}  // namespace
}  // namespace kelvora::testing
