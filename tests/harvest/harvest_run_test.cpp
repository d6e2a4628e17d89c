// The harvest run against loopback sites, with a recording stand-in for the
// window: what it appends, shows, requests and saves.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <strings.h>

#include <chrono>
#include <thread>

#include "harvest/harvest.h"
#include "harvest/harvest_texts.h"
#include "loopback_site.h"
#include "recording_surface.h"
#include "temp_folder.h"
#include "web/encoding.h"
#include "web/fetch_page.h"

namespace kelvora {
namespace {

using testing::InstalledSurface;
using testing::LoopbackSite;
using testing::RecordingSurface;
using testing::SilentPort;
using testing::TempCurrentFolder;
using ::testing::ElementsAreArray;

const std::filesystem::path failure_site = KELVORA_TEST_DATA "/harvest_site";

Text gbk(const std::string& utf8) { return utf8_to_gbk(utf8); }

std::string listing(int page_no) {
  return "/wxq-9-" + std::to_string(page_no) + "-or-3-vi-1.html";
}

Text hint(int page_no, int item_no) {
  return gbk("当前正才获取第" + std::to_string(page_no) + "页，第" + std::to_string(item_no) +
             "条数据，请耐心等待！");
}

// The lines one run over the failure site appends, for a site at `host`.
Text failure_site_lines(const std::string& host) {
  const std::string qr = "http://" + host + "/qr/";
  return gbk("读书会") + "|" + qr + "plain.png\r\n"             // page 1
         + "|" + qr + "plain.png\r\n"                            // empty title
         + "A|" + gbk("B群") + "|" + qr + "a|b.png\r\n"          // bars kept as they stand
         + "\xA1\xA1?" + gbk("表情群") + "|" + qr + "gbk.png\r\n"  // item trimmed at its end only
         + "|" + qr + "notitle.png\r\n"                          // page 4: no title="
         + gbk("无空格") + "|\r\n"                               // no detail address
         + gbk("详情缺失") + "|\r\n"                             // page 5: detail page missing
         + gbk("无二维码") + "|\r\n"                             // detail page without QR
         + gbk("换行") + "\r\n" + gbk("群") + "|" + qr + "plain.png\r\n"
         + gbk("末页群") + "|" + qr + "plain.png\r\n";           // page 10
}

const std::vector<std::string> failure_site_requests = {
    listing(1), "/d/plain.html", "/d/plain.html", "/d/bar.html", "/d/gbk.html",
    listing(2), listing(3),      listing(4),      "/d/notitle.html",
    listing(5), "/d/missing.html", "/d/noqr.html", "/d/plain.html",
    listing(6), listing(7),      listing(8),      listing(9),
    listing(10), "/d/plain.html"};

std::string header(const demo::RequestSeen& request, std::string_view name) {
  for (const auto& [key, value] : request.headers) {
    if (strcasecmp(key.c_str(), std::string(name).c_str()) == 0) return value;
  }
  return "(missing)";
}

const Text earlier_list = gbk("旧群") + "|http://old.invalid/qr.png\r\n";

TEST(HarvestRun, WalksEveryFailureShapeAndSavesTheWholeList) {
  TempCurrentFolder folder;
  folder.write("weiqun.txt", "stale file\r\n");
  LoopbackSite site(failure_site);
  RecordingSurface surface(earlier_list, gbk("初始提示"));
  InstalledSurface installed(surface);

  harvest_groups_at(site.host(), 1);

  const Text expected = earlier_list + failure_site_lines(site.host());
  EXPECT_EQ(surface.get_list_text(), expected);
  EXPECT_EQ(folder.read("weiqun.txt"), expected);
  EXPECT_EQ(surface.appends(), 10);  // one step per line, a line with a break included

  EXPECT_EQ(surface.hints().front(), gbk("当前正才获取第1页，第1条数据，请耐心等待！"));
  EXPECT_THAT(surface.hints(), ElementsAreArray({hint(1, 1), hint(1, 2), hint(1, 3), hint(1, 4),
                                                 hint(4, 1), hint(4, 2), hint(5, 1), hint(5, 2),
                                                 hint(5, 3), hint(10, 1)}));
  EXPECT_THAT(surface.pauses(), ElementsAreArray(std::vector<int32_t>(10, 1)));

  EXPECT_THAT(site.request_targets(), ElementsAreArray(failure_site_requests));
  for (const auto& request : site.requests()) {
    SCOPED_TRACE(request.target);
    EXPECT_EQ(request.method, "GET");
    EXPECT_EQ(header(request, "Host"), site.host());
    EXPECT_EQ(header(request, "Referer"), "http://" + site.host() + request.target);
    EXPECT_EQ(header(request, "Accept"), "*/*");
    EXPECT_EQ(header(request, "Accept-Language"), "zh-cn");
    EXPECT_EQ(header(request, "Content-Type"), "application/x-www-form-urlencoded");
    EXPECT_EQ(header(request, "User-Agent"), default_user_agent);
    EXPECT_EQ(header(request, "Cookie"), "(missing)");
  }
}

TEST(HarvestRun, SiteWhereNothingAnswersRewritesTheUnchangedList) {
  TempCurrentFolder folder;
  folder.write("weiqun.txt", "stale file\r\n");
  SilentPort port;
  RecordingSurface surface(earlier_list, gbk("初始提示"));
  InstalledSurface installed(surface);

  harvest_groups_at(port.host(), 1);

  EXPECT_EQ(port.connections(), 10);
  EXPECT_EQ(surface.get_list_text(), earlier_list);
  EXPECT_EQ(surface.hint(), gbk("初始提示"));
  EXPECT_TRUE(surface.pauses().empty());
  EXPECT_EQ(folder.read("weiqun.txt"), earlier_list);
}

// Splits a list text into its CR LF lines.
std::vector<Text> lines_of(std::string_view list) {
  std::vector<Text> lines;
  for (size_t at = 0; at < list.size();) {
    const size_t end = list.find("\r\n", at);
    lines.emplace_back(list.substr(at, end - at));
    at = end == std::string_view::npos ? list.size() : end + 2;
  }
  return lines;
}

// True when `all` is `a` and `b` merged, each kept whole and in its order.
bool is_interleaving(const std::vector<Text>& all, const std::vector<Text>& a,
                     const std::vector<Text>& b) {
  if (all.size() != a.size() + b.size()) return false;
  // reachable[j]: the first i + j lines of `all` can be made of a[0..i) and b[0..j).
  std::vector<bool> reachable(b.size() + 1, false);
  for (size_t i = 0; i <= a.size(); ++i) {
    for (size_t j = 0; j <= b.size(); ++j) {
      if (i == 0 && j == 0) {
        reachable[0] = true;
        continue;
      }
      const Text& line = all[i + j - 1];
      const bool from_a = i > 0 && reachable[j] && a[i - 1] == line;
      const bool from_b = j > 0 && reachable[j - 1] && b[j - 1] == line;
      reachable[j] = from_a || from_b;
    }
  }
  return reachable[b.size()];
}

TEST(HarvestRun, TwoRunsTogetherEachWalkTheirPagesAndAppendWholeLines) {
  TempCurrentFolder folder;
  LoopbackSite first_site(failure_site);
  LoopbackSite second_site(failure_site);
  RecordingSurface surface(earlier_list);
  InstalledSurface installed(surface);

  std::thread first([&] { harvest_groups_at(first_site.host(), 2); });
  std::thread second([&] { harvest_groups_at(second_site.host(), 2); });
  first.join();
  second.join();

  EXPECT_THAT(first_site.request_targets(), ElementsAreArray(failure_site_requests));
  EXPECT_THAT(second_site.request_targets(), ElementsAreArray(failure_site_requests));

  const Text list = surface.get_list_text();
  ASSERT_TRUE(list.starts_with(earlier_list));
  EXPECT_TRUE(is_interleaving(lines_of(list.substr(earlier_list.size())),
                              lines_of(failure_site_lines(first_site.host())),
                              lines_of(failure_site_lines(second_site.host()))))
      << list;
  EXPECT_EQ(folder.read("weiqun.txt"), list);
}

TEST(HarvestRun, StopsWithoutSavingOnceTheWindowIsGone) {
  TempCurrentFolder folder;
  folder.write("weiqun.txt", earlier_list);
  LoopbackSite site(failure_site);
  RecordingSurface surface(earlier_list);
  set_control_surface(&surface);

  std::thread run([&] { harvest_groups_at(site.host(), 500); });
  while (surface.appends() == 0) std::this_thread::sleep_for(std::chrono::milliseconds(1));
  set_control_surface(nullptr);  // the window closes during the first pause
  run.join();

  // Saving now would have written the window's missing list, nothing, over the file.
  EXPECT_EQ(folder.read("weiqun.txt"), earlier_list);
  EXPECT_THAT(site.request_targets(), ElementsAreArray({listing(1), std::string("/d/plain.html")}));
}

}  // namespace
}  // namespace kelvora
