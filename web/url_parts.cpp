#include "web/url_parts.h"

#include <cstddef>
#include <vector>

#include "text/letter_case.h"
#include "text/markers.h"
#include "text/number.h"
#include "text/search.h"
#include "text/split.h"

namespace kelvora {
namespace {

bool contains(std::string_view text, std::string_view pattern) {
  return search_forward(text, pattern, 1, false) != -1;
}

}  // namespace

Text url_host(std::string_view address, bool last_two_labels, bool keep_port) {
  Text copy = lower_ascii_letters(address);
  if (!copy.ends_with('/')) copy += '/';

  std::string_view scheme = "http://";
  if (copy.starts_with("https://")) {
    scheme = "https://";
  } else if (!contains(copy, scheme)) {
    copy.insert(0, scheme);
  }

  Text host = text_between_nocase(copy, scheme, "/");

  // Runs before the port is cut, so a port stays attached to the last label.
  if (last_two_labels) {
    const std::vector<Text> labels = split_text(host, ".");
    if (labels.size() >= 2) host = labels[labels.size() - 2] + "." + labels.back();
  }

  if (!keep_port) {
    const int32_t colon = search_forward(host, ":", 1, false);
    if (colon != -1) host.resize(static_cast<std::size_t>(colon - 1));
  }
  return host;
}

int32_t url_port(std::string_view address) {
  const Text host = url_host(address, false, true);
  const int32_t last_colon =
      search_backward(host, ":", static_cast<int32_t>(host.size()) + 1, false);
  if (last_colon != -1) {
    return text_to_int(std::string_view(host).substr(static_cast<std::size_t>(last_colon)));
  }
  // Looks at the address as given: "https" needs no "://" after it here.
  return lower_ascii_letters(address.substr(0, 5)) == "https" ? 443 : 80;
}

Text url_path(std::string_view address) {
  const Text host = url_host(address);
  int32_t from = search_forward(address, host, 1, true);
  if (from == -1) from = 1;
  const int32_t slash = search_forward(address, "/", from, false);
  if (slash == -1) return "/";
  return Text(address.substr(static_cast<std::size_t>(slash - 1)));
}

}  // namespace kelvora
