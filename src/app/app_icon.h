// The application icon: a spectrum through a cuvette becoming a table, as the menu entry shows it.
#pragma once

#include <QIcon>

namespace korvanta::gui {

QIcon ApplicationIcon();

}  // namespace korvanta::gui
