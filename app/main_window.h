#pragma once
// main_window: the program's only window, its twelve controls and its list box.
#include <QMargins>
#include <QWidget>
#include <span>
#include <string_view>

#include "text/text.h"

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace kelvora {

class PictureBox;

class MainWindow : public QWidget {
  Q_OBJECT

 public:
  // The outer size, frame and title bar included.
  static constexpr int kOuterWidth = 789;
  static constexpr int kOuterHeight = 574;

  // Creates the window hidden with all its controls, attaches it to the
  // control surface and runs the creation steps (the group list is loaded).
  explicit MainWindow(QWidget* parent = nullptr);
  ~MainWindow() override;

  // The controls' state, window's thread only; other code goes through the
  // control surface.
  const Text& list_text() const { return list_text_; }
  void set_list_text(const Text& text);
  void append_list_text(std::span<const std::string_view> texts);
  void set_hint_text(const Text& text);
  void set_info_text(const Text& text);
  void set_qr_picture(const Bytes& picture);
  bool auto_switch() const;
  void set_auto_switch(bool ticked);
  Text interval_text() const;

 signals:
  // The window has been closed; the control surface has already let it go.
  void closed();

 protected:
  bool event(QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void create_controls();
  void run_creation_steps();
  void fit_outer_size();
  void centre_on_screen();

  QLabel* promo_label_ = nullptr;          // 提示1
  PictureBox* showcase_box_ = nullptr;     // 图片框2
  QGroupBox* switch_group_ = nullptr;      // 分组框1
  QLineEdit* interval_edit_ = nullptr;     // 编辑框2
  QLabel* interval_label_ = nullptr;       // 标签1
  QCheckBox* auto_switch_box_ = nullptr;   // 选择框1
  QPushButton* next_button_ = nullptr;     // 按钮2
  QPlainTextEdit* list_edit_ = nullptr;    // 编辑框1
  QLabel* hint_label_ = nullptr;           // 提示
  QLabel* info_label_ = nullptr;           // 信息
  PictureBox* qr_box_ = nullptr;           // 图片框1
  QPushButton* harvest_button_ = nullptr;  // 按钮1

  // The list box's text: the program's only store of the group list while it
  // runs. The widget 编辑框1 lies out of sight and does not mirror it.
  Text list_text_;
  QMargins applied_frame_;
};

}  // namespace kelvora
