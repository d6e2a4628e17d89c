#pragma once
// The owner-less error box of a fatal stop, with a seam for tests.
#include <QMessageBox>
#include <QString>
#include <functional>

namespace kelvora {

// Shows a modal box without parent, with the critical icon, the title and the
// text, and returns once it has been dismissed.
void show_error_box(const QString& title, const QString& text);

// Tests only (the program never calls it): the next error box is built but not
// shown; `dismiss` is handed the box instead, as if the user looked at it and
// then dismissed it.
void preset_next_error_box(std::function<void(QMessageBox& box)> dismiss);

}  // namespace kelvora
