#include "viewer/list_lines.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace kelvora {
namespace {

// Every line of the list, by asking for line 1, 2, ... until there is none.
std::vector<std::string> all_lines(std::string_view list) {
  std::vector<std::string> lines;
  for (int32_t n = 1;; ++n) {
    const auto line = find_list_line(list, n);
    if (!line) return lines;
    lines.emplace_back(*line);
  }
}

struct LinesCase {
  const char* name;
  std::string list;
  std::vector<std::string> lines;
};

void PrintTo(const LinesCase& c, std::ostream* os) { *os << c.name; }

class ListLines : public ::testing::TestWithParam<LinesCase> {};

TEST_P(ListLines, CutsAtCrLfOnly) { EXPECT_EQ(all_lines(GetParam().list), GetParam().lines); }

INSTANTIATE_TEST_SUITE_P(
    Cases, ListLines,
    ::testing::Values(
        LinesCase{"Empty", "", {}}, LinesCase{"NoLineEnd", "a|b", {"a|b"}},
        LinesCase{"FinalCrLfOpensNoLine", "a\r\nb\r\n", {"a", "b"}},
        LinesCase{"OnlyCrLf", "\r\n", {""}}, LinesCase{"LeadingCrLf", "\r\na", {"", "a"}},
        LinesCase{"TwoCrLfInARow", "a\r\n\r\nb", {"a", "", "b"}},
        LinesCase{"LoneCrAndLfStay", "a\rb\nc\r\r\nd", {"a\rb\nc\r", "d"}},
        LinesCase{"LfOnlyIsOneLine", "a|1\nb|2\n", {"a|1\nb|2\n"}},
        // 0x81 0x0D is one character, so its CR starts no cut.
        LinesCase{"CrAsSecondByte", "\x81\r\nx\r\ny", {"\x81\r\nx", "y"}},
        // Two whole characters before the CR: it begins a character.
        LinesCase{"CrAfterTwoCharacters", "\xB0\xA1\xB0\xA1\r\nz", {"\xB0\xA1\xB0\xA1", "z"}},
        // An odd run: the last lead byte takes the CR.
        LinesCase{"CrAfterOddRun", "\xB0\xA1\xB0\r\nz", {"\xB0\xA1\xB0\r\nz"}},
        LinesCase{"CrTakenAtTextEnd", "a\r\n\x81\r\n", {"a", "\x81\r\n"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ListLines, NumbersOutsideTheListGiveNothing) {
  const std::string list = "a\r\nb\r\nc\r\n";
  EXPECT_FALSE(find_list_line(list, 0));
  EXPECT_FALSE(find_list_line(list, -1));
  EXPECT_FALSE(find_list_line(list, 4));
  EXPECT_EQ(find_list_line(list, 3), "c");
}

}  // namespace
}  // namespace kelvora
