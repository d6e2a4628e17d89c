#include "app/control_surface.h"

#include <atomic>
#include <chrono>
#include <thread>

namespace kelvora {

namespace {
std::atomic<ControlSurface*> installed_surface{nullptr};
ControlSurface* surface() { return installed_surface.load(); }
}  // namespace

void set_control_surface(ControlSurface* s) { installed_surface.store(s); }

bool window_is_open() { return surface() != nullptr; }

void set_hint_text(const Text& text) {
  if (auto* s = surface()) s->set_hint_text(text);
}

void set_info_text(const Text& text) {
  if (auto* s = surface()) s->set_info_text(text);
}

Text get_list_text() {
  auto* s = surface();
  return s ? s->get_list_text() : Text{};
}

void set_list_text(const Text& text) {
  if (auto* s = surface()) s->set_list_text(text);
}

void append_list_text(std::initializer_list<std::string_view> texts) {
  if (auto* s = surface()) s->append_list_text(std::span(texts.begin(), texts.size()));
}

void set_qr_picture(const Bytes& picture) {
  if (auto* s = surface()) s->set_qr_picture(picture);
}

bool get_auto_switch() {
  auto* s = surface();
  return s ? s->get_auto_switch() : false;
}

void set_auto_switch(bool ticked) {
  if (auto* s = surface()) s->set_auto_switch(ticked);
}

Text get_interval_text() {
  auto* s = surface();
  return s ? s->get_interval_text() : Text{};
}

void pause_with_events(int32_t ms) {
  if (auto* s = surface()) {
    s->pause_with_events(ms);
  } else if (ms > 0) {
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
  }
}

void call_after(int32_t ms, std::function<void()> task) {
  if (auto* s = surface()) s->call_after(ms, std::move(task));
}

}  // namespace kelvora
