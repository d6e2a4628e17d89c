#pragma once
// A loopback HTTP responder for tests that must see the exact request bytes or
// send answers no ordinary server would: it records every request and answers
// each connection from a script, then closes, resets or stalls it.
#include <condition_variable>
#include <functional>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

namespace kelvora::test {

class RawResponder {
 public:
  enum class Ending { close, reset, stall };
  struct Reply {
    std::string bytes;
    Ending ending = Ending::close;
  };
  // Called with the 0-based number of the request and its raw bytes.
  using Script = std::function<Reply(int index, const std::string& request)>;

  explicit RawResponder(Script script);
  // The same reply for every request.
  explicit RawResponder(std::string reply, Ending ending = Ending::close);
  ~RawResponder();
  RawResponder(const RawResponder&) = delete;
  RawResponder& operator=(const RawResponder&) = delete;

  int port() const { return port_; }
  // "http://127.0.0.1:<port>" followed by the path.
  std::string url(std::string_view path) const;
  std::vector<std::string> requests() const;
  int connections() const;

 private:
  void serve();
  void answer(int socket);

  Script script_;
  int listener_ = -1;
  int port_ = 0;
  mutable std::mutex mutex_;
  std::condition_variable stopped_;
  bool stopping_ = false;
  std::vector<std::string> requests_;
  int connections_ = 0;
  std::thread thread_;
};

// A plain answer with the given status line, extra header lines (each ended by
// CR LF) and body, with its Content-Length.
std::string http_answer(std::string_view status, std::string_view header_lines,
                        std::string_view body);

// A port on 127.0.0.1 where nothing listens.
int closed_port();

}  // namespace kelvora::test
