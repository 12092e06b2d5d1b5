// Velmora: back-office system of an insurance and health-plan brokerage.
#include <QApplication>
#include <QCoreApplication>
#include <cstring>

#include "app/config.h"
#include "app/corescreens.h"
#include "app/installcommand.h"
#include "app/startup.h"
#include "registries/registryscreens.h"

namespace {

bool hasArgument(int argc, char *argv[], const char *name) {
  for (int i = 1; i < argc; ++i)
    if (std::strcmp(argv[i], name) == 0) return true;
  return false;
}

}  // namespace

int main(int argc, char *argv[]) {
  // The installer runs on a terminal, also where there is no display.
  if (hasArgument(argc, argv, "--instalar-banco")) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("Velmora"));
    return installOnSharedServer(AppConfig::load());
  }

  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Velmora"));
  // Each code folder registers the screens it builds; menu entries of the others open nothing.
  registerCoreScreens();
  registerRegistryScreens();
  Startup startup(AppConfig::load());
  return startup.run();
}
