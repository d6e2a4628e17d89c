// Reading skins, and the hue, saturation and brightness shifts.
#include <gtest/gtest.h>

#include <climits>

#include "skin_engine/skin_format.h"

namespace kelvora::skin {
namespace {

Skin sample_skin() {
  Skin s;
  s.name = "sample";
  for (std::size_t i = 0; i < kSkinColourCount; ++i) {
    const auto v = static_cast<std::uint8_t>(i * 20);
    s.colours[i] = Rgb{v, static_cast<std::uint8_t>(v + 1), static_cast<std::uint8_t>(v + 2)};
  }
  s.border_width = 2;
  s.corner_radius = 7;
  s.padding = 5;
  return s;
}

std::optional<Skin> parse(const std::string& bytes) {
  return parse_skin(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size());
}

// The header fields of an encoded skin, rewritten in place.
void put_u16(std::string& bytes, std::size_t at, std::uint16_t v) {
  bytes[at] = static_cast<char>(v & 0xFF);
  bytes[at + 1] = static_cast<char>(v >> 8);
}

TEST(SkinFormat, EncodedSkinReadsBackUnchanged) {
  const Skin original = sample_skin();
  const std::string bytes = encode_skin(original);
  ASSERT_EQ(bytes.substr(0, 4), ".SHE");
  const std::optional<Skin> read = parse(bytes);
  ASSERT_TRUE(read);
  EXPECT_EQ(read->name, original.name);
  EXPECT_EQ(read->colours, original.colours);
  EXPECT_EQ(read->border_width, 2);
  EXPECT_EQ(read->corner_radius, 7);
  EXPECT_EQ(read->padding, 5);
}

TEST(SkinFormat, EveryTruncationIsRejected) {
  const std::string bytes = encode_skin(sample_skin());
  for (std::size_t length = 0; length < bytes.size(); ++length)
    EXPECT_FALSE(parse(bytes.substr(0, length))) << "length " << length;
  EXPECT_FALSE(parse_skin(nullptr, bytes.size()));
}

TEST(SkinFormat, DamagedSkinsAreRejected) {
  const std::string good = encode_skin(sample_skin());
  struct Case {
    const char* what;
    std::string bytes;
  };
  std::vector<Case> cases;
  auto damaged = [&](const char* what, auto change) {
    std::string b = good;
    change(b);
    cases.push_back({what, b});
  };
  damaged("bad magic", [](std::string& b) { b[1] = 's'; });
  damaged("version 2", [](std::string& b) { put_u16(b, 4, 2); });
  damaged("version 0", [](std::string& b) { put_u16(b, 4, 0); });
  damaged("one record more than present", [](std::string& b) {
    put_u16(b, 6, static_cast<std::uint16_t>((b[6] & 0xFF) + 1));
  });
  damaged("one record fewer than the area holds", [](std::string& b) {
    put_u16(b, 6, static_cast<std::uint16_t>((b[6] & 0xFF) - 1));
  });
  damaged("area longer than the block", [](std::string& b) { b[8] = static_cast<char>(0xFF); });
  damaged("record value running past the area", [](std::string& b) {
    b[kSkinHeaderSize + 1] = static_cast<char>(0xFE);  // the name's length
  });
  // The first colour record follows the name record "sample".
  const std::size_t first_colour = kSkinHeaderSize + 2 + 6;
  damaged("colour with two bytes", [&](std::string& b) { b[first_colour + 1] = 2; });
  damaged("missing colour", [&](std::string& b) { b[first_colour] = 0x01; });  // now a name
  for (const Case& c : cases) EXPECT_FALSE(parse(c.bytes)) << c.what;
}

TEST(SkinFormat, LaterRecordsAndTrailingBytesAreTolerated) {
  std::string bytes = encode_skin(sample_skin());
  // An unknown record of a later version, and bytes after the record area.
  bytes += std::string("\x7F\x02xy", 4);
  put_u16(bytes, 6, static_cast<std::uint16_t>((bytes[6] & 0xFF) + 1));
  bytes[8] = static_cast<char>((bytes[8] & 0xFF) + 4);
  bytes += "trailing";
  const std::optional<Skin> read = parse(bytes);
  ASSERT_TRUE(read);
  EXPECT_EQ(read->colours, sample_skin().colours);
}

TEST(SkinFormat, OversizedMetricsAreClamped) {
  Skin s = sample_skin();
  s.border_width = 200;
  s.corner_radius = 200;
  s.padding = 200;
  const std::optional<Skin> read = parse(encode_skin(s));
  ASSERT_TRUE(read);
  EXPECT_EQ(read->border_width, kMaxBorderWidth);
  EXPECT_EQ(read->corner_radius, kMaxCornerRadius);
  EXPECT_EQ(read->padding, kMaxPadding);
}

TEST(ColourShift, ShiftsInHsvSpace) {
  struct Case {
    const char* what;
    Rgb in;
    std::int32_t hue, saturation, brightness;
    Rgb out;
  };
  const Case cases[] = {
      {"no shift", {12, 200, 99}, 0, 0, 0, {12, 200, 99}},
      {"a full turn is no shift", {12, 200, 99}, 720, 0, 0, {12, 200, 99}},
      {"red turned 120 degrees is green", {255, 0, 0}, 120, 0, 0, {0, 255, 0}},
      {"red turned -120 degrees is blue", {255, 0, 0}, -120, 0, 0, {0, 0, 255}},
      {"480 degrees is 120", {255, 0, 0}, 480, 0, 0, {0, 255, 0}},
      {"magenta turned 90 degrees wraps to orange", {255, 0, 255}, 90, 0, 0, {255, 128, 0}},
      {"INT_MIN degrees is -128", {255, 0, 0}, INT_MIN, 0, 0, {0, 34, 255}},
      {"grey has no hue to turn", {90, 90, 90}, 77, 0, 0, {90, 90, 90}},
      {"saturation -100 gives grey of the same value", {200, 100, 50}, 0, -100, 0, {200, 200, 200}},
      {"saturation +50 on half-saturated", {200, 100, 100}, 0, 50, 0, {200, 0, 0}},
      {"saturation beyond 100 is clamped", {200, 100, 100}, 0, 1000, 0, {200, 0, 0}},
      {"brightness -100 gives black", {200, 100, 50}, 0, 0, -100, {0, 0, 0}},
      {"brightness +100 gives full value", {128, 0, 0}, 0, 0, 100, {255, 0, 0}},
      {"brightness beyond -100 is clamped", {200, 100, 50}, 0, 0, INT_MIN, {0, 0, 0}},
  };
  for (const Case& c : cases) {
    const Rgb got = shift_colour(c.in, c.hue, c.saturation, c.brightness);
    EXPECT_EQ(got, c.out) << c.what << ": got " << int(got.red) << "," << int(got.green) << ","
                          << int(got.blue);
  }
}

TEST(ColourShift, ShiftSkinShiftsEveryColour) {
  const Skin s = sample_skin();
  const Skin shifted = shift_skin(s, 0, 0, -100);
  for (const Rgb& c : shifted.colours) EXPECT_EQ(c, (Rgb{0, 0, 0}));
  EXPECT_EQ(shifted.corner_radius, s.corner_radius);
}

}  // namespace
}  // namespace kelvora::skin
