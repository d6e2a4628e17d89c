#include "app/picture/pcx_reader.h"

#include <cstddef>

#include "app/picture/picture_kind.h"
#include "app/picture/picture_limits.h"

namespace kelvora {
namespace {

constexpr std::size_t header_size = 128;
constexpr std::size_t palette_size = 768;
constexpr unsigned char palette_marker = 0x0C;

unsigned byte_at(std::string_view bytes, std::size_t i) {
  return static_cast<unsigned char>(bytes[i]);
}

int word_at(std::string_view bytes, std::size_t i) {
  return static_cast<int>(byte_at(bytes, i) | (byte_at(bytes, i + 1) << 8));
}

bool is_supported_layout(const PcxHeader& h) {
  if (h.bits_per_pixel == 8) {
    return h.planes == 1 || h.planes == 3;
  }
  return h.bits_per_pixel == 1 && h.planes == 1 && h.version == 3;
}

// Unpacks the run-length encoded pixel data: a byte with its two top bits
// set repeats the next byte (its low six bits times); any other byte stands
// for itself. A run may carry over from one line into the next.
class RunLengthReader {
 public:
  explicit RunLengthReader(std::string_view data) : data_(data) {}

  bool read(unsigned char* out, std::size_t count) {
    std::size_t filled = 0;
    while (filled < count) {
      if (repeat_ == 0 && !next_run()) {
        return false;
      }
      while (repeat_ > 0 && filled < count) {
        out[filled++] = value_;
        --repeat_;
      }
    }
    return true;
  }

 private:
  bool next_run() {
    if (pos_ >= data_.size()) {
      return false;
    }
    const auto b = static_cast<unsigned char>(data_[pos_++]);
    if ((b & 0xC0) != 0xC0) {
      value_ = b;
      repeat_ = 1;
      return true;
    }
    if (pos_ >= data_.size()) {
      return false;
    }
    value_ = static_cast<unsigned char>(data_[pos_++]);
    repeat_ = b & 0x3F;  // a run of 0 is legal and yields nothing
    return true;
  }

  std::string_view data_;
  std::size_t pos_ = 0;
  unsigned char value_ = 0;
  std::size_t repeat_ = 0;
};

std::uint32_t rgb(unsigned r, unsigned g, unsigned b) {
  return 0xFF000000u | (r << 16) | (g << 8) | b;
}

void put_paletted_row(const unsigned char* line, std::string_view palette, int width,
                      std::uint32_t* row) {
  for (int x = 0; x < width; ++x) {
    const std::size_t i = std::size_t{line[x]} * 3;
    row[x] = rgb(byte_at(palette, i), byte_at(palette, i + 1), byte_at(palette, i + 2));
  }
}

void put_rgb_row(const unsigned char* line, int bytes_per_line, int width, std::uint32_t* row) {
  const unsigned char* red = line;
  const unsigned char* green = line + bytes_per_line;
  const unsigned char* blue = line + 2 * bytes_per_line;
  for (int x = 0; x < width; ++x) {
    row[x] = rgb(red[x], green[x], blue[x]);
  }
}

void put_monochrome_row(const unsigned char* line, int width, std::uint32_t* row) {
  for (int x = 0; x < width; ++x) {
    const bool white = (line[x / 8] >> (7 - x % 8)) & 1;
    row[x] = white ? rgb(255, 255, 255) : rgb(0, 0, 0);
  }
}

}  // namespace

std::optional<PcxHeader> read_pcx_header(std::string_view bytes) {
  if (bytes.size() < header_size || picture_kind(bytes) != PictureKind::pcx) {
    return std::nullopt;
  }
  PcxHeader h;
  h.version = static_cast<int>(byte_at(bytes, 1));
  h.bits_per_pixel = static_cast<int>(byte_at(bytes, 3));
  const int x_min = word_at(bytes, 4);
  const int y_min = word_at(bytes, 6);
  const int x_max = word_at(bytes, 8);
  const int y_max = word_at(bytes, 10);
  h.planes = static_cast<int>(byte_at(bytes, 65));
  h.bytes_per_line = word_at(bytes, 66);
  if (x_max < x_min || y_max < y_min || !is_supported_layout(h)) {
    return std::nullopt;
  }
  h.width = x_max - x_min + 1;
  h.height = y_max - y_min + 1;
  const int needed_per_line = (h.width * h.bits_per_pixel + 7) / 8;
  if (h.bytes_per_line < needed_per_line || !picture_size_allowed(h.width, h.height)) {
    return std::nullopt;
  }
  return h;
}

std::optional<PcxImage> decode_pcx(std::string_view bytes) {
  const std::optional<PcxHeader> header = read_pcx_header(bytes);
  if (!header) {
    return std::nullopt;
  }
  const PcxHeader& h = *header;

  std::string_view data = bytes.substr(header_size);
  std::string_view palette;
  if (h.bits_per_pixel == 8 && h.planes == 1) {
    if (data.size() < palette_size + 1 ||
        byte_at(data, data.size() - palette_size - 1) != palette_marker) {
      return std::nullopt;
    }
    palette = data.substr(data.size() - palette_size);
    data = data.substr(0, data.size() - palette_size - 1);
  }

  // No input byte unpacks to more than 63 bytes, so data too short for the
  // claimed picture is refused before the pixels are allocated.
  const std::size_t line_size = std::size_t(h.planes) * std::size_t(h.bytes_per_line);
  if (line_size * std::size_t(h.height) > data.size() * 63) {
    return std::nullopt;
  }

  PcxImage image;
  image.width = h.width;
  image.height = h.height;
  image.pixels.resize(std::size_t(h.width) * std::size_t(h.height));
  std::vector<unsigned char> line(line_size);
  RunLengthReader reader(data);
  for (int y = 0; y < h.height; ++y) {
    if (!reader.read(line.data(), line.size())) {
      return std::nullopt;
    }
    std::uint32_t* row = image.pixels.data() + std::size_t(y) * std::size_t(h.width);
    if (h.bits_per_pixel == 1) {
      put_monochrome_row(line.data(), h.width, row);
    } else if (h.planes == 3) {
      put_rgb_row(line.data(), h.bytes_per_line, h.width, row);
    } else {
      put_paletted_row(line.data(), palette, h.width, row);
    }
  }
  return image;
}

}  // namespace kelvora
