#pragma once
// Telling a picture's kind from its first eight bytes, before any decoder
// sees them. Pure and Qt-free.
#include <string_view>

namespace kelvora {

enum class PictureKind { none, bmp, jpeg, png, ico, cur, gif, pcx };

// The kind of picture the bytes start with; none for fewer than eight bytes
// or for bytes that match no known signature.
PictureKind picture_kind(std::string_view bytes);

}  // namespace kelvora
