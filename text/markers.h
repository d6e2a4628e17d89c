#pragma once
// Cutting texts apart by marker strings.
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "text/text.h"

namespace kelvora {

Text text_before_first(std::string_view text, std::string_view marker, int32_t start_pos = 0,
                       bool ignore_case = false);

// Without start_pos the whole text is searched.
Text text_after_last(std::string_view text, std::string_view marker,
                     std::optional<int32_t> start_pos = std::nullopt, bool ignore_case = false);

// Ignores letter case unless respect_case is true.
Text text_between_nocase(std::string_view text, std::string_view start_marker,
                         std::string_view end_marker, int32_t start_pos = 0,
                         bool respect_case = false);

// Respects letter case unless ignore_case is true. In both text_between
// operations "#引号" (GBK) in a marker stands for a double quote.
Text text_between(std::string_view text, std::string_view start_marker,
                  std::string_view end_marker, int32_t start_pos = 0, bool ignore_case = false);

// Every text between a start marker and the next end marker, trimmed and framed
// by prefix and suffix, into `pieces` (emptied first). Empty candidates are
// skipped; with max_length not 0 only candidates shorter than it are kept.
// Gives pending events three turns per pass that found both markers, and one
// more per non-empty candidate when max_length is not 0. An empty start or end
// marker gives no pieces. Returns the number of texts in `pieces`.
int32_t all_texts_between(std::string_view text, std::string_view start_marker,
                          std::string_view end_marker, std::vector<Text>& pieces,
                          bool ignore_case = false, int32_t max_length = 0,
                          std::string_view prefix = {}, std::string_view suffix = {},
                          bool include_start_marker = false, bool include_end_marker = false,
                          int32_t start_pos = 0);

}  // namespace kelvora
