#pragma once
// Serving a static directory site from a folder: listing pages, detail pages
// and QR pictures. Used by the demo site server and by the harvest tests.
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace httplib {
class Server;
}

namespace kelvora::demo {

// The placeholder that HTML files hold where the site's own host:port belongs,
// so that absolute addresses work on whatever port the site is served.
inline constexpr std::string_view host_placeholder = "{{host}}";

struct SiteFile {
  std::string body;
  std::string content_type;
};

// The file that answers `request_path` under `root`, with the placeholder in
// HTML files replaced by `host`. Nothing for a missing file, a folder, or a
// path that would leave `root`.
std::optional<SiteFile> read_site_file(const std::filesystem::path& root,
                                       std::string_view request_path, std::string_view host);

// What serve_site reports of a request.
struct RequestSeen {
  std::string method;
  std::string target;                                        // path and query as sent
  std::vector<std::pair<std::string, std::string>> headers;  // name and value
};

// Answers every GET on `server` from `root` (404 when there is no such file).
// `on_request` sees each request before it is answered.
void serve_site(httplib::Server& server, std::filesystem::path root,
                std::function<void(const RequestSeen&)> on_request = {});

}  // namespace kelvora::demo
