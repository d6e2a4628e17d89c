// fetch_page against a bare libcurl loop: 1,000 sequential requests each for a
// 20 KB page from a loopback server, one easy handle per request in both. The
// two alternate request by request so that the machine's load falls on both
// alike; the benchmark prints the time per request of each and the ratio.
#include <benchmark/benchmark.h>
#include <curl/curl.h>
#include <httplib.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <thread>
#include <vector>

#include "web/fetch_page.h"

namespace {

using Clock = std::chrono::steady_clock;
constexpr int requests = 1000;
constexpr size_t page_size = 20 * 1024;
std::string page_address;

size_t append_body(char* data, size_t size, size_t count, void* body) {
  static_cast<std::string*>(body)->append(data, size * count);
  return size * count;
}

std::string bare_curl_get(const std::string& address) {
  std::string body;
  CURL* handle = curl_easy_init();
  curl_easy_setopt(handle, CURLOPT_URL, address.c_str());
  curl_easy_setopt(handle, CURLOPT_NOSIGNAL, 1L);
  curl_easy_setopt(handle, CURLOPT_NOPROXY, "*");
  curl_easy_setopt(handle, CURLOPT_WRITEFUNCTION, &append_body);
  curl_easy_setopt(handle, CURLOPT_WRITEDATA, &body);
  curl_easy_perform(handle);
  curl_easy_cleanup(handle);
  return body;
}

template <typename Request>
double timed_us(Request request, bool* short_page) {
  const auto start = Clock::now();
  const std::string body = request();
  const double us = std::chrono::duration<double, std::micro>(Clock::now() - start).count();
  if (body.size() != page_size) *short_page = true;
  return us;
}

double median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

struct Figures {
  double ours_mean = 0, bare_mean = 0, ours_median = 0, bare_median = 0;
} figures;

void fetch_page_beside_bare_libcurl(benchmark::State& state) {
  std::vector<double> ours, bare;
  bool short_page = false;
  for (auto _ : state) {
    auto fetch = [] { return kelvora::fetch_page(page_address); };
    auto plain = [] { return bare_curl_get(page_address); };
    // Alternate which goes first.
    if (ours.size() % 2 == 0) {
      ours.push_back(timed_us(fetch, &short_page));
      bare.push_back(timed_us(plain, &short_page));
    } else {
      bare.push_back(timed_us(plain, &short_page));
      ours.push_back(timed_us(fetch, &short_page));
    }
    state.SetIterationTime(ours.back() / 1e6);
  }
  if (short_page) state.SkipWithError("a request did not bring the whole page");
  auto mean = [](const std::vector<double>& v) {
    double sum = 0;
    for (double x : v) sum += x;
    return sum / static_cast<double>(v.size());
  };
  figures = {mean(ours), mean(bare), median(ours), median(bare)};
  state.counters["fetch_page_us"] = figures.ours_mean;
  state.counters["bare_libcurl_us"] = figures.bare_mean;
  state.counters["ratio"] = figures.ours_mean / figures.bare_mean;
}

}  // namespace

BENCHMARK(fetch_page_beside_bare_libcurl)
    ->Iterations(requests)
    ->UseManualTime()
    ->Unit(benchmark::kMicrosecond);

int main(int argc, char** argv) {
  curl_global_init(CURL_GLOBAL_DEFAULT);
  httplib::Server server;
  const std::string page(page_size, 'k');
  server.Get("/page", [&](const httplib::Request&, httplib::Response& response) {
    response.set_content(page, "text/html");
  });
  const int port = server.bind_to_any_port("127.0.0.1");
  std::thread serving([&] { server.listen_after_bind(); });
  page_address = "http://127.0.0.1:" + std::to_string(port) + "/page";

  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  server.stop();
  serving.join();

  if (figures.bare_mean > 0) {
    std::printf(
        "per request over %d requests: fetch_page mean %.1f us, median %.1f us; bare libcurl mean "
        "%.1f us, "
        "median %.1f us; ratio of means %.2f, of medians %.2f (target <= 1.30)\n",
        requests, figures.ours_mean, figures.ours_median, figures.bare_mean, figures.bare_median,
        figures.ours_mean / figures.bare_mean, figures.ours_median / figures.bare_median);
  }
  return 0;
}
