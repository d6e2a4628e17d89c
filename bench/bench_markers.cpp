// all_texts_between on a 10 MB listing page with 50,000 group items, beside
// glibc memmem finding every start marker in the same buffer. Prints MB/s of
// both and their ratio.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "text/markers.h"

namespace {

constexpr const char* kStartMarker = "<div class=\"dt bb1\"><a href=\"";
constexpr const char* kEndMarker = "\"><img";
constexpr size_t kItems = 50000;
constexpr size_t kPageBytes = 10 * 1000 * 1000;

std::string gbk_title(std::mt19937& random) {
  std::string title;
  size_t characters = 4 + random() % 9;
  for (size_t i = 0; i < characters; ++i) {
    title.push_back(static_cast<char>(0xB0 + random() % 0x28));  // GB2312 Chinese rows
    title.push_back(static_cast<char>(0xA1 + random() % 0x5E));
  }
  return title;
}

// A listing page as the directory site serves it (after decoding to GBK):
// a header, one block per group with its link, picture, title and a few
// lines of markup, padded so the page reaches 10 MB.
std::string listing_page() {
  std::mt19937 random(42);
  std::string page =
      "<!DOCTYPE html>\n<html><head><meta charset=\"utf-8\"><title>\xCE\xA2\xD0\xC5\xC8\xBA"
      "</title>\n<link rel=\"stylesheet\" href=\"/css/main.css\"></head>\n<body>\n"
      "<div class=\"nav\"><a href=\"/\">home</a> | <a href=\"/list/1.html\">list</a></div>\n"
      "<div class=\"content\">\n";
  const size_t item_bytes = kPageBytes / kItems;
  for (size_t i = 0; i < kItems; ++i) {
    size_t begin = page.size();
    std::string id = std::to_string(100000 + i);
    std::string title = gbk_title(random);
    page += "<div class=\"item\">";
    page += kStartMarker;
    page += "/group/" + id + ".html";
    page += kEndMarker;
    page += " src=\"/qr/" + id + ".jpg\" alt=\"" + title + "\"></a>\n";
    page += "<p class=\"tt\">" + title + "</p>";
    while (page.size() - begin + 7 + 8 <= item_bytes) page += "<i> </i>";
    size_t used = page.size() - begin + 7;  // with the closing tag below
    if (used < item_bytes) page.append(item_bytes - used, ' ');
    page += "</div>\n";
  }
  page += "</div>\n<div class=\"pages\"><a href=\"/list/2.html\">next</a></div>\n</body></html>\n";
  return page;
}

const std::string& page() {
  static const std::string text = listing_page();
  return text;
}

void BM_MemmemStartMarker(benchmark::State& state) {
  const std::string& text = page();
  const size_t marker_length = std::strlen(kStartMarker);
  size_t found = 0;
  for (auto _ : state) {
    found = 0;
    const char* cursor = text.data();
    const char* end = text.data() + text.size();
    while (const void* hit = memmem(cursor, static_cast<size_t>(end - cursor), kStartMarker,
                                    marker_length)) {
      ++found;
      cursor = static_cast<const char*>(hit) + marker_length;
    }
    benchmark::DoNotOptimize(found);
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
  state.counters["items"] = static_cast<double>(found);
}
BENCHMARK(BM_MemmemStartMarker)->Unit(benchmark::kMillisecond);

void BM_AllTextsBetween(benchmark::State& state) {
  const std::string& text = page();
  std::vector<kelvora::Text> pieces;
  for (auto _ : state) {
    kelvora::all_texts_between(text, kStartMarker, kEndMarker, pieces);
    benchmark::DoNotOptimize(pieces.data());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
  state.counters["items"] = static_cast<double>(pieces.size());
}
BENCHMARK(BM_AllTextsBetween)->Unit(benchmark::kMillisecond);

// Keeps each benchmark's throughput so the ratio can be printed at the end.
class ThroughputReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs) {
      auto rate = run.counters.find("bytes_per_second");
      if (rate == run.counters.end()) continue;
      mb_per_second[run.run_name.function_name] = rate->second / 1e6;
    }
  }
  std::map<std::string, double> mb_per_second;
};

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  std::printf("listing page: %zu bytes, %zu items\n", page().size(), kItems);
  ThroughputReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  auto& rates = reporter.mb_per_second;
  if (rates.count("BM_MemmemStartMarker") && rates.count("BM_AllTextsBetween")) {
    double baseline = rates["BM_MemmemStartMarker"];
    double measured = rates["BM_AllTextsBetween"];
    std::printf("memmem start marker: %.0f MB/s\nall_texts_between:   %.0f MB/s\n", baseline,
                measured);
    std::printf("ratio all_texts_between / memmem: %.2f (target at least 0.25)\n",
                measured / baseline);
  }
  benchmark::Shutdown();
  return 0;
}
