// The fast searches (memmem candidates, local character-start checks, reuse
// of an earlier end-marker search) must agree with a plain character-by-
// character reading of the rules on many generated texts, including runs of
// bytes >= 0x80 that make most byte-level hits fall on second bytes.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "text/markers.h"
#include "text/pending_events.h"
#include "text/search.h"

namespace kelvora {
namespace {

bool high(char c) { return static_cast<unsigned char>(c) >= 0x80; }

char fold(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 0x20) : c; }

bool matches_at(const std::string& text, const std::string& pattern, size_t i, bool ignore_case) {
  if (i + pattern.size() > text.size()) return false;
  for (size_t k = 0; k < pattern.size(); ++k) {
    char a = text[i + k], b = pattern[k];
    if (ignore_case ? fold(a) != fold(b) : a != b) return false;
  }
  return true;
}

int32_t plain_forward(const std::string& text, const std::string& pattern, int32_t start,
                      bool ignore_case) {
  size_t from = static_cast<size_t>(std::max(start, 1) - 1);
  if (from >= text.size()) return -1;
  if (pattern.empty()) return 1;
  for (size_t i = from; i < text.size(); i += high(text[i]) ? 2 : 1) {
    if (high(text[i]) && i + 1 == text.size()) break;
    if (matches_at(text, pattern, i, ignore_case)) return static_cast<int32_t>(i + 1);
  }
  return -1;
}

int32_t plain_backward(const std::string& text, const std::string& pattern, int32_t start,
                       bool ignore_case) {
  std::string stretch = text.substr(0, static_cast<size_t>(std::max(start, 1) - 1));
  if (stretch.empty()) return -1;
  if (pattern.empty()) return 1;
  int32_t last = -1;
  for (size_t i = 0; i < stretch.size(); i += high(stretch[i]) ? 2 : 1) {
    if (high(stretch[i]) && i + 1 == stretch.size()) break;
    if (matches_at(stretch, pattern, i, ignore_case)) last = static_cast<int32_t>(i + 1);
  }
  return last;
}

std::string plain_trim(const std::string& text) {
  std::vector<std::pair<size_t, size_t>> characters;  // start, width of each non-blank
  size_t first = std::string::npos, end = 0;
  for (size_t i = 0; i < text.size();) {
    size_t width = high(text[i]) ? 2 : 1;
    if (i + width > text.size()) break;
    std::string c = text.substr(i, width);
    if (c != " " && c != "\xA1\xA1") {
      if (first == std::string::npos) first = i;
      end = i + width;
    }
    i += width;
  }
  return first == std::string::npos ? "" : text.substr(first, end - first);
}

int plain_calls = 0;

std::vector<Text> plain_all_between(const std::string& text, const std::string& start_marker,
                                    const std::string& end_marker, bool ignore_case,
                                    int32_t max_length, const std::string& prefix) {
  std::vector<Text> pieces;
  int32_t c = 0;
  while (true) {
    int32_t e = plain_forward(text, start_marker, c, ignore_case);
    if (e == -1) break;
    int32_t q = e + static_cast<int32_t>(start_marker.size());
    int32_t f = plain_forward(text, end_marker, q, ignore_case);
    if (f == -1) break;
    std::string candidate = prefix + plain_trim(text.substr(q - 1, f - q));
    if (candidate.empty()) {
      c = q;
    } else {
      if (max_length == 0 || static_cast<int32_t>(candidate.size()) < max_length) {
        pieces.push_back(candidate);
      }
      if (max_length != 0) ++plain_calls;
      c = f;
    }
    plain_calls += 3;
  }
  return pieces;
}

int calls = 0;
void count_call() { ++calls; }

std::string random_text(std::mt19937& random, size_t max_length, const std::string& alphabet) {
  std::string text(random() % (max_length + 1), ' ');
  for (char& c : text) c = alphabet[random() % alphabet.size()];
  return text;
}

// Small alphabets make hits frequent; A1 and B4 runs decide character starts.
const std::vector<std::string> kAlphabets = {"ab \xA1\xB4", "aA \xA1", "\xA1\xB4\xA1 ",
                                             "<b>/ x\xB4"};

TEST(ReferenceRules, SearchesAndTrimAgreeWithPlainStepping) {
  std::mt19937 random(20240601);
  for (int round = 0; round < 20000; ++round) {
    const std::string& alphabet = kAlphabets[round % kAlphabets.size()];
    std::string text = random_text(random, round % 10 == 0 ? 400 : 24, alphabet);
    std::string pattern = random_text(random, 3, alphabet);
    int32_t start = static_cast<int32_t>(random() % (text.size() + 3)) - 1;
    bool ignore_case = random() % 2 == 0;
    SCOPED_TRACE(testing::Message() << "round " << round << " text '" << text << "' pattern '"
                                    << pattern << "' start " << start);
    ASSERT_EQ(search_forward(text, pattern, start, ignore_case),
              plain_forward(text, pattern, start, ignore_case));
    ASSERT_EQ(search_backward(text, pattern, start, ignore_case),
              plain_backward(text, pattern, start, ignore_case));
    ASSERT_EQ(trim_spaces(text), plain_trim(text));
  }
}

TEST(ReferenceRules, AllTextsBetweenAgreesWithPlainPasses) {
  set_pending_events_hook(&count_call);
  std::mt19937 random(7);
  for (int round = 0; round < 20000; ++round) {
    const std::string& alphabet = kAlphabets[round % kAlphabets.size()];
    std::string text = random_text(random, round % 10 == 0 ? 300 : 30, alphabet);
    std::string start_marker = random_text(random, 2, alphabet);
    std::string end_marker = random_text(random, 2, alphabet);
    if (start_marker.empty() || end_marker.empty()) continue;
    bool ignore_case = random() % 2 == 0;
    int32_t max_length = static_cast<int32_t>(random() % 4);
    std::string prefix = random() % 4 == 0 ? "[" : "";
    SCOPED_TRACE(testing::Message() << "round " << round << " text '" << text << "' markers '"
                                    << start_marker << "' '" << end_marker << "'");
    calls = plain_calls = 0;
    std::vector<Text> pieces;
    all_texts_between(text, start_marker, end_marker, pieces, ignore_case, max_length, prefix);
    ASSERT_EQ(pieces,
              plain_all_between(text, start_marker, end_marker, ignore_case, max_length, prefix));
    ASSERT_EQ(calls, plain_calls);
  }
  set_pending_events_hook(nullptr);
}

}  // namespace
}  // namespace kelvora
