// The libcurl transport: one easy handle per exchange, redirects followed by
// our own loop so that every hop sends its exact request target.
#include "web/http_transport.h"

#include <curl/curl.h>

#include <algorithm>
#include <memory>
#include <string>

#include "text/letter_case.h"
#include "web/http_limits.h"
#include "web/url_parts.h"

namespace kelvora {
namespace {

bool has_control_byte(std::string_view text) {
  return std::any_of(text.begin(), text.end(),
                     [](char c) { return c == '\r' || c == '\n' || c == '\0'; });
}

bool curl_ready() {
  // curl_global_init runs once per process, before the first handle exists.
  static const bool ready = curl_global_init(CURL_GLOBAL_DEFAULT) == CURLE_OK;
  return ready;
}

struct CurlFree {
  void operator()(CURL* handle) const { curl_easy_cleanup(handle); }
  void operator()(CURLU* url) const { curl_url_cleanup(url); }
  void operator()(curl_slist* list) const { curl_slist_free_all(list); }
  void operator()(char* text) const { curl_free(text); }
};
using EasyHandle = std::unique_ptr<CURL, CurlFree>;
using UrlHandle = std::unique_ptr<CURLU, CurlFree>;
using HeaderList = std::unique_ptr<curl_slist, CurlFree>;
using CurlText = std::unique_ptr<char, CurlFree>;

Text url_part(CURLU* url, CURLUPart part) {
  char* raw = nullptr;
  if (curl_url_get(url, part, &raw, 0) != CURLUE_OK) return {};
  CurlText owned(raw);
  return raw ? Text(raw) : Text();
}

Text origin_of(const HttpTarget& target) {
  return (target.tls ? "https://" : "http://") + target.host + ":" + std::to_string(target.port);
}

// The URL libcurl is given for a target: its origin, plus the path when libcurl
// can parse it (so that relative redirects resolve against it). Empty when the
// host or port cannot be used, or libcurl would read them differently; the
// connection must go to exactly the target's host and port.
Text usable_url(const HttpTarget& target) {
  if (target.host.empty() || target.port < 1 || target.port > 65535) return {};
  if (has_control_byte(target.host) || has_control_byte(target.path)) return {};
  UrlHandle url(curl_url());
  if (!url) return {};
  const Text origin = origin_of(target);
  if (curl_url_set(url.get(), CURLUPART_URL, (origin + "/").c_str(), 0) != CURLUE_OK) return {};
  if (!equal_nocase(url_part(url.get(), CURLUPART_HOST), target.host)) return {};
  if (url_part(url.get(), CURLUPART_PORT) != std::to_string(target.port)) return {};
  UrlHandle with_path(curl_url());
  if (with_path && target.path.starts_with("/") &&
      curl_url_set(with_path.get(), CURLUPART_URL, (origin + target.path).c_str(), 0) ==
          CURLUE_OK) {
    return origin + target.path;
  }
  return origin + "/";
}

// Receives the body up to the size cap; past it the transfer is cut off.
struct BodySink {
  Bytes bytes;
  int64_t cap = 0;

  static size_t write(char* data, size_t size, size_t count, void* self) {
    auto* sink = static_cast<BodySink*>(self);
    const size_t length = size * count;
    const auto room = static_cast<size_t>(
        std::max<int64_t>(0, sink->cap - static_cast<int64_t>(sink->bytes.size())));
    if (length > room) {
      sink->bytes.append(data, room);
      return 0;  // libcurl ends the transfer with a write error
    }
    sink->bytes.append(data, length);
    return length;
  }
};

// Keeps the header block of the latest answer: every status line starts a new
// block (interim 1xx answers and proxies' answers come before the final one),
// and lines after the block's empty line (trailers) are not part of it.
struct HeaderSink {
  Text block;
  bool complete = false;

  static size_t write(char* data, size_t size, size_t count, void* self) {
    auto* sink = static_cast<HeaderSink*>(self);
    const size_t length = size * count;
    std::string_view line(data, length);
    if (line.starts_with("HTTP/")) {
      sink->block.clear();
      sink->complete = false;
    } else if (sink->complete) {
      return length;
    }
    while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) line.remove_suffix(1);
    sink->block.append(line).append("\r\n");
    if (line.empty()) sink->complete = true;
    return length;
  }
};

// One hop of an exchange; redirects change the target, and may turn the verb
// into a GET without a body.
struct Hop {
  HttpTarget target;
  Text url;
  Text verb;
  bool send_body = false;
  std::vector<Text> header_lines;
};

bool header_named(std::string_view line, std::string_view name) {
  const size_t colon = line.find(':');
  if (colon == std::string_view::npos) return false;
  std::string_view key = line.substr(0, colon);
  while (!key.empty() && key.back() == ' ') key.remove_suffix(1);
  return equal_nocase(key, name);
}

// libcurl reads "Name:" with nothing after it as "drop this header"; "Name;"
// sends the line with an empty value. Lines holding a stray CR or LF are not
// sent, so no text can smuggle in header lines of its own.
HeaderList header_list(const std::vector<Text>& lines) {
  curl_slist* list = nullptr;
  auto add = [&list](const Text& line) {
    if (curl_slist* grown = curl_slist_append(list, line.c_str())) list = grown;
  };
  for (const Text& line : lines) {
    if (line.empty() || has_control_byte(line)) continue;
    const size_t colon = line.find(':');
    if (colon != Text::npos && line.find_first_not_of(' ', colon + 1) == Text::npos) {
      add(line.substr(0, colon) + ";");
    } else {
      add(line);
    }
  }
  // Empty entries stop libcurl adding its own line for a header the caller's
  // lines do not name; a caller's line, coming first, is sent instead.
  add("Accept:");
  add("Content-Type:");
  add("Expect:");
  return HeaderList(list);
}

CURLcode run_hop(CURL* handle, const Hop& hop, const HttpRequest& request, BodySink& body,
                 HeaderSink& headers) {
  const HttpLimits limits = http_limits();
  curl_easy_reset(handle);
  const bool proxied = request.proxy && !request.proxy->empty() && !hop.target.tls;
  const Text request_target = proxied ? origin_of(hop.target) + hop.target.path : hop.target.path;
  HeaderList lines = header_list(hop.header_lines);

  curl_easy_setopt(handle, CURLOPT_NOSIGNAL, 1L);
  curl_easy_setopt(handle, CURLOPT_URL, hop.url.c_str());
  curl_easy_setopt(handle, CURLOPT_REQUEST_TARGET, request_target.c_str());
  curl_easy_setopt(handle, CURLOPT_PROTOCOLS_STR, "http,https");
  curl_easy_setopt(handle, CURLOPT_HTTP_VERSION, static_cast<long>(CURL_HTTP_VERSION_1_1));
  curl_easy_setopt(handle, CURLOPT_FOLLOWLOCATION, 0L);
  curl_easy_setopt(handle, CURLOPT_SSL_VERIFYPEER, 1L);
  curl_easy_setopt(handle, CURLOPT_SSL_VERIFYHOST, 2L);
  curl_easy_setopt(handle, CURLOPT_CONNECTTIMEOUT, static_cast<long>(limits.connect_timeout_s));
  curl_easy_setopt(handle, CURLOPT_LOW_SPEED_LIMIT, 1L);
  curl_easy_setopt(handle, CURLOPT_LOW_SPEED_TIME, static_cast<long>(limits.stall_timeout_s));
  if (proxied) {
    const Text proxy = "http://" + *request.proxy;
    curl_easy_setopt(handle, CURLOPT_PROXY, proxy.c_str());  // libcurl copies option texts
  } else {
    curl_easy_setopt(handle, CURLOPT_PROXY, "");
    curl_easy_setopt(handle, CURLOPT_NOPROXY, "*");
  }
  if (!request.agent.empty()) curl_easy_setopt(handle, CURLOPT_USERAGENT, request.agent.c_str());
  curl_easy_setopt(handle, CURLOPT_HTTPHEADER, lines.get());
  if (hop.send_body) {
    curl_easy_setopt(handle, CURLOPT_POSTFIELDSIZE_LARGE,
                     static_cast<curl_off_t>(request.body.size()));
    curl_easy_setopt(handle, CURLOPT_POSTFIELDS, request.body.data());
    if (hop.verb != "POST") curl_easy_setopt(handle, CURLOPT_CUSTOMREQUEST, hop.verb.c_str());
  } else {
    curl_easy_setopt(handle, CURLOPT_HTTPGET, 1L);
    if (hop.verb != "GET") curl_easy_setopt(handle, CURLOPT_CUSTOMREQUEST, hop.verb.c_str());
  }
  body.cap = limits.max_body_bytes;
  curl_easy_setopt(handle, CURLOPT_WRITEFUNCTION, &BodySink::write);
  curl_easy_setopt(handle, CURLOPT_WRITEDATA, &body);
  curl_easy_setopt(handle, CURLOPT_HEADERFUNCTION, &HeaderSink::write);
  curl_easy_setopt(handle, CURLOPT_HEADERDATA, &headers);
  return curl_easy_perform(handle);
}

bool is_redirect(long status) {
  return status == 301 || status == 302 || status == 303 || status == 307 || status == 308;
}

// The hop after a redirecting answer, or nothing when it must not be followed:
// not a redirect, no usable Location, a scheme other than http and https, a
// step down from https to http, or a host libcurl cannot use.
std::optional<Hop> next_hop(CURL* handle, const Hop& hop, const HttpRequest& request) {
  long status = 0;
  curl_easy_getinfo(handle, CURLINFO_RESPONSE_CODE, &status);
  char* location = nullptr;
  if (!is_redirect(status) ||
      curl_easy_getinfo(handle, CURLINFO_REDIRECT_URL, &location) != CURLE_OK ||
      location == nullptr) {
    return std::nullopt;
  }
  const Text address(location);
  const Text lowered = lower_ascii_letters(address);
  if (!lowered.starts_with("http://") && !lowered.starts_with("https://")) return std::nullopt;
  Hop next;
  next.target = http_target(address);
  if (hop.target.tls && !next.target.tls) return std::nullopt;
  next.url = usable_url(next.target);
  if (next.url.empty()) return std::nullopt;
  // 301, 302 and 303 continue as a GET without a body, 307 and 308 repeat the request.
  const bool repeat = status == 307 || status == 308;
  next.verb = repeat ? hop.verb : Text("GET");
  next.send_body = repeat && hop.send_body;
  // Cookies and credentials go only to the host they were meant for.
  for (const Text& line : request.header_lines) {
    const bool private_line = header_named(line, "Cookie") || header_named(line, "Authorization");
    if (private_line && !equal_nocase(next.target.host, request.target.host)) continue;
    next.header_lines.push_back(line);
  }
  return next;
}

class CurlTransport final : public HttpTransport {
 public:
  HttpAnswer exchange(const HttpRequest& request) override {
    HttpAnswer answer;
    if (!curl_ready()) return answer;
    EasyHandle handle(curl_easy_init());
    if (!handle) return answer;
    Hop hop{request.target, usable_url(request.target), request.verb, request.send_body,
            request.header_lines};
    if (hop.url.empty()) return answer;

    const int32_t max_redirects = http_limits().max_redirects;
    for (int32_t redirects = 0;; ++redirects) {
      BodySink body;
      HeaderSink headers;
      const CURLcode result = run_hop(handle.get(), hop, request, body, headers);
      if (!headers.complete) {
        answer.outcome = HttpOutcome::send_failed;
        return answer;
      }
      std::optional<Hop> next;
      if (result == CURLE_OK && request.follow_redirects && redirects < max_redirects) {
        next = next_hop(handle.get(), hop, request);
      }
      if (!next) {
        answer.outcome = HttpOutcome::answered;
        answer.body = std::move(body.bytes);
        answer.header_block = std::move(headers.block);
        return answer;
      }
      hop = std::move(*next);
    }
  }
};

}  // namespace

HttpTarget http_target(std::string_view address) {
  HttpTarget target;
  target.tls = lower_ascii_letters(address.substr(0, 5)) == "https";
  target.host = url_host(address);
  target.port = url_port(address);
  if (target.port == 0) target.port = target.tls ? 443 : 80;
  target.path = url_path(address);
  return target;
}

HttpTransport& http_transport() {
  static CurlTransport transport;
  return transport;
}

}  // namespace kelvora
