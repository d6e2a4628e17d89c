#include "app/picture/picture_kind.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>

namespace kelvora {
namespace {

struct KindCase {
  const char* name;
  std::string bytes;
  PictureKind kind;
};

void PrintTo(const KindCase& c, std::ostream* os) { *os << c.name; }

std::string bytes_of(std::initializer_list<int> values) {
  std::string out;
  for (int v : values) out.push_back(static_cast<char>(v));
  return out;
}

// The first eight bytes of a PCX header.
std::string pcx(int version, int encoding, int bits_per_pixel) {
  return bytes_of({0x0A, version, encoding, bits_per_pixel, 0, 0, 0, 0});
}

class PictureKindTest : public testing::TestWithParam<KindCase> {};

TEST_P(PictureKindTest, TellsKindFromFirstBytes) {
  EXPECT_EQ(picture_kind(GetParam().bytes), GetParam().kind);
}

INSTANTIATE_TEST_SUITE_P(
    Signatures, PictureKindTest,
    testing::Values(
        KindCase{"bmp", "BM" + std::string(6, '\0'), PictureKind::bmp},
        KindCase{"jpeg", bytes_of({0xFF, 0xD8, 0xFF, 0xE0, 0, 0x10, 'J', 'F'}), PictureKind::jpeg},
        KindCase{"png", bytes_of({0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A}), PictureKind::png},
        KindCase{"ico", bytes_of({0, 0, 1, 0, 1, 0, 16, 16}), PictureKind::ico},
        KindCase{"ico_count_in_high_byte", bytes_of({0, 0, 1, 0, 0, 1, 16, 16}), PictureKind::ico},
        KindCase{"cur", bytes_of({0, 0, 2, 0, 2, 0, 32, 32}), PictureKind::cur},
        KindCase{"gif87a", std::string("GIF87a\x01\x00", 8), PictureKind::gif},
        KindCase{"gif89a", std::string("GIF89a\x01\x00", 8), PictureKind::gif},
        KindCase{"pcx_v5_8bit", pcx(5, 1, 8), PictureKind::pcx},
        KindCase{"pcx_v0_8bit", pcx(0, 1, 8), PictureKind::pcx},
        KindCase{"pcx_v3_1bit", pcx(3, 1, 1), PictureKind::pcx},
        // Near misses.
        KindCase{"empty", "", PictureKind::none},
        KindCase{"png_signature_7_bytes", bytes_of({0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A}),
                 PictureKind::none},
        KindCase{"bm_in_7_bytes", "BMxxxxx", PictureKind::none},
        KindCase{"ico_zero_images", bytes_of({0, 0, 1, 0, 0, 0, 16, 16}), PictureKind::none},
        KindCase{"cur_zero_images", bytes_of({0, 0, 2, 0, 0, 0, 16, 16}), PictureKind::none},
        KindCase{"icon_type_3", bytes_of({0, 0, 3, 0, 1, 0, 16, 16}), PictureKind::none},
        KindCase{"gif88a", std::string("GIF88a\x01\x00", 8), PictureKind::none},
        KindCase{"pcx_version_6", pcx(6, 1, 8), PictureKind::none},
        KindCase{"pcx_4_bits", pcx(5, 1, 4), PictureKind::none},
        KindCase{"pcx_1_bit_version_5", pcx(5, 1, 1), PictureKind::none},
        KindCase{"pcx_not_run_length", pcx(5, 0, 8), PictureKind::none},
        KindCase{"html", "<!DOCTYPE html><html>", PictureKind::none},
        KindCase{"jpeg_marker_later", bytes_of({0, 0xFF, 0xD8, 0, 0, 0, 0, 0}), PictureKind::none}),
    [](const testing::TestParamInfo<KindCase>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace kelvora
