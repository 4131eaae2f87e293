#include "app/application.h"

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QPixmap>
#include <QTimer>

#include "app/app_icon.h"
#include "app/main_window.h"
#include "app/qt_user_dialogs.h"
#include "app/window_texts.h"
#include "driver/conversion.h"

namespace korvanta::gui {

CZoltApp::CZoltApp(int& argc, char** argv) : QApplication(argc, argv) {
  setApplicationName(kApplicationName);
  setApplicationVersion(QStringLiteral("3.0"));
  setWindowIcon(ApplicationIcon());
  // Ties the window to its menu entry (its icon on Wayland, and the task bar's grouping).
  setDesktopFileName(QStringLiteral("org.korvanta.Korvanta"));
}

int CZoltApp::InitInstance() {
  QCommandLineParser parser;
  parser.setApplicationDescription(
      QStringLiteral("Turns the export files of a UV-Vis spectrophotometer into Excel reports."));
  parser.addHelpOption();
  parser.addVersionOption();
  const QCommandLineOption screenshot(QStringLiteral("screenshot"),
                                      QStringLiteral("Draw the window into FILE (PNG) and quit."),
                                      QStringLiteral("FILE"));
  parser.addOption(screenshot);
  parser.addPositionalArgument(
      QStringLiteral("FILE"),
      QStringLiteral("Export files: one is put in the path box, ready for Convert; several are "
                     "converted into a folder you choose."),
      QStringLiteral("[FILE...]"));
  parser.process(*this);

  QtUserDialogs dialogs;
  CZoltDlg dialog(dialogs, SettingsFromEnvironment(std::nullopt));
  dialog.show();
  if (const QStringList files = parser.positionalArguments(); !files.isEmpty()) {
    // Once the window is up: several files start with the folder dialog over it.
    QTimer::singleShot(0, &dialog, [&dialog, files] { dialog.OpenFiles(files); });
  }
  if (parser.isSet(screenshot)) {
    const QString file = parser.value(screenshot);
    QTimer::singleShot(0, &dialog,
                       [this, &dialog, file] { exit(dialog.grab().save(file, "PNG") ? 0 : 1); });
  }
  return exec();
}

}  // namespace korvanta::gui
