#pragma once
// The two string kinds of the program.
//
// A Text holds GBK (code page 936) bytes: a byte of 0x80 or above starts a
// two-byte character together with the byte after it. Positions and lengths
// count bytes and are 1-based where an operation names a position.
// A Bytes value is a counted run of arbitrary bytes (pages, pictures, files).
#include <string>

namespace kelvora {

using Text = std::string;
using Bytes = std::string;

// True for the first byte of a two-byte GBK character.
inline bool is_lead_byte(char c) { return static_cast<unsigned char>(c) >= 0x80; }

}  // namespace kelvora
