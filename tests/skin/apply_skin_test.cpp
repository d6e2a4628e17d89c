// Applying built-in skins through the engine written beside the program.
#include <gtest/gtest.h>

#include <dlfcn.h>

#include <QGroupBox>
#include <QPushButton>
#include <QWidget>

#include "app/skin/builtin_skins.h"
#include "app/skin/skin_install.h"
#include "tests/skin/skin_test_support.h"
#include "web/encoding.h"

namespace kelvora {
namespace {

namespace fs = std::filesystem;
using skin::SkinColour;
using skin_test::qcolor;

skin::Skin builtin(std::int32_t number) {
  const Bytes bytes = builtin_skin(number);
  return *skin::parse_skin(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size());
}

// The colour a push button paints just inside its left frame.
QColor button_face_colour(QPushButton& button) {
  button.resize(120, 40);
  const QImage image = button.grab().toImage();
  return image.pixelColor(8, image.height() / 2);
}

class ApplySkin : public skin_test::LookTest {
 protected:
  void TearDown() override { unload_skin_engine(); }
};

TEST_F(ApplySkin, InstalledSkinGivesLaterWidgetsSkin13sLook) {
  install_skin();

  EXPECT_TRUE(fs::is_regular_file(folder_.path() / "SkinH_EL.dll"));
  const skin::Skin expected = builtin(13);
  const QColor face = qcolor(expected.colour(SkinColour::face));
  ASSERT_NE(face, default_window_colour_);
  QWidget widget;
  EXPECT_EQ(widget.palette().color(QPalette::Window), face);
  EXPECT_EQ(widget.palette().color(QPalette::WindowText),
            qcolor(expected.colour(SkinColour::face_text)));
  QPushButton button("OK");
  EXPECT_EQ(button_face_colour(button), qcolor(expected.colour(SkinColour::button)));
  EXPECT_NE(qApp->styleSheet(), default_sheet_);
}

// The window's group box has no title: its frame must run along its top edge,
// not through the controls placed inside it.
TEST_F(ApplySkin, GroupBoxFrameRunsAlongTheTopEdge) {
  install_skin();
  QGroupBox box;
  box.resize(344, 45);
  EXPECT_EQ(box.grab().toImage().pixelColor(172, 0),
            qcolor(builtin(13).colour(SkinColour::border)));
}

TEST_F(ApplySkin, NumbersOutsideTheTableLeaveTheLookUnchanged) {
  apply_builtin_skin(0);  // from Qt's own look
  EXPECT_EQ(qApp->styleSheet(), default_sheet_);
  EXPECT_EQ(QWidget().palette().color(QPalette::Window), default_window_colour_);
  EXPECT_TRUE(fs::is_regular_file(folder_.path() / "SkinH_EL.dll"));

  apply_builtin_skin(7);  // and from a skinned one
  const QString skinned_sheet = qApp->styleSheet();
  const QColor skinned_face = QWidget().palette().color(QPalette::Window);
  for (std::int32_t number : {0, -1, 34}) {
    apply_builtin_skin(number);
    EXPECT_EQ(qApp->styleSheet(), skinned_sheet) << number;
    EXPECT_EQ(QWidget().palette().color(QPalette::Window), skinned_face) << number;
  }
}

TEST_F(ApplySkin, WidgetsStayPaintableAfterTheEngineIsUnloaded) {
  QPushButton before("before");
  install_skin();
  const QColor button_colour = qcolor(builtin(13).colour(SkinColour::button));
  const std::string engine = (folder_.path() / "SkinH_EL.dll").string();

  unload_skin_engine();

  // The library is really gone from the process, not just released.
  void* still_loaded = dlopen(engine.c_str(), RTLD_NOW | RTLD_NOLOAD);
  EXPECT_EQ(still_loaded, nullptr);
  if (still_loaded != nullptr) dlclose(still_loaded);
  QPushButton after("after");
  EXPECT_EQ(button_face_colour(after), button_colour);
  EXPECT_EQ(button_face_colour(before), button_colour);
  qApp->processEvents();

  // A later call loads the engine afresh.
  apply_builtin_skin(2);
  EXPECT_EQ(QWidget().palette().color(QPalette::Window),
            qcolor(builtin(2).colour(SkinColour::face)));
}

TEST(SkinEngineMessage, NamesTheLibraryAndItsEntryPointInGbk) {
  const Text message = skin_engine_missing_message();
  // “ and ” are A1 B0 and A1 B1 in GBK.
  EXPECT_NE(message.find("\xA1\xB0SkinH_EL.dll\xA1\xB1"), Text::npos);
  EXPECT_NE(message.find("\xA1\xB0SkinH_AttachRes\xA1\xB1"), Text::npos);
  EXPECT_EQ(gbk_to_utf8(message),
            "无法找到指定DLL库文件“SkinH_EL.dll”中的输出命令“SkinH_AttachRes”");
}

}  // namespace
}  // namespace kelvora
