#pragma once
// Code-page conversions: page bodies arrive as UTF-8, the program works in GBK.
#include <string_view>

#include "text/text.h"

namespace kelvora {

// UTF-8 bytes to UTF-16 code units (little-endian, two bytes each). Malformed
// input never fails.
Bytes utf8_to_utf16(std::string_view utf8);

// UTF-16LE code units to GBK. A character followed by a combining mark is
// first joined into its precomposed form where one exists; characters GBK
// lacks become "?" (or a best fit). The result ends at the first zero byte.
Text utf16_to_gbk(std::string_view utf16);

// utf16_to_gbk(utf8_to_utf16(utf8)).
Text utf8_to_gbk(std::string_view utf8);

// GBK to UTF-8, for showing a text on screen.
std::string gbk_to_utf8(std::string_view gbk);

}  // namespace kelvora

// The GBK bytes of a UTF-8 string literal, converted once on first use.
#define KELVORA_GBK(utf8_literal)                                                  \
  ([]() -> const ::kelvora::Text& {                                                \
    static const ::kelvora::Text converted = ::kelvora::utf8_to_gbk(utf8_literal); \
    return converted;                                                              \
  }())
