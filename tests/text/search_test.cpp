// The shared search and trimming rules, GBK character stepping included.
#include <gtest/gtest.h>

#include <string>

#include "text/search.h"

namespace kelvora {
namespace {

struct SearchCase {
  const char* name;
  std::string text;
  std::string pattern;
  int32_t start;
  bool ignore_case;
  int32_t expected;
};

// GBK 大小: two characters, B4 F3 and D0 A1.
const std::string kBigSmall = "\xB4\xF3\xD0\xA1";

void PrintTo(const SearchCase& c, std::ostream* os) { *os << c.name; }

class SearchForward : public testing::TestWithParam<SearchCase> {};

TEST_P(SearchForward, FindsFirstOccurrenceOnACharacter) {
  const SearchCase& c = GetParam();
  EXPECT_EQ(search_forward(c.text, c.pattern, c.start, c.ignore_case), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Rules, SearchForward,
    testing::Values(
        SearchCase{"FromBeginning", "abcabc", "abc", 1, false, 1},
        SearchCase{"FromInside", "abcabc", "abc", 2, false, 4},
        SearchCase{"StartBelowOneCountsAsOne", "abcabc", "bc", -5, false, 2},
        SearchCase{"PatternMustFit", "abcabc", "abc", 5, false, -1},
        SearchCase{"StartPastEnd", "abc", "c", 4, false, -1},
        SearchCase{"PatternLongerThanText", "ab", "abc", 1, false, -1},
        SearchCase{"EmptyText", "", "a", 1, false, -1},
        SearchCase{"EmptyPatternGivesOneEvenFromInside", "abc", "", 3, false, 1},
        SearchCase{"EmptyPatternPastEnd", "abc", "", 4, false, -1},
        SearchCase{"EmptyPatternEmptyText", "", "", 1, false, -1},
        SearchCase{"CaseRespected", "Hello", "LL", 1, false, -1},
        SearchCase{"CaseIgnored", "HeLlo", "lL", 1, true, 3},
        SearchCase{"OnlyLettersFold", "[@", "{`", 1, true, -1},
        SearchCase{"NotFromSecondByte", kBigSmall, "\xF3\xD0", 1, false, -1},
        SearchCase{"WholeSecondCharacter", kBigSmall, "\xD0\xA1", 1, false, 3},
        SearchCase{"SteppingCountsFromStart", kBigSmall, "\xF3\xD0", 2, false, 2},
        SearchCase{"SkipsFalseHitsThenFinds", "\xB4\xF3\xD0x\xF3\xD0", "\xF3\xD0", 1, false, 5},
        SearchCase{"SecondByteFoldsWithCaseIgnored", "\xB0" "a", "\xB0" "A", 1, true, 1},
        SearchCase{"SecondByteKeptWithCaseRespected", "\xB0" "a", "\xB0" "A", 1, false, -1},
        SearchCase{"LoneFirstByteAtEndIsNotTried", "ab\xB4", "\xB4", 1, false, -1},
        SearchCase{"FirstByteInsideText", "a\xB4\xB4\xB4", "\xB4", 1, false, 2},
        SearchCase{"LoneFirstByteFromStart", "a\xB4\xB4\xB4", "\xB4", 4, false, -1}),
    [](const auto& info) { return std::string(info.param.name); });

class SearchBackward : public testing::TestWithParam<SearchCase> {};

TEST_P(SearchBackward, FindsLastOccurrenceInsideStretch) {
  const SearchCase& c = GetParam();
  EXPECT_EQ(search_backward(c.text, c.pattern, c.start, c.ignore_case), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Rules, SearchBackward,
    testing::Values(
        SearchCase{"WholeText", "abcabc", "abc", 7, false, 4},
        SearchCase{"OccurrenceMustEndInsideStretch", "abcabc", "abc", 6, false, 1},
        SearchCase{"StartOneScansNothing", "abcabc", "abc", 1, false, -1},
        SearchCase{"StartPastEndScansAll", "abcabc", "c", 100, false, 6},
        SearchCase{"OverlappingOccurrences", "aaaa", "aa", 5, false, 3},
        SearchCase{"EmptyPattern", "abc", "", 2, false, 1},
        SearchCase{"EmptyPatternEmptyStretch", "abc", "", 1, false, -1},
        SearchCase{"CaseIgnored", "xAbxab", "AB", 7, true, 5},
        SearchCase{"NotFromSecondByte", kBigSmall, "\xF3\xD0", 5, false, -1},
        SearchCase{"CharacterBoundaryFromTextStart", "\xB4\xB4\xB4\xB4", "\xB4\xB4", 5, false,
                   3}),
    [](const auto& info) { return std::string(info.param.name); });

struct TrimCase {
  const char* name;
  std::string text;
  std::string expected;
};

void PrintTo(const TrimCase& c, std::ostream* os) { *os << c.name; }

class TrimSpaces : public testing::TestWithParam<TrimCase> {};

TEST_P(TrimSpaces, RemovesBlanksAtBothEnds) {
  EXPECT_EQ(trim_spaces(GetParam().text), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Rules, TrimSpaces,
    testing::Values(TrimCase{"AsciiSpaces", "  x y  ", "x y"},
                    TrimCase{"FullWidthSpaces", "\xA1\xA1x\xA1\xA1 ", "x"},
                    TrimCase{"TabsAndLineBreaksStay", "\tx \r\n", "\tx \r\n"},
                    TrimCase{"TabKeptSpaceDropped", "\tx ", "\tx"},
                    TrimCase{"OnlyBlanks", " \xA1\xA1 ", ""},
                    TrimCase{"Empty", "", ""},
                    TrimCase{"LoneFirstByteAtEndDropped", "x \xB4", "x"},
                    TrimCase{"LoneFirstByteAlone", "\xB4", ""},
                    TrimCase{"A1A1AcrossCharactersIsNoBlank", "\xB0\xA1\xA1x", "\xB0\xA1\xA1x"},
                    TrimCase{"TrailingA1AfterCharacter", "\xB0\xA1\xA1\xA1\xA1",
                             "\xB0\xA1"}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace kelvora
