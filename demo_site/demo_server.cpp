// kelvora_demo_site: serves the demo directory site on 127.0.0.1 at the port
// of the build's directory host, until SIGINT or SIGTERM.
//
//   kelvora_demo_site [site-folder]
//
// Without a folder it serves the demo site shipped in the source tree.
#include <httplib.h>
#include <pthread.h>
#include <signal.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <thread>

#include "demo_site/site_files.h"

namespace {

// The port named after the last ":" of host[:port]; 80 when none is named.
int port_of(std::string_view host) {
  const auto colon = host.rfind(':');
  if (colon == std::string_view::npos) return 80;
  return std::atoi(std::string(host.substr(colon + 1)).c_str());
}

}  // namespace

int main(int argc, char** argv) {
  const std::string folder = argc > 1 ? argv[1] : KELVORA_DEMO_SITE_DIR;
  const int port = port_of(KELVORA_DIRECTORY_HOST);

  // Signals are taken by sigwait below, not by a handler, so that stopping
  // the server happens on an ordinary thread.
  sigset_t stop_signals;
  sigemptyset(&stop_signals);
  sigaddset(&stop_signals, SIGINT);
  sigaddset(&stop_signals, SIGTERM);
  pthread_sigmask(SIG_BLOCK, &stop_signals, nullptr);

  httplib::Server server;
  kelvora::demo::serve_site(server, folder);
  if (!server.bind_to_port("127.0.0.1", port)) {
    std::fprintf(stderr, "kelvora_demo_site: cannot listen on 127.0.0.1:%d\n", port);
    return 1;
  }
  std::printf("kelvora_demo_site: serving %s at http://127.0.0.1:%d/\n", folder.c_str(), port);
  std::fflush(stdout);

  std::thread listener([&server] { server.listen_after_bind(); });
  int signal_number = 0;
  sigwait(&stop_signals, &signal_number);
  server.stop();
  listener.join();
  return 0;
}
