#include "text/letter_case.h"

#include <gtest/gtest.h>

namespace kelvora {
namespace {

TEST(LetterCase, FoldsOnlyAsciiLettersAndNeverASecondByte) {
  // B0 41 is one two-byte character whose second byte happens to be "A".
  EXPECT_EQ(lower_ascii_letters("HTTP://X.Cn/[@]\xB0" "A" "B"), "http://x.cn/[@]\xB0" "A" "b");
  EXPECT_TRUE(starts_with_nocase("HTTPS://a", "https://"));
  EXPECT_FALSE(starts_with_nocase("http", "https"));
  EXPECT_TRUE(equal_nocase("Example.COM", "example.com"));
  EXPECT_FALSE(equal_nocase("\xB0" "A", "\xB0" "a"));
}

}  // namespace
}  // namespace kelvora
