#pragma once
// The window's control surface: the only way the logic reaches the controls of
// the main window. Plain C++, so viewer and harvest logic build and test without Qt.
//
// The free functions below forward to the installed surface. Every call may be
// made from any thread: the window's implementation carries a call from another
// thread over to the window's thread and waits until it is done. Without a
// surface (before the window exists or after it is gone) setters do nothing,
// getters give empty values, a pause is a plain sleep and deferred tasks are dropped.
#include <cstdint>
#include <functional>
#include <initializer_list>
#include <span>
#include <string_view>

#include "text/text.h"

namespace kelvora {

class ControlSurface {
 public:
  virtual ~ControlSurface() = default;

  virtual void set_hint_text(const Text& text) = 0;                       // 提示
  virtual void set_info_text(const Text& text) = 0;                       // 信息
  virtual Text get_list_text() = 0;                                       // 编辑框1
  virtual void set_list_text(const Text& text) = 0;                       // 编辑框1
  virtual void append_list_text(std::span<const std::string_view> texts) = 0;  // one step
  virtual void set_qr_picture(const Bytes& picture) = 0;                  // 图片框1
  virtual bool get_auto_switch() = 0;                                     // 选择框1
  virtual void set_auto_switch(bool ticked) = 0;                          // 选择框1
  virtual Text get_interval_text() = 0;                                   // 编辑框2

  // Waits at least ms while the window's events go on being handled; ms <= 0
  // returns at once without handling any. On another thread: a plain sleep.
  virtual void pause_with_events(int32_t ms) = 0;

  // Runs `task` on the window's thread once at least ms have passed, from the
  // event loop. Dropped when the window is gone first.
  virtual void call_after(int32_t ms, std::function<void()> task) = 0;
};

// Installs the window's surface (nullptr once the window is gone). The surface
// object itself must stay alive until the process ends.
void set_control_surface(ControlSurface* surface);

// True while a window's surface is installed.
bool window_is_open();

void set_hint_text(const Text& text);
void set_info_text(const Text& text);
Text get_list_text();
void set_list_text(const Text& text);
void append_list_text(std::initializer_list<std::string_view> texts);
void set_qr_picture(const Bytes& picture);
bool get_auto_switch();
void set_auto_switch(bool ticked);
Text get_interval_text();
void pause_with_events(int32_t ms);
void call_after(int32_t ms, std::function<void()> task);

}  // namespace kelvora
