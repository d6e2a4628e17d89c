#pragma once
// A fresh folder that is the current directory while the object lives, so
// that weiqun.txt is read and written there.
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>

namespace kelvora::testing {

class TempCurrentFolder {
 public:
  TempCurrentFolder() : previous_(std::filesystem::current_path()) {
    path_ = std::filesystem::temp_directory_path() /
            ("kelvora-harvest-" + std::to_string(std::random_device{}()));
    std::filesystem::create_directories(path_);
    std::filesystem::current_path(path_);
  }
  ~TempCurrentFolder() {
    std::filesystem::current_path(previous_);
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  const std::filesystem::path& path() const { return path_; }

  void write(const std::string& name, const std::string& bytes) const {
    std::ofstream(path_ / name, std::ios::binary) << bytes;
  }
  std::string read(const std::string& name) const {
    std::ifstream in(path_ / name, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
  }

 private:
  std::filesystem::path previous_;
  std::filesystem::path path_;
};

}  // namespace kelvora::testing
