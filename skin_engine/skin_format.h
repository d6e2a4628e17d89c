#pragma once
// The skin file format read by the skin engine, and the colour shifts it applies.
//
// A skin is a counted block of bytes:
//
//   offset  size  field
//   0       4     magic ".SHE"
//   4       2     format version, little-endian; this engine reads version 1
//   6       2     number of records, little-endian
//   8       4     length of the record area that follows the header, little-endian
//   12      ...   records, one after another: tag (1 byte), value length (1 byte), value
//
// Record tags of version 1:
//   0x01        skin name, ASCII text of any length up to 255
//   0x10..0x18  a colour (3 bytes: red, green, blue), one tag per SkinColour
//   0x20        border width in pixels (1 byte)
//   0x21        corner radius in pixels (1 byte)
//   0x22        padding in pixels (1 byte)
// A skin must carry every colour; the metrics fall back to their defaults.
// Unknown tags are skipped so that later versions can add records. Bytes after
// the record area are ignored.
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

namespace kelvora::skin {

struct Rgb {
  std::uint8_t red = 0;
  std::uint8_t green = 0;
  std::uint8_t blue = 0;
  friend bool operator==(const Rgb&, const Rgb&) = default;
};

// What each colour of a skin paints.
enum class SkinColour : std::uint8_t {
  face,         // window background
  face_text,    // captions and labels on the face
  field,        // edit-box background
  field_text,   // text typed into edit boxes
  button,       // push-button face
  button_text,  // push-button caption
  accent,       // selection, pressed buttons, focus frames, ticked boxes
  accent_text,  // text on the accent colour
  border,       // frames of buttons, edit boxes and group boxes
};
inline constexpr std::size_t kSkinColourCount = 9;

inline constexpr std::uint16_t kSkinFormatVersion = 1;
inline constexpr std::size_t kSkinHeaderSize = 12;

// Upper bounds of the metrics; larger values in a skin are clamped to them.
inline constexpr std::uint8_t kMaxBorderWidth = 4;
inline constexpr std::uint8_t kMaxCornerRadius = 16;
inline constexpr std::uint8_t kMaxPadding = 10;

struct Skin {
  std::string name;
  std::array<Rgb, kSkinColourCount> colours{};
  std::uint8_t border_width = 1;
  std::uint8_t corner_radius = 0;
  std::uint8_t padding = 3;

  Rgb colour(SkinColour which) const { return colours[static_cast<std::size_t>(which)]; }
  Rgb& colour(SkinColour which) { return colours[static_cast<std::size_t>(which)]; }
};

// Reads a skin; nothing for a null or empty block, a wrong magic, another
// version, a block shorter than its header says, a malformed record or a
// missing colour.
std::optional<Skin> parse_skin(const unsigned char* bytes, std::size_t size);

// The version-1 bytes of a skin; parse_skin reads them back unchanged
// (metrics clamped, a name longer than 255 bytes cut).
std::string encode_skin(const Skin& skin);

// Shifts a colour in HSV space. `hue` is in degrees and wraps around the
// circle; `saturation` and `brightness` are percentage points (-100..100,
// larger values are clamped) added to the colour's saturation and value.
// With all three at 0 the colour is returned unchanged.
Rgb shift_colour(Rgb colour, std::int32_t hue, std::int32_t saturation, std::int32_t brightness);

// shift_colour applied to every colour of the skin.
Skin shift_skin(Skin skin, std::int32_t hue, std::int32_t saturation, std::int32_t brightness);

}  // namespace kelvora::skin
