#pragma once
// Finding BMP and JPEG files that were cut short. Qt's readers show such a
// file with its missing part blank or grey; the picture box shows nothing
// instead. Pure and Qt-free.
#include <string_view>

namespace kelvora {

// False when an uncompressed BMP holds fewer pixel bytes than its header
// needs, or when a JPEG ends before its end-of-image marker. True otherwise,
// including for layouts left to the decoder to judge.
bool bmp_is_complete(std::string_view bytes);
bool jpeg_is_complete(std::string_view bytes);

}  // namespace kelvora
