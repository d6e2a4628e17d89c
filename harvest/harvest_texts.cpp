#include "harvest/harvest_texts.h"

#include <string>

#include "web/encoding.h"

namespace kelvora {

std::string_view directory_host() { return KELVORA_DIRECTORY_HOST; }

Text listing_address(std::string_view host, int32_t page_no) {
  Text address = "http://";
  address += host;
  address += "/wxq-9-";
  address += std::to_string(page_no);
  address += "-or-3-vi-1.html";
  return address;
}

Text progress_hint(int32_t page_no, int32_t item_no) {
  Text hint = KELVORA_GBK("当前正才获取第");
  hint += std::to_string(page_no);
  hint += KELVORA_GBK("页，第");
  hint += std::to_string(item_no);
  hint += KELVORA_GBK("条数据，请耐心等待！");
  return hint;
}

}  // namespace kelvora
