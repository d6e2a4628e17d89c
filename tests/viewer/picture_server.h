#pragma once
// A picture server on 127.0.0.1 for the viewer tests. Every path answers 200
// with the body "picture:" and the path, unless a body was put there, and every
// request is counted.
#include <httplib.h>

#include <atomic>
#include <map>
#include <mutex>
#include <string>
#include <thread>

#include "text/text.h"

namespace kelvora::testing {

class PictureServer {
 public:
  PictureServer();
  ~PictureServer();
  PictureServer(const PictureServer&) = delete;
  PictureServer& operator=(const PictureServer&) = delete;

  // "http://127.0.0.1:port" followed by the path.
  std::string address(const std::string& path) const;
  void put(const std::string& path, const Bytes& body);
  int requests() const { return requests_.load(); }

 private:
  httplib::Server server_;
  int port_ = 0;
  std::thread listener_;
  mutable std::mutex mutex_;
  std::map<std::string, Bytes> bodies_;
  std::atomic<int> requests_{0};
};

}  // namespace kelvora::testing
