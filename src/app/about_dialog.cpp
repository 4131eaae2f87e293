#include "app/about_dialog.h"

#include <QLabel>
#include <QPushButton>

#include "app/app_icon.h"
#include "app/dialog_units.h"
#include "app/window_texts.h"

namespace korvanta::gui {

CAboutDlg::CAboutDlg(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint) {
  setWindowTitle(kAboutCaption);
  setFont(DialogFont());
  const DialogUnits units = DialogUnits::ForFont(font());
  setFixedSize(units.ToPixels(235, 55));

  // Icons keep their own pixel size; only their place is in dialog units.
  auto* icon = new QLabel(this);
  icon->setObjectName(QStringLiteral("icon"));
  icon->setPixmap(ApplicationIcon().pixmap(32, 32));
  icon->setGeometry(QRect(units.ToPixels(11, 17, 0, 0).topLeft(), QSize(32, 32)));

  auto* version = new QLabel(kWindowCaption, this);
  version->setObjectName(QStringLiteral("version"));
  version->setGeometry(units.ToPixels(40, 13, 119, 8));

  auto* rights = new QLabel(kRightsText, this);
  rights->setObjectName(QStringLiteral("rights"));
  rights->setGeometry(units.ToPixels(40, 28, 188, 8));

  auto* ok = new QPushButton(QStringLiteral("OK"), this);
  ok->setObjectName(QStringLiteral("ok"));
  ok->setGeometry(units.ToPixels(178, 7, 50, 14));
  ok->setDefault(true);
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);
}

}  // namespace korvanta::gui
