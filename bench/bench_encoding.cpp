// utf8_to_gbk on 10 MB of page-like UTF-8 (markup in ASCII around Chinese
// text) beside glibc's iconv converting the same bytes to GBK, in MB/s, and
// the ratio of the two.
#include <benchmark/benchmark.h>
#include <iconv.h>

#include <cstdio>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "web/encoding.h"

namespace {

constexpr std::size_t kInputBytes = 10 * 1000 * 1000;

// Listing-page markup with Chinese titles and descriptions of varying length.
const std::string& mixed_page() {
  static const std::string page = [] {
    static const char* const kMarkup[] = {
        "<li class=\"group\"><a href=\"/group/1234.html\" title=\"",
        "\">",
        "</a><span class=\"tag\">",
        "</span></li>\n",
        "<p>",
        "</p>\n",
        " 2026-12-11 ",
        "<img src=\"https://img.example.com/qr/5678.png\" alt=\""};
    static const char* const kChinese[] = {
        "\xE5\xBE\xAE\xE4\xBF\xA1\xE7\xBE\xA4",
        "\xE4\xBA\xA4\xE6\xB5\x81",
        "\xE5\x8C\x97\xE4\xBA\xAC\xE6\x97\x85\xE6\xB8\xB8\xE7\x88\xB1\xE5\xA5\xBD\xE8\x80\x85",
        "\xE4\xBA\x8C\xE7\xBB\xB4\xE7\xA0\x81",
        "\xEF\xBC\x8C",
        "\xE3\x80\x82",
        "\xE6\x8A\x80\xE6\x9C\xAF\xE8\xAE\xA8\xE8\xAE\xBA\xE5\x8C\xBA"};
    std::mt19937 random(42);
    std::uniform_int_distribution<std::size_t> markup(0, std::size(kMarkup) - 1);
    std::uniform_int_distribution<std::size_t> chinese(0, std::size(kChinese) - 1);
    std::uniform_int_distribution<int> words(1, 6);
    std::string text;
    while (text.size() < kInputBytes) {
      text += kMarkup[markup(random)];
      for (int n = words(random); n > 0; --n) text += kChinese[chinese(random)];
    }
    text.resize(kInputBytes);
    while (!text.empty() && (static_cast<unsigned char>(text.back()) & 0xC0) == 0x80) {
      text.pop_back();
    }
    if (!text.empty() && static_cast<unsigned char>(text.back()) >= 0xC0) text.pop_back();
    return text;
  }();
  return page;
}

std::string iconv_to_gbk(iconv_t converter, const std::string& utf8) {
  std::string gbk(utf8.size() * 2, '\0');
  char* in = const_cast<char*>(utf8.data());
  std::size_t in_left = utf8.size();
  char* out = gbk.data();
  std::size_t out_left = gbk.size();
  iconv(converter, nullptr, nullptr, nullptr, nullptr);
  iconv(converter, &in, &in_left, &out, &out_left);
  gbk.resize(gbk.size() - out_left);
  return gbk;
}

void BM_Utf8ToGbk(benchmark::State& state) {
  const std::string& page = mixed_page();
  for (auto _ : state) benchmark::DoNotOptimize(kelvora::utf8_to_gbk(page));
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * page.size()));
}
BENCHMARK(BM_Utf8ToGbk)->Unit(benchmark::kMillisecond)->MinTime(2.0);

void BM_IconvGbk(benchmark::State& state) {
  const std::string& page = mixed_page();
  iconv_t converter = iconv_open("GBK", "UTF-8");
  if (converter == reinterpret_cast<iconv_t>(-1)) {
    state.SkipWithError("iconv has no GBK converter");
    return;
  }
  for (auto _ : state) benchmark::DoNotOptimize(iconv_to_gbk(converter, page));
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * page.size()));
  iconv_close(converter);
}
BENCHMARK(BM_IconvGbk)->Unit(benchmark::kMillisecond)->MinTime(2.0);

// Prints the usual table, then each figure in MB/s and the ratio.
class RatioReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs) {
      const auto found = run.counters.find("bytes_per_second");
      if (found != run.counters.end()) {
        rates_[run.run_name.function_name] = found->second.value / 1e6;
      }
    }
  }
  void Finalize() override {
    ConsoleReporter::Finalize();
    const double ours = rates_["BM_Utf8ToGbk"];
    const double iconv = rates_["BM_IconvGbk"];
    std::printf("\nutf8_to_gbk on %.1f MB of mixed UTF-8: %.0f MB/s\n", mixed_page().size() / 1e6,
                ours);
    std::printf("iconv (glibc, GBK) on the same bytes: %.0f MB/s\n", iconv);
    if (iconv > 0) std::printf("ratio utf8_to_gbk / iconv: %.2f\n", ours / iconv);
  }

 private:
  std::map<std::string, double> rates_;
};

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  // Both must give the same bytes, or the comparison means nothing.
  iconv_t converter = iconv_open("GBK", "UTF-8");
  if (converter != reinterpret_cast<iconv_t>(-1)) {
    if (iconv_to_gbk(converter, mixed_page()) != kelvora::utf8_to_gbk(mixed_page())) {
      std::fprintf(stderr, "utf8_to_gbk and iconv disagree on the input\n");
      return 1;
    }
    iconv_close(converter);
  }
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  return 0;
}
