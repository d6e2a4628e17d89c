#pragma once
// Shared helpers of the window tests: a temporary current folder, waiting on
// conditions while the window's events are handled, and finding controls.
#include <gtest/gtest.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QWidget>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>

#include "support/temp_folder.h"

namespace kelvora::test {

using TemporaryCurrentFolder = test_support::TempCurrentFolder;
using test_support::read_file;
using test_support::write_file;

// Handles the window's events until `condition` holds; false after `limit`.
inline bool handle_events_until(const std::function<bool()>& condition,
                                std::chrono::milliseconds limit = std::chrono::seconds(20)) {
  const auto deadline = std::chrono::steady_clock::now() + limit;
  while (!condition()) {
    if (std::chrono::steady_clock::now() > deadline) return false;
    QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 20);
  }
  return true;
}

template <class Control>
Control* find_control(QWidget& window, const char* name) {
  return window.findChild<Control*>(QString::fromUtf8(name));
}

}  // namespace kelvora::test
