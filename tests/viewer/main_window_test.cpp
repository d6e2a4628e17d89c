// The viewer cycle in the real main window under the offscreen platform:
// clicks on 按钮2, the real pauses through the window's timers, and closing
// the window while cycles pause.
#include "app/main_window.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <QCheckBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <chrono>
#include <functional>
#include <memory>

#include "app/control_surface.h"
#include "app/picture/picture_box.h"
#include "tests/viewer/picture_server.h"
#include "viewer/cycle_stack.h"
#include "viewer/viewer_cycle_settings.h"
#include "web/encoding.h"

namespace kelvora::testing {
namespace {

using Clock = std::chrono::steady_clock;

// Lets the window handle events until `done` holds; false after a minute.
bool wait_until(const std::function<bool()>& done) {
  const auto deadline = Clock::now() + std::chrono::minutes(1);
  while (!done()) {
    if (Clock::now() > deadline) return false;
    QTest::qWait(2);
  }
  return true;
}

Bytes png_picture() {
  QImage image(40, 30, QImage::Format_RGB32);
  image.fill(Qt::darkGreen);
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  image.save(&buffer, "PNG");
  return Bytes(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

QString caption(const char* text) { return QString::fromUtf8(text); }

class ViewerInWindow : public ::testing::Test {
 protected:
  void SetUp() override {
    reset_group_cursor();
    server_.put("/qr.png", png_picture());
    window_ = std::make_unique<MainWindow>();
    window_->show();
    ASSERT_TRUE(window_is_open());
  }

  void TearDown() override {
    set_shown_group_pause_ms(500);
    window_.reset();
    EXPECT_EQ(cycles_on_stack(), 0u);
  }

  template <typename T>
  T* control(const char* name) {
    return window_->findChild<T*>(QString::fromUtf8(name));
  }
  QPushButton* next_button() { return control<QPushButton>("按钮2"); }
  QString hint() { return control<QLabel>("提示")->text(); }
  QString info() { return control<QLabel>("信息")->text(); }
  bool has_picture() { return control<PictureBox>("图片框1")->has_picture(); }
  QCheckBox* auto_switch_box() { return control<QCheckBox>("选择框1"); }

  // Lines "<title>|<address of the picture>" ending in CR LF.
  Text list_of(std::initializer_list<const char*> titles) {
    Text list;
    for (const char* title : titles)
      list += utf8_to_gbk(title) + "|" + server_.address("/qr.png") + "\r\n";
    return list;
  }

  PictureServer server_;
  std::unique_ptr<MainWindow> window_;
};

TEST_F(ViewerInWindow, EachClickShowsTheNextGroupAfterTheFixedPause) {
  window_->set_list_text(list_of({"一群", "二群"}) + "no picture|\r\n");

  const auto clicked = Clock::now();
  next_button()->click();
  EXPECT_EQ(hint(), caption("现在正打开第1条群二维码，请稍等!"));
  EXPECT_EQ(info(), caption("一群"));
  EXPECT_TRUE(has_picture());
  ASSERT_TRUE(wait_until([&] { return cycles_on_stack() == 0; }));
  EXPECT_GE(Clock::now() - clicked, std::chrono::milliseconds(500));
  EXPECT_EQ(hint(), caption("已切成功啦！请扫描进群吧！"));

  set_shown_group_pause_ms(5);
  next_button()->click();
  EXPECT_EQ(info(), caption("二群"));
  ASSERT_TRUE(wait_until([&] { return cycles_on_stack() == 0; }));
  next_button()->click();  // a line whose address is empty: the box is emptied
  EXPECT_EQ(info(), caption("no picture"));
  EXPECT_FALSE(has_picture());
  ASSERT_TRUE(wait_until([&] { return cycles_on_stack() == 0; }));

  auto_switch_box()->setChecked(true);
  next_button()->click();  // past the end
  EXPECT_EQ(group_cursor_value(), 0);
  EXPECT_FALSE(auto_switch_box()->isChecked());
  EXPECT_EQ(info(), caption("no picture"));
  EXPECT_EQ(cycles_on_stack(), 0u);
}

TEST_F(ViewerInWindow, AutomaticModeRunsThroughTheListAndUnticks) {
  set_shown_group_pause_ms(5);
  window_->set_list_text(list_of({"一群", "二群", "三群"}));
  control<QLineEdit>("编辑框2")->setText("20");
  auto_switch_box()->setChecked(true);
  next_button()->click();
  ASSERT_TRUE(wait_until([&] { return cycles_on_stack() == 0; }));
  EXPECT_EQ(info(), caption("三群"));
  EXPECT_EQ(hint(), caption("您选择了自动模式，将自动切换下一个微信群，请尽快扫描!"));
  EXPECT_FALSE(auto_switch_box()->isChecked());
  EXPECT_EQ(group_cursor_value(), 0);
}

// Every click queued during one pause nests a cycle; none of them may nest a
// call chain on the window's thread.
TEST_F(ViewerInWindow, TenThousandClicksQueuedDuringOnePauseAllRun) {
  constexpr int kClicks = 10'000;
  set_shown_group_pause_ms(50);
  window_->set_list_text("A\r\nB\r\nC\r\n");  // no addresses: nothing to download
  next_button()->click();
  for (int i = 0; i < kClicks; ++i) {
    QMetaObject::invokeMethod(next_button(), &QPushButton::click, Qt::QueuedConnection);
  }
  ASSERT_TRUE(wait_until([&] { return cycles_on_stack() == 0; }));
  // Every click advanced the cursor once: line 1, 2, 3, past the end, and over again.
  EXPECT_EQ(group_cursor_value(), (kClicks + 1) % 4);
  EXPECT_EQ(hint(), caption("已切成功啦！请扫描进群吧！"));
}

TEST_F(ViewerInWindow, ClosingTheWindowDuringAPauseEndsTheCycleQuietly) {
  set_shown_group_pause_ms(30);
  window_->set_list_text(list_of({"一群", "二群"}));
  auto_switch_box()->setChecked(true);
  next_button()->click();
  ASSERT_EQ(cycles_on_stack(), 1u);
  window_->close();
  EXPECT_FALSE(window_is_open());
  const int requests = server_.requests();
  ASSERT_TRUE(wait_until([&] { return cycles_on_stack() == 0; }));
  EXPECT_EQ(hint(), caption("现在正打开第1条群二维码，请稍等!"));
  EXPECT_EQ(info(), caption("一群"));
  EXPECT_EQ(server_.requests(), requests);
}

TEST_F(ViewerInWindow, DestroyingTheWindowFreesPausedCycles) {
  window_->set_list_text(list_of({"一群", "二群"}));
  next_button()->click();
  next_button()->click();
  ASSERT_EQ(cycles_on_stack(), 2u);
  window_.reset();
  EXPECT_FALSE(window_is_open());
  // The window's timers go with it; their dropped resumptions end the cycles.
  EXPECT_TRUE(wait_until([&] { return cycles_on_stack() == 0; }));
}

}  // namespace
}  // namespace kelvora::testing
