#include "app/main_window.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QWindow>

#include "app/picture/picture_box.h"
#include "app/window_resources.h"
#include "app/window_surface.h"
#include "harvest/harvest.h"
#include "viewer/list_file.h"
#include "viewer/viewer_cycle.h"
#include "web/encoding.h"

namespace kelvora {

namespace {

const QColor kRed(255, 0, 0);
const QColor kBlue(0, 0, 255);
const QColor kBlack(0, 0, 0);

QLabel* make_label(QWidget* parent, const char* name, QRect geometry, QColor colour,
                   Qt::Alignment alignment, const QString& caption) {
  auto* label = new QLabel(caption, parent);
  label->setObjectName(QString::fromUtf8(name));
  label->setGeometry(geometry);
  QPalette palette = label->palette();
  palette.setColor(QPalette::WindowText, colour);
  label->setPalette(palette);
  label->setAlignment(alignment);
  label->setWordWrap(false);
  return label;
}

PictureBox* make_picture_box(QWidget* parent, const char* name, QRect geometry) {
  auto* box = new PictureBox(parent);
  box->setObjectName(QString::fromUtf8(name));
  box->setGeometry(geometry);
  return box;
}

QPushButton* make_button(QWidget* parent, const char* name, QRect geometry, const char* caption) {
  auto* button = new QPushButton(QString::fromUtf8(caption), parent);
  button->setObjectName(QString::fromUtf8(name));
  button->setGeometry(geometry);
  button->setAutoDefault(false);  // Enter has no special meaning in the window
  button->setFocusPolicy(Qt::StrongFocus);
  return button;
}

}  // namespace

MainWindow::MainWindow(QWidget* parent) : QWidget(parent, Qt::Window) {
  setObjectName(QStringLiteral("main_window"));
  setWindowTitle(QStringLiteral("Kelvora1.0.1"));
  // A fixed frame: title bar, system menu, minimise and close; no maximise.
  setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                 Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                 Qt::WindowCloseButtonHint);
  setWindowIcon(window_icon());
  setBackgroundRole(QPalette::Window);
  setAutoFillBackground(true);
  // Until the window system reports its frame, the client area is the whole size.
  setFixedSize(kOuterWidth, kOuterHeight);
  centre_on_screen();

  create_controls();
  WindowSurface::instance().attach(this);
  run_creation_steps();
}

MainWindow::~MainWindow() { WindowSurface::instance().detach(this); }

void MainWindow::create_controls() {
  const Qt::Alignment centred = Qt::AlignCenter;
  promo_label_ = make_label(this, "提示1", {471, 345, 281, 31}, kRed, centred,
                            QString::fromUtf8("扫码进群，结识同好，好群天天有！"));
  showcase_box_ = make_picture_box(this, "图片框2", {472, 72, 280, 256});

  switch_group_ = new QGroupBox(this);
  switch_group_->setObjectName(QString::fromUtf8("分组框1"));
  switch_group_->setGeometry(432, 408, 344, 45);

  interval_edit_ = new QLineEdit(QStringLiteral("3000"), switch_group_);
  interval_edit_->setObjectName(QString::fromUtf8("编辑框2"));
  interval_edit_->setGeometry(241, 15, 40, 24);
  interval_edit_->setAlignment(Qt::AlignCenter);
  interval_edit_->setFrame(true);
  // The field is only 40 pixels wide: no inner padding, whatever the skin says,
  // so that a four-digit interval shows whole.
  interval_edit_->setStyleSheet(QStringLiteral("padding: 0px;"));

  interval_label_ = make_label(switch_group_, "标签1", {183, 14, 56, 24}, kBlack,
                               Qt::AlignLeft | Qt::AlignVCenter, QString::fromUtf8("切换间隔："));

  auto_switch_box_ = new QCheckBox(QString::fromUtf8("自动切换"), switch_group_);
  auto_switch_box_->setObjectName(QString::fromUtf8("选择框1"));
  auto_switch_box_->setGeometry(72, 14, 72, 24);
  auto_switch_box_->setChecked(false);
  auto_switch_box_->setFocusPolicy(Qt::StrongFocus);

  next_button_ = make_button(this, "按钮2", {440, 480, 136, 56}, "开始添加微信群");

  list_edit_ = new QPlainTextEdit(this);
  list_edit_->setObjectName(QString::fromUtf8("编辑框1"));
  list_edit_->setGeometry(24, 592, 600, 128);
  list_edit_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  list_edit_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  list_edit_->setLineWrapMode(QPlainTextEdit::WidgetWidth);
  list_edit_->setUndoRedoEnabled(false);
  list_edit_->setFrameShadow(QFrame::Sunken);

  hint_label_ = make_label(this, "提示", {432, 16, 352, 32}, kBlue, centred, {});
  info_label_ = make_label(this, "信息", {8, 9, 416, 32}, kBlue, centred, {});
  qr_box_ = make_picture_box(this, "图片框1", {8, 49, 416, 495});
  harvest_button_ = make_button(this, "按钮1", {624, 480, 136, 56}, "获取最新微群");

  connect(next_button_, &QPushButton::clicked, this, [] { show_next_group(); });
  connect(harvest_button_, &QPushButton::clicked, this, [] { start_harvest(); });
}

void MainWindow::run_creation_steps() {
  qr_box_->set_display_mode(2);
  showcase_box_->set_display_mode(2);
  showcase_box_->set_picture(showcase_picture());
  load_group_list();
}

void MainWindow::set_list_text(const Text& text) { list_text_ = text; }

void MainWindow::append_list_text(std::span<const std::string_view> texts) {
  for (std::string_view text : texts) list_text_.append(text);
}

void MainWindow::set_hint_text(const Text& text) {
  hint_label_->setText(QString::fromStdString(gbk_to_utf8(text)));
}

void MainWindow::set_info_text(const Text& text) {
  info_label_->setText(QString::fromStdString(gbk_to_utf8(text)));
}

void MainWindow::set_qr_picture(const Bytes& picture) { qr_box_->set_picture(picture); }

bool MainWindow::auto_switch() const { return auto_switch_box_->isChecked(); }

void MainWindow::set_auto_switch(bool ticked) { auto_switch_box_->setChecked(ticked); }

Text MainWindow::interval_text() const { return utf8_to_gbk(interval_edit_->text().toStdString()); }

bool MainWindow::event(QEvent* event) {
  const bool handled = QWidget::event(event);
  switch (event->type()) {
    case QEvent::Show:
    case QEvent::Move:
    case QEvent::Resize:
    case QEvent::WindowStateChange:
      fit_outer_size();
      break;
    default:
      break;
  }
  return handled;
}

void MainWindow::closeEvent(QCloseEvent* event) {
  WindowSurface::instance().detach(this);
  QWidget::closeEvent(event);
  emit closed();
}

// Keeps the outer size at 789 x 574 once the window system has told us how
// wide its frame and title bar are.
void MainWindow::fit_outer_size() {
  const QWindow* handle = windowHandle();
  if (handle == nullptr) return;
  const QMargins frame = handle->frameMargins();
  if (frame == applied_frame_) return;
  applied_frame_ = frame;
  setFixedSize(kOuterWidth - frame.left() - frame.right(),
               kOuterHeight - frame.top() - frame.bottom());
  centre_on_screen();
}

void MainWindow::centre_on_screen() {
  const QScreen* shown_on = screen();
  if (shown_on == nullptr) return;
  const QRect area = shown_on->geometry();
  // move() places the outer frame; halves are rounded toward zero.
  move(area.x() + (area.width() - kOuterWidth) / 2, area.y() + (area.height() - kOuterHeight) / 2);
}

}  // namespace kelvora
