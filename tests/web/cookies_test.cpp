#include "web/cookies.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace kelvora {
namespace {

struct MergeRow {
  std::string cookies;
  std::string new_cookies;
  std::string merged;
  std::string new_cookies_after;
};

const MergeRow kMergeRows[] = {
    {"sid=1; lang=en; theme=dark", "sid=2; theme=deleted;", "sid=2; lang=en",
     "sid=2;theme=deleted;"},
    {"", "a=1;", "a=1", "a=1;"},
    {"a=1", "", "a=1", ""},
    {"a=1;a=2", "", "a=1", ""},
    {"", "a=1; a=1;", "a=1", "a=1;a=1;"},
    {"", "a=1; a=2;", "a=1; a=2", "a=1;a=2;"},
    {"x=1", ";", "; x=1", ";"},
    {"k=a b", "", "k=ab", ""},
    {"", "", "", ""},
    // New pieces first, surviving old ones after them in their order.
    {"a=1; b=2", "c=3", "c=3; a=1; b=2", "c=3"},
    // An old piece marked deleted goes as well.
    {"a=deleted; b=1", "", "b=1", ""},
    // Names compare case-sensitively.
    {"A=1", "a=2", "a=2; A=1", "a=2"},
    // Full-width spaces are blanks; the bytes A1 A1 across two characters are not.
    {"k=\xA1\xA1v\xA1\xA1", "", "k=v", ""},
    {"k=\xB0\xA1\xA1\xB0", "", "k=\xB0\xA1\xA1\xB0", ""},
    // "=deleted" must begin on a character: here "=" is a second byte.
    {"x\x81=deleted", "", "x\x81=deleted", ""},
    // Tabs are not blanks.
    {"a=\t1", "", "a=\t1", ""},
};

TEST(Cookies, MergeTable) {
  for (const MergeRow& row : kMergeRows) {
    SCOPED_TRACE("cookies: '" + row.cookies + "' new: '" + row.new_cookies + "'");
    Text cookies = row.cookies;
    Text new_cookies = row.new_cookies;
    const Text returned = merge_cookies(cookies, new_cookies);
    EXPECT_EQ(cookies, row.merged);
    EXPECT_EQ(returned, row.merged);
    EXPECT_EQ(new_cookies, row.new_cookies_after);
  }
}

TEST(Cookies, NameIsTheTrimmedTextBeforeTheFirstEquals) {
  const std::pair<std::string, std::string> cases[] = {
      {"sid=1", "sid"}, {" sid =1", "sid"}, {"flag", "flag"}, {" flag\xA1\xA1", "flag"},
      {"=v", ""},       {"a=b=c", "a"},     {"", ""},         {"\tk=v", "\tk"},
  };
  for (const auto& [piece, name] : cases) {
    EXPECT_EQ(cookie_name(piece), name) << "piece: '" << piece << "'";
  }
}

TEST(Cookies, HasCookieNamedComparesNamesExactly) {
  const std::vector<Text> pieces = {" sid =1", "flag"};
  EXPECT_TRUE(has_cookie_named(pieces, "sid"));
  EXPECT_TRUE(has_cookie_named(pieces, "flag"));
  EXPECT_FALSE(has_cookie_named(pieces, "Sid"));
  EXPECT_FALSE(has_cookie_named(pieces, "si"));
  EXPECT_FALSE(has_cookie_named({}, ""));
}

TEST(Cookies, UniquePiecesDropsOnlyExactRepeats) {
  EXPECT_EQ(unique_pieces("a; b; a; c; b", "; "), "a; b; c");
  EXPECT_EQ(unique_pieces("x=1; x=2", "; "), "x=1; x=2");
  EXPECT_EQ(unique_pieces("", "; "), "");
  // A leading separator gives an empty piece, a trailing one no piece.
  EXPECT_EQ(unique_pieces(";a;;a;", ";"), ";a");
  // A separator never matches from a second byte: B0 3B is one character,
  // so the text is a single piece.
  EXPECT_EQ(unique_pieces("\xB0;\xB0;", ";"), "\xB0;\xB0;");
  EXPECT_EQ(unique_pieces("a;a", ""), "a;a");
}

TEST(Cookies, PieceIndexIsOneBased) {
  const std::vector<Text> list = {"a", "b", "a"};
  EXPECT_EQ(piece_index(list, "a"), 1);
  EXPECT_EQ(piece_index(list, "b"), 2);
  EXPECT_EQ(piece_index(list, "A"), -1);
  EXPECT_EQ(piece_index({}, ""), -1);
}

}  // namespace
}  // namespace kelvora
