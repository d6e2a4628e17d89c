#include "loopback_site.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <stdexcept>

namespace kelvora::testing {

LoopbackSite::LoopbackSite(const std::filesystem::path& folder) {
  demo::serve_site(server_, folder, [this](const demo::RequestSeen& seen) {
    std::lock_guard lock(mutex_);
    requests_.push_back(seen);
  });
  port_ = server_.bind_to_any_port("127.0.0.1");
  if (port_ <= 0) throw std::runtime_error("cannot bind a loopback port");
  listener_ = std::thread([this] { server_.listen_after_bind(); });
}

LoopbackSite::~LoopbackSite() {
  server_.stop();
  listener_.join();
}

std::string LoopbackSite::host() const { return "127.0.0.1:" + std::to_string(port_); }

std::vector<demo::RequestSeen> LoopbackSite::requests() const {
  std::lock_guard lock(mutex_);
  return requests_;
}

std::vector<std::string> LoopbackSite::request_targets() const {
  std::vector<std::string> targets;
  for (const auto& request : requests()) targets.push_back(request.target);
  return targets;
}

SilentPort::SilentPort() {
  listen_fd_ = socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t length = sizeof address;
  if (listen_fd_ < 0 || bind(listen_fd_, reinterpret_cast<sockaddr*>(&address), length) != 0 ||
      listen(listen_fd_, 16) != 0 ||
      getsockname(listen_fd_, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
    throw std::runtime_error("cannot open a silent loopback port");
  }
  port_ = ntohs(address.sin_port);
  acceptor_ = std::thread([this] {
    while (!stopping_) {
      pollfd waiting{listen_fd_, POLLIN, 0};
      if (poll(&waiting, 1, 50) <= 0) continue;
      const int connection = accept(listen_fd_, nullptr, nullptr);
      if (connection < 0) continue;
      ++connections_;
      close(connection);
    }
  });
}

SilentPort::~SilentPort() {
  stopping_ = true;
  acceptor_.join();
  close(listen_fd_);
}

std::string SilentPort::host() const { return "127.0.0.1:" + std::to_string(port_); }

}  // namespace kelvora::testing
