#pragma once
// The wire side of the program's HTTP requests, behind a small interface so
// that another HTTP client can carry them. What a request sends (its header
// lines, body and agent) and what the caller makes of the answer (header block
// rules, header scanning, cookies) stay with the callers; a transport only
// moves the bytes, follows redirects and keeps the limits of http_limits.h.
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "text/text.h"

namespace kelvora {

// Where a request goes: the host and port to connect to, TLS or not, and the
// request target sent exactly as given.
struct HttpTarget {
  Text host;
  int32_t port = 80;
  bool tls = false;
  Text path = "/";
};

// The target of an address: url_host, url_port and url_path of it, TLS when
// the address begins with "https" in any letter case. Port 0 (an empty port in
// the address) stands for the scheme's default port.
HttpTarget http_target(std::string_view address);

struct HttpRequest {
  HttpTarget target;
  Text verb = "GET";
  // A body (possibly empty) goes out whenever this is set, whatever the verb.
  bool send_body = false;
  Bytes body;
  // Extra header lines, sent once each in this order. The client adds only its
  // own protocol lines (Host, Content-Length) and no Accept, Content-Type or
  // Expect line of its own.
  std::vector<Text> header_lines;
  // The User-Agent sent when header_lines hold no User-Agent line (a caller's
  // line replaces it); empty sends none.
  Text agent;
  // An HTTP proxy, host:port, used for plain-HTTP targets only. Proxy settings
  // of the environment are never used.
  std::optional<Text> proxy;
  bool follow_redirects = true;
};

enum class HttpOutcome {
  not_opened,   // the request could not be set up: nothing was sent
  send_failed,  // no answer came (host not found, refused, reset, time-out)
  answered,     // an answer's header block came whole; the body may be cut short
};

struct HttpAnswer {
  HttpOutcome outcome = HttpOutcome::not_opened;
  // The final answer's body as far as it was read.
  Bytes body;
  // The final answer's raw header block: status line first, every line ended
  // by CR LF, then an empty line. Empty unless outcome is answered.
  Text header_block;
};

class HttpTransport {
 public:
  virtual ~HttpTransport() = default;
  // One exchange, redirects included. Safe to call from several threads at once.
  virtual HttpAnswer exchange(const HttpRequest& request) = 0;
};

// The transport of this platform (libcurl).
HttpTransport& http_transport();

}  // namespace kelvora
