#include "app/error_box.h"

#include <utility>

namespace kelvora {

namespace {
std::function<void(QMessageBox&)>& preset_dismissal() {
  static std::function<void(QMessageBox&)> dismissal;
  return dismissal;
}
}  // namespace

void show_error_box(const QString& title, const QString& text) {
  QMessageBox box(QMessageBox::Critical, title, text, QMessageBox::Ok);
  if (auto dismiss = std::exchange(preset_dismissal(), nullptr)) {
    dismiss(box);
    return;
  }
  box.exec();
}

void preset_next_error_box(std::function<void(QMessageBox& box)> dismiss) {
  preset_dismissal() = std::move(dismiss);
}

}  // namespace kelvora
