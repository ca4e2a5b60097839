// The viewer's window WTPLOTR, "WinTarvo hpgl Reader": a client area of
// 556 × 476 pixels covered by the picture hpglout, which keeps the drawn plot
// as a retained image; menus File (Open, unavailable; Save; Print; Exit) and
// Edit (Copy as BMP). Nothing follows a change of the window's size.
#pragma once

#include <QImage>
#include <QMainWindow>
#include <functional>

#include "platform/desktop.h"
#include "plotview/gdi/gdi.h"

class QAction;
class QMenu;

namespace wt::plot {

inline constexpr int kClientWidth = 556;   // 8340 twips
inline constexpr int kClientHeight = 476;  // 7140 twips
inline constexpr char kBitmapFile[] = "wtplotr.bmp";

// The picture: paints its retained image and keeps clicks to itself.
class Hpglout : public QWidget {
  Q_OBJECT

 public:
  explicit Hpglout(QWidget* parent);

  // Switches the retained image on, the picture's size, in its background
  // colour; an image already there is kept.
  void SwitchOnRetainedImage();
  QImage& Image() { return image_; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;

 private:
  QImage image_;
};

class WTPLOTR : public QMainWindow {
 public:
  // Messages go to `desktop`; `printPlot` runs PrintPlot. Both must outlive
  // the window. The window is laid out at once, shown or not: the picture as
  // tall as the client area, its retained image on.
  WTPLOTR(Desktop& desktop, std::function<void()> printPlot, QWidget* parent = nullptr);

  // Draws into the picture's retained image: `draw` gets a device context
  // over it and the picture's width in pixels. The picture is repainted
  // after.
  void DrawPicture(const std::function<void(gdi::DeviceContext& dc, int width)>& draw);

 private:
  // Writes the retained image as "wtplotr.bmp" into the current folder.
  void save_menu_Click();
  void menu_print_Click();
  void menu_exit_Click();
  // Puts the retained image on the clipboard.
  void Copy_as_BMP_menu_Click();
  // A click (press and release) on the client area outside the picture prints.
  void Form_Click();

  Desktop& desktop_;
  std::function<void()> printPlot_;

  QWidget* client;  // the window's own client area (the central widget)
  Hpglout* hpglout;
  QMenu* file_menu;
  QAction* open_menu;
  QAction* save_menu;
  QAction* sep1;
  QAction* menu_print;
  QAction* menu_exit;
  QMenu* menu_edit;
  QAction* Copy_as_BMP_menu;
};

}  // namespace wt::plot
