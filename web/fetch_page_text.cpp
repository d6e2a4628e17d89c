// The page fetch with the body decoded: pages arrive as UTF-8, the program
// works in GBK.
#include "web/encoding.h"
#include "web/fetch_page.h"

namespace kelvora {

Text fetch_page_text(const Text& address, int32_t method, const Text& post_text, Text* cookies,
                     Text* new_cookies, Text* headers, Text* redirect_address, bool no_redirect,
                     Bytes* post_bytes, const std::optional<Text>& proxy, Text* response_headers) {
  return utf8_to_gbk(fetch_page(address, method, post_text, cookies, new_cookies, headers,
                                redirect_address, no_redirect, post_bytes, proxy,
                                response_headers));
}

}  // namespace kelvora
