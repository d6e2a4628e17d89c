#include "skin_engine/skin_look.h"

#include <cstdio>
#include <string>

namespace kelvora::skin {

namespace {

// Every string here is built at run time on the heap: no text of the sheet may
// point into this library's read-only data, which goes away when it is unloaded.
std::string hex(Rgb c) {
  char buffer[8];
  std::snprintf(buffer, sizeof buffer, "#%02x%02x%02x", c.red, c.green, c.blue);
  return buffer;
}

Rgb blend(Rgb a, Rgb b, int percent_of_b) {
  auto mix = [percent_of_b](int x, int y) {
    return static_cast<std::uint8_t>((x * (100 - percent_of_b) + y * percent_of_b + 50) / 100);
  };
  return Rgb{mix(a.red, b.red), mix(a.green, b.green), mix(a.blue, b.blue)};
}

std::string px(int value) { return std::to_string(value) + "px"; }

QColor qcolor(Rgb c) { return QColor(c.red, c.green, c.blue); }

}  // namespace

QString style_sheet_for(const Skin& skin) {
  using C = SkinColour;
  const std::string face = hex(skin.colour(C::face));
  const std::string face_text = hex(skin.colour(C::face_text));
  const std::string field = hex(skin.colour(C::field));
  const std::string field_text = hex(skin.colour(C::field_text));
  const std::string button = hex(skin.colour(C::button));
  const std::string button_text = hex(skin.colour(C::button_text));
  const std::string accent = hex(skin.colour(C::accent));
  const std::string accent_text = hex(skin.colour(C::accent_text));
  const std::string border_colour = hex(skin.colour(C::border));
  const std::string hover = hex(blend(skin.colour(C::button), skin.colour(C::accent), 25));
  const std::string muted = hex(blend(skin.colour(C::face_text), skin.colour(C::face), 50));
  const std::string border = skin.border_width == 0
                                 ? std::string("none")
                                 : px(skin.border_width) + " solid " + border_colour;
  const std::string radius = px(skin.corner_radius);
  const std::string small_radius = px(skin.corner_radius < 3 ? skin.corner_radius : 3);
  const std::string padding = px(skin.padding);

  std::string sheet;
  sheet += "QPushButton { background-color: " + button + "; color: " + button_text +
           "; border: " + border + "; border-radius: " + radius + "; padding: " + padding +
           " 10px; }\n";
  sheet += "QPushButton:hover { background-color: " + hover + "; }\n";
  sheet += "QPushButton:pressed { background-color: " + accent + "; color: " + accent_text +
           "; }\n";
  sheet += "QPushButton:disabled { background-color: " + face + "; color: " + muted + "; }\n";
  sheet += "QLineEdit, QTextEdit, QPlainTextEdit { background-color: " + field +
           "; color: " + field_text + "; border: " + border + "; border-radius: " + radius +
           "; padding: 1px 3px; selection-background-color: " + accent +
           "; selection-color: " + accent_text + "; }\n";
  sheet += "QLineEdit:focus, QTextEdit:focus, QPlainTextEdit:focus { border-color: " + accent +
           "; }\n";
  sheet += "QCheckBox { color: " + face_text + "; }\n";
  sheet += "QCheckBox::indicator { width: 13px; height: 13px; border: 1px solid " +
           border_colour + "; border-radius: " + small_radius + "; background-color: " + field +
           "; }\n";
  sheet += "QCheckBox::indicator:checked { background-color: " + accent + "; }\n";
  // The frame runs along the box's top edge; a margin above it for a title
  // would push it down through the controls inside an untitled box. A title
  // sits just inside the frame.
  sheet += "QGroupBox { border: " + border + "; border-radius: " + radius + "; }\n";
  sheet += "QGroupBox::title { subcontrol-origin: padding; left: 8px; padding: 0 3px; color: " +
           face_text + "; }\n";
  sheet += "QToolTip { background-color: " + field + "; color: " + field_text +
           "; border: 1px solid " + border_colour + "; }\n";
  return QString::fromStdString(sheet);
}

QPalette palette_for(const Skin& skin) {
  using C = SkinColour;
  QPalette palette(qcolor(skin.colour(C::button)), qcolor(skin.colour(C::face)));
  const auto set_all = [&palette](QPalette::ColorRole role, Rgb c) {
    palette.setColor(role, qcolor(c));
  };
  set_all(QPalette::Window, skin.colour(C::face));
  set_all(QPalette::Base, skin.colour(C::field));
  set_all(QPalette::AlternateBase, blend(skin.colour(C::field), skin.colour(C::face), 50));
  set_all(QPalette::Button, skin.colour(C::button));
  set_all(QPalette::Highlight, skin.colour(C::accent));
  set_all(QPalette::HighlightedText, skin.colour(C::accent_text));
  set_all(QPalette::ToolTipBase, skin.colour(C::field));
  set_all(QPalette::ToolTipText, skin.colour(C::field_text));
  set_all(QPalette::Link, skin.colour(C::accent));

  // Text roles: the skin's colours while enabled, half-way to the background when disabled.
  const auto set_text = [&palette](QPalette::ColorRole role, Rgb text, Rgb background) {
    palette.setColor(QPalette::Active, role, qcolor(text));
    palette.setColor(QPalette::Inactive, role, qcolor(text));
    palette.setColor(QPalette::Disabled, role, qcolor(blend(text, background, 50)));
  };
  set_text(QPalette::WindowText, skin.colour(C::face_text), skin.colour(C::face));
  set_text(QPalette::Text, skin.colour(C::field_text), skin.colour(C::field));
  set_text(QPalette::ButtonText, skin.colour(C::button_text), skin.colour(C::button));
  set_text(QPalette::PlaceholderText, blend(skin.colour(C::field_text), skin.colour(C::field), 45),
           skin.colour(C::field));
  return palette;
}

}  // namespace kelvora::skin
