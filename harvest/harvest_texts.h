#pragma once
// The addresses and messages a harvest run builds.
#include <cstdint>
#include <string_view>

#include "text/text.h"

namespace kelvora {

// The directory host this build harvests (host, or host:port).
std::string_view directory_host();

// "http://" host "/wxq-9-" page_no "-or-3-vi-1.html".
Text listing_address(std::string_view host, int32_t page_no);

// The progress hint shown after the item_no-th item of page page_no, in GBK.
Text progress_hint(int32_t page_no, int32_t item_no);

}  // namespace kelvora
