#include <algorithm>

#include "text/char_search.h"
#include "text/markers.h"
#include "text/pending_events.h"

namespace kelvora {

namespace {

using detail::not_found;

// The end-marker search of the previous pass. A pass whose piece trims to
// nothing resumes just after its start marker, so the next start marker may
// lie before the end marker already found; when the next search begins on a
// character of the earlier scan, its result (and the blankness of the piece)
// is already known. This keeps a text full of blanks linear.
struct EndSearchMemo {
  size_t from = not_found;
  size_t found = not_found;
  size_t anchor = 0;           // a character start of the earlier scan, at or before `from`
  bool piece_is_blank = false;  // the piece from `from` to `found` trims to nothing

  bool covers(std::string_view text, size_t q) {
    if (from == not_found || q < from || (found != not_found && q > found)) return false;
    return detail::begins_character(text, q, anchor);
  }
};

Text make_candidate(std::string_view piece, std::string_view start_marker,
                    std::string_view end_marker, std::string_view prefix,
                    std::string_view suffix, bool include_start_marker,
                    bool include_end_marker) {
  Text candidate;
  candidate.reserve(piece.size() + prefix.size() + suffix.size() +
                    (include_start_marker ? start_marker.size() : 0) +
                    (include_end_marker ? end_marker.size() : 0));
  if (include_start_marker) candidate.append(start_marker);
  candidate.append(prefix).append(piece).append(suffix);
  if (include_end_marker) candidate.append(end_marker);
  return candidate;
}

}  // namespace

int32_t all_texts_between(std::string_view text, std::string_view start_marker,
                          std::string_view end_marker, std::vector<Text>& pieces,
                          bool ignore_case, int32_t max_length, std::string_view prefix,
                          std::string_view suffix, bool include_start_marker,
                          bool include_end_marker, int32_t start_pos) {
  pieces.clear();
  // An empty marker is found again at the same place on every pass: no pieces.
  if (start_marker.empty() || end_marker.empty()) return 0;

  detail::PatternSearch start_search(start_marker, ignore_case);
  detail::PatternSearch end_search(end_marker, ignore_case);
  EndSearchMemo memo;
  const bool frame_is_empty = prefix.empty() && suffix.empty();
  size_t c = static_cast<size_t>(std::max(start_pos, 1)) - 1;

  while (true) {
    size_t e = start_search.find(text, c);
    if (e == not_found) break;
    size_t q = e + start_marker.size();
    if (!memo.covers(text, q)) {
      memo = EndSearchMemo{q, end_search.find(text, q), q, false};
      if (memo.found != not_found) {
        memo.piece_is_blank = detail::trim_blanks(text.substr(q, memo.found - q)).empty();
      }
    }
    size_t f = memo.found;
    if (f == not_found) break;

    std::string_view piece =
        memo.piece_is_blank ? std::string_view{} : detail::trim_blanks(text.substr(q, f - q));
    if (piece.empty() && frame_is_empty) {
      c = q;  // the next start marker is looked for right after this one
    } else {
      Text candidate = make_candidate(piece, start_marker, end_marker, prefix, suffix,
                                      include_start_marker, include_end_marker);
      if (max_length != 0) {
        if (static_cast<int64_t>(candidate.size()) < max_length) {
          pieces.push_back(std::move(candidate));
        }
        process_pending_events();
      } else {
        pieces.push_back(std::move(candidate));
      }
      c = f;
    }
    process_pending_events();
    process_pending_events();
    process_pending_events();
  }
  return static_cast<int32_t>(pieces.size());
}

}  // namespace kelvora
