#pragma once
// Shared helpers of the window tests: a temporary current folder, waiting on
// conditions while the window's events are handled, and finding controls.
#include <gtest/gtest.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QWidget>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>

namespace kelvora::test {

// A fresh folder that is the current directory while the object lives.
class TemporaryCurrentFolder {
 public:
  TemporaryCurrentFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "kelvora-app-XXXXXX").string();
    path_ = ::mkdtemp(pattern.data());
    previous_ = std::filesystem::current_path();
    std::filesystem::current_path(path_);
  }
  ~TemporaryCurrentFolder() {
    std::filesystem::current_path(previous_);
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  const std::filesystem::path& path() const { return path_; }

 private:
  std::filesystem::path path_;
  std::filesystem::path previous_;
};

inline std::string read_file(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline void write_file(const std::filesystem::path& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

// Handles the window's events until `condition` holds; false after `limit`.
inline bool handle_events_until(const std::function<bool()>& condition,
                                std::chrono::milliseconds limit = std::chrono::seconds(20)) {
  const auto deadline = std::chrono::steady_clock::now() + limit;
  while (!condition()) {
    if (std::chrono::steady_clock::now() > deadline) return false;
    QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 20);
  }
  return true;
}

template <class Control>
Control* find_control(QWidget& window, const char* name) {
  return window.findChild<Control*>(QString::fromUtf8(name));
}

}  // namespace kelvora::test
