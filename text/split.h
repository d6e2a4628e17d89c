#pragma once
#include <string_view>
#include <vector>

#include "text/text.h"

namespace kelvora {

// The pieces between separators, scanning by characters. Adjacent separators
// or a leading one give an empty piece; a trailing one gives no empty last
// piece; the empty text gives no pieces. An empty separator leaves the text whole.
std::vector<Text> split_text(std::string_view text, std::string_view separator);

}  // namespace kelvora
