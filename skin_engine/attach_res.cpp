// The exported entry point of the skin engine.
#include <QApplication>
#include <QThread>

#include "skin_engine/skin_engine.h"
#include "skin_engine/skin_format.h"
#include "skin_engine/skin_look.h"

extern "C" int SkinH_AttachRes(const unsigned char* skin, std::int32_t size, const char*,
                               std::int32_t hue, std::int32_t saturation,
                               std::int32_t brightness) {
  using namespace kelvora::skin;
  if (skin == nullptr || size <= 0) return 1;
  const std::optional<Skin> parsed = parse_skin(skin, static_cast<std::size_t>(size));
  if (!parsed) return 2;

  // Style sheet and palette belong to the application's own thread.
  auto* application = qobject_cast<QApplication*>(QCoreApplication::instance());
  if (application == nullptr || QThread::currentThread() != application->thread()) return 3;

  const Skin shifted = shift_skin(*parsed, hue, saturation, brightness);
  QApplication::setPalette(palette_for(shifted));
  application->setStyleSheet(style_sheet_for(shifted));
  return 0;
}
