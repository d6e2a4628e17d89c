// The harvest run against loopback sites, with a recording stand-in for the
// window: what it appends, shows, requests and saves.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <strings.h>

#include <chrono>
#include <thread>

#include "harvest/harvest.h"
#include "harvest/harvest_texts.h"
#include "harvest_fixture.h"
#include "loopback_site.h"
#include "recording_surface.h"
#include "support/temp_folder.h"
#include "web/encoding.h"
#include "web/fetch_page.h"

namespace kelvora {
namespace {

using ::testing::ElementsAreArray;
using testing::InstalledSurface;
using testing::LoopbackSite;
using testing::RecordingSurface;
using testing::SilentPort;
using test_support::TempCurrentFolder;

TEST(HarvestRun, WalksEveryFailureShapeAndSavesTheWholeList) {
  TempCurrentFolder folder;
  folder.write("weiqun.txt", "stale file\r\n");
  LoopbackSite site(failure_site);
  RecordingSurface surface(earlier_list(), gbk("初始提示"));
  InstalledSurface installed(surface);

  harvest_groups_at(site.host(), 1);

  const Text expected = earlier_list() + failure_site_lines(site.host());
  EXPECT_EQ(surface.get_list_text(), expected);
  EXPECT_EQ(folder.read("weiqun.txt"), expected);
  EXPECT_EQ(surface.appends(), 10);  // one step per line, a line with a break included

  EXPECT_EQ(surface.hints().front(), gbk("当前正才获取第1页，第1条数据，请耐心等待！"));
  EXPECT_THAT(surface.hints(),
              ElementsAreArray({hint(1, 1), hint(1, 2), hint(1, 3), hint(1, 4), hint(4, 1),
                                hint(4, 2), hint(5, 1), hint(5, 2), hint(5, 3), hint(10, 1)}));
  EXPECT_THAT(surface.pauses(), ElementsAreArray(std::vector<int32_t>(10, 1)));

  EXPECT_THAT(site.request_targets(), ElementsAreArray(failure_site_requests()));
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
  RecordingSurface surface(earlier_list(), gbk("初始提示"));
  InstalledSurface installed(surface);

  harvest_groups_at(port.host(), 1);

  EXPECT_EQ(port.connections(), 10);
  EXPECT_EQ(surface.get_list_text(), earlier_list());
  EXPECT_EQ(surface.hint(), gbk("初始提示"));
  EXPECT_TRUE(surface.pauses().empty());
  EXPECT_EQ(folder.read("weiqun.txt"), earlier_list());
}

TEST(HarvestRun, TwoRunsTogetherEachWalkTheirPagesAndAppendWholeLines) {
  TempCurrentFolder folder;
  LoopbackSite first_site(failure_site);
  LoopbackSite second_site(failure_site);
  RecordingSurface surface(earlier_list());
  InstalledSurface installed(surface);

  std::thread first([&] { harvest_groups_at(first_site.host(), 2); });
  std::thread second([&] { harvest_groups_at(second_site.host(), 2); });
  first.join();
  second.join();

  EXPECT_THAT(first_site.request_targets(), ElementsAreArray(failure_site_requests()));
  EXPECT_THAT(second_site.request_targets(), ElementsAreArray(failure_site_requests()));

  const Text list = surface.get_list_text();
  EXPECT_TRUE(holds_two_whole_runs(list, first_site.host(), second_site.host()));
  EXPECT_EQ(folder.read("weiqun.txt"), list);
}

// The window closes during a pause: in the middle of a run, and during the
// last pause, just before the run would save.
TEST(HarvestRun, StopsWithoutSavingOnceTheWindowIsGone) {
  const std::filesystem::path last_page_site = KELVORA_TEST_DATA "/harvest_site/last_page_only";
  const std::vector<std::string> all_listings = {listing(1), listing(2), listing(3), listing(4),
                                                 listing(5), listing(6), listing(7), listing(8),
                                                 listing(9), listing(10)};
  struct Case {
    std::filesystem::path site;
    std::vector<std::string> requests;
  };
  const Case cases[] = {
      {failure_site, {listing(1), "/d/plain.html"}},
      {last_page_site,
       [&] {
         auto all = all_listings;
         all.push_back("/d/plain.html");
         return all;
       }()},
  };
  for (const auto& [site_folder, requests] : cases) {
    SCOPED_TRACE(site_folder.string());
    TempCurrentFolder folder;
    folder.write("weiqun.txt", earlier_list());
    LoopbackSite site(site_folder);
    RecordingSurface surface(earlier_list());
    set_control_surface(&surface);

    std::thread run([&] { harvest_groups_at(site.host(), 500); });
    while (surface.appends() == 0) std::this_thread::sleep_for(std::chrono::milliseconds(1));
    set_control_surface(nullptr);  // the window closes during the pause after the first line
    run.join();

    // Saving now would write the list of a window that is gone, nothing, over the file.
    EXPECT_EQ(folder.read("weiqun.txt"), earlier_list());
    EXPECT_THAT(site.request_targets(), ElementsAreArray(requests));
  }
}

}  // namespace
}  // namespace kelvora
