#pragma once
// The largest pictures a picture box shows. Anything larger is refused from
// its header, before a pixel is decoded, so a small file that claims a huge
// picture costs neither time nor memory.
#include <cstdint>

namespace kelvora {

inline constexpr std::int64_t max_picture_side = 16384;
inline constexpr std::int64_t max_picture_bytes = std::int64_t{64} << 20;  // at 4 bytes a pixel
inline constexpr int max_gif_frames = 2000;

// True when a picture of this size may be decoded and shown.
inline bool picture_size_allowed(std::int64_t width, std::int64_t height) {
  return width > 0 && height > 0 && width <= max_picture_side && height <= max_picture_side &&
         width * height * 4 <= max_picture_bytes;
}

}  // namespace kelvora
