#include "app/program_folder.h"

namespace kelvora {

namespace {
std::filesystem::path& folder_storage() {
  static std::filesystem::path folder;
  return folder;
}
}  // namespace

const std::filesystem::path& program_folder() { return folder_storage(); }

void set_program_folder(const std::filesystem::path& folder) { folder_storage() = folder; }

}  // namespace kelvora
