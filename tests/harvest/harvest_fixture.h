#pragma once
#include <gtest/gtest.h>
// The failure-shape site of tests/data/harvest_site and what a run over it
// must request and append, shared by the harvest tests.
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "demo_site/site_files.h"
#include "text/text.h"

namespace kelvora {

inline const std::filesystem::path failure_site = KELVORA_TEST_DATA "/harvest_site";

// Environment variables that turn the test program into the child process of
// the shutdown test: the site's host and the program folder.
inline constexpr const char* child_site_variable = "KELVORA_HARVEST_CHILD_SITE";
inline constexpr const char* child_folder_variable = "KELVORA_HARVEST_CHILD_FOLDER";

Text gbk(const std::string& utf8);

// The path of listing page `page_no`.
std::string listing(int page_no);

// The progress hint for an item, spelled out in full.
Text hint(int page_no, int item_no);

// A list that was there before the run.
Text earlier_list();

// The lines one run over the failure site appends, for the site at `host`.
Text failure_site_lines(const std::string& host);

// The request targets of one run over the failure site, in order.
std::vector<std::string> failure_site_requests();

// The value of header `name` (any letter case), or "(missing)".
std::string header(const demo::RequestSeen& request, std::string_view name);

// A list text cut into its CR LF lines.
std::vector<Text> lines_of(std::string_view list);

// The earlier list followed by the lines of two runs over the failure site at
// these hosts: each line whole, each run's lines in their order, nothing else.
::testing::AssertionResult holds_two_whole_runs(const Text& list, const std::string& first_host,
                                                const std::string& second_host);

}  // namespace kelvora
