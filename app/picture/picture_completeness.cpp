#include "app/picture/picture_completeness.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "app/picture/picture_limits.h"

namespace kelvora {
namespace {

std::uint32_t le(std::string_view bytes, std::size_t at, int size) {
  std::uint32_t value = 0;
  for (int i = size - 1; i >= 0; --i) {
    value = (value << 8) | static_cast<unsigned char>(bytes[at + std::size_t(i)]);
  }
  return value;
}

unsigned byte_at(std::string_view bytes, std::size_t i) {
  return static_cast<unsigned char>(bytes[i]);
}

}  // namespace

bool bmp_is_complete(std::string_view bytes) {
  constexpr std::size_t file_header = 14;
  if (bytes.size() < file_header + 12) {
    return false;
  }
  const std::uint32_t pixels_at = le(bytes, 10, 4);
  const std::uint32_t info_size = le(bytes, 14, 4);
  std::int64_t width = 0;
  std::int64_t height = 0;
  std::int64_t bits = 0;
  std::uint32_t compression = 0;
  if (info_size == 12) {  // the old core header: 16-bit sizes, never compressed
    width = le(bytes, 18, 2);
    height = le(bytes, 20, 2);
    bits = le(bytes, 24, 2);
  } else if (info_size >= 40 && bytes.size() >= file_header + 40) {
    width = static_cast<std::int32_t>(le(bytes, 18, 4));
    height = static_cast<std::int32_t>(le(bytes, 22, 4));
    bits = le(bytes, 28, 2);
    compression = le(bytes, 30, 4);
  } else {
    return true;
  }
  constexpr std::uint32_t plain = 0;
  constexpr std::uint32_t bit_fields = 3;
  constexpr std::uint32_t alpha_bit_fields = 6;
  if (compression != plain && compression != bit_fields && compression != alpha_bit_fields) {
    return true;  // run-length or embedded data: sized by the data itself
  }
  width = std::abs(width);
  height = std::abs(height);  // negative: rows stored top down
  if (width > max_picture_side || height > max_picture_side || bits > 64) {
    return false;
  }
  const std::int64_t row_bytes = (width * bits + 31) / 32 * 4;
  return std::int64_t{pixels_at} + row_bytes * height <= static_cast<std::int64_t>(bytes.size());
}

bool jpeg_is_complete(std::string_view bytes) {
  // Walk the marker segments up to the first start of scan, then look for
  // the end-of-image marker: inside entropy-coded data a 0xFF byte is always
  // followed by 0x00 or a restart marker, so 0xFF 0xD9 there is the end.
  std::size_t pos = 2;
  while (pos + 1 < bytes.size()) {
    if (byte_at(bytes, pos) != 0xFF) {
      return false;
    }
    const unsigned marker = byte_at(bytes, pos + 1);
    pos += 2;
    if (marker == 0xFF) {  // fill byte before a marker
      --pos;
      continue;
    }
    if (marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7)) {
      continue;  // markers without a length
    }
    if (marker == 0xD9 || pos + 1 >= bytes.size()) {
      return false;  // ended before any scan
    }
    const std::size_t length = (byte_at(bytes, pos) << 8) | byte_at(bytes, pos + 1);
    if (length < 2) {
      return false;
    }
    pos += length;
    if (marker == 0xDA) {
      return bytes.find(std::string_view("\xFF\xD9"), pos) != std::string_view::npos;
    }
  }
  return false;
}

}  // namespace kelvora
