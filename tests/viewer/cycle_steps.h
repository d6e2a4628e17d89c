#pragma once
// Builds the expected record of a scripted window: what the cycles show, when.
#include <cstdint>
#include <string>
#include <vector>

#include "text/text.h"

namespace kelvora::testing {

using Log = std::vector<std::string>;

Text opening_hint(int32_t number);
const Text& switched_hint();
const Text& automatic_hint();

class Steps {
 public:
  // A step showing line `number`: its hint, its title and the picture the
  // picture server answers for `path`.
  Steps& show(int64_t ms, int32_t number, const std::string& title, const std::string& path);
  // The same, for a line "<title>|<server>/<title>".
  Steps& show(int64_t ms, int32_t number, const std::string& title) {
    return show(ms, number, title, "/" + title);
  }
  // A line without a bar: empty title, emptied picture box, no request.
  Steps& show_empty_line(int64_t ms, int32_t number);
  Steps& switched(int64_t ms) { return hint(ms, switched_hint()); }
  Steps& automatic(int64_t ms) { return hint(ms, automatic_hint()); }
  Steps& untick(int64_t ms);

  const Log& log() const { return log_; }

 private:
  Steps& hint(int64_t ms, const Text& text);
  void add(int64_t ms, const std::string& entry);
  Log log_;
};

}  // namespace kelvora::testing
