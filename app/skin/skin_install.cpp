#include "app/skin/skin_install.h"

#include <cstdio>
#include <filesystem>
#include <system_error>

#include "app/fatal_stop.h"
#include "app/program_folder.h"
#include "app/skin/builtin_skins.h"
#include "app/skin/engine_library.h"
#include "app/skin/skin_engine_image.h"
#include "web/encoding.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace kelvora {

namespace {

constexpr const char* kEngineFileName = "SkinH_EL.dll";
constexpr const char* kEntryName = "SkinH_AttachRes";

using AttachRes = int (*)(const unsigned char* skin, std::int32_t size, const char* password,
                          std::int32_t hue, std::int32_t saturation, std::int32_t brightness);

// The engine stays loaded from the first skin call until unload_skin_engine.
LibraryHandle engine_library = nullptr;
AttachRes attach_res = nullptr;

void set_hidden_attribute([[maybe_unused]] const std::filesystem::path& path) {
#ifdef _WIN32
  SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_HIDDEN);
#endif
}

// Writes the engine image to a file that must not exist yet; a failed or
// short write removes what was written, so no broken engine is left to be
// found and loaded by later starts.
void write_engine_image(const std::filesystem::path& path) {
  std::FILE* file = std::fopen(path.c_str(), "wbx");
  if (file == nullptr) return;
  const bool written =
      std::fwrite(kSkinEngineImage, 1, kSkinEngineImageSize, file) == kSkinEngineImageSize;
  const bool closed = std::fclose(file) == 0;
  if (!written || !closed) {
    std::error_code ignored;
    std::filesystem::remove(path, ignored);
    return;
  }
  set_hidden_attribute(path);
}

void load_engine() {
  engine_library = open_library_at(program_folder() / kEngineFileName);
  if (engine_library == nullptr) engine_library = open_library_by_name(kEngineFileName);
  attach_res = reinterpret_cast<AttachRes>(find_library_entry(engine_library, kEntryName));
  if (attach_res == nullptr) fatal_stop(skin_engine_missing_message());
}

Text replace_placeholder(Text text, const Text& value) {
  const std::size_t at = text.find("%s");
  if (at != Text::npos) text.replace(at, 2, value);
  return text;
}

}  // namespace

void ensure_skin_engine() {
  const std::filesystem::path path = program_folder() / kEngineFileName;
  std::error_code error;
  // symlink_status sees a dangling link too; any answer but "not there",
  // an error included, leaves the place alone.
  if (std::filesystem::symlink_status(path, error).type() != std::filesystem::file_type::not_found)
    return;
  write_engine_image(path);
}

void apply_builtin_skin(std::int32_t number) {
  ensure_skin_engine();
  if (attach_res == nullptr) load_engine();
  const Bytes copy = builtin_skin(number);
  const auto* bytes = copy.empty() ? nullptr : reinterpret_cast<const unsigned char*>(copy.data());
  attach_res(bytes, static_cast<std::int32_t>(copy.size()), "", 0, 0, 0);
}

void install_skin() { apply_builtin_skin(13); }

void unload_skin_engine() {
  attach_res = nullptr;
  close_library(engine_library);
  engine_library = nullptr;
}

Text skin_engine_missing_message() {
  const Text& pattern = KELVORA_GBK("无法找到指定DLL库文件“%s”中的输出命令“%s”");
  return replace_placeholder(replace_placeholder(pattern, kEngineFileName), kEntryName);
}

}  // namespace kelvora
