#include "registries/registryscreens.h"

#include "app/screens.h"
#include "registries/frmclientes.h"

void registerRegistryScreens() {
  Screens::add(QStringLiteral("TFrmClientes"), [](QWidget *p) { return new TFrmClientes(p); });
}
