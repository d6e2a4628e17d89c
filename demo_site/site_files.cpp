#include "demo_site/site_files.h"

#include <httplib.h>

#include <fstream>
#include <sstream>

namespace kelvora::demo {

namespace {

bool leaves_root(std::string_view request_path) {
  if (request_path.empty() || request_path.front() != '/') return true;
  if (request_path.find('\\') != std::string_view::npos) return true;
  if (request_path.find('\0') != std::string_view::npos) return true;
  for (const auto& part : std::filesystem::path(request_path)) {
    if (part == "..") return true;
  }
  return false;
}

std::string content_type_of(const std::filesystem::path& file) {
  const auto ext = file.extension();
  if (ext == ".html") return "text/html; charset=utf-8";
  if (ext == ".png") return "image/png";
  return "application/octet-stream";
}

void replace_all(std::string& text, std::string_view from, std::string_view to) {
  for (size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size())) {
    text.replace(at, from.size(), to);
  }
}

}  // namespace

std::optional<SiteFile> read_site_file(const std::filesystem::path& root,
                                       std::string_view request_path, std::string_view host) {
  if (leaves_root(request_path)) return std::nullopt;
  const auto file = root / std::filesystem::path(request_path).relative_path();
  std::error_code error;
  if (!std::filesystem::is_regular_file(file, error)) return std::nullopt;
  std::ifstream in(file, std::ios::binary);
  if (!in) return std::nullopt;
  std::ostringstream body;
  body << in.rdbuf();
  SiteFile answer{body.str(), content_type_of(file)};
  if (file.extension() == ".html") replace_all(answer.body, host_placeholder, host);
  return answer;
}

void serve_site(httplib::Server& server, std::filesystem::path root,
                std::function<void(const RequestSeen&)> on_request) {
  server.Get(".*", [root = std::move(root), on_request = std::move(on_request)](
                       const httplib::Request& request, httplib::Response& response) {
    if (on_request) {
      RequestSeen seen{request.method, request.target, {}};
      seen.headers.assign(request.headers.begin(), request.headers.end());
      on_request(seen);
    }
    const auto file = read_site_file(root, request.path, request.get_header_value("Host"));
    if (!file) {
      response.status = 404;
      response.set_content("<html><body>not found</body></html>", "text/html; charset=utf-8");
      return;
    }
    response.set_content(file->body, file->content_type.c_str());
  });
}

}  // namespace kelvora::demo
