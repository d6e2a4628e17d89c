#include "shutdown_child.h"

#include <QApplication>
#include <QTimer>
#include <thread>

#include "app/main_window.h"
#include "app/start_up.h"
#include "harvest/harvest.h"

namespace kelvora {

void run_shutdown_child(const std::string& folder, const std::string& host) {
  MainWindow* window = start_program(folder);
  const size_t loaded = window->list_text().size();
  for (int run = 0; run < 2; ++run) {
    std::thread([host] { harvest_groups_at(host, 2000); }).detach();
  }
  QTimer watch;
  QObject::connect(&watch, &QTimer::timeout, window, [window, loaded] {
    if (window->list_text().size() > loaded) window->close();
  });
  watch.start(5);
  QApplication::exec();
  shut_down();
}

}  // namespace kelvora
