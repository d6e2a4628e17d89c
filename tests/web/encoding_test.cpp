#include "web/encoding.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <string>
#include <thread>
#include <vector>

namespace kelvora {
namespace {

using namespace std::string_literals;

struct ConversionRow {
  const char* name;
  std::string utf8;
  std::string gbk;
};

const ConversionRow kUtf8ToGbkRows[] = {
    {"ascii unchanged", "GET /a?b=1&c=~\\ \t\r\n", "GET /a?b=1&c=~\\ \t\r\n"},
    {"one ideograph", "\xE4\xB8\xAD", "\xD6\xD0"},
    {"two ideographs", "\xE6\xB1\x89\xE5\xAD\x97", "\xBA\xBA\xD7\xD6"},
    {"empty", "", ""},
    {"euro sign is 0x80", "\xE2\x82\xAC", "\x80"},
    {"truncated sequence",
     "\xE4\xB8"
     "A",
     "?A"},
    {"stray bytes",
     "\xFF\x80"
     "b",
     "??b"},
    {"character gbk lacks", "x\xF0\x9F\x98\x80y", "x?y"},
    {"e and combining acute compose", "e\xCC\x81", "\xA8\xA6"},
    {"mark after an ideograph stays apart", "\xE4\xB8\xAD\xCC\x81", "\xD6\xD0?"},
    {"byte-order mark kept",
     "\xEF\xBB\xBF"
     "a",
     "?a"},
    {"zero-width space kept",
     "a\xE2\x80\x8B"
     "b",
     "a?b"},
    {"best fit for soft hyphen", "\xC2\xAD", "-"},
    {"zero byte ends the text", "ab\0cd"s, "ab"},
    {"zero after an ideograph", "\xE4\xB8\xAD\0\xE4\xB8\xAD"s, "\xD6\xD0"},
};

TEST(Encoding, Utf8ToGbkTable) {
  for (const ConversionRow& row : kUtf8ToGbkRows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(utf8_to_gbk(row.utf8), row.gbk);
    EXPECT_EQ(utf16_to_gbk(utf8_to_utf16(row.utf8)), row.gbk);
  }
}

TEST(Encoding, Utf8ToUtf16GivesLittleEndianUnitsWithoutTerminator) {
  EXPECT_EQ(utf8_to_utf16(""), "");
  EXPECT_EQ(utf8_to_utf16("A\xE4\xB8\xAD"), "A\0\x2D\x4E"s);
  EXPECT_EQ(utf8_to_utf16("\xF0\x9F\x98\x80"), "\x3D\xD8\x00\xDE"s);
  EXPECT_EQ(utf8_to_utf16("\xFF"), "\xFD\xFF");
  EXPECT_EQ(utf8_to_utf16("a\0b"s), "a\0\0\0b\0"s);
}

TEST(Encoding, Utf16ToGbkReadsWholeUnitsOnly) {
  // An odd last byte is no unit; a lone surrogate is no character.
  EXPECT_EQ(utf16_to_gbk("\x2D\x4E"
                         "A"),
            "\xD6\xD0");
  EXPECT_EQ(utf16_to_gbk("\x3D\xD8"
                         "a\0"s),
            "?a");
  EXPECT_EQ(utf16_to_gbk("a\0\0\0b\0"s), "a");
}

TEST(Encoding, GbkToUtf8RoundTrip) {
  const std::string utf8 = "\xE5\xBE\xAE\xE4\xBF\xA1\xE7\xBE\xA4 QR \xE2\x82\xAC 12";
  const Text gbk = utf8_to_gbk(utf8);
  EXPECT_EQ(gbk, "\xCE\xA2\xD0\xC5\xC8\xBA QR \x80 12");
  EXPECT_EQ(gbk_to_utf8(gbk), utf8);
  EXPECT_EQ(gbk_to_utf8(""), "");
}

TEST(Encoding, GbkLiteralMacro) { EXPECT_EQ(KELVORA_GBK("\xE4\xB8\xAD"), "\xD6\xD0"); }

// Random UTF-8 built to hit every path of the block conversion: long and
// short ASCII runs, ideographs, letters followed by marks, runs of marks,
// supplementary characters and malformed bytes. Without long ASCII runs the
// conversion must find its own places to cut blocks.
std::string mixed_utf8(uint32_t seed, std::size_t size, bool long_ascii_runs = true) {
  static const std::vector<std::string> kParts = {
      "<div class=\"item\">",
      "a",
      "e",
      "\xE4\xB8\xAD",
      "\xE6\xB1\x89\xE5\xAD\x97",
      "\xCC\x81",
      "\xCC\x88",
      "\xE3\x82\x99",
      "\xE3\x81\x8B",
      "\xF0\x9F\x98\x80",
      "\xE4\xB8",
      "\xFF",
      "\x80",
      "\xC3\xA9",
      "\xEF\xBB\xBF",
      "a long run of plain ASCII text in the page markup, well over a block edge\n"};
  std::mt19937 random(seed);
  std::uniform_int_distribution<std::size_t> pick(0, kParts.size() - (long_ascii_runs ? 1 : 2));
  std::string text;
  while (text.size() < size) text += kParts[pick(random)];
  return text;
}

TEST(Encoding, FastConversionEqualsTheTwoStepConversion) {
  for (uint32_t seed = 1; seed <= 6; ++seed) {
    for (const bool long_ascii_runs : {true, false}) {
      const std::string utf8 = mixed_utf8(seed, seed * 50'000, long_ascii_runs);
      EXPECT_EQ(utf8_to_gbk(utf8), utf16_to_gbk(utf8_to_utf16(utf8)))
          << "seed " << seed << (long_ascii_runs ? " with" : " without") << " long ASCII runs";
    }
  }
  // Ideographs each followed by a decomposed "é", long enough to need several
  // blocks; the shifts move the block edges across every byte of the pattern,
  // so a block cut between a letter and its mark would show.
  for (std::size_t shift = 0; shift < 6; ++shift) {
    std::string utf8(shift, 'x');
    Text gbk(shift, 'x');
    for (int i = 0; i < 30'000; ++i) {
      utf8 +=
          "\xE4\xB8\xAD"
          "e\xCC\x81";
      gbk += "\xD6\xD0\xA8\xA6";
    }
    EXPECT_EQ(utf8_to_gbk(utf8), gbk) << "shift " << shift;
  }
  // No place to cut: a letter followed by more than a block of marks.
  std::string marks = "e";
  for (int i = 0; i < 70'000; ++i) marks += "\xCC\x81";
  EXPECT_EQ(utf8_to_gbk(marks), utf16_to_gbk(utf8_to_utf16(marks)));
  EXPECT_EQ(utf8_to_gbk(marks).substr(0, 3), "\xA8\xA6?");
}

TEST(Encoding, ThreadsConvertIndependently) {
  const std::string utf8 = mixed_utf8(7, 200'000);
  const Text expected = utf8_to_gbk(utf8);
  std::vector<Text> results(4);
  std::vector<std::thread> threads;
  for (Text& result : results) {
    threads.emplace_back([&utf8, &result] {
      for (int i = 0; i < 5; ++i) result = utf8_to_gbk(utf8);
    });
  }
  for (std::thread& thread : threads) thread.join();
  for (const Text& result : results) EXPECT_EQ(result, expected);
}

}  // namespace
}  // namespace kelvora
