// What fetch_page takes out of an answer: body, header block, redirect
// address and cookies.
#include <gtest/gtest.h>

#include <optional>

#include "raw_responder.h"
#include "web/fetch_page.h"

namespace kelvora {
namespace {

using test::http_answer;
using test::RawResponder;

const std::string blanks(5000, ' ');

// An answer with body "b" whose header block is exactly block_size bytes long.
std::string answer_with_block_size(size_t block_size) {
  const size_t fixed = std::string("HTTP/1.1 200 OK\r\nX: \r\nContent-Length: 1\r\n\r\n").size();
  return http_answer("HTTP/1.1 200 OK", "X: " + std::string(block_size - fixed, 'p') + "\r\n", "b");
}

struct AnswerCase {
  const char* name;
  std::string answer;
  std::string cookies_in;
  std::string redirect_in;
  std::string body;
  std::optional<std::string> cookies;
  std::optional<std::string> new_cookies;
  // "{block}" stands for the answer's whole header block.
  std::optional<std::string> redirect;
  std::optional<std::string> response_headers;
};

void PrintTo(const AnswerCase& c, std::ostream* os) { *os << c.name; }

class FetchAnswerTable : public testing::TestWithParam<AnswerCase> {};

TEST_P(FetchAnswerTable, ScansTheHeaderBlock) {
  const AnswerCase& row = GetParam();
  RawResponder server(row.answer);
  Text cookies = row.cookies_in, new_cookies = "stale", redirect = row.redirect_in, response;
  const std::string block = row.answer.substr(0, row.answer.find("\r\n\r\n") + 4);

  EXPECT_EQ(fetch_page(server.url("/"), 0, "", &cookies, &new_cookies, nullptr, &redirect, false,
                       nullptr, std::nullopt, &response),
            row.body);

  if (row.cookies) {
    EXPECT_EQ(cookies, *row.cookies);
  }
  if (row.new_cookies) {
    EXPECT_EQ(new_cookies, *row.new_cookies);
  }
  if (row.redirect) {
    EXPECT_EQ(redirect, *row.redirect == "{block}" ? block : *row.redirect);
  }
  if (row.response_headers) {
    EXPECT_EQ(response, *row.response_headers == "{block}" ? block : *row.response_headers);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FetchAnswerTable,
    testing::Values(
        AnswerCase{"TwoSetCookies",
                   http_answer("HTTP/1.1 200 OK",
                               "Set-Cookie: a=1; path=/\r\nSet-Cookie: b=2; path=/\r\n", "x"),
                   "", "", "x", "a=1; b=2", "a=1;b=2;", "{block}", "{block}"},
        AnswerCase{"SetCookieWithoutSemicolon",
                   http_answer("HTTP/1.1 200 OK", "Set-Cookie: z=9\r\n", ""), "x=1", "", "",
                   "; x=1", ";", std::nullopt, std::nullopt},
        AnswerCase{"LowerCaseSetCookieIgnored",
                   http_answer("HTTP/1.1 200 OK", "set-cookie: a=1; path=/\r\n", ""), "k=v", "", "",
                   "k=v", "", std::nullopt, std::nullopt},
        AnswerCase{"ContentLocation",
                   http_answer("HTTP/1.1 200 OK", "Content-Location: /c\r\n", "x"), "", "", "x",
                   std::nullopt, std::nullopt, "/c", "{block}"},
        AnswerCase{"RedirectAddressKeptWithoutLocation", http_answer("HTTP/1.1 200 OK", "", "x"),
                   "", "kept", "x", std::nullopt, std::nullopt, "kept", std::nullopt},
        // The error page's body comes back like any other.
        AnswerCase{"ErrorStatusBody", http_answer("HTTP/1.1 404 Not Found", "", "missing"), "", "",
                   "missing", std::nullopt, std::nullopt, "{block}", "{block}"},
        AnswerCase{
            "HeaderBlockTooLong",
            http_answer("HTTP/1.1 200 OK", "X-Big: " + std::string(5000, 'a') + "\r\n", "body"), "",
            "", "body", std::nullopt, "", blanks, blanks},
        AnswerCase{"HeaderBlockOf4999BytesFits", answer_with_block_size(4999), "", "", "b",
                   std::nullopt, std::nullopt, "{block}", "{block}"},
        AnswerCase{"HeaderBlockOf5000BytesDoesNot", answer_with_block_size(5000), "", "", "b",
                   std::nullopt, std::nullopt, blanks, blanks},
        // Lines ended by a bare LF come back ended by CR LF.
        AnswerCase{"BareLineFeeds", "HTTP/1.1 200 OK\nContent-Length: 1\nX-A: b\n\nz", "", "", "z",
                   std::nullopt, std::nullopt, std::nullopt,
                   "HTTP/1.1 200 OK\r\nContent-Length: 1\r\nX-A: b\r\n\r\n"}),
    [](const testing::TestParamInfo<AnswerCase>& info) { return std::string(info.param.name); });

TEST(FetchAnswer, NoRedirectReturnsTheRedirectingAnswer) {
  RawResponder server(http_answer("HTTP/1.1 302 Found", "Location: /next\r\n", "moved"));
  Text redirect;
  EXPECT_EQ(fetch_page(server.url("/"), 0, "", nullptr, nullptr, nullptr, &redirect, true),
            "moved");
  EXPECT_EQ(redirect, "/next");
  EXPECT_EQ(server.requests().size(), 1u);
}

TEST(FetchAnswer, RefusedConnectionGivesBlanksAndStillMergesCookies) {
  Text cookies = "a=1;a=2", new_cookies = "stale", redirect, response, headers;
  const std::string address = "http://127.0.0.1:" + std::to_string(test::closed_port()) + "/";
  EXPECT_EQ(fetch_page(address, 0, "", &cookies, &new_cookies, &headers, &redirect, false, nullptr,
                       std::nullopt, &response),
            "");
  EXPECT_EQ(response, blanks);
  EXPECT_EQ(redirect, blanks);
  EXPECT_EQ(new_cookies, "");
  EXPECT_EQ(cookies, "a=1");
  EXPECT_NE(headers.find("Referer: " + address), std::string::npos);
}

}  // namespace
}  // namespace kelvora
