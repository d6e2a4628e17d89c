// The page fetch: completes the request's header text, sends it through the
// HTTP transport, and takes the header block, redirect address and cookies out
// of the answer.
#include "web/fetch_page.h"

#include "text/markers.h"
#include "text/search.h"
#include "text/split.h"
#include "web/cookies.h"
#include "web/http_transport.h"

namespace kelvora {

const char* const default_user_agent =
    "Mozilla/4.0 (compatible; MSIE 9.0; Windows NT 6.1; MV3TQ; .NET CLR 2.0.50727; "
    ".NET CLR 3.0.04506.648; .NET CLR 3.5.21022)";

namespace {

// The header block handed back is at most 4999 bytes; a longer one, or none at
// all, leaves this many blanks in its place.
constexpr size_t header_room = 5000;

bool contains(std::string_view text, std::string_view name, bool ignore_case = false) {
  return search_forward(text, name, 1, ignore_case) != -1;
}

// The agent: default_user_agent unless the header text names one. A User-Agent
// line ending the text has no CR LF after it; the value after the text's first
// colon is taken then.
Text agent_for(std::string_view headers) {
  if (!contains(headers, "User-Agent:", true)) return default_user_agent;
  Text agent = trim_spaces(text_between_nocase(headers, "User-Agent:", "\r\n"));
  return agent.empty() ? header_value(headers) : agent;
}

// Adds Referer, Accept, Accept-Language and Content-Type unless the text
// already holds them (case-sensitive, anywhere), then the cookie line.
Text completed_headers(Text headers, const Text& address, const Text& cookies) {
  if (!contains(headers, "Referer:")) {
    headers += headers.empty() ? "Referer: " : "\r\nReferer: ";
    headers += address;
  }
  if (!contains(headers, "Accept:")) headers += "\r\nAccept: */*";
  if (!contains(headers, "Accept-Language:")) headers += "\r\nAccept-Language: zh-cn";
  if (!contains(headers, "Content-Type:")) {
    headers += "\r\nContent-Type: application/x-www-form-urlencoded";
  }
  if (!cookies.empty()) headers += "\r\nCookie: " + cookies;
  return headers;
}

// The header block as the caller sees it: the final answer's block when it
// fits, with a zero byte ending it like any text; otherwise 5000 blanks.
Text visible_header_block(const HttpAnswer& answer) {
  if (answer.outcome != HttpOutcome::answered || answer.header_block.size() >= header_room) {
    return Text(header_room, ' ');
  }
  return Text(answer.header_block.c_str());
}

}  // namespace

Text header_value(std::string_view line) {
  const size_t colon = line.find(':');
  if (colon == std::string_view::npos) return {};
  return trim_spaces(line.substr(colon + 1));
}

Bytes fetch_page(const Text& address, int32_t method, const Text& post_text, Text* cookies,
                 Text* new_cookies, Text* headers, Text* redirect_address, bool no_redirect,
                 Bytes* post_bytes, const std::optional<Text>& proxy, Text* response_headers) {
  const Text cookies_in = cookies ? *cookies : Text();
  const Text headers_in = headers ? *headers : Text();

  HttpRequest request;
  request.target = http_target(address);
  request.verb = method == 1 ? "POST" : "GET";
  request.agent = agent_for(headers_in);
  const Text header_text = completed_headers(headers_in, address, cookies_in);
  request.header_lines = split_text(header_text, "\r\n");
  request.send_body = method != 0;
  if (request.send_body) {
    const bool bytes_given = post_bytes && !post_bytes->empty();
    request.body = bytes_given ? *post_bytes : Bytes(post_text.c_str());
  }
  request.proxy = proxy;
  request.follow_redirects = !no_redirect;

  HttpAnswer answer = http_transport().exchange(request);
  if (answer.outcome == HttpOutcome::not_opened) return {};

  // The request is open: from here on the caller's variables are written.
  if (headers) *headers = header_text;
  if (request.send_body && post_bytes) *post_bytes = request.body;
  const Text block = visible_header_block(answer);

  Text redirect = redirect_address ? *redirect_address : Text();
  Text set_cookies;
  for (const Text& line : split_text(block, "\r\n")) {
    if (contains(line, "Location:")) redirect = header_value(line);
    if (contains(line, "Set-Cookie")) {
      set_cookies += trim_spaces(text_between_nocase(line, "Set-Cookie:", ";")) + "; ";
    }
  }
  if (redirect.empty()) redirect = block;

  Text merged = cookies_in;
  merge_cookies(merged, set_cookies);

  if (response_headers) *response_headers = block;
  if (redirect_address) *redirect_address = redirect;
  if (cookies) *cookies = merged;
  if (new_cookies) *new_cookies = set_cookies;
  return std::move(answer.body);
}

}  // namespace kelvora
