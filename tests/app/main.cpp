#include <gtest/gtest.h>

#include <QApplication>
#include <cstdlib>

int main(int argc, char** argv) {
  // Run under the offscreen platform also when started by hand.
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  // Death tests re-run this program for the test alone, so the child starts
  // with a fresh application instead of a forked copy of a threaded one.
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  testing::InitGoogleTest(&argc, argv);
  QApplication application(argc, argv);
  return RUN_ALL_TESTS();
}
