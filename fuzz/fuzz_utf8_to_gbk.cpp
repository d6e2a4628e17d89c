// Converts arbitrary bytes from UTF-8 to GBK and checks that the block-wise
// conversion gives exactly what the two steps through UTF-16 give, that the
// text holds no zero byte, and that decoding it back for display works.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "web/encoding.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view utf8(reinterpret_cast<const char*>(data), size);
  const kelvora::Text gbk = kelvora::utf8_to_gbk(utf8);
  if (gbk != kelvora::utf16_to_gbk(kelvora::utf8_to_utf16(utf8))) std::abort();
  if (gbk.find('\0') != kelvora::Text::npos) std::abort();
  kelvora::gbk_to_utf8(gbk);
  kelvora::gbk_to_utf8(utf8);
  return 0;
}
