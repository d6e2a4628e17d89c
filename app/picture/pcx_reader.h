#pragma once
// A small reader for run-length encoded PCX pictures: 8 bits per pixel with
// the 256-colour palette at the end of the file (or three colour planes),
// and version 3 black and white at 1 bit per pixel. Qt-free; every read of
// the input is bounds-checked.
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

namespace kelvora {

struct PcxHeader {
  int version = 0;
  int bits_per_pixel = 0;
  int planes = 0;
  int bytes_per_line = 0;  // per plane
  int width = 0;
  int height = 0;
};

struct PcxImage {
  int width = 0;
  int height = 0;
  std::vector<std::uint32_t> pixels;  // 0xFFRRGGBB, rows top to bottom
};

// The header of a PCX picture this reader can decode, or nothing for bytes
// that are no such picture or that claim a picture beyond the size limits.
std::optional<PcxHeader> read_pcx_header(std::string_view bytes);

// The decoded picture, or nothing when the bytes are no readable PCX picture
// (unsupported layout, too large, or data that ends early).
std::optional<PcxImage> decode_pcx(std::string_view bytes);

}  // namespace kelvora
