#include "app/start_up.h"

#include <QApplication>
#include <QFile>
#include <cstdio>
#include <cstdlib>
#include <new>

#include "app/exit_step.h"
#include "app/fatal_stop.h"
#include "app/main_window.h"
#include "app/program_folder.h"
#include "app/skin/skin_install.h"
#include "web/encoding.h"

namespace kelvora {

namespace {

bool environment_set(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr && *value != '\0';
}

}  // namespace

bool display_available() {
  return environment_set("QT_QPA_PLATFORM") || environment_set("DISPLAY") ||
         environment_set("WAYLAND_DISPLAY");
}

MainWindow* start_program(const std::filesystem::path& folder) {
  set_program_folder(folder);
  std::error_code ignored;
  std::filesystem::current_path(folder, ignored);
  register_exit_step();
  install_skin();

  MainWindow* window = nullptr;
  try {
    window = new MainWindow;
  } catch (const std::exception&) {
    fatal_stop(KELVORA_GBK("载入启动窗口失败"));
  }
  window->show();
  return window;
}

void shut_down() {
  run_exit_step();
  unload_skin_engine();
  std::fflush(nullptr);
  // quick_exit skips static destructors, so detached harvest threads that are
  // still blocked in a transfer or waiting for the window cannot trip over
  // torn-down objects; the exit step registered with it has already run.
  std::quick_exit(0);
}

int run_program(int argc, char** argv) {
  if (!display_available()) {
    std::fputs(
        "kelvora: no display to open the window on "
        "(set DISPLAY or WAYLAND_DISPLAY, or QT_QPA_PLATFORM=offscreen)\n",
        stderr);
    return 1;
  }
  // The application comes first: the skin engine styles it and the fatal-stop
  // box needs it. Neither it nor the window is ever destroyed: shut_down ends
  // the process without running destructors.
  QApplication application(argc, argv);
  // The executable's own folder (from /proc/self/exe), in the file system's encoding.
  start_program(QFile::encodeName(QCoreApplication::applicationDirPath()).toStdString());
  QApplication::exec();
  shut_down();
}

}  // namespace kelvora
