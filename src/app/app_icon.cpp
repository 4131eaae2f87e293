#include "app/app_icon.h"

#include <QSize>

// The resources sit in a static library, so they are registered by hand; the macro must be
// used outside any namespace.
static void RegisterKorvantaResources() { Q_INIT_RESOURCE(korvanta); }

namespace korvanta::gui {

QIcon ApplicationIcon() {
  static const bool registered = (RegisterKorvantaResources(), true);
  static_cast<void>(registered);
  // The menu entry's icon, in the sizes title bars and task bars ask for.
  QIcon icon;
  for (const int size : {16, 32, 48, 256}) {
    icon.addFile(QStringLiteral(":/korvanta/icon-%1.png").arg(size), QSize(size, size));
  }
  return icon;
}

}  // namespace korvanta::gui
