#pragma once
// The 33 skins built into the program, in the skin engine's format.
#include <cstdint>

#include "text/text.h"

namespace kelvora {

inline constexpr std::int32_t kBuiltinSkinCount = 33;

// The bytes of built-in skin `number` (1..33); empty outside that range.
// Each call returns a fresh copy that the caller owns.
Bytes builtin_skin(std::int32_t number);

}  // namespace kelvora
