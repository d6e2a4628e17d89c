#include "text/letter_case.h"

#include <cstddef>

namespace kelvora {

Text lower_ascii_letters(std::string_view text) {
  Text lowered(text);
  for (std::size_t i = 0; i < lowered.size(); ++i) {
    char& c = lowered[i];
    if (is_lead_byte(c)) {
      ++i;  // the second byte of a two-byte character keeps its value
    } else if (c >= 'A' && c <= 'Z') {
      c = static_cast<char>(c - 'A' + 'a');
    }
  }
  return lowered;
}

bool starts_with_nocase(std::string_view text, std::string_view prefix) {
  return text.size() >= prefix.size() &&
         equal_nocase(text.substr(0, prefix.size()), prefix);
}

bool equal_nocase(std::string_view a, std::string_view b) {
  return a.size() == b.size() && lower_ascii_letters(a) == lower_ascii_letters(b);
}

}  // namespace kelvora
