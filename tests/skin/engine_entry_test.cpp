// Calling the engine's entry point directly, with shifts and with bad skins.
#include <gtest/gtest.h>

#include <dlfcn.h>

#include <QWidget>
#include <thread>

#include "tests/skin/skin_test_support.h"

namespace kelvora {
namespace {

using skin::Rgb;
using skin::SkinColour;
using skin_test::qcolor;

using AttachRes = int (*)(const unsigned char*, std::int32_t, const char*, std::int32_t,
                          std::int32_t, std::int32_t);

// Every colour red, except a blue button.
std::string red_skin() {
  skin::Skin s;
  s.colours.fill(Rgb{255, 0, 0});
  s.colour(SkinColour::button) = Rgb{0, 0, 255};
  return skin::encode_skin(s);
}

class EngineEntry : public skin_test::LookTest {
 protected:
  void SetUp() override {
    LookTest::SetUp();
    library_ = dlopen(KELVORA_SKIN_ENGINE_FILE, RTLD_NOW | RTLD_LOCAL);
    ASSERT_NE(library_, nullptr) << dlerror();
    attach_ = reinterpret_cast<AttachRes>(dlsym(library_, "SkinH_AttachRes"));
    ASSERT_NE(attach_, nullptr);
  }
  void TearDown() override {
    if (library_ != nullptr) dlclose(library_);
  }

  int attach(const std::string& bytes, std::int32_t hue = 0, std::int32_t saturation = 0,
             std::int32_t brightness = 0, const char* password = "") {
    return attach_(reinterpret_cast<const unsigned char*>(bytes.data()),
                   static_cast<std::int32_t>(bytes.size()), password, hue, saturation, brightness);
  }

  static QColor window_colour() { return QWidget().palette().color(QPalette::Window); }

  void* library_ = nullptr;
  AttachRes attach_ = nullptr;
};

TEST_F(EngineEntry, ShiftsApplyToPaletteAndStyleSheet) {
  ASSERT_EQ(attach(red_skin(), 120), 0);
  EXPECT_EQ(window_colour(), QColor(0, 255, 0));
  EXPECT_TRUE(qApp->styleSheet().contains("#ff0000")) << "the blue button turned red";

  ASSERT_EQ(attach(red_skin(), 0, -100, 0), 0);
  EXPECT_EQ(window_colour(), QColor(255, 255, 255));
  ASSERT_EQ(attach(red_skin(), 0, 0, -50), 0);
  EXPECT_EQ(window_colour(), QColor(128, 0, 0));
}

TEST_F(EngineEntry, PasswordIsNotNeeded) {
  EXPECT_EQ(attach(red_skin(), 0, 0, 0, nullptr), 0);
  EXPECT_EQ(attach(red_skin(), 0, 0, 0, "secret"), 0);
  EXPECT_EQ(window_colour(), QColor(255, 0, 0));
}

TEST_F(EngineEntry, RejectedSkinsLeaveTheLookUnchanged) {
  ASSERT_EQ(attach(red_skin()), 0);
  const QString sheet = qApp->styleSheet();
  const std::string good = red_skin();
  std::string bad_magic = good;
  bad_magic[0] = 'X';

  struct Case {
    const char* what;
    const unsigned char* bytes;
    std::int32_t size;
    int result;
  };
  const auto* data = reinterpret_cast<const unsigned char*>(good.data());
  const auto size = static_cast<std::int32_t>(good.size());
  const Case cases[] = {
      {"null skin", nullptr, size, 1},
      {"count of 0", data, 0, 1},
      {"negative count", data, -1, 1},
      {"bad magic", reinterpret_cast<const unsigned char*>(bad_magic.data()), size, 2},
      {"truncated by one byte", data, size - 1, 2},
      {"header only", data, 12, 2},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(attach_(c.bytes, c.size, "", 0, 0, 0), c.result) << c.what;
    EXPECT_EQ(qApp->styleSheet(), sheet) << c.what;
    EXPECT_EQ(window_colour(), QColor(255, 0, 0)) << c.what;
  }

  // Another thread may not change the application's look.
  int from_worker = -1;
  std::thread([&] { from_worker = attach(red_skin(), 120); }).join();
  EXPECT_EQ(from_worker, 3);
  EXPECT_EQ(window_colour(), QColor(255, 0, 0));
}

}  // namespace
}  // namespace kelvora
