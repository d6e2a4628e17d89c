#include "app/fatal_stop.h"

#include <QApplication>
#include <cstdio>
#include <cstdlib>

#include "app/error_box.h"
#include "web/encoding.h"

namespace kelvora {

namespace {
constexpr int kFatalExitCode = -1;  // 255 as a POSIX exit status
}

void fatal_stop(const Text& message) {
  const std::string text = "运行时出错!\r\n\r\n错误信息：" + gbk_to_utf8(message) + "\r\n";
  if (qobject_cast<QApplication*>(QCoreApplication::instance()) != nullptr) {
    show_error_box(QString::fromUtf8("错误"), QString::fromUtf8(text));
  } else {
    // No application to show a box with: say it where it can still be seen.
    std::fprintf(stderr, "错误\n%s", text.c_str());
  }
  std::fflush(nullptr);
  // _Exit, not exit or quick_exit: the exit step must not run after a fatal stop.
  std::_Exit(kFatalExitCode);
}

}  // namespace kelvora
