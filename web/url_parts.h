#pragma once
// Taking a web address apart for a request: host, port and path.
#include <cstdint>
#include <string_view>

#include "text/text.h"

namespace kelvora {

// The host, lower-cased. last_two_labels keeps only the last two dot-labels;
// keep_port keeps a ":port" suffix.
Text url_host(std::string_view address, bool last_two_labels = false, bool keep_port = false);

// The port named in the address, else 443 for "https" addresses and 80 otherwise.
int32_t url_port(std::string_view address);

// The object path for the request line, from the first "/" after the host; "/" if none.
Text url_path(std::string_view address);

}  // namespace kelvora
