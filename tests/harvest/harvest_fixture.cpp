#include "harvest_fixture.h"

#include <strings.h>

#include "web/encoding.h"

namespace kelvora {

Text gbk(const std::string& utf8) { return utf8_to_gbk(utf8); }

std::string listing(int page_no) { return "/wxq-9-" + std::to_string(page_no) + "-or-3-vi-1.html"; }

Text hint(int page_no, int item_no) {
  return gbk("当前正才获取第" + std::to_string(page_no) + "页，第" + std::to_string(item_no) +
             "条数据，请耐心等待！");
}

Text earlier_list() { return gbk("旧群") + "|http://old.invalid/qr.png\r\n"; }

Text failure_site_lines(const std::string& host) {
  const std::string qr = "http://" + host + "/qr/";
  return gbk("读书会") + "|" + qr + "plain.png\r\n"                // page 1
         + "|" + qr + "plain.png\r\n"                              // empty title
         + "A|" + gbk("B群") + "|" + qr + "a|b.png\r\n"            // bars kept as they stand
         + "\xA1\xA1?" + gbk("表情群") + "|" + qr + "gbk.png\r\n"  // item trimmed at its end only
         + "|" + qr + "notitle.png\r\n"                            // page 4: no title="
         + gbk("无空格") + "|\r\n"                                 // no detail address
         + gbk("详情缺失") + "|\r\n"                               // page 5: detail page missing
         + gbk("无二维码") + "|\r\n"                               // detail page without QR
         + gbk("换行") + "\r\n" + gbk("群") + "|" + qr + "plain.png\r\n" + gbk("末页群") + "|" +
         qr + "plain.png\r\n";  // page 10
}

std::vector<std::string> failure_site_requests() {
  return {listing(1),        "/d/plain.html", "/d/plain.html", "/d/bar.html",     "/d/gbk.html",
          listing(2),        listing(3),      listing(4),      "/d/notitle.html", listing(5),
          "/d/missing.html", "/d/noqr.html",  "/d/plain.html", listing(6),        listing(7),
          listing(8),        listing(9),      listing(10),     "/d/plain.html"};
}

std::string header(const demo::RequestSeen& request, std::string_view name) {
  for (const auto& [key, value] : request.headers) {
    if (strcasecmp(key.c_str(), std::string(name).c_str()) == 0) return value;
  }
  return "(missing)";
}

std::vector<Text> lines_of(std::string_view list) {
  std::vector<Text> lines;
  for (size_t at = 0; at < list.size();) {
    const size_t end = list.find("\r\n", at);
    lines.emplace_back(list.substr(at, end - at));
    at = end == std::string_view::npos ? list.size() : end + 2;
  }
  return lines;
}

namespace {

// True when `all` is `a` and `b` merged, each kept whole and in its order.
bool is_interleaving(const std::vector<Text>& all, const std::vector<Text>& a,
                     const std::vector<Text>& b) {
  if (all.size() != a.size() + b.size()) return false;
  // reachable[j]: the first i + j lines of `all` can be made of a[0..i) and b[0..j).
  std::vector<bool> reachable(b.size() + 1, false);
  for (size_t i = 0; i <= a.size(); ++i) {
    for (size_t j = 0; j <= b.size(); ++j) {
      if (i == 0 && j == 0) {
        reachable[0] = true;
        continue;
      }
      const Text& line = all[i + j - 1];
      const bool from_a = i > 0 && reachable[j] && a[i - 1] == line;
      const bool from_b = j > 0 && reachable[j - 1] && b[j - 1] == line;
      reachable[j] = from_a || from_b;
    }
  }
  return reachable[b.size()];
}

}  // namespace

::testing::AssertionResult holds_two_whole_runs(const Text& list, const std::string& first_host,
                                                const std::string& second_host) {
  if (!list.starts_with(earlier_list())) {
    return ::testing::AssertionFailure() << "the earlier list is not kept at the start:\n" << list;
  }
  if (!is_interleaving(lines_of(list.substr(earlier_list().size())),
                       lines_of(failure_site_lines(first_host)),
                       lines_of(failure_site_lines(second_host)))) {
    return ::testing::AssertionFailure() << "not two runs' whole lines in order:\n" << list;
  }
  return ::testing::AssertionSuccess();
}

}  // namespace kelvora
