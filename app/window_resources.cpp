#include "app/window_resources.h"

#include <QFile>

// The resources live in a static library, so nothing would pull their
// registration in: register them by hand, once, outside any namespace.
static void register_window_resources() {
  static const bool registered = [] {
    Q_INIT_RESOURCE(window);
    return true;
  }();
  (void)registered;
}

namespace kelvora {

QIcon window_icon() {
  register_window_resources();
  QIcon icon;
  for (int size : {48, 32, 24, 16}) {
    icon.addFile(QStringLiteral(":/kelvora/icon_%1.png").arg(size), QSize(size, size));
  }
  return icon;
}

Bytes showcase_picture() {
  register_window_resources();
  QFile file(QStringLiteral(":/kelvora/showcase.jpg"));
  if (!file.open(QIODevice::ReadOnly)) return {};
  const QByteArray bytes = file.readAll();
  return Bytes(bytes.constData(), static_cast<size_t>(bytes.size()));
}

}  // namespace kelvora
