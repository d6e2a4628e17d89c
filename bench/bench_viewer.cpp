// The viewer's figures:
//  1. Locating line 1 and line 1,000,000 of a list of 1,000,000 lines (about
//     60 MB), beside a memchr scan for LF over the same bytes up to that line,
//     in one run; printed as a ratio (target: at most 2).
//  2. The growth of the resident set over 10,000 automatic steps of one cycle
//     (interval 0, pictures downloaded from 127.0.0.1), run against a minimal
//     surface whose event loop runs on a virtual clock (target: under 1 MB).
#include <benchmark/benchmark.h>
#include <httplib.h>

#include <cstdio>
#include <cstring>
#include <deque>
#include <fstream>
#include <map>
#include <string>
#include <thread>

#include "app/control_surface.h"
#include "viewer/cycle_stack.h"
#include "viewer/list_lines.h"
#include "viewer/viewer_cycle.h"
#include "viewer/viewer_cycle_settings.h"

namespace kelvora {
namespace {

constexpr int32_t kListLines = 1'000'000;

// A GBK title (two-byte characters right before the bar), a bar, an address, CR LF.
std::string make_list(int32_t lines, const std::string& host) {
  std::string list;
  list.reserve(static_cast<std::size_t>(lines) * 62);
  char number[16];
  for (int32_t i = 1; i <= lines; ++i) {
    std::snprintf(number, sizeof number, "%07d", i);
    list += "\xCE\xA2\xD0\xC5\xC8\xBA";  // 微信群
    list += number;
    list += "\xBA\xC5|http://" + host + "/qr/";  // 号
    list += number;
    list += ".png\r\n";
  }
  return list;
}

const std::string& big_list() {
  static const std::string list = make_list(kListLines, "127.0.0.1:1");
  return list;
}

// The baseline: the end of line n found by a memchr scan for LF, over the
// same bytes that locating the line has to pass. Kept out of line, as the
// locator is a call into the core library too.
[[gnu::noinline]] std::size_t memchr_line_end(const std::string& list, int32_t n) {
  const char* begin = list.data();
  const char* end = begin + list.size();
  const char* p = begin;
  for (int32_t i = 1; i <= n; ++i) {
    p = static_cast<const char*>(std::memchr(p, '\n', static_cast<std::size_t>(end - p))) + 1;
  }
  return static_cast<std::size_t>(p - begin);
}

void BM_LocateLine(benchmark::State& state) {
  const std::string& list = big_list();
  const auto n = static_cast<int32_t>(state.range(0));
  for (auto _ : state) benchmark::DoNotOptimize(find_list_line(list, n));
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                          static_cast<int64_t>(memchr_line_end(list, n)));
}

void BM_MemchrLfScan(benchmark::State& state) {
  const std::string& list = big_list();
  const auto n = static_cast<int32_t>(state.range(0));
  for (auto _ : state) benchmark::DoNotOptimize(memchr_line_end(list, n));
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                          static_cast<int64_t>(memchr_line_end(list, n)));
}

BENCHMARK(BM_LocateLine)->Arg(1)->Arg(kListLines)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_MemchrLfScan)->Arg(1)->Arg(kListLines)->Unit(benchmark::kMicrosecond);

// Keeps each run's time per iteration, to print the ratios after the table.
class RatioReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    // Processor time: the machine is shared, so wall time carries others' load.
    for (const Run& run : runs) times[run.benchmark_name()] = run.GetAdjustedCPUTime();
    ConsoleReporter::ReportRuns(runs);
  }
  std::map<std::string, double> times;
};

// A surface with nothing but the state the cycle uses, and an event loop of
// its own on a virtual clock so that 10,000 steps take no real waiting.
int64_t virtual_ns = 1'000'000'000;
std::chrono::nanoseconds virtual_now() { return std::chrono::nanoseconds(virtual_ns); }

class MinimalSurface final : public ControlSurface {
 public:
  void set_hint_text(const Text&) override {}
  void set_info_text(const Text&) override {}
  Text get_list_text() override { return list; }
  void set_list_text(const Text& text) override { list = text; }
  void append_list_text(std::span<const std::string_view>) override {}
  void set_qr_picture(const Bytes& picture) override {
    if (picture.empty()) ++empty_pictures;
    if (++steps == 1'000) rss_after_warm_up = resident_kb();
  }
  bool get_auto_switch() override { return true; }
  void set_auto_switch(bool) override {}
  Text get_interval_text() override { return "0"; }
  void pause_with_events(int32_t) override {}
  void call_after(int32_t ms, std::function<void()> task) override {
    queue.emplace_back(virtual_ns + int64_t{ms} * 1'000'000, std::move(task));
  }

  void run_events() {
    while (!queue.empty()) {
      auto [due, task] = std::move(queue.front());
      queue.pop_front();
      virtual_ns = std::max(virtual_ns, due);
      task();
    }
  }

  static long resident_kb() {
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);) {
      if (line.rfind("VmRSS:", 0) == 0) return std::stol(line.substr(6));
    }
    return -1;
  }

  Text list;
  std::deque<std::pair<int64_t, std::function<void()>>> queue;
  int steps = 0;
  int empty_pictures = 0;
  long rss_after_warm_up = 0;
};

void measure_step_memory() {
  constexpr int kSteps = 10'000;
  httplib::Server server;
  const std::string picture(20'000, 'Q');
  server.Get(".*", [&](const httplib::Request&, httplib::Response& response) {
    response.set_content(picture, "image/png");
  });
  const int port = server.bind_to_any_port("127.0.0.1");
  std::thread listener([&] { server.listen_after_bind(); });
  while (!server.is_running()) std::this_thread::yield();

  MinimalSurface surface;
  surface.list = make_list(kSteps, "127.0.0.1:" + std::to_string(port));
  set_control_surface(&surface);
  set_cycle_clock(&virtual_now);
  const long before = MinimalSurface::resident_kb();
  show_next_group();
  surface.run_events();
  const long after = MinimalSurface::resident_kb();
  set_control_surface(nullptr);
  set_cycle_clock(nullptr);
  server.stop();
  listener.join();

  std::printf(
      "\nRSS over %d automatic steps (interval 0, %zu-byte pictures from 127.0.0.1):\n"
      "  before the cycle %ld KB, after 1,000 steps %ld KB, after %d steps %ld KB\n"
      "  growth over the last %d steps: %ld KB (target < 1024 KB); cycles left %zu, "
      "failed downloads %d\n",
      surface.steps, picture.size(), before, surface.rss_after_warm_up, surface.steps, after,
      surface.steps - 1'000, after - surface.rss_after_warm_up, cycles_on_stack(),
      surface.empty_pictures);
}

}  // namespace
}  // namespace kelvora

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  kelvora::big_list();  // built once, outside the timings
  kelvora::RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  for (const char* line : {"1", "1000000"}) {
    const double ours = reporter.times["BM_LocateLine/" + std::string(line)];
    const double base = reporter.times["BM_MemchrLfScan/" + std::string(line)];
    if (ours > 0 && base > 0) {
      const bool long_scan = base >= 1000.0;  // microseconds
      const double scale = long_scan ? 1e-3 : 1e3;
      const char* unit = long_scan ? "ms" : "ns";
      std::printf(
          "line %s: locate %.1f %s, memchr LF scan %.1f %s (CPU time), ratio %.2f "
          "(target <= 2)\n",
          line, ours * scale, unit, base * scale, unit, ours / base);
    }
  }
  kelvora::measure_step_memory();
  benchmark::Shutdown();
  return 0;
}
