#include "app/app_icon.h"

// The resources sit in a static library, so they are registered by hand; the macro must be
// used outside any namespace.
static void RegisterKorvantaResources() { Q_INIT_RESOURCE(korvanta); }

namespace korvanta::gui {

QIcon ApplicationIcon() {
  static const bool registered = (RegisterKorvantaResources(), true);
  static_cast<void>(registered);
  return QIcon(QStringLiteral(":/korvanta/korvanta.xpm"));
}

}  // namespace korvanta::gui
