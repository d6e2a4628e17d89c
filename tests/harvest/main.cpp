// The harvest tests run under Qt's offscreen platform, so that the real main
// window can stand behind the control surface. Started with the child
// variables set, the program is instead the child of the shutdown test.
#include <gtest/gtest.h>

#include <QApplication>
#include <cstdlib>

#include "harvest_fixture.h"
#include "shutdown_child.h"

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  const char* child_site = std::getenv(kelvora::child_site_variable);
  const char* child_folder = std::getenv(kelvora::child_folder_variable);
  if (child_site != nullptr && child_folder != nullptr) {
    kelvora::run_shutdown_child(child_folder, child_site);
  }
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
