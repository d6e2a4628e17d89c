#include "web/url_parts.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

namespace kelvora {
namespace {

struct UrlRow {
  std::string address;
  std::string host;
  std::string last_two_labels;
  std::string host_with_port;
  int32_t port;
  std::string path;
};

const UrlRow kUrlRows[] = {
    {"HTTP://Shop.Example.com:81/A/b?x=1", "shop.example.com", "example.com", "shop.example.com:81",
     81, "/A/b?x=1"},
    {"https://a.b.example.com", "a.b.example.com", "example.com", "a.b.example.com", 443, "/"},
    {"HTTPS://b.example.com/x", "b.example.com", "example.com", "b.example.com", 443, "/x"},
    {"example.com/list?p=2", "example.com", "example.com", "example.com", 80, "/list?p=2"},
    {"Example.COM", "example.com", "example.com", "example.com", 80, "/"},
    {"http://192.0.2.7:81", "192.0.2.7", "2.7", "192.0.2.7:81", 81, "/"},
    // Only "/" ends the host: a query right after it stays part of it.
    {"example.com?x=1", "example.com?x=1", "example.com?x=1", "example.com?x=1", 80, "/"},
    {"", "", "", "", 80, "/"},
    // An inner "http://" is where the host starts; no scheme is put in front.
    {"ftp://x.com/?u=http://Inner.Example:8080/P", "inner.example", "inner.example",
     "inner.example:8080", 8080, "/P"},
    // An empty port reads as 0.
    {"http://example.com:/x", "example.com", "example.com", "example.com:", 0, "/x"},
    {"example.com:", "example.com", "example.com", "example.com:", 0, "/"},
    // The port comes after the last colon, the host ends at the first.
    {"http://[::1]:8080/", "[", "[", "[::1]:8080", 8080, "/"},
    // Full-width digits count as digits.
    {"http://h.example:\xA3\xB8\xA3\xB1/", "h.example", "h.example", "h.example:\xA3\xB8\xA3\xB1",
     81, "/"},
    // The https test for the port looks at the address as given, without "://".
    {"httpsfoo", "httpsfoo", "httpsfoo", "httpsfoo", 443, "/"},
    // The second byte of a two-byte character keeps its case ("A", "B"), and a
    // colon as a second byte is no port separator.
    {"http://\xB0\x41\xC2\x42.Example.COM/Q", "\xB0\x41\xC2\x42.example.com", "example.com",
     "\xB0\x41\xC2\x42.example.com", 80, "/Q"},
    {"http://H\x81:81/", "h\x81:81", "h\x81:81", "h\x81:81", 80, "/"},
};

TEST(UrlParts, TableOfAddresses) {
  for (const UrlRow& row : kUrlRows) {
    SCOPED_TRACE("address: " + row.address);
    EXPECT_EQ(url_host(row.address), row.host);
    EXPECT_EQ(url_host(row.address, true), row.last_two_labels);
    EXPECT_EQ(url_host(row.address, false, true), row.host_with_port);
    EXPECT_EQ(url_port(row.address), row.port);
    EXPECT_EQ(url_path(row.address), row.path);
  }
}

TEST(UrlParts, LastTwoLabelsKeepThePortWhenAsked) {
  EXPECT_EQ(url_host("http://a.b.example.com:81/", true, true), "example.com:81");
  // A trailing dot gives no empty last label; a lone label stays as it is.
  EXPECT_EQ(url_host("http://a.example.com./", true), "example.com");
  EXPECT_EQ(url_host("http://localhost:8080/", true), "localhost");
}

}  // namespace
}  // namespace kelvora
