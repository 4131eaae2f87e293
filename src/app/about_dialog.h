// The about box: the icon, "Korvanta V3.0", the rights line and "OK".
#pragma once

#include <QDialog>

namespace korvanta::gui {

class CAboutDlg : public QDialog {
  Q_OBJECT

 public:
  explicit CAboutDlg(QWidget* parent = nullptr);
};

}  // namespace korvanta::gui
