#include "text/number.h"

#include <cstdint>

#include "text/text.h"

namespace kelvora {

namespace {

// Full-width characters that stand for one-byte ones: A3 A1..A3 FE are the
// full-width forms of 0x21..0x7E; A1 A1 is the full-width space, A1 AB a wave
// dash, A1 EE and A1 EF stars.
Text fold_full_width(std::string_view text) {
  Text folded;
  folded.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    auto lead = static_cast<unsigned char>(text[i]);
    if (lead < 0x80 || i + 1 == text.size()) {
      folded.push_back(text[i]);
      continue;
    }
    auto trail = static_cast<unsigned char>(text[i + 1]);
    if (lead == 0xA3 && trail >= 0xA1 && trail <= 0xFE) {
      folded.push_back(static_cast<char>(trail - 0x80));
    } else if (lead == 0xA1 && trail == 0xA1) {
      folded.push_back(' ');
    } else if (lead == 0xA1 && trail == 0xAB) {
      folded.push_back('~');
    } else if (lead == 0xA1 && (trail == 0xEE || trail == 0xEF)) {
      folded.push_back('*');
    } else {
      folded.append(text.substr(i, 2));
    }
    ++i;
  }
  return folded;
}

bool is_white_space(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

}  // namespace

int32_t text_to_int(std::string_view text) {
  Text folded = fold_full_width(text);
  size_t i = 0;
  while (i < folded.size() && is_white_space(folded[i])) ++i;
  bool negative = false;
  if (i < folded.size() && (folded[i] == '+' || folded[i] == '-')) {
    negative = folded[i] == '-';
    ++i;
  }
  // Unsigned arithmetic wraps around in 32 bits without undefined behaviour.
  uint32_t value = 0;
  for (; i < folded.size() && folded[i] >= '0' && folded[i] <= '9'; ++i) {
    value = value * 10u + static_cast<uint32_t>(folded[i] - '0');
  }
  if (negative) value = 0u - value;
  return static_cast<int32_t>(value);
}

}  // namespace kelvora
