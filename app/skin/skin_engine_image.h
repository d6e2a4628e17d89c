#pragma once
// The bytes of the skin engine library, embedded at build time.
#include <cstddef>

namespace kelvora {

extern const unsigned char kSkinEngineImage[];
extern const std::size_t kSkinEngineImageSize;

}  // namespace kelvora
