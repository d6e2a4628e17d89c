#pragma once
// Helpers shared by the skin tests: a temporary program folder, file reading,
// and resetting the application's look between tests.
#include <gtest/gtest.h>

#include <QApplication>
#include <QPalette>
#include <QWidget>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <ostream>
#include <iterator>
#include <string>

#include "app/program_folder.h"
#include "skin_engine/skin_format.h"
#include "support/temp_folder.h"

// Colours in failure messages as #rrggbb.
inline void PrintTo(const QColor& colour, std::ostream* out) {
  *out << colour.name().toStdString();
}

namespace kelvora::skin_test {

using test_support::TempFolder;
using test_support::read_file;

inline QColor qcolor(skin::Rgb c) { return QColor(c.red, c.green, c.blue); }

// Qt's own palette, taken before any test applies a skin.
inline const QPalette& original_palette() {
  static const QPalette palette = QApplication::palette();
  return palette;
}

// Each test starts from Qt's own look and a program folder of its own.
class LookTest : public testing::Test {
 protected:
  void SetUp() override {
    qApp->setStyleSheet(QString());
    QApplication::setPalette(original_palette());
    default_sheet_ = qApp->styleSheet();
    default_window_colour_ = QWidget().palette().color(QPalette::Window);
    set_program_folder(folder_.path());
  }

  TempFolder folder_;
  QString default_sheet_;
  QColor default_window_colour_;
};

}  // namespace kelvora::skin_test
