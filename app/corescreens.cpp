#include "app/corescreens.h"

#include "app/frmalterarsenha.h"
#include "app/frmcadusuarios.h"
#include "app/frmparametros.h"
#include "app/frmrastro.h"
#include "app/screens.h"

void registerCoreScreens() {
  Screens::add(QStringLiteral("TFrmCadUsuarios"), [](QWidget *parent) { return new TFrmCadUsuarios(parent); });
  Screens::add(QStringLiteral("TFrmAlterarSenha"), [](QWidget *parent) { return new TFrmAlterarSenha(parent); });
  Screens::add(QStringLiteral("TFrmParametros"), [](QWidget *parent) { return new TFrmParametros(parent); });
  Screens::add(QStringLiteral("TFrmRastro"), [](QWidget *parent) { return new TFrmRastro(parent); });
}
