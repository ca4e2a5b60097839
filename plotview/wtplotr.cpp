#include "plotview/wtplotr.h"

#include <QBuffer>
#include <QClipboard>
#include <QGuiApplication>
#include <QLayout>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPainter>

#include "platform/atomicfile.h"
#include "plotview/gdi/gdiraster.h"

namespace wt::plot {
namespace {

// The window's own client area: a click on any part of it that the picture
// does not cover. A click is a press and a release both on the bare area, as
// a double-click is one click followed by a double-click event of its own.
class ClientArea : public QWidget {
 public:
  ClientArea(std::function<void()> onClick, QWidget* parent)
      : QWidget(parent), onClick_(std::move(onClick)) {}
  QSize sizeHint() const override { return {kClientWidth, kClientHeight}; }

 protected:
  void mousePressEvent(QMouseEvent* event) override {
    if (event->button() == Qt::LeftButton) pressed_ = true;
  }
  void mouseReleaseEvent(QMouseEvent* event) override {
    if (event->button() != Qt::LeftButton || !pressed_) return;
    pressed_ = false;
    const QPoint at = event->position().toPoint();
    if (rect().contains(at) && !childAt(at)) onClick_();
  }
  // Qt's own handler would take the double-click for a second press.
  void mouseDoubleClickEvent(QMouseEvent*) override {}

 private:
  std::function<void()> onClick_;
  bool pressed_ = false;
};

}  // namespace

Hpglout::Hpglout(QWidget* parent) : QWidget(parent) {
  setObjectName("hpglout");
  setBackgroundRole(QPalette::Base);
  setForegroundRole(QPalette::Text);
  setAutoFillBackground(true);
}

void Hpglout::SwitchOnRetainedImage() {
  if (!image_.isNull()) return;
  image_ = QImage(size(), QImage::Format_RGB32);
  image_.fill(palette().color(QPalette::Base));
}

void Hpglout::paintEvent(QPaintEvent*) {
  if (image_.isNull()) return;
  QPainter painter(this);
  painter.drawImage(0, 0, image_);
}

void Hpglout::mousePressEvent(QMouseEvent* event) {
  event->accept();
}

WTPLOTR::WTPLOTR(Desktop& desktop, std::function<void()> printPlot, QWidget* parent)
    : QMainWindow(parent), desktop_(desktop), printPlot_(std::move(printPlot)) {
  setObjectName("WTPLOTR");
  setWindowTitle("WinTarvo hpgl Reader");

  file_menu = menuBar()->addMenu("&File");
  file_menu->setObjectName("file_menu");
  open_menu = file_menu->addAction("&Open");
  open_menu->setObjectName("open_menu");
  open_menu->setEnabled(false);
  save_menu = file_menu->addAction("&Save", this, &WTPLOTR::save_menu_Click);
  save_menu->setObjectName("save_menu");
  sep1 = file_menu->addSeparator();
  sep1->setObjectName("sep1");
  menu_print = file_menu->addAction("&Print", this, &WTPLOTR::menu_print_Click);
  menu_print->setObjectName("menu_print");
  menu_exit = file_menu->addAction("&Exit", this, &WTPLOTR::menu_exit_Click);
  menu_exit->setObjectName("menu_exit");
  menu_edit = menuBar()->addMenu("&Edit");
  menu_edit->setObjectName("menu_edit");
  Copy_as_BMP_menu = menu_edit->addAction("&Copy as BMP", this, &WTPLOTR::Copy_as_BMP_menu_Click);
  Copy_as_BMP_menu->setObjectName("Copy_as_BMP_menu");

  client = new ClientArea([this] { Form_Click(); }, this);
  client->setObjectName("client");
  setCentralWidget(client);
  hpglout = new Hpglout(client);
  hpglout->setGeometry(0, 0, kClientWidth, kClientHeight);

  // The client area's size fixes the window's; the menu bar comes on top.
  resize(sizeHint());
  // Laid out now, while hidden, so that the client area has its size at once
  // and the picture, as tall as the client area, can be drawn before the
  // window first shows.
  layout()->activate();
  hpglout->resize(kClientWidth, client->height());
  hpglout->SwitchOnRetainedImage();
}

void WTPLOTR::DrawPicture(const std::function<void(gdi::DeviceContext& dc, int width)>& draw) {
  hpglout->SwitchOnRetainedImage();
  QImage& image = hpglout->Image();
  // bits() makes the image's pixels its own before they are drawn on.
  gdi::RasterDC dc(reinterpret_cast<std::uint32_t*>(image.bits()), image.width(), image.height(),
                   image.bytesPerLine() / 4);
  draw(dc, hpglout->width());
  hpglout->update();
}

void WTPLOTR::save_menu_Click() {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  std::string reason = "the image cannot be encoded";
  if (!hpglout->Image().save(&buffer, "BMP") ||
      !WriteFileAtomically(kBitmapFile, std::string_view(bytes.constData(), bytes.size()),
                           &reason)) {
    desktop_.ShowMessage({std::string("File ") + kBitmapFile + " cannot be written: " + reason,
                          "Warning", MessageIcon::Critical});
    return;
  }
  desktop_.ShowMessage({std::string("File ") + kBitmapFile + " saved"});
}

void WTPLOTR::menu_print_Click() {
  printPlot_();
}

void WTPLOTR::menu_exit_Click() {
  close();
}

void WTPLOTR::Copy_as_BMP_menu_Click() {
  QClipboard* clipboard = QGuiApplication::clipboard();
  clipboard->clear();
  clipboard->setImage(hpglout->Image());
}

void WTPLOTR::Form_Click() {
  printPlot_();
}

}  // namespace wt::plot
