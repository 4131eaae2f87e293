#include "app/application.h"

int main(int argc, char** argv) {
  korvanta::gui::CZoltApp app(argc, argv);
  return app.InitInstance();
}
