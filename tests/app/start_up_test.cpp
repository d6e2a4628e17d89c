// Start-up, shutdown and the fatal stop, each in a process of its own.
#include "app/start_up.h"

#include <gmock/gmock.h>

#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QTimer>
#include <cstdio>

#include "app/error_box.h"
#include "app/exit_step.h"
#include "app/fatal_stop.h"
#include "app/main_window.h"
#include "app_test_support.h"

namespace kelvora {
namespace {

using testing::AllOf;
using testing::HasSubstr;
using testing::Not;
namespace fs = std::filesystem;

// The next error box reports what it shows on stderr instead of waiting for a
// user, and then runs `and_then`.
void report_next_error_box(std::function<void()> and_then = [] {}) {
  preset_next_error_box([and_then](QMessageBox& box) {
    std::fprintf(stderr, "box title=[%s] critical=%d parent=%d text=[%s]\n",
                 box.windowTitle().toUtf8().constData(), box.icon() == QMessageBox::Critical,
                 box.parent() != nullptr, box.text().toUtf8().constData());
    and_then();
  });
}

void report_exit_step() {
  std::at_quick_exit([] { std::fprintf(stderr, "exit step runs=%d\n", exit_step_runs()); });
}

TEST(FatalStopTest, ShowsTheMessageAndEndsWithMinusOneWithoutTheExitStep) {
  const Text message = "\xC4\xE3\xBA\xC3 failed";  // 你好 in GBK
  EXPECT_EXIT(
      {
        register_exit_step();
        report_exit_step();
        std::atexit([] { std::fputs("atexit ran\n", stderr); });
        report_next_error_box();
        fatal_stop(message);
      },
      testing::ExitedWithCode(255),
      AllOf(HasSubstr("box title=[错误] critical=1 parent=0 "
                      "text=[运行时出错!\r\n\r\n错误信息：你好 failed\r\n]"),
            Not(HasSubstr("atexit ran")), Not(HasSubstr("exit step"))));
}

// The child of a death test makes its own folder and ends without running
// destructors; this removes it.
fs::path child_folder;
void remove_child_folder() {
  std::error_code ignored;
  fs::remove_all(child_folder, ignored);
}

class StartUpTest : public testing::Test {
 protected:
  void remove_folder_at_exit() {
    child_folder = program_folder_.path();
    std::at_quick_exit(remove_child_folder);
  }

  test::TemporaryCurrentFolder program_folder_;
  fs::path elsewhere_ = fs::temp_directory_path();
};

TEST_F(StartUpTest, StartsInTheProgramFolderAndEndsWithZeroWhenClosed) {
  test::write_file(program_folder_.path() / "weiqun.txt", "a|1\r\nb|2\r\nc|3\r\n");
  fs::current_path(elsewhere_);  // started through a shortcut with another working folder
  EXPECT_EXIT(
      {
        remove_folder_at_exit();
        report_exit_step();
        MainWindow* window = start_program(program_folder_.path());
        std::fprintf(stderr, "visible=%d in program folder=%d hint=%s\n", window->isVisible(),
                     fs::current_path() == program_folder_.path(),
                     test::find_control<QLabel>(*window, "提示")->text().toUtf8().constData());
        QTimer::singleShot(0, window, &QWidget::close);
        QApplication::exec();
        shut_down();
      },
      testing::ExitedWithCode(0),
      AllOf(HasSubstr("visible=1 in program folder=1 hint=恭喜导入数据成功啦！共3条"),
            HasSubstr("exit step runs=1")));
  fs::current_path(program_folder_.path());
}

TEST_F(StartUpTest, FirstStartWritesTheEngineAndTheWindowOpensSkinned) {
  EXPECT_EXIT(
      {
        remove_folder_at_exit();
        MainWindow* window = start_program(program_folder_.path());
        const fs::path engine = program_folder_.path() / "SkinH_EL.dll";
        auto* hint = test::find_control<QLabel>(*window, "提示");
        std::fprintf(stderr, "engine=%d skinned=%d hint blue=%d\n",
                     fs::is_regular_file(engine) && fs::file_size(engine) > 0,
                     !qApp->styleSheet().isEmpty(),
                     hint->palette().color(QPalette::WindowText) == QColor(0, 0, 255));
        std::quick_exit(0);
      },
      testing::ExitedWithCode(0), HasSubstr("engine=1 skinned=1 hint blue=1"));
}

TEST_F(StartUpTest, FolderNamedLikeTheEngineEndsInAFatalStopBeforeTheWindow) {
  EXPECT_EXIT(
      {
        child_folder = program_folder_.path();
        fs::create_directory(program_folder_.path() / "SkinH_EL.dll");
        report_next_error_box(remove_child_folder);
        start_program(program_folder_.path());
        std::fputs("window shown\n", stderr);
        std::quick_exit(0);
      },
      testing::ExitedWithCode(255),
      AllOf(HasSubstr("错误信息：无法找到指定DLL库文件“SkinH_EL.dll”中的输出命令“SkinH_AttachRes”"),
            Not(HasSubstr("window shown"))));
}

TEST(NoDisplayTest, ProgramSaysSoAndExitsWithAnError) {
  const std::string command = "env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM " +
                              std::string(KELVORA_EXECUTABLE) + " 2>&1";
  FILE* program = popen(command.c_str(), "r");
  ASSERT_NE(program, nullptr);
  std::string output;
  char buffer[256];
  while (fgets(buffer, sizeof buffer, program)) output += buffer;
  const int status = pclose(program);
  ASSERT_TRUE(WIFEXITED(status)) << "ended by a signal: " << output;
  EXPECT_NE(WEXITSTATUS(status), 0);
  EXPECT_THAT(output, HasSubstr("no display"));
}

}  // namespace
}  // namespace kelvora
