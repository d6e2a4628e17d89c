// Splitting at a separator and reading numbers.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "text/number.h"
#include "text/split.h"

namespace kelvora {
namespace {

struct SplitCase {
  const char* name;
  std::string text;
  std::string separator;
  std::vector<Text> expected;
};

void PrintTo(const SplitCase& c, std::ostream* os) { *os << c.name; }

class SplitText : public testing::TestWithParam<SplitCase> {};

TEST_P(SplitText, GivesPiecesBetweenSeparators) {
  EXPECT_EQ(split_text(GetParam().text, GetParam().separator), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Rule, SplitText,
    testing::Values(
        SplitCase{"Plain", "a;b;c", ";", {"a", "b", "c"}},
        SplitCase{"AdjacentSeparatorsGiveEmptyPiece", "a;;b", ";", {"a", "", "b"}},
        SplitCase{"LeadingSeparatorGivesEmptyPiece", ";a", ";", {"", "a"}},
        SplitCase{"TrailingSeparatorGivesNoEmptyPiece", "a;b;", ";", {"a", "b"}},
        SplitCase{"OnlySeparator", ";", ";", {""}},
        SplitCase{"EmptyText", "", ";", {}},
        SplitCase{"NoSeparator", "abc", ";", {"abc"}},
        SplitCase{"LongSeparator", "k=v\r\nx\r\n", "\r\n", {"k=v", "x"}},
        SplitCase{"EmptySeparatorKeepsTextWhole", "abc", "", {"abc"}},
        // 0x7C is a valid second byte: the bar inside B4 7C is no separator.
        SplitCase{"NotOnSecondByte", "\xB4|a|b", "|", {"\xB4|a", "b"}}),
    [](const auto& info) { return std::string(info.param.name); });

struct NumberCase {
  const char* name;
  std::string text;
  int32_t expected;
};

void PrintTo(const NumberCase& c, std::ostream* os) { *os << c.name; }

class TextToInt : public testing::TestWithParam<NumberCase> {};

TEST_P(TextToInt, ReadsLeadingNumber) {
  EXPECT_EQ(text_to_int(GetParam().text), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Rules, TextToInt,
    testing::Values(
        NumberCase{"Plain", "3000", 3000},
        NumberCase{"StopsAtUnit", "2000ms", 2000},
        NumberCase{"StopsAtPoint", "2.9", 2},
        NumberCase{"Negative", "-100", -100},
        NumberCase{"Plus", "+7", 7},
        NumberCase{"LeadingWhiteSpace", " \t\r\n\v\f42", 42},
        NumberCase{"Empty", "", 0},
        NumberCase{"Letters", "abc", 0},
        NumberCase{"SignWithoutDigits", "-", 0},
        NumberCase{"TwoSigns", "+-5", 0},
        NumberCase{"SpaceAfterSign", "- 5", 0},
        NumberCase{"FullWidthDigits", "\xA3\xB1\xA3\xB2\xA3\xB3", 123},
        NumberCase{"FullWidthMinus", "\xA3\xAD\xA3\xB5", -5},
        NumberCase{"FullWidthPlusThenAscii", "\xA3\xAB" "8", 8},
        NumberCase{"FullWidthSpaceSkipped", "\xA1\xA1" "9", 9},
        NumberCase{"OtherCharacterStops", "\xB4\xF3" "9", 0},
        NumberCase{"LargestValue", "2147483647", 2147483647},
        NumberCase{"WrapsPastLargest", "2147483648", -2147483647 - 1},
        NumberCase{"SmallestValue", "-2147483648", -2147483647 - 1},
        NumberCase{"WrapsAt32Bits", "4294967297", 1},
        NumberCase{"ManyDigitsWrap", "99999999999999999999", 1661992959}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace kelvora
