#include "tests/viewer/picture_server.h"

namespace kelvora::testing {

PictureServer::PictureServer() {
  server_.Get(".*", [this](const httplib::Request& request, httplib::Response& response) {
    ++requests_;
    std::lock_guard lock(mutex_);
    const auto found = bodies_.find(request.path);
    const Bytes body = found != bodies_.end() ? found->second : "picture:" + request.path;
    response.set_content(body, "application/octet-stream");
  });
  port_ = server_.bind_to_any_port("127.0.0.1");
  listener_ = std::thread([this] { server_.listen_after_bind(); });
  // stop() only reaches a server that is already running.
  while (!server_.is_running()) std::this_thread::yield();
}

PictureServer::~PictureServer() {
  server_.stop();
  listener_.join();
}

std::string PictureServer::address(const std::string& path) const {
  return "http://127.0.0.1:" + std::to_string(port_) + path;
}

void PictureServer::put(const std::string& path, const Bytes& body) {
  std::lock_guard lock(mutex_);
  bodies_[path] = body;
}

}  // namespace kelvora::testing
