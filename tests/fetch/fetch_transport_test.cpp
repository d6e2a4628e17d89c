// Redirects, limits, proxy and TLS of the HTTP transport, seen through
// fetch_page.
#include <gtest/gtest.h>

#include <thread>
#include <vector>

#include "raw_responder.h"
#include "web/fetch_page.h"
#include "web/http_limits.h"

namespace kelvora {
namespace {

using test::http_answer;
using test::RawResponder;

std::string request_line(const std::string& request) {
  return request.substr(0, request.find("\r\n"));
}

class ShortLimits : public testing::Test {
 protected:
  void SetUp() override {
    HttpLimits limits;
    limits.stall_timeout_s = 1;
    limits.max_body_bytes = 1000;
    set_http_limits(limits);
  }
  void TearDown() override { set_http_limits(HttpLimits{}); }
};

struct RedirectCase {
  int status;
  const char* expected_second_line;
  const char* expected_second_body;
};

void PrintTo(const RedirectCase& c, std::ostream* os) { *os << c.status; }

class FetchRedirect : public testing::TestWithParam<RedirectCase> {};

// A POST is redirected: 301, 302 and 303 continue as a GET without a body,
// 307 repeats the POST. The next hop keeps the Location's exact target.
TEST_P(FetchRedirect, FollowsToTheFinalAnswer) {
  const RedirectCase row = GetParam();
  RawResponder server([&](int index, const std::string&) {
    if (index == 0) {
      return RawResponder::Reply{
          http_answer("HTTP/1.1 " + std::to_string(row.status) + " Moved",
                      "Location: /b/%7e?q=a%20b\r\nSet-Cookie: first=1; path=/\r\n", "r")};
    }
    return RawResponder::Reply{http_answer("HTTP/1.1 200 OK", "Set-Cookie: last=2\r\n", "final")};
  });
  Text new_cookies, redirect, response;
  EXPECT_EQ(fetch_page(server.url("/a"), 1, "p=1", nullptr, &new_cookies, nullptr, &redirect, false,
                       nullptr, std::nullopt, &response),
            "final");
  const auto requests = server.requests();
  ASSERT_EQ(requests.size(), 2u);
  EXPECT_EQ(request_line(requests[1]), row.expected_second_line);
  EXPECT_EQ(requests[1].substr(requests[1].find("\r\n\r\n") + 4), row.expected_second_body);
  // Everything handed back comes from the final answer.
  EXPECT_EQ(response.substr(0, 15), "HTTP/1.1 200 OK");
  EXPECT_EQ(new_cookies, ";");
  EXPECT_EQ(redirect, response);
}

INSTANTIATE_TEST_SUITE_P(Statuses, FetchRedirect,
                         testing::Values(RedirectCase{301, "GET /b/%7e?q=a%20b HTTP/1.1", ""},
                                         RedirectCase{302, "GET /b/%7e?q=a%20b HTTP/1.1", ""},
                                         RedirectCase{303, "GET /b/%7e?q=a%20b HTTP/1.1", ""},
                                         RedirectCase{307, "POST /b/%7e?q=a%20b HTTP/1.1", "p=1"}),
                         [](const testing::TestParamInfo<RedirectCase>& info) {
                           return std::to_string(info.param.status);
                         });

TEST(FetchRedirectLimits, LoopStopsAfterTenRedirects) {
  RawResponder server(http_answer("HTTP/1.1 302 Found", "Location: /loop\r\n", "again"));
  Text redirect;
  EXPECT_EQ(fetch_page(server.url("/loop"), 0, "", nullptr, nullptr, nullptr, &redirect), "again");
  EXPECT_EQ(server.requests().size(), 11u);
  EXPECT_EQ(redirect, "/loop");
}

TEST(FetchRedirectLimits, NonHttpSchemeIsNotFollowed) {
  RawResponder server(http_answer("HTTP/1.1 302 Found", "Location: ftp://127.0.0.1/x\r\n", "stay"));
  Text redirect;
  EXPECT_EQ(fetch_page(server.url("/"), 0, "", nullptr, nullptr, nullptr, &redirect), "stay");
  EXPECT_EQ(server.requests().size(), 1u);
  EXPECT_EQ(redirect, "ftp://127.0.0.1/x");
}

// Cookie lines go to the host they were sent to, not to another one.
TEST(FetchRedirectLimits, CookieLinesStayWithTheirHost) {
  RawResponder other(http_answer("HTTP/1.1 200 OK", "", "there"));
  RawResponder server(
      http_answer("HTTP/1.1 302 Found",
                  "Location: http://localhost:" + std::to_string(other.port()) + "/t\r\n", ""));
  Text cookies = "sid=1";
  EXPECT_EQ(fetch_page(server.url("/"), 0, "", &cookies), "there");
  ASSERT_EQ(other.requests().size(), 1u);
  EXPECT_EQ(server.requests()[0].find("Cookie: sid=1") != std::string::npos, true);
  EXPECT_EQ(other.requests()[0].find("Cookie:"), std::string::npos);
  EXPECT_NE(other.requests()[0].find("Referer: "), std::string::npos);
}

TEST_F(ShortLimits, StallingServerIsAbandonedWithTheBytesRead) {
  RawResponder server("HTTP/1.1 200 OK\r\nContent-Length: 100\r\n\r\npartial",
                      RawResponder::Ending::stall);
  Text response;
  EXPECT_EQ(fetch_page(server.url("/"), 0, "", nullptr, nullptr, nullptr, nullptr, false, nullptr,
                       std::nullopt, &response),
            "partial");
  EXPECT_EQ(response, "HTTP/1.1 200 OK\r\nContent-Length: 100\r\n\r\n");
}

TEST_F(ShortLimits, BodyOverTheCapIsCutOff) {
  // Without a Content-Length the size is known only while reading.
  RawResponder server("HTTP/1.1 200 OK\r\nConnection: close\r\n\r\n" + std::string(5000, 'x'));
  EXPECT_EQ(fetch_page(server.url("/")), std::string(1000, 'x'));
}

TEST(FetchFailures, ResetMidBodyKeepsTheBytesRead) {
  RawResponder server("HTTP/1.1 200 OK\r\nContent-Length: 1000\r\n\r\n" + std::string(300, 'y'),
                      RawResponder::Ending::reset);
  EXPECT_EQ(fetch_page(server.url("/")), std::string(300, 'y'));
}

TEST(FetchThreads, CallsOnSeveralThreadsAtOnce) {
  RawResponder server([](int index, const std::string&) {
    return RawResponder::Reply{http_answer(
        "HTTP/1.1 200 OK", "Set-Cookie: n=" + std::to_string(index) + "; path=/\r\n", "page")};
  });
  std::vector<std::thread> threads;
  std::vector<int> good(4, 0);
  for (size_t t = 0; t < good.size(); ++t) {
    threads.emplace_back([&, t] {
      for (int i = 0; i < 5; ++i) {
        Text cookies;
        if (fetch_page(server.url("/"), 0, "", &cookies) == "page" && cookies.starts_with("n="))
          ++good[t];
      }
    });
  }
  for (std::thread& thread : threads) thread.join();
  EXPECT_EQ(good, std::vector<int>(4, 5));
}

TEST(FetchProxy, PlainHttpGoesThroughTheProxy) {
  RawResponder target(http_answer("HTTP/1.1 200 OK", "", "direct"));
  RawResponder proxy(http_answer("HTTP/1.1 200 OK", "", "proxied"));
  const std::string proxy_address = "127.0.0.1:" + std::to_string(proxy.port());
  EXPECT_EQ(fetch_page(target.url("/a?b=1"), 0, "", nullptr, nullptr, nullptr, nullptr, false,
                       nullptr, proxy_address),
            "proxied");
  ASSERT_EQ(proxy.requests().size(), 1u);
  EXPECT_EQ(request_line(proxy.requests()[0]), "GET " + target.url("/a?b=1") + " HTTP/1.1");
  EXPECT_EQ(target.connections(), 0);
}

TEST(FetchProxy, HttpsGoesDirect) {
  RawResponder target("");
  RawResponder proxy(http_answer("HTTP/1.1 200 OK", "", "proxied"));
  const std::string address = "https://127.0.0.1:" + std::to_string(target.port()) + "/";
  EXPECT_EQ(fetch_page(address, 0, "", nullptr, nullptr, nullptr, nullptr, false, nullptr,
                       "127.0.0.1:" + std::to_string(proxy.port())),
            "");
  EXPECT_EQ(target.connections(), 1);
  EXPECT_EQ(proxy.connections(), 0);
}

// Proxy variables of the environment are not used: the request goes direct.
TEST(FetchProxy, EnvironmentProxyIgnored) {
  RawResponder target(http_answer("HTTP/1.1 200 OK", "", "direct"));
  RawResponder proxy(http_answer("HTTP/1.1 200 OK", "", "proxied"));
  const std::string proxy_url = "http://127.0.0.1:" + std::to_string(proxy.port());
  ::setenv("http_proxy", proxy_url.c_str(), 1);
  const Bytes body = fetch_page(target.url("/"));
  ::unsetenv("http_proxy");
  EXPECT_EQ(body, "direct");
  EXPECT_EQ(proxy.connections(), 0);
}

}  // namespace
}  // namespace kelvora
