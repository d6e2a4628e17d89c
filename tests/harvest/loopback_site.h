#pragma once
// Test servers on 127.0.0.1: a site served from a fixture folder that records
// every request, and a port where nothing answers.
#include <httplib.h>

#include <atomic>
#include <filesystem>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "demo_site/site_files.h"

namespace kelvora::testing {

class LoopbackSite {
 public:
  explicit LoopbackSite(const std::filesystem::path& folder);
  ~LoopbackSite();

  // "127.0.0.1:port", the host a run is pointed at.
  std::string host() const;
  std::vector<demo::RequestSeen> requests() const;
  std::vector<std::string> request_targets() const;

 private:
  httplib::Server server_;
  int port_ = 0;
  std::thread listener_;
  mutable std::mutex mutex_;
  std::vector<demo::RequestSeen> requests_;
};

// Accepts connections on 127.0.0.1 and closes each at once without a word.
class SilentPort {
 public:
  SilentPort();
  ~SilentPort();
  std::string host() const;
  int connections() const { return connections_.load(); }

 private:
  int listen_fd_ = -1;
  int port_ = 0;
  std::atomic<int> connections_{0};
  std::atomic<bool> stopping_{false};
  std::thread acceptor_;
};

}  // namespace kelvora::testing
