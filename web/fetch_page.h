#pragma once
// One HTTP request with the header completion, header scanning and cookie
// merge of the program's page fetch.
#include <cstdint>
#include <optional>
#include <string_view>

#include "text/text.h"

namespace kelvora {

// The agent named in requests whose extra header lines name none.
extern const char* const default_user_agent;

// The part of a header line after its first ":", blanks trimmed; empty without ":".
Text header_value(std::string_view line);

// Parameters in the order of the routine's contract. In/out and out parameters
// are caller variables passed by pointer; a null pointer is a left-out variable.
// A User-Agent line in `headers` goes out in place of the client's own one, so
// a request never carries two. When the address cannot be used (no host, one
// the HTTP client rejects, a port outside 1..65535) nothing is sent, every
// caller variable stays as it was and the result is empty.
Bytes fetch_page(const Text& address, int32_t method = 0, const Text& post_text = {},
                 Text* cookies = nullptr, Text* new_cookies = nullptr, Text* headers = nullptr,
                 Text* redirect_address = nullptr, bool no_redirect = false,
                 Bytes* post_bytes = nullptr, const std::optional<Text>& proxy = std::nullopt,
                 Text* response_headers = nullptr);

// fetch_page with the body decoded from UTF-8 to GBK.
Text fetch_page_text(const Text& address, int32_t method = 0, const Text& post_text = {},
                     Text* cookies = nullptr, Text* new_cookies = nullptr, Text* headers = nullptr,
                     Text* redirect_address = nullptr, bool no_redirect = false,
                     Bytes* post_bytes = nullptr, const std::optional<Text>& proxy = std::nullopt,
                     Text* response_headers = nullptr);

}  // namespace kelvora
