#include "app/picture/gif_outline.h"

#include <algorithm>
#include <cstddef>

namespace kelvora {
namespace {

constexpr unsigned char extension_introducer = 0x21;
constexpr unsigned char image_separator = 0x2C;
constexpr unsigned char trailer = 0x3B;

class BlockWalker {
 public:
  explicit BlockWalker(std::string_view bytes) : bytes_(bytes) {}

  bool at_end() const { return pos_ >= bytes_.size(); }
  bool skip(std::size_t count) {
    if (count > bytes_.size() - pos_) {
      return false;
    }
    pos_ += count;
    return true;
  }
  bool byte(unsigned& out) {
    if (at_end()) {
      return false;
    }
    out = static_cast<unsigned char>(bytes_[pos_++]);
    return true;
  }
  bool word(unsigned& out) {
    unsigned low = 0;
    unsigned high = 0;
    if (!byte(low) || !byte(high)) {
      return false;
    }
    out = low | (high << 8);
    return true;
  }
  // A colour table follows when the flags' top bit is set; its size is in
  // the low three bits.
  bool skip_colour_table(unsigned flags) {
    return (flags & 0x80) == 0 || skip(std::size_t{3} << ((flags & 7) + 1));
  }
  // Data sub-blocks: a length byte and that many bytes, up to a zero length.
  bool skip_sub_blocks() {
    for (;;) {
      unsigned length = 0;
      if (!byte(length)) {
        return false;
      }
      if (length == 0) {
        return true;
      }
      if (!skip(length)) {
        return false;
      }
    }
  }

 private:
  std::string_view bytes_;
  std::size_t pos_ = 0;
};

bool read_image(BlockWalker& walker, GifOutline& outline) {
  unsigned left = 0, top = 0, width = 0, height = 0, flags = 0, lzw_code_size = 0;
  if (!walker.word(left) || !walker.word(top) || !walker.word(width) || !walker.word(height) ||
      !walker.byte(flags) || !walker.skip_colour_table(flags) || !walker.byte(lzw_code_size) ||
      !walker.skip_sub_blocks()) {
    return false;
  }
  outline.width = std::max(outline.width, static_cast<int>(left + width));
  outline.height = std::max(outline.height, static_cast<int>(top + height));
  ++outline.frames;
  return true;
}

}  // namespace

std::optional<GifOutline> read_gif_outline(std::string_view bytes, int max_frames) {
  if (bytes.substr(0, 6) != "GIF87a" && bytes.substr(0, 6) != "GIF89a") {
    return std::nullopt;
  }
  BlockWalker walker(bytes);
  walker.skip(6);
  GifOutline outline;
  unsigned width = 0, height = 0, flags = 0, background = 0, aspect = 0;
  if (!walker.word(width) || !walker.word(height) || !walker.byte(flags) ||
      !walker.byte(background) || !walker.byte(aspect) || !walker.skip_colour_table(flags)) {
    return std::nullopt;
  }
  outline.width = static_cast<int>(width);
  outline.height = static_cast<int>(height);
  while (!walker.at_end() && outline.frames <= max_frames) {
    unsigned introducer = 0;
    unsigned label = 0;
    walker.byte(introducer);
    if (introducer == trailer) {
      break;
    }
    const bool block_read =
        introducer == image_separator  ? read_image(walker, outline)
        : introducer == extension_introducer ? walker.byte(label) && walker.skip_sub_blocks()
                                             : false;
    if (!block_read) {
      return std::nullopt;
    }
  }
  return outline;
}

}  // namespace kelvora
