#pragma once
#include <filesystem>

namespace kelvora {

// The folder of the program's executable file, fixed at start-up.
const std::filesystem::path& program_folder();
void set_program_folder(const std::filesystem::path& folder);

}  // namespace kelvora
