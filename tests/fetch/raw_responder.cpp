#include "raw_responder.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <strings.h>
#include <sys/socket.h>
#include <sys/time.h>
#include <unistd.h>

#include <cstdlib>

namespace kelvora::test {
namespace {

int loopback_listener(int* port) {
  const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
  const int one = 1;
  ::setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &one, sizeof one);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t length = sizeof address;
  if (::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
      ::listen(fd, 16) != 0 ||
      ::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
    std::abort();
  }
  *port = ntohs(address.sin_port);
  return fd;
}

// The length named by a Content-Length line of the head, 0 without one.
size_t content_length(std::string_view head) {
  constexpr std::string_view name = "\r\ncontent-length:";
  for (size_t at = 0; at + name.size() <= head.size(); ++at) {
    if (::strncasecmp(head.data() + at, name.data(), name.size()) == 0) {
      return std::strtoul(std::string(head.substr(at + name.size(), 20)).c_str(), nullptr, 10);
    }
  }
  return 0;
}

// Reads one request: the head up to its empty line and a counted body. Stops
// early when the client closes, sends nothing for a few seconds, or sends
// something other than HTTP (a TLS handshake, for instance), keeping what came.
std::string read_request(int socket) {
  timeval wait{5, 0};
  ::setsockopt(socket, SOL_SOCKET, SO_RCVTIMEO, &wait, sizeof wait);
  std::string request;
  char buffer[4096];
  size_t head_end = std::string::npos;
  for (;;) {
    if (head_end == std::string::npos) {
      head_end = request.find("\r\n\r\n");
      if (head_end != std::string::npos) head_end += 4;
    }
    if (head_end != std::string::npos &&
        request.size() >= head_end + content_length(request.substr(0, head_end))) {
      return request;
    }
    const ssize_t got = ::recv(socket, buffer, sizeof buffer, 0);
    if (got <= 0) return request;
    request.append(buffer, static_cast<size_t>(got));
    const bool http_like = request[0] >= 'A' && request[0] <= 'Z';
    if (!http_like) return request;
  }
}

void send_all(int socket, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t sent = ::send(socket, bytes.data(), bytes.size(), MSG_NOSIGNAL);
    if (sent <= 0) return;
    bytes.remove_prefix(static_cast<size_t>(sent));
  }
}

}  // namespace

RawResponder::RawResponder(Script script) : script_(std::move(script)) {
  listener_ = loopback_listener(&port_);
  thread_ = std::thread([this] { serve(); });
}

RawResponder::RawResponder(std::string reply, Ending ending)
    : RawResponder([reply = std::move(reply), ending](int, const std::string&) {
        return Reply{reply, ending};
      }) {}

RawResponder::~RawResponder() {
  {
    std::lock_guard lock(mutex_);
    stopping_ = true;
  }
  stopped_.notify_all();
  ::shutdown(listener_, SHUT_RDWR);  // wakes the accept call
  thread_.join();
  ::close(listener_);
}

std::string RawResponder::url(std::string_view path) const {
  return "http://127.0.0.1:" + std::to_string(port_) + std::string(path);
}

std::vector<std::string> RawResponder::requests() const {
  std::lock_guard lock(mutex_);
  return requests_;
}

int RawResponder::connections() const {
  std::lock_guard lock(mutex_);
  return connections_;
}

void RawResponder::serve() {
  for (;;) {
    const int socket = ::accept(listener_, nullptr, nullptr);
    if (socket < 0) return;
    answer(socket);
  }
}

void RawResponder::answer(int socket) {
  const std::string request = read_request(socket);
  int index = 0;
  {
    std::lock_guard lock(mutex_);
    ++connections_;
    if (!request.empty()) requests_.push_back(request);
    index = static_cast<int>(requests_.size()) - 1;
  }
  const Reply reply = request.empty() ? Reply{} : script_(index, request);
  send_all(socket, reply.bytes);
  if (reply.ending == Ending::stall) {
    std::unique_lock lock(mutex_);
    stopped_.wait(lock, [this] { return stopping_; });
  } else if (reply.ending == Ending::reset) {
    const linger abort_on_close{1, 0};
    ::setsockopt(socket, SOL_SOCKET, SO_LINGER, &abort_on_close, sizeof abort_on_close);
  }
  ::close(socket);
}

std::string http_answer(std::string_view status, std::string_view header_lines,
                        std::string_view body) {
  return std::string(status) + "\r\n" + std::string(header_lines) +
         "Content-Length: " + std::to_string(body.size()) + "\r\n\r\n" + std::string(body);
}

int closed_port() {
  int port = 0;
  const int fd = loopback_listener(&port);
  ::close(fd);
  return port;
}

}  // namespace kelvora::test
