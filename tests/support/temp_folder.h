#pragma once
// Temporary folders and whole-file reads and writes for tests.
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace kelvora::test_support {

inline std::string read_file(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline void write_file(const std::filesystem::path& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

// A fresh, empty folder, removed with everything in it when the object goes.
class TempFolder {
 public:
  TempFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "kelvora-XXXXXX").string();
    path_ = ::mkdtemp(pattern.data());
  }
  ~TempFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  const std::filesystem::path& path() const { return path_; }
  std::string read(const std::string& name) const { return read_file(path_ / name); }
  void write(const std::string& name, const std::string& bytes) const {
    write_file(path_ / name, bytes);
  }

 private:
  std::filesystem::path path_;
};

// A temporary folder that is the current directory while the object lives, so
// that weiqun.txt is read and written there.
class TempCurrentFolder : public TempFolder {
 public:
  TempCurrentFolder() : previous_(std::filesystem::current_path()) {
    std::filesystem::current_path(path());
  }
  ~TempCurrentFolder() { std::filesystem::current_path(previous_); }

 private:
  std::filesystem::path previous_;
};

}  // namespace kelvora::test_support
