// The application icon: a spectrum passing through a cuvette, 32 x 32 pixels, 16 colours.
#pragma once

#include <QIcon>

namespace korvanta::gui {

QIcon ApplicationIcon();

}  // namespace korvanta::gui
