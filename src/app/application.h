// The application: starts Qt, shows the main window and ends when it closes.
#pragma once

#include <QApplication>

namespace korvanta::gui {

class CZoltApp : public QApplication {
  Q_OBJECT

 public:
  CZoltApp(int& argc, char** argv);

  // Runs the main window until it closes and gives the exit status. Export files on the
  // command line are opened in it (see CZoltDlg::OpenFiles). With --screenshot FILE the
  // window is drawn into the PNG file FILE instead, and the program ends.
  int InitInstance();
};

}  // namespace korvanta::gui
