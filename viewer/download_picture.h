#pragma once
#include <string_view>

#include "text/text.h"

namespace kelvora {

// One plain GET for the address; the body of any answer, or empty bytes.
Bytes download_picture(std::string_view address);

}  // namespace kelvora
