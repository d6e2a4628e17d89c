#include "web/encoding.h"

#include <unicode/normalizer2.h>
#include <unicode/uchar.h>
#include <unicode/ucnv.h>
#include <unicode/ucnv_cb.h>
#include <unicode/ustring.h>
#include <unicode/utf16.h>
#include <unicode/utf8.h>

#include <algorithm>
#include <atomic>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <span>
#include <vector>

namespace kelvora {
namespace {

// "windows-936-2000" is the table behind the names GBK, CP936 and MS936; its
// 0x80 is the euro sign.
constexpr const char* kGbkConverterName = "windows-936-2000";
constexpr UChar32 kReplacementCharacter = 0xFFFD;

// Pieces handed to ICU at once: large enough to amortise a call, small enough
// to stay in cache and far from ICU's 32-bit length limits.
constexpr std::size_t kPieceUnits = std::size_t{1} << 16;

struct ConverterCloser {
  void operator()(UConverter* converter) const { ucnv_close(converter); }
};
using ConverterPtr = std::unique_ptr<UConverter, ConverterCloser>;

// Writes the substitution character for every character GBK cannot hold.
// ICU's own substitution callback silently drops "default ignorable"
// characters such as the byte-order mark U+FEFF; here they become "?" like
// any other character without a mapping.
void substitute_unmappable(const void* /*context*/, UConverterFromUnicodeArgs* args,
                           const UChar* /*units*/, int32_t /*length*/, UChar32 /*code_point*/,
                           UConverterCallbackReason reason, UErrorCode* status) {
  if (reason != UCNV_UNASSIGNED && reason != UCNV_ILLEGAL && reason != UCNV_IRREGULAR) return;
  *status = U_ZERO_ERROR;
  ucnv_cbFromUWriteSub(args, 0, status);
}

ConverterPtr open_gbk_converter() {
  UErrorCode status = U_ZERO_ERROR;
  ConverterPtr converter(ucnv_open(kGbkConverterName, &status));
  if (U_FAILURE(status)) return nullptr;
  ucnv_setSubstChars(converter.get(), "?", 1, &status);
  ucnv_setFromUCallBack(converter.get(), substitute_unmappable, nullptr, nullptr, nullptr, &status);
  // Best-fit mappings: a character GBK lacks may come out as a near one.
  ucnv_setFallback(converter.get(), true);
  return converter;
}

// An ICU converter keeps conversion state, so each thread has its own.
UConverter* gbk_converter() {
  thread_local const ConverterPtr converter = open_gbk_converter();
  return converter.get();
}

const icu::Normalizer2* composition() {
  static const icu::Normalizer2* const nfc = [] {
    UErrorCode status = U_ZERO_ERROR;
    const icu::Normalizer2* instance = icu::Normalizer2::getNFCInstance(status);
    return U_SUCCESS(status) ? instance : nullptr;
  }();
  return nfc;
}

// True for a nonspacing mark, which may join the character before it. Latin
// letters and CJK ideographs are told apart without a property lookup.
bool is_nonspacing_mark(UChar32 c) {
  if (c < 0x300 || (c >= 0x3400 && c < 0xA000)) return false;
  return u_charType(c) == U_NON_SPACING_MARK;
}

bool is_continuation_byte(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

// Decodes UTF-8 and appends the UTF-16 units; each malformed sequence becomes
// U+FFFD. Long input is decoded in pieces cut before a byte that starts a
// sequence (or a stray continuation byte), so the pieces decode as the whole.
void append_utf16(std::string_view utf8, std::vector<UChar>& units) {
  while (!utf8.empty()) {
    std::size_t piece = std::min(utf8.size(), kPieceUnits);
    for (int extra = 0; extra < 3 && piece < utf8.size() && is_continuation_byte(utf8[piece]);
         ++extra) {
      ++piece;
    }
    // A UTF-8 byte never gives more than one UTF-16 unit.
    const std::size_t old_size = units.size();
    units.resize(old_size + piece);
    int32_t written = 0;
    UErrorCode status = U_ZERO_ERROR;
    u_strFromUTF8WithSub(units.data() + old_size, static_cast<int32_t>(piece), &written,
                         utf8.data(), static_cast<int32_t>(piece), kReplacementCharacter, nullptr,
                         &status);
    units.resize(old_size + (U_SUCCESS(status) ? static_cast<std::size_t>(written) : 0));
    utf8.remove_prefix(piece);
  }
}

// Joins each character and a following nonspacing mark into the precomposed
// character where one exists (repeatedly, so several marks may join), in place.
void compose_marks(std::vector<UChar>& units) {
  const icu::Normalizer2* nfc = composition();
  if (nfc == nullptr) return;
  const std::size_t length = units.size();
  std::size_t read = 0;
  std::size_t write = 0;
  std::size_t base_start = 0;
  UChar32 base = -1;
  while (read < length) {
    UChar32 c;
    U16_NEXT(units.data(), read, length, c);
    if (base >= 0 && is_nonspacing_mark(c)) {
      const UChar32 composed = nfc->composePair(base, c);
      if (composed >= 0) {
        // The composite never needs more units than the pair it replaces.
        write = base_start;
        U16_APPEND_UNSAFE(units.data(), write, composed);
        base = composed;
        continue;
      }
    }
    base_start = write;
    base = c;
    U16_APPEND_UNSAFE(units.data(), write, c);
  }
  units.resize(write);
}

// Converts UTF-16 units to GBK and appends the bytes. The converter streams,
// so a surrogate pair split between two pieces is still read as one character.
void append_gbk(UConverter* converter, std::span<const UChar> units, Text& out) {
  if (units.empty()) return;
  ucnv_resetFromUnicode(converter);
  const auto max_char = static_cast<std::size_t>(ucnv_getMaxCharSize(converter));
  const UChar* source = units.data();
  const UChar* const source_end = source + units.size();
  while (source != source_end) {
    const UChar* piece_end =
        source + std::min(static_cast<std::size_t>(source_end - source), kPieceUnits);
    const std::size_t old_size = out.size();
    // One more character's room for a lead surrogate held over from the last piece.
    out.resize(old_size + (static_cast<std::size_t>(piece_end - source) + 1) * max_char);
    char* target = out.data() + old_size;
    UErrorCode status = U_ZERO_ERROR;
    ucnv_fromUnicode(converter, &target, out.data() + out.size(), &source, piece_end, nullptr,
                     piece_end == source_end, &status);
    out.resize(static_cast<std::size_t>(target - out.data()));
    if (U_FAILURE(status)) return;
  }
}

// Where the run of ASCII bytes starting at `pos` ends, eight bytes at a time.
std::size_t end_of_ascii(std::string_view text, std::size_t pos) {
  while (pos + 8 <= text.size()) {
    uint64_t word;
    std::memcpy(&word, text.data() + pos, 8);
    if ((word & 0x8080808080808080ULL) != 0) break;
    pos += 8;
  }
  while (pos < text.size() && !is_lead_byte(text[pos])) ++pos;
  return pos;
}

// True when the conversion may be cut just before byte `pos`: the byte starts
// a sequence (or is malformed) and is no mark that would join what precedes it.
bool may_cut_before(std::string_view utf8, std::size_t pos) {
  if (is_continuation_byte(utf8[pos])) return false;
  const std::string_view rest = utf8.substr(pos, 4);
  int32_t i = 0;
  UChar32 c;
  U8_NEXT(rest.data(), i, static_cast<int32_t>(rest.size()), c);
  return c < 0 || !is_nonspacing_mark(c);
}

// The GBK bytes of each BMP character, filled in from the converter the first
// time a character is met. The converter is stateless between characters, so
// a character gives the same bytes wherever it stands. Entries: 0 not looked
// up yet; kSlowPath for characters the table does not serve (marks, which may
// join the character before them, and surrogates); 0x100 | byte for one byte;
// the two bytes otherwise (their first byte is 0x81 or above).
constexpr uint16_t kSlowPath = 1;
std::atomic<uint16_t> gbk_of_character[0x10000];

uint16_t look_up_gbk(UConverter* converter, char16_t c) {
  if (U16_IS_SURROGATE(c) || is_nonspacing_mark(c)) return kSlowPath;
  char bytes[4];
  UErrorCode status = U_ZERO_ERROR;
  const UChar unit = c;
  const int32_t length = ucnv_fromUChars(converter, bytes, sizeof bytes, &unit, 1, &status);
  const auto first = static_cast<unsigned char>(bytes[0]);
  if (U_FAILURE(status) || length < 1 || length > 2 || first == 0) return kSlowPath;
  if (length == 1) return static_cast<uint16_t>(0x100 | first);
  if (first < 0x81) return kSlowPath;
  return static_cast<uint16_t>(first << 8 | static_cast<unsigned char>(bytes[1]));
}

uint16_t gbk_entry(UConverter* converter, char16_t c) {
  std::atomic<uint16_t>& entry = gbk_of_character[c];
  uint16_t value = entry.load(std::memory_order_relaxed);
  if (value == 0) {
    value = look_up_gbk(converter, c);
    entry.store(value, std::memory_order_relaxed);
  }
  return value;
}

// Decodes a well-formed two- or three-byte sequence at `pos`; 0 when there is
// none (malformed, four bytes long, or a surrogate).
std::size_t decode_bmp(std::string_view utf8, std::size_t pos, char16_t& c) {
  const auto byte = [&](std::size_t i) {
    return pos + i < utf8.size() ? static_cast<unsigned char>(utf8[pos + i]) : 0;
  };
  const unsigned char lead = byte(0);
  const unsigned char second = byte(1);
  if (lead >= 0xC2 && lead <= 0xDF) {
    if ((second & 0xC0) != 0x80) return 0;
    c = static_cast<char16_t>((lead & 0x1F) << 6 | (second & 0x3F));
    return 2;
  }
  if (lead < 0xE0 || lead > 0xEF) return 0;
  const unsigned char third = byte(2);
  const unsigned char second_min = lead == 0xE0 ? 0xA0 : 0x80;
  const unsigned char second_max = lead == 0xED ? 0x9F : 0xBF;
  if (second < second_min || second > second_max || (third & 0xC0) != 0x80) return 0;
  c = static_cast<char16_t>((lead & 0x0F) << 12 | (second & 0x3F) << 6 | (third & 0x3F));
  return 3;
}

// The full conversion of a stretch: UTF-16, composition, converter.
void append_gbk_of_utf8(UConverter* converter, std::string_view utf8, Text& out) {
  std::vector<UChar> units;
  append_utf16(utf8, units);
  compose_marks(units);
  append_gbk(converter, units, out);
}

Bytes units_to_little_endian(std::span<const UChar> units) {
  Bytes bytes(units.size() * 2, '\0');
  if (units.empty()) return bytes;
  if constexpr (std::endian::native == std::endian::little) {
    std::memcpy(bytes.data(), units.data(), bytes.size());
  } else {
    for (std::size_t i = 0; i < units.size(); ++i) {
      bytes[2 * i] = static_cast<char>(units[i] & 0xFF);
      bytes[2 * i + 1] = static_cast<char>(units[i] >> 8);
    }
  }
  return bytes;
}

}  // namespace

Bytes utf8_to_utf16(std::string_view utf8) {
  std::vector<UChar> units;
  append_utf16(utf8, units);
  return units_to_little_endian(units);
}

Text utf16_to_gbk(std::string_view utf16) {
  UConverter* converter = gbk_converter();
  if (converter == nullptr) return {};
  std::vector<UChar> units(utf16.size() / 2);
  for (std::size_t i = 0; i < units.size(); ++i) {
    units[i] = static_cast<UChar>(static_cast<unsigned char>(utf16[2 * i]) |
                                  static_cast<unsigned char>(utf16[2 * i + 1]) << 8);
  }
  compose_marks(units);
  Text gbk;
  gbk.reserve(units.size() * 2);
  append_gbk(converter, units, gbk);
  if (const std::size_t zero = gbk.find('\0'); zero != Text::npos) gbk.resize(zero);
  return gbk;
}

// The same result as utf16_to_gbk(utf8_to_utf16(utf8)), faster: ASCII is
// copied (it is the same in GBK) and characters are mapped through the table.
// What the table does not serve (malformed bytes, characters beyond the BMP,
// marks) goes through the full conversion, together with the character before
// it, which a mark may join, and up to the next place where no mark follows.
Text utf8_to_gbk(std::string_view utf8) {
  UConverter* converter = gbk_converter();
  if (converter == nullptr) return {};
  // U+0000 is the only source of a zero byte in GBK, so the text ends at the
  // first zero byte of the input as well.
  utf8 = utf8.substr(0, utf8.find('\0'));

  // No character takes more bytes in GBK than in UTF-8; the slow path, which
  // might, grows the buffer itself.
  Text gbk(utf8.size(), '\0');
  std::size_t out = 0;
  std::size_t pos = 0;
  std::size_t last_char_pos = Text::npos;  // where the last character began
  std::size_t last_char_out = 0;           // and where its bytes began
  while (pos < utf8.size()) {
    if (!is_lead_byte(utf8[pos])) {
      const std::size_t end = end_of_ascii(utf8, pos);
      std::memcpy(gbk.data() + out, utf8.data() + pos, end - pos);
      out += end - pos;
      last_char_pos = end - 1;
      last_char_out = out - 1;
      pos = end;
      continue;
    }
    char16_t c = 0;
    const std::size_t length = decode_bmp(utf8, pos, c);
    const uint16_t entry = length == 0 ? kSlowPath : gbk_entry(converter, c);
    if (entry != kSlowPath) {
      last_char_pos = pos;
      last_char_out = out;
      if (entry < 0x200) {
        gbk[out++] = static_cast<char>(entry & 0xFF);
      } else {
        gbk[out++] = static_cast<char>(entry >> 8);
        gbk[out++] = static_cast<char>(entry & 0xFF);
      }
      pos += length;
      continue;
    }
    const std::size_t from = last_char_pos == Text::npos ? pos : last_char_pos;
    if (last_char_pos != Text::npos) out = last_char_out;
    std::size_t to = pos + 1;
    while (to < utf8.size() && !may_cut_before(utf8, to)) ++to;
    gbk.resize(out);
    append_gbk_of_utf8(converter, utf8.substr(from, to - from), gbk);
    out = gbk.size();
    gbk.resize(out + (utf8.size() - to));
    last_char_pos = Text::npos;
    pos = to;
  }
  gbk.resize(out);
  return gbk;
}

std::string gbk_to_utf8(std::string_view gbk) {
  UConverter* converter = gbk_converter();
  if (converter == nullptr) return {};
  ucnv_resetToUnicode(converter);
  std::string utf8;
  // A GBK byte never gives more than one UTF-16 unit; one more unit for a
  // lead byte held over from the previous piece.
  std::vector<UChar> units(std::min(gbk.size(), kPieceUnits - 1) + 1);
  const char* source = gbk.data();
  const char* const source_end = source + gbk.size();
  do {
    const char* piece_end =
        source + std::min(static_cast<std::size_t>(source_end - source), kPieceUnits - 1);
    UChar* target = units.data();
    UErrorCode status = U_ZERO_ERROR;
    ucnv_toUnicode(converter, &target, units.data() + units.size(), &source, piece_end, nullptr,
                   piece_end == source_end, &status);
    if (U_FAILURE(status)) break;
    const auto length = static_cast<int32_t>(target - units.data());
    const std::size_t old_size = utf8.size();
    utf8.resize(old_size + static_cast<std::size_t>(length) * 3);
    int32_t written = 0;
    u_strToUTF8WithSub(utf8.data() + old_size, length * 3, &written, units.data(), length,
                       kReplacementCharacter, nullptr, &status);
    utf8.resize(old_size + (U_SUCCESS(status) ? static_cast<std::size_t>(written) : 0));
  } while (source != source_end);
  return utf8;
}

}  // namespace kelvora
