#include "tests/viewer/cycle_steps.h"

#include "web/encoding.h"

namespace kelvora::testing {

Text opening_hint(int32_t number) {
  return KELVORA_GBK("现在正打开第") + std::to_string(number) + KELVORA_GBK("条群二维码，请稍等!");
}

const Text& switched_hint() { return KELVORA_GBK("已切成功啦！请扫描进群吧！"); }

const Text& automatic_hint() {
  return KELVORA_GBK("您选择了自动模式，将自动切换下一个微信群，请尽快扫描!");
}

void Steps::add(int64_t ms, const std::string& entry) {
  log_.push_back(std::to_string(ms) + " " + entry);
}

Steps& Steps::hint(int64_t ms, const Text& text) {
  add(ms, "hint " + text);
  return *this;
}

Steps& Steps::show(int64_t ms, int32_t number, const std::string& title, const std::string& path) {
  hint(ms, opening_hint(number));
  add(ms, "info " + title);
  add(ms, "picture picture:" + path);
  return *this;
}

Steps& Steps::show_empty_line(int64_t ms, int32_t number) {
  hint(ms, opening_hint(number));
  add(ms, "info ");
  add(ms, "picture ");
  return *this;
}

Steps& Steps::untick(int64_t ms) {
  add(ms, "untick");
  return *this;
}

}  // namespace kelvora::testing
