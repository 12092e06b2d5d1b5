#pragma once

#include "app/record/lookuplist.h"

// The five short lists of codes and names with an active flag. Each screen is its list's
// declaration on the lookup-list screen; the declarations are reachable for the screens' tests.
namespace LookupLists {
LookupListDeclaration administradoras();
LookupListDeclaration entidades();
LookupListDeclaration profissoes();
LookupListDeclaration regioes();
LookupListDeclaration statusProp();
}  // namespace LookupLists

// "Administradoras" (`adma`): benefit administrators of health plans.
class TFrmAdministradoras : public LookupListScreen {
  Q_OBJECT
 public:
  explicit TFrmAdministradoras(QWidget *parent = nullptr) : LookupListScreen(LookupLists::administradoras(), parent) {}
};

// "Cadastro de Entidades" (`entidades`): associations and unions of association plans.
class TFrmEntidades : public LookupListScreen {
  Q_OBJECT
 public:
  explicit TFrmEntidades(QWidget *parent = nullptr) : LookupListScreen(LookupLists::entidades(), parent) {}
};

// "Cadastro de Profissões" (`profissoes`): professions of insured persons.
class TFrmProfissoes : public LookupListScreen {
  Q_OBJECT
 public:
  explicit TFrmProfissoes(QWidget *parent = nullptr) : LookupListScreen(LookupLists::profissoes(), parent) {}
};

// "Cadastro de Regiões" (`regiao`): sales regions.
class TFrmRegioes : public LookupListScreen {
  Q_OBJECT
 public:
  explicit TFrmRegioes(QWidget *parent = nullptr) : LookupListScreen(LookupLists::regioes(), parent) {}
};

// "Status Propostas" (`statusprop`): the states a proposal goes through.
class TFrmStatusProp : public LookupListScreen {
  Q_OBJECT
 public:
  explicit TFrmStatusProp(QWidget *parent = nullptr) : LookupListScreen(LookupLists::statusProp(), parent) {}
};
