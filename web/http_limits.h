#pragma once
// The limits every HTTP request of the program keeps: the page fetch and the
// picture download alike. The program always runs with the defaults; tests may
// shorten them to reach a limit quickly.
#include <cstdint>
#include <mutex>

namespace kelvora {

struct HttpLimits {
  // Seconds allowed for setting up the connection (TLS handshake included).
  int32_t connect_timeout_s = 60;
  // A transfer that moves no byte for this many seconds is abandoned.
  int32_t stall_timeout_s = 30;
  // A body longer than this is cut off here and the read counts as failed.
  int64_t max_body_bytes = int64_t{64} * 1024 * 1024;
  // Redirects followed before the redirecting answer itself becomes the result.
  int32_t max_redirects = 10;
};

namespace detail {
struct HttpLimitsStore {
  std::mutex mutex;
  HttpLimits limits;
};
inline HttpLimitsStore& http_limits_store() {
  static HttpLimitsStore store;
  return store;
}
}  // namespace detail

// The limits in force; safe to call from any thread.
inline HttpLimits http_limits() {
  auto& store = detail::http_limits_store();
  std::lock_guard lock(store.mutex);
  return store.limits;
}

// Replaces the limits for the whole process until the next call. For tests.
inline void set_http_limits(const HttpLimits& limits) {
  auto& store = detail::http_limits_store();
  std::lock_guard lock(store.mutex);
  store.limits = limits;
}

}  // namespace kelvora
