#include "skin_engine/skin_format.h"

#include <algorithm>
#include <cmath>

namespace kelvora::skin {

namespace {

constexpr unsigned char kMagic[4] = {'.', 'S', 'H', 'E'};

constexpr std::uint8_t kTagName = 0x01;
constexpr std::uint8_t kTagFirstColour = 0x10;
constexpr std::uint8_t kTagBorderWidth = 0x20;
constexpr std::uint8_t kTagCornerRadius = 0x21;
constexpr std::uint8_t kTagPadding = 0x22;

std::uint16_t read_u16(const unsigned char* at) {
  return static_cast<std::uint16_t>(at[0] | (at[1] << 8));
}

std::uint32_t read_u32(const unsigned char* at) {
  return static_cast<std::uint32_t>(at[0]) | (static_cast<std::uint32_t>(at[1]) << 8) |
         (static_cast<std::uint32_t>(at[2]) << 16) | (static_cast<std::uint32_t>(at[3]) << 24);
}

void append_u16(std::string& out, std::uint32_t value) {
  out.push_back(static_cast<char>(value & 0xFF));
  out.push_back(static_cast<char>((value >> 8) & 0xFF));
}

void append_u32(std::string& out, std::uint32_t value) {
  append_u16(out, value & 0xFFFF);
  append_u16(out, value >> 16);
}

void append_record(std::string& out, std::uint8_t tag, const std::string& value) {
  out.push_back(static_cast<char>(tag));
  out.push_back(static_cast<char>(value.size()));
  out += value;
}

// Applies one record to the skin; false when a known tag has the wrong length.
bool read_record(std::uint8_t tag, const unsigned char* value, std::size_t length, Skin& skin,
                 std::array<bool, kSkinColourCount>& seen) {
  if (tag == kTagName) {
    skin.name.assign(reinterpret_cast<const char*>(value), length);
    return true;
  }
  if (tag >= kTagFirstColour && tag < kTagFirstColour + kSkinColourCount) {
    if (length != 3) return false;
    const std::size_t index = tag - kTagFirstColour;
    skin.colours[index] = Rgb{value[0], value[1], value[2]};
    seen[index] = true;
    return true;
  }
  if (tag == kTagBorderWidth || tag == kTagCornerRadius || tag == kTagPadding) {
    if (length != 1) return false;
    if (tag == kTagBorderWidth) skin.border_width = std::min(value[0], kMaxBorderWidth);
    if (tag == kTagCornerRadius) skin.corner_radius = std::min(value[0], kMaxCornerRadius);
    if (tag == kTagPadding) skin.padding = std::min(value[0], kMaxPadding);
    return true;
  }
  return true;  // a record of a later version
}

double clamp_unit(double value) { return std::clamp(value, 0.0, 1.0); }

std::uint8_t to_channel(double unit) {
  return static_cast<std::uint8_t>(std::lround(clamp_unit(unit) * 255.0));
}

}  // namespace

std::optional<Skin> parse_skin(const unsigned char* bytes, std::size_t size) {
  if (bytes == nullptr || size < kSkinHeaderSize) return std::nullopt;
  if (!std::equal(std::begin(kMagic), std::end(kMagic), bytes)) return std::nullopt;
  if (read_u16(bytes + 4) != kSkinFormatVersion) return std::nullopt;
  const std::uint16_t record_count = read_u16(bytes + 6);
  const std::uint32_t area_length = read_u32(bytes + 8);
  if (area_length > size - kSkinHeaderSize) return std::nullopt;

  Skin skin;
  std::array<bool, kSkinColourCount> seen{};
  const unsigned char* at = bytes + kSkinHeaderSize;
  std::size_t left = area_length;
  for (std::uint16_t i = 0; i < record_count; ++i) {
    if (left < 2) return std::nullopt;
    const std::uint8_t tag = at[0];
    const std::size_t length = at[1];
    if (left - 2 < length) return std::nullopt;
    if (!read_record(tag, at + 2, length, skin, seen)) return std::nullopt;
    at += 2 + length;
    left -= 2 + length;
  }
  if (left != 0) return std::nullopt;  // the header's count and length disagree
  if (!std::all_of(seen.begin(), seen.end(), [](bool s) { return s; })) return std::nullopt;
  return skin;
}

std::string encode_skin(const Skin& skin) {
  std::string records;
  std::uint32_t count = 0;
  append_record(records, kTagName, skin.name.substr(0, 255));
  ++count;
  for (std::size_t i = 0; i < kSkinColourCount; ++i) {
    const Rgb c = skin.colours[i];
    append_record(records, static_cast<std::uint8_t>(kTagFirstColour + i),
                  std::string{static_cast<char>(c.red), static_cast<char>(c.green),
                              static_cast<char>(c.blue)});
    ++count;
  }
  append_record(records, kTagBorderWidth,
                std::string(1, static_cast<char>(std::min(skin.border_width, kMaxBorderWidth))));
  append_record(records, kTagCornerRadius,
                std::string(1, static_cast<char>(std::min(skin.corner_radius, kMaxCornerRadius))));
  append_record(records, kTagPadding,
                std::string(1, static_cast<char>(std::min(skin.padding, kMaxPadding))));
  count += 3;

  std::string out(reinterpret_cast<const char*>(kMagic), sizeof kMagic);
  append_u16(out, kSkinFormatVersion);
  append_u16(out, count);
  append_u32(out, static_cast<std::uint32_t>(records.size()));
  return out + records;
}

Rgb shift_colour(Rgb colour, std::int32_t hue, std::int32_t saturation, std::int32_t brightness) {
  if (hue % 360 == 0 && saturation == 0 && brightness == 0) return colour;

  const double r = colour.red / 255.0, g = colour.green / 255.0, b = colour.blue / 255.0;
  const double max = std::max({r, g, b}), min = std::min({r, g, b});
  const double delta = max - min;
  double h = 0.0;
  if (delta > 0.0) {
    if (max == r) {
      h = 60.0 * std::fmod((g - b) / delta, 6.0);
    } else if (max == g) {
      h = 60.0 * ((b - r) / delta + 2.0);
    } else {
      h = 60.0 * ((r - g) / delta + 4.0);
    }
  }
  if (h < 0.0) h += 360.0;
  double s = max > 0.0 ? delta / max : 0.0;
  double v = max;

  h = std::fmod(h + hue % 360 + 360.0, 360.0);
  s = clamp_unit(s + std::clamp(saturation, -100, 100) / 100.0);
  v = clamp_unit(v + std::clamp(brightness, -100, 100) / 100.0);

  const double chroma = v * s;
  const double x = chroma * (1.0 - std::fabs(std::fmod(h / 60.0, 2.0) - 1.0));
  const double m = v - chroma;
  double r1 = 0, g1 = 0, b1 = 0;
  switch (static_cast<int>(h / 60.0) % 6) {
    case 0: r1 = chroma, g1 = x; break;
    case 1: r1 = x, g1 = chroma; break;
    case 2: g1 = chroma, b1 = x; break;
    case 3: g1 = x, b1 = chroma; break;
    case 4: r1 = x, b1 = chroma; break;
    default: r1 = chroma, b1 = x; break;
  }
  return Rgb{to_channel(r1 + m), to_channel(g1 + m), to_channel(b1 + m)};
}

Skin shift_skin(Skin skin, std::int32_t hue, std::int32_t saturation, std::int32_t brightness) {
  for (Rgb& c : skin.colours) c = shift_colour(c, hue, saturation, brightness);
  return skin;
}

}  // namespace kelvora::skin
