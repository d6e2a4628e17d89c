// The main window's frame and its twelve controls, as the user sees them.
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <optional>

#include "app/control_surface.h"
#include "app/main_window.h"
#include "app/picture/picture_box.h"
#include "app_test_support.h"

namespace kelvora {
namespace {

using test::find_control;

struct ControlRow {
  const char* name;
  const char* kind;    // Qt class the control is made of
  const char* parent;  // objectName of the parent
  QRect geometry;
  const char* caption;  // nullptr: no caption to check
  std::optional<QColor> colour;
  std::optional<Qt::Alignment> alignment;
};

const QColor kRed(255, 0, 0), kBlue(0, 0, 255), kBlack(0, 0, 0);
const Qt::Alignment kCentred = Qt::AlignCenter;

// In creation order.
const ControlRow kControls[] = {
    {"提示1", "QLabel", "main_window", {471, 345, 281, 31}, nullptr, kRed, kCentred},
    {"图片框2", "kelvora::PictureBox", "main_window", {472, 72, 280, 256}, nullptr, {}, {}},
    {"分组框1", "QGroupBox", "main_window", {432, 408, 344, 45}, "", {}, {}},
    {"编辑框2", "QLineEdit", "分组框1", {241, 15, 40, 24}, "3000", {}, kCentred},
    {"标签1",
     "QLabel",
     "分组框1",
     {183, 14, 56, 24},
     "切换间隔：",
     kBlack,
     Qt::AlignLeft | Qt::AlignVCenter},
    {"选择框1", "QCheckBox", "分组框1", {72, 14, 72, 24}, "自动切换", {}, {}},
    {"按钮2", "QPushButton", "main_window", {440, 480, 136, 56}, "开始添加微信群", {}, {}},
    {"编辑框1", "QPlainTextEdit", "main_window", {24, 592, 600, 128}, "", {}, {}},
    {"提示", "QLabel", "main_window", {432, 16, 352, 32}, nullptr, kBlue, kCentred},
    {"信息", "QLabel", "main_window", {8, 9, 416, 32}, "", kBlue, kCentred},
    {"图片框1", "kelvora::PictureBox", "main_window", {8, 49, 416, 495}, nullptr, {}, {}},
    {"按钮1", "QPushButton", "main_window", {624, 480, 136, 56}, "获取最新微群", {}, {}},
};

QString caption_of(QWidget* control) {
  if (auto* label = qobject_cast<QLabel*>(control)) return label->text();
  if (auto* button = qobject_cast<QAbstractButton*>(control)) return button->text();
  if (auto* edit = qobject_cast<QLineEdit*>(control)) return edit->text();
  if (auto* box = qobject_cast<QGroupBox*>(control)) return box->title();
  if (auto* edit = qobject_cast<QPlainTextEdit*>(control)) return edit->toPlainText();
  return {};
}

std::optional<Qt::Alignment> alignment_of(QWidget* control) {
  if (auto* label = qobject_cast<QLabel*>(control)) return label->alignment();
  if (auto* edit = qobject_cast<QLineEdit*>(control)) return edit->alignment();
  return std::nullopt;
}

class WindowControlsTest : public testing::Test {
 protected:
  test::TemporaryCurrentFolder folder_;  // no weiqun.txt: an empty list
  MainWindow window_;
};

TEST_F(WindowControlsTest, EveryControlHasItsKindParentPlaceCaptionAndColour) {
  for (const ControlRow& row : kControls) {
    SCOPED_TRACE(row.name);
    QWidget* control = find_control<QWidget>(window_, row.name);
    ASSERT_NE(control, nullptr);
    EXPECT_TRUE(control->inherits(row.kind)) << control->metaObject()->className();
    EXPECT_EQ(control->parentWidget()->objectName(), QString::fromUtf8(row.parent));
    EXPECT_EQ(control->geometry(), row.geometry);
    EXPECT_TRUE(control->isEnabled());
    EXPECT_FALSE(control->isHidden());
    if (row.caption) {
      EXPECT_EQ(caption_of(control), QString::fromUtf8(row.caption));
    }
    if (row.colour) {
      EXPECT_EQ(control->palette().color(QPalette::WindowText), *row.colour);
    }
    if (row.alignment) {
      EXPECT_EQ(alignment_of(control), row.alignment);
    }
  }
  EXPECT_FALSE(find_control<QLabel>(window_, "提示1")->text().isEmpty());
}

TEST_F(WindowControlsTest, ControlsAreCreatedInTableOrder) {
  QStringList created;
  for (QWidget* control : window_.findChildren<QWidget*>()) {
    for (const ControlRow& row : kControls) {
      if (control->objectName() == QString::fromUtf8(row.name)) created << control->objectName();
    }
  }
  QStringList expected;
  for (const ControlRow& row : kControls) expected << QString::fromUtf8(row.name);
  // findChildren walks depth-first in creation order: the group box's three
  // controls follow it, as they do in the table.
  EXPECT_EQ(created, expected);
}

TEST_F(WindowControlsTest, FrameIsFixedCentredAndTitled) {
  EXPECT_EQ(window_.windowTitle(), "Kelvora1.0.1");
  EXPECT_EQ(window_.objectName(), "main_window");
  const Qt::WindowFlags flags = window_.windowFlags();
  EXPECT_TRUE(flags & Qt::WindowMinimizeButtonHint);
  EXPECT_TRUE(flags & Qt::WindowCloseButtonHint);
  EXPECT_FALSE(flags & Qt::WindowMaximizeButtonHint);
  EXPECT_FALSE(flags & Qt::WindowStaysOnTopHint);

  window_.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&window_));
  // The offscreen platform draws no frame: the client area is the outer size.
  EXPECT_EQ(window_.frameGeometry().size(), QSize(789, 574));
  EXPECT_EQ(window_.minimumSize(), window_.maximumSize());
  const QRect screen = window_.screen()->geometry();
  EXPECT_EQ(window_.frameGeometry().topLeft(),
            QPoint((screen.width() - 789) / 2, (screen.height() - 574) / 2));

  const QList<QSize> sizes = window_.windowIcon().availableSizes();
  for (int side : {16, 24, 32, 48}) {
    EXPECT_TRUE(sizes.contains(QSize(side, side))) << side;
  }
}

TEST_F(WindowControlsTest, CreationStepsSetModeTwoAndTheFixedPicture) {
  auto* qr_box = find_control<PictureBox>(window_, "图片框1");
  auto* showcase = find_control<PictureBox>(window_, "图片框2");
  EXPECT_EQ(qr_box->display_mode(), 2);
  EXPECT_EQ(showcase->display_mode(), 2);
  EXPECT_TRUE(showcase->has_picture());
  EXPECT_FALSE(qr_box->has_picture());
}

TEST_F(WindowControlsTest, IntervalStartsAt3000) { EXPECT_EQ(get_interval_text(), "3000"); }

TEST_F(WindowControlsTest, CheckBoxTogglesOnClickAndFollowsSetAutoSwitch) {
  window_.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&window_));
  auto* check_box = find_control<QCheckBox>(window_, "选择框1");
  EXPECT_FALSE(get_auto_switch());
  QTest::mouseClick(check_box, Qt::LeftButton);
  EXPECT_TRUE(get_auto_switch());
  QTest::mouseClick(check_box, Qt::LeftButton);
  EXPECT_FALSE(get_auto_switch());

  set_auto_switch(true);
  EXPECT_TRUE(check_box->isChecked());
  set_auto_switch(false);
  EXPECT_FALSE(check_box->isChecked());
}

TEST_F(WindowControlsTest, LabelsShowGbkTextsAndAppendKeepsBytes) {
  const Text gbk_title = "\xC4\xE3\xBA\xC3";  // 你好 in GBK
  set_info_text(gbk_title);
  set_hint_text("");
  EXPECT_EQ(find_control<QLabel>(window_, "信息")->text(), QString::fromUtf8("你好"));
  EXPECT_EQ(find_control<QLabel>(window_, "提示")->text(), "");

  append_list_text({gbk_title, "|", "http://q/1.png", "\r\n"});
  EXPECT_EQ(get_list_text(), gbk_title + "|http://q/1.png\r\n");
  set_list_text("L\r\n");
  append_list_text({"T", "|", "P", "\r\n"});
  EXPECT_EQ(get_list_text(), "L\r\nT|P\r\n");
}

}  // namespace
}  // namespace kelvora
