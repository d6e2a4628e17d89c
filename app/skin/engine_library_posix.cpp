#include "app/skin/engine_library.h"

#include <dlfcn.h>

namespace kelvora {

LibraryHandle open_library_at(const std::filesystem::path& path) {
  // A name without a slash would send dlopen down the library search instead.
  const std::filesystem::path explicit_path = path.has_parent_path() ? path : "." / path;
  return dlopen(explicit_path.c_str(), RTLD_NOW | RTLD_LOCAL);
}

LibraryHandle open_library_by_name(const char* file_name) {
  return dlopen(file_name, RTLD_NOW | RTLD_LOCAL);
}

void* find_library_entry(LibraryHandle library, const char* name) {
  return library == nullptr ? nullptr : dlsym(library, name);
}

void close_library(LibraryHandle library) {
  if (library != nullptr) dlclose(library);
}

}  // namespace kelvora
