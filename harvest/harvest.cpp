#include "harvest/harvest.h"

#include <thread>
#include <vector>

#include "app/control_surface.h"
#include "harvest/harvest_texts.h"
#include "text/markers.h"
#include "viewer/list_file.h"
#include "web/fetch_page.h"

namespace kelvora {

namespace {

constexpr int32_t pages_per_run = 10;
constexpr int32_t pause_after_item_ms = 2000;

constexpr std::string_view item_start = "<div class=\"dt bb1\"><a href=\"";
constexpr std::string_view item_end = "\"><img";
constexpr std::string_view after_detail_address = "\" title";
constexpr std::string_view before_title = "title=\"";
constexpr std::string_view qr_start = "<div class=\"fLeft b1\"><p><a href=\"";
constexpr std::string_view qr_end = "\"><img";

// Fetches one item's detail page and appends its group line. Returns false
// when the window went away meanwhile.
bool harvest_item(const Text& item) {
  const Text title = text_after_last(item, before_title);
  const Text detail_address = text_before_first(item, after_detail_address);
  const Text detail_page = fetch_page_text(detail_address);
  const Text qr_address = text_between(detail_page, qr_start, qr_end);
  if (!window_is_open()) return false;
  append_list_text({title, "|", qr_address, "\r\n"});
  return true;
}

}  // namespace

void harvest_groups_at(std::string_view host, int32_t pause_ms) {
  std::vector<Text> items;
  for (int32_t page_no = 1; page_no <= pages_per_run; ++page_no) {
    if (!window_is_open()) return;
    const Text page = fetch_page_text(listing_address(host, page_no));
    const int32_t item_count = all_texts_between(page, item_start, item_end, items);
    for (int32_t item_no = 1; item_no <= item_count; ++item_no) {
      if (!window_is_open() || !harvest_item(items[item_no - 1])) return;
      set_hint_text(progress_hint(page_no, item_no));
      pause_with_events(pause_ms);
    }
  }
  // A window closed before this point has taken the list with it: saving
  // now would write an empty list over the file.
  if (!window_is_open()) return;
  save_group_list();
}

void harvest_groups() { harvest_groups_at(directory_host(), pause_after_item_ms); }

void start_harvest() { std::thread(harvest_groups).detach(); }

}  // namespace kelvora
