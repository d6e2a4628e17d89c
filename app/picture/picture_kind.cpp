#include "app/picture/picture_kind.h"

namespace kelvora {
namespace {

unsigned byte_at(std::string_view bytes, std::size_t i) {
  return static_cast<unsigned char>(bytes[i]);
}

bool starts_with(std::string_view bytes, std::string_view prefix) {
  return bytes.substr(0, prefix.size()) == prefix;
}

// An icon directory: reserved 0, a type word, then a non-zero image count.
bool is_icon_directory(std::string_view bytes, unsigned type) {
  const unsigned count = byte_at(bytes, 4) | (byte_at(bytes, 5) << 8);
  return byte_at(bytes, 0) == 0 && byte_at(bytes, 1) == 0 && byte_at(bytes, 2) == type &&
         byte_at(bytes, 3) == 0 && count != 0;
}

// A run-length encoded PCX header: any version up to 5 at 8 bits per pixel,
// or the black-and-white version 3 at 1 bit per pixel.
bool is_pcx_header(std::string_view bytes) {
  const unsigned version = byte_at(bytes, 1);
  const unsigned encoding = byte_at(bytes, 2);
  const unsigned bits_per_pixel = byte_at(bytes, 3);
  if (byte_at(bytes, 0) != 0x0A || encoding != 1) {
    return false;
  }
  return (version <= 5 && bits_per_pixel == 8) || (version == 3 && bits_per_pixel == 1);
}

}  // namespace

PictureKind picture_kind(std::string_view bytes) {
  if (bytes.size() < 8) {
    return PictureKind::none;
  }
  if (starts_with(bytes, "BM")) {
    return PictureKind::bmp;
  }
  if (starts_with(bytes, "\xFF\xD8")) {
    return PictureKind::jpeg;
  }
  if (starts_with(bytes, "\x89PNG")) {
    return PictureKind::png;
  }
  if (is_icon_directory(bytes, 1)) {
    return PictureKind::ico;
  }
  if (is_icon_directory(bytes, 2)) {
    return PictureKind::cur;
  }
  if (starts_with(bytes, "GIF87a") || starts_with(bytes, "GIF89a")) {
    return PictureKind::gif;
  }
  if (is_pcx_header(bytes)) {
    return PictureKind::pcx;
  }
  return PictureKind::none;
}

}  // namespace kelvora
