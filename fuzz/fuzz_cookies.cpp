// Merges two cookie strings cut from arbitrary bytes (at the first zero byte)
// and checks that the merged string is also left in `cookies`, holds no piece
// twice, and that removing blanks a second time changes nothing.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>
#include <unordered_set>

#include "text/split.h"
#include "web/cookies.h"

namespace {

void check(bool condition) {
  if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  const std::size_t cut = std::min(input.find('\0'), input.size());
  kelvora::Text cookies(input.substr(0, cut));
  kelvora::Text new_cookies(input.substr(std::min(cut + 1, input.size())));

  const kelvora::Text merged = kelvora::merge_cookies(cookies, new_cookies);
  check(merged == cookies);

  std::unordered_set<kelvora::Text> seen;
  for (const kelvora::Text& piece : kelvora::split_text(merged, "; ")) {
    check(seen.insert(piece).second);
  }

  kelvora::Text again = merged;
  const kelvora::Text blank_free = new_cookies;
  kelvora::merge_cookies(again, new_cookies);
  check(new_cookies == blank_free);
  kelvora::unique_pieces(input, blank_free);
  return 0;
}
