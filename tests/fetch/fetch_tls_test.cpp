// TLS certificates are verified: a self-signed server gives nothing back.
#include <curl/curl.h>
#include <gtest/gtest.h>
#include <httplib.h>

#include <cstdlib>
#include <filesystem>
#include <thread>

#include "web/fetch_page.h"

namespace kelvora {
namespace {

namespace fs = std::filesystem;

TEST(FetchTls, SelfSignedCertificateFailsVerification) {
  const fs::path folder = fs::temp_directory_path() / ("kelvora_tls_" + std::to_string(::getpid()));
  fs::create_directories(folder);
  const std::string make_certificate =
      "openssl req -x509 -newkey rsa:2048 -nodes -days 1 -subj /CN=127.0.0.1 -keyout '" +
      (folder / "key.pem").string() + "' -out '" + (folder / "cert.pem").string() +
      "' >/dev/null 2>&1";
  if (std::system(make_certificate.c_str()) != 0) {
    fs::remove_all(folder);
    GTEST_SKIP() << "openssl could not make a certificate";
  }
  httplib::SSLServer server((folder / "cert.pem").c_str(), (folder / "key.pem").c_str());
  ASSERT_TRUE(server.is_valid());
  int served = 0;
  server.Get("/", [&](const httplib::Request&, httplib::Response& response) {
    ++served;
    response.set_content("secret", "text/plain");
  });
  const int port = server.bind_to_any_port("127.0.0.1");
  std::thread thread([&] { server.listen_after_bind(); });

  const std::string address = "https://127.0.0.1:" + std::to_string(port) + "/";
  Text response;
  const Bytes body = fetch_page(address, 0, "", nullptr, nullptr, nullptr, nullptr, false, nullptr,
                                std::nullopt, &response);
  // The server itself works: a client that skips verification gets its page.
  CURL* unchecked = curl_easy_init();
  curl_easy_setopt(unchecked, CURLOPT_URL, address.c_str());
  curl_easy_setopt(unchecked, CURLOPT_SSL_VERIFYPEER, 0L);
  curl_easy_setopt(unchecked, CURLOPT_SSL_VERIFYHOST, 0L);
  curl_easy_setopt(unchecked, CURLOPT_NOPROXY, "*");
  curl_easy_setopt(
      unchecked, CURLOPT_WRITEFUNCTION,
      +[](char*, size_t size, size_t count, void*) { return size * count; });
  const CURLcode unchecked_result = curl_easy_perform(unchecked);
  curl_easy_cleanup(unchecked);
  server.stop();
  thread.join();
  fs::remove_all(folder);

  EXPECT_EQ(body, "");
  EXPECT_EQ(response, std::string(5000, ' '));
  EXPECT_EQ(unchecked_result, CURLE_OK);
  EXPECT_EQ(served, 1);
}

}  // namespace
}  // namespace kelvora
