#pragma once
// Loading the skin engine library: the one place that knows the platform's
// loader (dlopen/dlsym here; LoadLibrary/GetProcAddress in a Windows edition).
#include <filesystem>

namespace kelvora {

using LibraryHandle = void*;

// Loads the library file at `path`; null on failure.
LibraryHandle open_library_at(const std::filesystem::path& path);

// Loads a library by file name through the system's ordinary library search;
// null on failure.
LibraryHandle open_library_by_name(const char* file_name);

// The address of an exported function; null when the library has none of that name.
void* find_library_entry(LibraryHandle library, const char* name);

void close_library(LibraryHandle library);

}  // namespace kelvora
