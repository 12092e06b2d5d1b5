#include "registries/lookuplists.h"

namespace {

const QString kConfirm = QStringLiteral("Confima Operação?");
const QString kConfirmTitle = QStringLiteral("Excluir Item?");

LookupListDeclaration list(const QString &caption, const QString &table, const QString &rotina) {
  LookupListDeclaration d;
  d.caption = caption;
  d.table = table;
  d.rotina = rotina;
  return d;
}

// "Confima Operação?" under "Excluir Item?", No preselected.
void askWithNoFirst(LookupListDeclaration &d) {
  d.deleteText = kConfirm;
  d.deleteTitle = kConfirmTitle;
  d.deleteDefault = QMessageBox::No;
}

}  // namespace

namespace LookupLists {

LookupListDeclaration administradoras() {
  LookupListDeclaration d = list(QStringLiteral("Administradoras"), QStringLiteral("adma"), QStringLiteral("ADMA"));
  d.inUse = {{QStringLiteral("select 1 from seguros where administradora = ? limit 1"),
              QStringLiteral("Administradora com Movimentação")}};
  askWithNoFirst(d);
  return d;
}

// Entities and professions are used by insured persons, not by the sale itself: an entry an
// insured person still names stays.
LookupListDeclaration entidades() {
  LookupListDeclaration d =
      list(QStringLiteral("Cadastro de Entidades"), QStringLiteral("entidades"), QStringLiteral("ENTIDADE"));
  d.auditOnAdd = true;
  d.inUse = {{QStringLiteral("select 1 from seguros_clientes where entidade = ? limit 1"),
              QStringLiteral("Entidade com Movimentação")}};
  d.deleteTitle = QStringLiteral("Velmora");
  return d;
}

LookupListDeclaration profissoes() {
  LookupListDeclaration d =
      list(QStringLiteral("Cadastro de Profissões"), QStringLiteral("profissoes"), QStringLiteral("PROFISSAO"));
  d.auditOnAdd = true;
  d.inUse = {{QStringLiteral("select 1 from seguros_clientes where profissao = ? limit 1"),
              QStringLiteral("Profissão com Movimentação")}};
  d.deleteTitle = QStringLiteral("Velmora");
  return d;
}

LookupListDeclaration regioes() {
  LookupListDeclaration d =
      list(QStringLiteral("Cadastro de Regiões"), QStringLiteral("regiao"), QStringLiteral("REGIÃO"));
  d.inUse = {
      {QStringLiteral("select 1 from seguros where regiao = ? limit 1"), QStringLiteral("Região com Movimentação")}};
  askWithNoFirst(d);
  d.emptyNameAfterDelete = true;
  return d;
}

LookupListDeclaration statusProp() {
  LookupListDeclaration d =
      list(QStringLiteral("Status Propostas"), QStringLiteral("statusprop"), QStringLiteral("statusprop"));
  d.inUse = {{QStringLiteral("select 1 from seguros where status_prop = ? limit 1"),
              QStringLiteral("Status com Movimentação")}};
  askWithNoFirst(d);
  return d;
}

}  // namespace LookupLists
