// Cutting texts apart by markers: the four single-result operations and
// all_texts_between with its pending-event turns.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "text/markers.h"
#include "text/pending_events.h"

namespace kelvora {
namespace {

struct SingleCase {
  const char* name;
  std::function<Text()> run;
  std::string expected;
};

void PrintTo(const SingleCase& c, std::ostream* os) { *os << c.name; }

class SingleResult : public testing::TestWithParam<SingleCase> {};

TEST_P(SingleResult, GivesExpectedText) { EXPECT_EQ(GetParam().run(), GetParam().expected); }

// GBK "#引号", the double-quote placeholder of text_between.
const std::string kQuote = "#\xD2\xFD\xBA\xC5";

INSTANTIATE_TEST_SUITE_P(
    Operations, SingleResult,
    testing::Values(
        SingleCase{"BeforeFirstBar", [] { return text_before_first("Cats|p/1.png", "|"); }, "Cats"},
        SingleCase{"BeforeFirstFromStartPos",
                   [] { return text_before_first("k=1;k=2;", ";", 5); }, "k=1;k=2"},
        SingleCase{"BeforeFirstEmptyMarker", [] { return text_before_first("abc", ""); }, ""},
        SingleCase{"BeforeFirstStartPastEnd", [] { return text_before_first("a;b", ";", 9); }, ""},
        SingleCase{"BeforeFirstNotFound", [] { return text_before_first("abc", ";"); }, ""},
        SingleCase{"BeforeFirstIgnoringCase",
                   [] { return text_before_first("abXcd", "x", 0, true); }, "ab"},
        SingleCase{"BeforeFirstEmptyText", [] { return text_before_first("", "|"); }, ""},
        SingleCase{"AfterLastBar", [] { return text_after_last("Cats|p/1.png", "|"); }, "p/1.png"},
        SingleCase{"AfterLastMarkerEndingText", [] { return text_after_last("a|b|", "|"); }, ""},
        SingleCase{"AfterLastWithStartPos", [] { return text_after_last("a|b|", "|", 4); }, "b|"},
        SingleCase{"AfterLastStartPosOneFindsNothing",
                   [] { return text_after_last("a|b", "|", 1); }, ""},
        SingleCase{"AfterLastTitle",
                   [] { return text_after_last("<a title=\"x\" title=\"Cats", "title=\""); },
                   "Cats"},
        SingleCase{"AfterLastIgnoringCase",
                   [] { return text_after_last("aXbxc", "X", std::nullopt, true); }, "c"},
        SingleCase{"AfterLastEmptyMarker", [] { return text_after_last("abc", ""); }, "abc"},
        SingleCase{"AfterLastEmptyText", [] { return text_after_last("", "|"); }, ""},
        SingleCase{"NocaseIgnoresCase",
                   [] { return text_between_nocase("<DIV>x</DIV>", "<div>", "</div>"); }, "x"},
        SingleCase{"NocaseRespectingCase",
                   [] { return text_between_nocase("<DIV>x</DIV>", "<div>", "</div>", 0, true); },
                   ""},
        SingleCase{"BetweenRespectsCase",
                   [] { return text_between("<DIV>x</DIV>", "<div>", "</div>"); }, ""},
        SingleCase{"BetweenIgnoringCase",
                   [] { return text_between("<DIV>x</DIV>", "<div>", "</div>", 0, true); }, "x"},
        SingleCase{"BetweenQuotePlaceholder",
                   [] {
                     return text_between("<a href='/x'><a href=\"/g/7.html\">", "href=" + kQuote,
                                         kQuote);
                   },
                   "/g/7.html"},
        SingleCase{"NocaseQuotePlaceholder",
                   [] { return text_between_nocase("HREF=\"a\"", "href=" + kQuote, kQuote); },
                   "a"},
        SingleCase{"BetweenEndMarkerRightAfterStart",
                   [] { return text_between("<b></b>", "<b>", "</b>"); }, ""},
        SingleCase{"BetweenEndNotTakenFromStartMarker",
                   [] { return text_between("ab-ab", "ab", "b"); }, "-a"},
        SingleCase{"BetweenEmptyEndMarker", [] { return text_between("abcxbc", "b", ""); }, ""},
        SingleCase{"BetweenEmptyStartMarkerIgnoresStartPos",
                   [] { return text_between("abcxbc", "", "c", 4); }, "ab"},
        SingleCase{"BetweenStartMarkerEndsText", [] { return text_between("abc", "bc", "c"); },
                   ""},
        SingleCase{"BetweenStartPastEnd", [] { return text_between("<b>x</b>", "<b>", "</b>", 9); },
                   ""},
        SingleCase{"BetweenEmptyText", [] { return text_between("", "<b>", "</b>"); }, ""},
        SingleCase{"BetweenStartMarkerNotOnSecondByte",
                   [] { return text_between("\xB4\xF3\xD0\xA1|x|", "\xF3\xD0", "|"); }, ""}),
    [](const auto& info) { return std::string(info.param.name); });

int pending_event_calls = 0;
void count_pending_events() { ++pending_event_calls; }

struct AllCase {
  const char* name = "";
  std::string text = {};
  std::string start_marker = {};
  std::string end_marker = {};
  bool ignore_case = false;
  int32_t max_length = 0;
  std::string prefix = {};
  std::string suffix = {};
  bool include_start_marker = false;
  bool include_end_marker = false;
  int32_t start_pos = 0;
  std::vector<Text> expected = {};
  int expected_calls = 0;
};

void PrintTo(const AllCase& c, std::ostream* os) { *os << c.name; }

class AllTextsBetween : public testing::TestWithParam<AllCase> {
 protected:
  void SetUp() override {
    pending_event_calls = 0;
    set_pending_events_hook(&count_pending_events);
  }
  void TearDown() override { set_pending_events_hook(nullptr); }
};

TEST_P(AllTextsBetween, CollectsPiecesAndGivesEventTurns) {
  const AllCase& c = GetParam();
  std::vector<Text> pieces{"left over"};
  int32_t count = all_texts_between(c.text, c.start_marker, c.end_marker, pieces, c.ignore_case,
                                    c.max_length, c.prefix, c.suffix, c.include_start_marker,
                                    c.include_end_marker, c.start_pos);
  EXPECT_EQ(pieces, c.expected);
  EXPECT_EQ(count, static_cast<int32_t>(c.expected.size()));
  EXPECT_EQ(pending_event_calls, c.expected_calls);
}

const char* const kList = "<li><b>one</b></li><li><b> two </b></li><li><b></b></li>";

INSTANTIATE_TEST_SUITE_P(
    Rules, AllTextsBetween,
    testing::Values(
        AllCase{.name = "Plain", .text = kList, .start_marker = "<b>", .end_marker = "</b>",
                .expected = {"one", "two"}, .expected_calls = 9},
        AllCase{.name = "PrefixSuffixAddEmptyPiece", .text = kList, .start_marker = "<b>",
                .end_marker = "</b>", .prefix = "[", .suffix = "]",
                .expected = {"[one]", "[two]", "[]"}, .expected_calls = 9},
        AllCase{.name = "IncludeMarkers", .text = kList, .start_marker = "<b>",
                .end_marker = "</b>", .include_start_marker = true, .include_end_marker = true,
                .expected = {"<b>one</b>", "<b>two</b>"}, .expected_calls = 9},
        AllCase{.name = "MaxLengthDropsLongCandidates", .text = kList, .start_marker = "<b>",
                .end_marker = "</b>", .max_length = 4, .prefix = "[", .suffix = "]",
                .expected = {"[]"}, .expected_calls = 12},
        AllCase{.name = "MaxLengthIsExclusive", .text = "<p>ab</p><p>four</p><p>xyz</p>",
                .start_marker = "<p>", .end_marker = "</p>", .max_length = 4,
                .expected = {"ab", "xyz"}, .expected_calls = 12},
        AllCase{.name = "MaxLengthCountsMarkers", .text = "<p>ab</p>", .start_marker = "<p>",
                .end_marker = "</p>", .max_length = 9, .include_start_marker = true,
                .include_end_marker = true, .expected = {}, .expected_calls = 4},
        AllCase{.name = "NegativeMaxLengthAddsNothing", .text = kList, .start_marker = "<b>",
                .end_marker = "</b>", .max_length = -1, .expected = {}, .expected_calls = 11},
        AllCase{.name = "NextSearchFromEndMarker", .text = "[a[b[", .start_marker = "[",
                .end_marker = "[", .expected = {"a", "b"}, .expected_calls = 6},
        AllCase{.name = "EmptyPieceResumesAfterStartMarker", .text = "x < <y<",
                .start_marker = " <", .end_marker = "<", .expected = {"y"}, .expected_calls = 6},
        AllCase{.name = "TrimKeepsTab", .text = "<b>\tx </b>", .start_marker = "<b>",
                .end_marker = "</b>", .expected = {"\tx"}, .expected_calls = 3},
        AllCase{.name = "IgnoringCase", .text = "<B>x</b><b>y</B>", .start_marker = "<b>",
                .end_marker = "</b>", .ignore_case = true, .expected = {"x", "y"},
                .expected_calls = 6},
        AllCase{.name = "FromStartPos", .text = kList, .start_marker = "<b>", .end_marker = "</b>",
                .start_pos = 6, .expected = {"two"}, .expected_calls = 6},
        AllCase{.name = "PlaceholderNotReplaced", .text = "\"q\"" + kQuote + "x" + kQuote,
                .start_marker = kQuote, .end_marker = kQuote, .expected = {"x"},
                .expected_calls = 3},
        AllCase{.name = "NoStartMarkerStillEmptiesPieces", .text = "abc", .start_marker = "<b>",
                .end_marker = "</b>", .expected = {}, .expected_calls = 0},
        AllCase{.name = "NoEndMarker", .text = "<b>abc", .start_marker = "<b>",
                .end_marker = "</b>", .expected = {}, .expected_calls = 0},
        AllCase{.name = "EmptyText", .text = "", .start_marker = "<b>", .end_marker = "</b>",
                .expected = {}, .expected_calls = 0},
        AllCase{.name = "EmptyStartMarker", .text = "a</b>", .start_marker = "",
                .end_marker = "</b>", .expected = {}, .expected_calls = 0},
        AllCase{.name = "EmptyEndMarkerWithFrame", .text = "<b>a", .start_marker = "<b>",
                .end_marker = "", .prefix = "[", .expected = {}, .expected_calls = 0},
        AllCase{.name = "BlankRunWithBlankStartMarker", .text = "     x", .start_marker = " ",
                .end_marker = "x", .expected = {}, .expected_calls = 15},
        AllCase{.name = "FullWidthBlankStartMarker",
                .text = "\xA1\xA1\xA1\xA1\xA1\xA1z", .start_marker = "\xA1\xA1",
                .end_marker = "z", .expected = {}, .expected_calls = 9}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace kelvora
