// The page fetch with a decoded body, and the picture download.
#include <gtest/gtest.h>

#include <vector>

#include "raw_responder.h"
#include "viewer/download_picture.h"
#include "web/fetch_page.h"

namespace kelvora {
namespace {

using test::http_answer;
using test::RawResponder;

TEST(FetchPageText, DecodesUtf8ToGbkUpToAZeroByte) {
  RawResponder server(http_answer("HTTP/1.1 200 OK", "Set-Cookie: a=1; x\r\n",
                                  std::string("<p>\xE4\xB8\xAD\xE6\x96\x87</p>\0after", 19)));
  Text cookies, headers = "X: 1", response;
  EXPECT_EQ(fetch_page_text(server.url("/"), 0, "", &cookies, nullptr, &headers, nullptr, false,
                            nullptr, std::nullopt, &response),
            "<p>\xD6\xD0\xCE\xC4</p>");
  // The caller's variables come back as fetch_page fills them.
  EXPECT_EQ(cookies, "a=1");
  EXPECT_EQ(headers.substr(0, 15), "X: 1\r\nReferer: ");
  EXPECT_EQ(response.substr(0, 15), "HTTP/1.1 200 OK");
}

TEST(DownloadPicture, ReturnsTheBodyOfAnyStatus) {
  RawResponder server(http_answer("HTTP/1.1 404 Not Found", "", std::string("\x89PNG\0x", 6)));
  EXPECT_EQ(download_picture(server.url("/qr.png")), std::string("\x89PNG\0x", 6));
  ASSERT_EQ(server.requests().size(), 1u);
  const std::string request = server.requests()[0];
  EXPECT_EQ(request.substr(0, request.find("\r\n")), "GET /qr.png HTTP/1.1");
  // Nothing of the page fetch goes along.
  EXPECT_EQ(request.find("Referer:"), std::string::npos);
  EXPECT_EQ(request.find(default_user_agent), std::string::npos);
}

TEST(DownloadPicture, FollowsRedirectsAndTakesAddressesWithoutScheme) {
  RawResponder server([](int index, const std::string&) {
    return RawResponder::Reply{
        index == 0 ? http_answer("HTTP/1.1 302 Found", "Location: /real.png\r\n", "")
                   : http_answer("HTTP/1.1 200 OK", "", "picture")};
  });
  EXPECT_EQ(download_picture("127.0.0.1:" + std::to_string(server.port()) + "/qr.png"), "picture");
  EXPECT_EQ(server.requests().size(), 2u);
}

TEST(DownloadPicture, RefusedPortGivesNothing) {
  EXPECT_EQ(download_picture("http://127.0.0.1:" + std::to_string(test::closed_port()) + "/qr.png"),
            "");
}

TEST(DownloadPicture, OtherSchemesAndEmptyAddressMakeNoRequest) {
  RawResponder server(http_answer("HTTP/1.1 200 OK", "", "picture"));
  const std::string host_port = "127.0.0.1:" + std::to_string(server.port());
  for (const std::string& address :
       std::vector<std::string>{"", "ftp://" + host_port + "/qr.png", "file:///etc/passwd",
                                "data:image/png;base64,AAAA", "javascript:" + host_port}) {
    EXPECT_EQ(download_picture(address), "") << address;
  }
  EXPECT_EQ(server.connections(), 0);
}

}  // namespace
}  // namespace kelvora
