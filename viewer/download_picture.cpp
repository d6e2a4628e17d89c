// The picture download: a plain GET of its own through the HTTP transport,
// sharing no cookie, header line or agent with the page fetch.
#include "viewer/download_picture.h"

#include "text/letter_case.h"
#include "web/http_transport.h"

namespace kelvora {
namespace {

constexpr const char* picture_agent = "Kelvora/1.0.1";

// True for http and https addresses, and for addresses without a scheme
// ("host/path", "host:port/path"), which are taken as http like everywhere
// else in the program. "ftp://…", "data:…", "file:…" and the like are not.
bool is_web_address(std::string_view address) {
  if (starts_with_nocase(address, "http://") || starts_with_nocase(address, "https://"))
    return true;
  if (address.find("://") != std::string_view::npos) return false;
  const size_t colon = address.find(':');
  if (colon == std::string_view::npos) return true;
  // "name:" followed by a port number (or the path, or nothing) is a host and
  // port; followed by anything else it is a scheme.
  const std::string_view rest = address.substr(colon + 1);
  const bool port_follows =
      rest.empty() || rest.front() == '/' || (rest.front() >= '0' && rest.front() <= '9');
  const bool name_is_host = address.substr(0, colon).find('/') == std::string_view::npos;
  return !name_is_host || port_follows;
}

}  // namespace

Bytes download_picture(std::string_view address) {
  if (address.empty() || !is_web_address(address)) return {};
  HttpRequest request;
  request.target = http_target(address);
  request.agent = picture_agent;
  request.header_lines = {"Accept: */*"};
  HttpAnswer answer = http_transport().exchange(request);
  return std::move(answer.body);
}

}  // namespace kelvora
