#pragma once
// The life of the process: start-up, the event loop and shutdown.
#include <filesystem>

namespace kelvora {

class MainWindow;

// True when Qt has somewhere to show a window: DISPLAY, WAYLAND_DISPLAY or an
// explicit QT_QPA_PLATFORM.
bool display_available();

// Start-up on an existing QApplication, main thread: the folder becomes the
// program folder and the current directory, the exit step is registered, the
// skin is installed, and the main window is created hidden, runs its creation
// steps and is shown. The window is owned by the caller. A window that cannot
// be created ends the process through fatal_stop.
MainWindow* start_program(const std::filesystem::path& folder);

// Shutdown after the event loop: the exit step, the skin engine unloaded, and
// the process ends with exit code 0 at once, without waiting for worker threads
// and without running destructors under them.
[[noreturn]] void shut_down();

// The whole program: checks for a display, makes the QApplication, starts up
// from the executable's own folder, runs the event loop and shuts down.
int run_program(int argc, char** argv);

}  // namespace kelvora
