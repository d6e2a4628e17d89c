#include "web/encoding.h"

#include <unicode/normalizer2.h>
#include <unicode/uchar.h>
#include <unicode/ucnv.h>
#include <unicode/ucnv_cb.h>
#include <unicode/ustring.h>
#include <unicode/utf16.h>
#include <unicode/utf8.h>

#include <algorithm>
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
// An ASCII run at least this long is copied as it is instead of converted.
constexpr std::size_t kCopiedAsciiRun = 32;

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
  ucnv_setFromUCallBack(converter.get(), substitute_unmappable, nullptr, nullptr, nullptr,
                        &status);
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
                         utf8.data(), static_cast<int32_t>(piece), kReplacementCharacter,
                         nullptr, &status);
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

// True when a block may end just before byte `pos`: the byte starts a
// sequence (or is malformed) and is no mark that would join what precedes it.
bool may_cut_before(std::string_view utf8, std::size_t pos) {
  if (is_continuation_byte(utf8[pos])) return false;
  const std::string_view rest = utf8.substr(pos, 4);
  int32_t i = 0;
  UChar32 c;
  U8_NEXT(rest.data(), i, static_cast<int32_t>(rest.size()), c);
  return c < 0 || !is_nonspacing_mark(c);
}

// The end of the block that starts at `start`: just before a long ASCII run,
// or at the first place it may be cut once it is a piece long.
std::size_t end_of_block(std::string_view utf8, std::size_t start) {
  std::size_t ascii_run = 0;
  for (std::size_t i = start + 1; i < utf8.size(); ++i) {
    ascii_run = is_lead_byte(utf8[i]) ? 0 : ascii_run + 1;
    if (ascii_run == kCopiedAsciiRun) return i + 1 - kCopiedAsciiRun;
    if (i - start >= kPieceUnits && may_cut_before(utf8, i)) return i;
  }
  return utf8.size();
}

Bytes units_to_little_endian(std::span<const UChar> units) {
  Bytes bytes(units.size() * 2, '\0');
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

// The same result as utf16_to_gbk(utf8_to_utf16(utf8)), without converting
// long ASCII runs and in cache-sized blocks. Blocks end only where no mark
// can follow, so composition never needs a character from the block before.
Text utf8_to_gbk(std::string_view utf8) {
  UConverter* converter = gbk_converter();
  if (converter == nullptr) return {};
  // U+0000 is the only source of a zero byte in GBK, so the text ends at the
  // first zero byte of the input as well.
  utf8 = utf8.substr(0, utf8.find('\0'));

  Text gbk;
  gbk.reserve(utf8.size());
  std::vector<UChar> units;
  std::size_t pos = 0;
  while (pos < utf8.size()) {
    const std::size_t ascii_end = end_of_ascii(utf8, pos);
    if (ascii_end == utf8.size()) {
      gbk.append(utf8.substr(pos));  // ASCII is the same in GBK
      break;
    }
    // The last ASCII character goes with the block: a mark after it may join it.
    const std::size_t block_start = ascii_end > pos ? ascii_end - 1 : pos;
    gbk.append(utf8.substr(pos, block_start - pos));
    const std::size_t block_end = end_of_block(utf8, block_start);
    units.clear();
    append_utf16(utf8.substr(block_start, block_end - block_start), units);
    compose_marks(units);
    append_gbk(converter, units, gbk);
    pos = block_end;
  }
  return gbk;
}

std::string gbk_to_utf8(std::string_view gbk) {
  UConverter* converter = gbk_converter();
  if (converter == nullptr) return {};
  ucnv_resetToUnicode(converter);
  std::string utf8;
  std::vector<UChar> units(kPieceUnits);
  const char* source = gbk.data();
  const char* const source_end = source + gbk.size();
  do {
    // A GBK byte never gives more than one UTF-16 unit.
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
