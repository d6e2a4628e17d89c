#include "viewer/viewer_cycle.h"

#include <optional>
#include <string>
#include <string_view>

#include "app/control_surface.h"
#include "text/markers.h"
#include "text/number.h"
#include "viewer/cycle_stack.h"
#include "viewer/download_picture.h"
#include "viewer/list_lines.h"
#include "viewer/viewer_cycle_settings.h"
#include "web/encoding.h"

namespace kelvora {

namespace {

// The 1-based number of the list line shown last; shared by nested cycles.
int32_t group_cursor = 0;
int32_t shown_group_pause_ms = 500;

Text opening_hint(int32_t cursor) {
  return KELVORA_GBK("现在正打开第") + std::to_string(cursor) + KELVORA_GBK("条群二维码，请稍等!");
}

// One step up to its first pause: advances the cursor and shows the group
// under it. False when the cycle ends here. The list, the line and the picture
// are released when it returns, before the cycle pauses.
bool show_group_under_next_cursor() {
  // Wraps instead of overflowing, as 32-bit arithmetic on the window's thread would.
  group_cursor = static_cast<int32_t>(static_cast<uint32_t>(group_cursor) + 1);
  const Text list = get_list_text();
  if (list.empty()) return false;
  const std::optional<std::string_view> line = find_list_line(list, group_cursor);
  if (!line) {
    group_cursor = 0;
    set_auto_switch(false);
    return false;
  }
  set_hint_text(opening_hint(group_cursor));
  set_info_text(text_before_first(*line, "|"));
  set_qr_picture(download_picture(text_after_last(*line, "|")));
  return true;
}

int32_t interval_ms() { return text_to_int(get_interval_text()); }

Cycle viewer_cycle() {
  for (;;) {
    if (!show_group_under_next_cursor()) co_return;
    co_await CyclePause{shown_group_pause_ms};
    if (!window_is_open()) co_return;
    if (!get_auto_switch()) {
      set_hint_text(KELVORA_GBK("已切成功啦！请扫描进群吧！"));
      co_return;
    }
    set_hint_text(KELVORA_GBK("您选择了自动模式，将自动切换下一个微信群，请尽快扫描!"));
    co_await CyclePause{interval_ms()};
    if (!window_is_open()) co_return;
  }
}

}  // namespace

void show_next_group() { run_nested_cycle(viewer_cycle()); }

void set_shown_group_pause_ms(int32_t ms) { shown_group_pause_ms = ms; }

int32_t group_cursor_value() { return group_cursor; }

void reset_group_cursor() { group_cursor = 0; }

}  // namespace kelvora
