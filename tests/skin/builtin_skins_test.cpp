// The 33 skins the program carries.
#include <gtest/gtest.h>

#include <climits>
#include <vector>

#include "app/skin/builtin_skins.h"
#include "skin_engine/skin_format.h"

namespace kelvora {
namespace {

TEST(BuiltinSkins, AllThirtyThreeReadAndLookDifferent) {
  std::vector<skin::Skin> skins;
  for (std::int32_t number = 1; number <= kBuiltinSkinCount; ++number) {
    const Bytes bytes = builtin_skin(number);
    ASSERT_EQ(bytes.substr(0, 4), ".SHE") << "skin " << number;
    const auto parsed =
        skin::parse_skin(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size());
    ASSERT_TRUE(parsed) << "skin " << number;
    skins.push_back(*parsed);
  }
  for (std::size_t a = 0; a < skins.size(); ++a) {
    for (std::size_t b = a + 1; b < skins.size(); ++b) {
      // Face and button colours together tell every pair apart at a glance.
      const bool same_face = skins[a].colour(skin::SkinColour::face) ==
                             skins[b].colour(skin::SkinColour::face);
      const bool same_button = skins[a].colour(skin::SkinColour::button) ==
                               skins[b].colour(skin::SkinColour::button);
      EXPECT_FALSE(same_face && same_button) << "skins " << a + 1 << " and " << b + 1;
    }
  }
}

TEST(BuiltinSkins, NumbersOutsideTheTableGiveNothing) {
  for (std::int32_t number : {0, -1, 34, INT_MIN, INT_MAX})
    EXPECT_TRUE(builtin_skin(number).empty()) << number;
}

}  // namespace
}  // namespace kelvora
