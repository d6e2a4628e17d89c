// What fetch_page puts on the wire, and what it writes back into the caller's
// variables before it sends.
#include <gtest/gtest.h>

#include "raw_responder.h"
#include "web/fetch_page.h"

namespace kelvora {
namespace {

using test::http_answer;
using test::RawResponder;

std::string replace_all(std::string text, std::string_view from, std::string_view to) {
  for (size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size())) {
    text.replace(at, from.size(), to);
  }
  return text;
}

TEST(FetchRequest, EveryOptionLeftOutSendsTheDefaultHeaderLines) {
  RawResponder server(http_answer("HTTP/1.1 200 OK", "", "hello"));
  const std::string address = server.url("/a?b=1");

  EXPECT_EQ(fetch_page(address), "hello");

  ASSERT_EQ(server.requests().size(), 1u);
  EXPECT_EQ(server.requests()[0],
            "GET /a?b=1 HTTP/1.1\r\n"
            "Host: 127.0.0.1:" +
                std::to_string(server.port()) +
                "\r\n"
                "User-Agent: " +
                std::string(default_user_agent) +
                "\r\n"
                "Referer: " +
                address +
                "\r\n"
                "Accept: */*\r\n"
                "Accept-Language: zh-cn\r\n"
                "Content-Type: application/x-www-form-urlencoded\r\n"
                "\r\n");
}

// Placeholders in the expectations: {address} for the requested address,
// {defaults} for the Accept, Accept-Language and Content-Type lines.
struct RequestCase {
  const char* name;
  int32_t method;
  std::string post_text;
  std::string cookies;
  std::string headers;
  std::string post_bytes;
  std::string expected_request;  // after the Host line
  std::string expected_headers;
  std::string expected_post_bytes;
};

const std::string defaults =
    "Accept: */*\r\nAccept-Language: zh-cn\r\nContent-Type: application/x-www-form-urlencoded";
const std::string agent_line = "User-Agent: " + std::string(default_user_agent) + "\r\n";

void PrintTo(const RequestCase& c, std::ostream* os) { *os << c.name; }

class FetchRequestTable : public testing::TestWithParam<RequestCase> {};

TEST_P(FetchRequestTable, SendsTheCompletedHeaderTextAndBody) {
  const RequestCase& row = GetParam();
  RawResponder server(http_answer("HTTP/1.1 200 OK", "", "ok"));
  const std::string address = server.url("/p");
  auto fill = [&](std::string text) {
    return replace_all(replace_all(std::move(text), "{defaults}", defaults), "{address}", address);
  };
  Text cookies = row.cookies;
  Text headers = row.headers;
  Bytes post_bytes = row.post_bytes;

  EXPECT_EQ(fetch_page(address, row.method, row.post_text, &cookies, nullptr, &headers, nullptr,
                       false, &post_bytes),
            "ok");

  ASSERT_EQ(server.requests().size(), 1u);
  const std::string request = server.requests()[0];
  const std::string host_line = "Host: 127.0.0.1:" + std::to_string(server.port()) + "\r\n";
  const size_t after_host = request.find(host_line);
  ASSERT_NE(after_host, std::string::npos) << request;
  EXPECT_EQ(request.substr(0, after_host) + request.substr(after_host + host_line.size()),
            fill(row.expected_request));
  EXPECT_EQ(headers, fill(row.expected_headers));
  EXPECT_EQ(post_bytes, row.expected_post_bytes);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FetchRequestTable,
    testing::Values(
        // A caller's User-Agent line replaces the client's own; Referer follows it.
        RequestCase{"CallerAgent", 0, "", "", "User-Agent: Tester", "",
                    "GET /p HTTP/1.1\r\nUser-Agent: Tester\r\nReferer: {address}\r\n"
                    "Accept: */*\r\nAccept-Language: zh-cn\r\n"
                    "Content-Type: application/x-www-form-urlencoded\r\n\r\n",
                    "User-Agent: Tester\r\nReferer: {address}\r\n{defaults}", ""},
        RequestCase{
            "PostTextFillsPostBytes", 1, "a=1", "", "", "",
            "POST /p HTTP/1.1\r\n" + agent_line +
                "Referer: {address}\r\n"
                "Accept: */*\r\nAccept-Language: zh-cn\r\n"
                "Content-Type: application/x-www-form-urlencoded\r\nContent-Length: 3\r\n\r\na=1",
            "Referer: {address}\r\n{defaults}", "a=1"},
        RequestCase{
            "MethodTwoSendsGetWithBody", 2, "a=1", "", "", "",
            "GET /p HTTP/1.1\r\n" + agent_line +
                "Referer: {address}\r\n"
                "Accept: */*\r\nAccept-Language: zh-cn\r\n"
                "Content-Type: application/x-www-form-urlencoded\r\nContent-Length: 3\r\n\r\na=1",
            "Referer: {address}\r\n{defaults}", "a=1"},
        RequestCase{
            "PostBytesWinOverPostText", 1, "ignored", "", "", "raw",
            "POST /p HTTP/1.1\r\n" + agent_line +
                "Referer: {address}\r\n"
                "Accept: */*\r\nAccept-Language: zh-cn\r\n"
                "Content-Type: application/x-www-form-urlencoded\r\nContent-Length: 3\r\n\r\nraw",
            "Referer: {address}\r\n{defaults}", "raw"},
        // GET sends no body, so post_bytes stays as it came.
        RequestCase{"GetLeavesPostBytes", 0, "a=1", "", "", "",
                    "GET /p HTTP/1.1\r\n" + agent_line +
                        "Referer: {address}\r\n"
                        "Accept: */*\r\nAccept-Language: zh-cn\r\n"
                        "Content-Type: application/x-www-form-urlencoded\r\n\r\n",
                    "Referer: {address}\r\n{defaults}", ""},
        RequestCase{"TwoCookieLines", 0, "", "x=1", "Cookie: y=2", "",
                    "GET /p HTTP/1.1\r\n" + agent_line +
                        "Cookie: y=2\r\nReferer: {address}\r\n"
                        "Accept: */*\r\nAccept-Language: zh-cn\r\n"
                        "Content-Type: application/x-www-form-urlencoded\r\nCookie: x=1\r\n\r\n",
                    "Cookie: y=2\r\nReferer: {address}\r\n{defaults}\r\nCookie: x=1", ""},
        // Lines the caller already gave are not added again, and a header with
        // an empty value goes out as given.
        RequestCase{"CallerLinesKept", 0, "", "",
                    "Accept: text/html\r\nX-Empty:\r\nContent-Type: a/b", "",
                    "GET /p HTTP/1.1\r\n" + agent_line +
                        "Accept: text/html\r\nX-Empty:\r\n"
                        "Content-Type: a/b\r\nReferer: {address}\r\nAccept-Language: zh-cn\r\n\r\n",
                    "Accept: text/html\r\nX-Empty:\r\nContent-Type: a/b\r\nReferer: {address}\r\n"
                    "Accept-Language: zh-cn",
                    ""}),
    [](const testing::TestParamInfo<RequestCase>& info) { return std::string(info.param.name); });

TEST(FetchRequest, OpeningFailureLeavesEveryVariableUnchanged) {
  for (const std::string address :
       {"", "http:///nohost", "http://bad host/x", "http://127.0.0.1:70000/"}) {
    Text cookies = "c=1", new_cookies = "n", headers = "H: 1", redirect = "r", response = "h";
    Bytes post_bytes;
    EXPECT_EQ(fetch_page(address, 1, "a=1", &cookies, &new_cookies, &headers, &redirect, false,
                         &post_bytes, std::nullopt, &response),
              "")
        << address;
    EXPECT_EQ(cookies, "c=1");
    EXPECT_EQ(new_cookies, "n");
    EXPECT_EQ(headers, "H: 1");
    EXPECT_EQ(redirect, "r");
    EXPECT_EQ(response, "h");
    EXPECT_EQ(post_bytes, "");
  }
}

TEST(FetchRequest, HeaderValueTakesTheTrimmedTextAfterTheFirstColon) {
  EXPECT_EQ(header_value("Location: /next"), "/next");
  EXPECT_EQ(header_value("Location:  http://a/b:c  "), "http://a/b:c");
  EXPECT_EQ(header_value("no colon"), "");
}

}  // namespace
}  // namespace kelvora
