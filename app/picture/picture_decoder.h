#pragma once
// Decoding picture bytes with Qt's image readers (and our PCX reader),
// within the size limits. The kind, told beforehand from the first bytes,
// picks the decoder; Qt's own format sniffing is switched off.
#include <QByteArray>
#include <QImage>

#include "app/picture/picture_kind.h"

namespace kelvora {

// The picture in bytes of a still kind (BMP, JPEG, PNG, ICO, CUR, PCX), or a
// null image when they cannot be decoded or the picture exceeds the limits.
// For an icon or cursor file, its first image.
QImage decode_still_picture(const QByteArray& bytes, PictureKind kind);

// True when the bytes are a GIF that can be played: within the size and frame
// limits, and its first frame decodes.
bool gif_is_playable(const QByteArray& bytes);

}  // namespace kelvora
