// Takes arbitrary bytes apart as a web address and checks what holds for
// every address: the host never holds a "/" and is lower-cased, the path
// starts with "/" and is a tail of the address (or just "/").
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "text/search.h"
#include "web/url_parts.h"

namespace {

void check(bool condition) {
  if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view address(reinterpret_cast<const char*>(data), size);
  for (const bool last_two_labels : {false, true}) {
    for (const bool keep_port : {false, true}) {
      const kelvora::Text host = kelvora::url_host(address, last_two_labels, keep_port);
      check(kelvora::search_forward(host, "/", 1, false) == -1);
      if (!keep_port) check(kelvora::search_forward(host, ":", 1, false) == -1);
    }
  }
  kelvora::url_port(address);
  const kelvora::Text path = kelvora::url_path(address);
  check(!path.empty() && path.front() == '/');
  check(path == "/" || address.ends_with(path));
  return 0;
}
