#include "registries/registryscreens.h"

#include "app/screens.h"
#include "registries/frmcadfornecedores.h"
#include "registries/frmclientes.h"
#include "registries/frmprodutos.h"
#include "registries/lookuplists.h"

void registerRegistryScreens() {
  Screens::add(QStringLiteral("TFrmClientes"), [](QWidget *p) { return new TFrmClientes(p); });
  Screens::add(QStringLiteral("TFrmCadFornecedores"), [](QWidget *p) { return new TFrmCadFornecedores(p); });
  Screens::add(QStringLiteral("TFrmProdutos"), [](QWidget *p) { return new TFrmProdutos(p); });
  Screens::add(QStringLiteral("TFrmAdministradoras"), [](QWidget *p) { return new TFrmAdministradoras(p); });
  Screens::add(QStringLiteral("TFrmEntidades"), [](QWidget *p) { return new TFrmEntidades(p); });
  Screens::add(QStringLiteral("TFrmProfissoes"), [](QWidget *p) { return new TFrmProfissoes(p); });
  Screens::add(QStringLiteral("TFrmRegioes"), [](QWidget *p) { return new TFrmRegioes(p); });
  Screens::add(QStringLiteral("TFrmStatusProp"), [](QWidget *p) { return new TFrmStatusProp(p); });
}
