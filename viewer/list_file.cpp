#include "viewer/list_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <mutex>
#include <string>

#include "app/control_surface.h"
#include "web/encoding.h"

namespace kelvora {

namespace {

namespace fs = std::filesystem;

// weiqun.txt in the current directory, however long its path.
fs::path list_file_path() {
  std::error_code error;
  const fs::path folder = fs::current_path(error);
  return error ? fs::path("weiqun.txt") : folder / "weiqun.txt";
}

// ---- File access: the part that differs between platforms. ----

// The whole file, every byte; empty when it is absent, unreadable or a folder.
Bytes read_whole_file(const fs::path& path) {
  std::error_code error;
  if (!fs::is_regular_file(path, error)) return {};
  std::ifstream in(path, std::ios::binary);
  if (!in) return {};
  Bytes bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  return in.bad() ? Bytes{} : bytes;
}

bool write_all(int fd, const Bytes& bytes) {
  const char* next = bytes.data();
  size_t left = bytes.size();
  while (left > 0) {
    const ssize_t written = ::write(fd, next, left);
    if (written < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    next += written;
    left -= static_cast<size_t>(written);
  }
  return true;
}

// A new file beside `target`, opened for writing, that no one else uses.
int create_temporary_beside(const fs::path& target, fs::path& temporary) {
  static std::atomic<unsigned> counter{0};
  for (int attempt = 0; attempt < 100; ++attempt) {
    temporary = target;
    temporary += "." + std::to_string(::getpid()) + "." + std::to_string(counter++) + ".tmp";
    const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd >= 0 || errno != EEXIST) return fd;
  }
  return -1;
}

// Replaces `target` with exactly `bytes`: written to a temporary file, flushed
// to disk and renamed over the target, so that a crash or kill at any moment
// leaves either the old file or the new one. False, with the old file left as
// it was, when any step fails.
bool replace_file(const fs::path& target, const Bytes& bytes) {
  fs::path temporary;
  const int fd = create_temporary_beside(target, temporary);
  if (fd < 0) return false;
  struct stat old_file {};
  if (::stat(target.c_str(), &old_file) == 0) ::fchmod(fd, old_file.st_mode & 07777);
  const bool written = write_all(fd, bytes) && ::fsync(fd) == 0;
  const bool closed = ::close(fd) == 0;
  if (!written || !closed || ::rename(temporary.c_str(), target.c_str()) != 0) {
    ::unlink(temporary.c_str());
    return false;
  }
  // Make the rename itself durable.
  const fs::path folder = target.has_parent_path() ? target.parent_path() : fs::path(".");
  const int folder_fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (folder_fd >= 0) {
    ::fsync(folder_fd);
    ::close(folder_fd);
  }
  return true;
}

// ---- end of file access ----

std::mutex& save_mutex() {
  static std::mutex mutex;
  return mutex;
}

}  // namespace

void load_group_list() {
  // Every byte is kept, zero bytes included, so a later save loses nothing.
  set_list_text(read_whole_file(list_file_path()));
  const int32_t count = count_lines(get_list_text());
  set_hint_text(KELVORA_GBK("恭喜导入数据成功啦！共") + std::to_string(count) +
                KELVORA_GBK("条，点击开始获取开始工作！"));
}

void save_group_list() {
  // Saves take turns; a waiting save reads the list as it is once its turn comes.
  std::lock_guard turn(save_mutex());
  // Without a window the list reads as empty; writing that would wipe the file.
  // The second look catches a window that closed while the list was being read.
  if (!window_is_open()) return;
  const Text list = get_list_text();
  if (!window_is_open()) return;
  replace_file(list_file_path(), list);  // a failed save is silent
}

int32_t count_lines(std::string_view text) {
  if (text.empty()) return 0;
  const auto feeds = std::count(text.begin(), text.end(), '\n');
  return static_cast<int32_t>(feeds + (text.back() != '\n' ? 1 : 0));
}

}  // namespace kelvora
