#include "app/frmcadusuarios.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSqlError>
#include <QSqlQuery>
#include <QVBoxLayout>

#include "app/connection.h"
#include "app/record/dataset.h"
#include "app/record/fields.h"
#include "app/record/recordgrid.h"
#include "app/record/screenbehaviour.h"
#include "app/tdm.h"

const TFrmCadUsuarios::Right TFrmCadUsuarios::kRights[11] = {
    {"cadastro", "Cadastro", "edcadastro", true, true, true},
    {"producao", "Produção", "edproducao", false, false, false},
    {"movimentacao", "Movimentação", "edmovimentacao", true, true, true},
    // the legend shows only 0 and 5 here, though every level is admitted
    {"financeiro", "Financeiro", "edfinanceiro", true, false, true},
    {"tabelas", "Tabelas (Seguradoras, Produtores, Produtos, Filiais)", "edtabelas", false, false, true},
    {"rh", "R.H.", "edrh", true, true, true},
    {"parametros", "Parâmetros", "edparametros", false, false, true},
    {"usuarios", "Usuários", "edusuarios", false, false, true},
    {"pme", "PME", "edPME", false, false, false},
    {"individual", "Individual", "edIndividual", false, false, false},
    {"auto", "Auto", "edAuto", false, false, false},
};

TFrmCadUsuarios::TFrmCadUsuarios(QWidget *parent)
    : RecordScreen(parent, Family::Grid, QStringLiteral("Cadastro de Usuários"),
                   ButtonBar::Buttons(ButtonBar::kNavigation | ButtonBar::New | ButtonBar::Save | ButtonBar::Change |
                                      ButtonBar::Delete | ButtonBar::Cancel)) {
  setObjectName(QStringLiteral("FrmCadUsuarios"));
  setTable(QStringLiteral("usuarios"));
  setListing(QStringLiteral("select * from usuarios order by nome"));
  buttonBar()->setCancelCaptions(QStringLiteral("Sair"), QStringLiteral("Sair"));

  QWidget *panel = fieldsPanel();
  auto *panelLayout = new QVBoxLayout(panel);
  panelLayout->setContentsMargins(0, 0, 0, 0);

  auto *nameBox = new QGroupBox(QStringLiteral("Nome do Usuário"), panel);
  ednome = Fields::upper(nameBox, QStringLiteral("ednome"), 30);
  (new QHBoxLayout(nameBox))->addWidget(ednome);
  auto *passwordBox = new QGroupBox(QStringLiteral("Senha"), panel);
  edsenha = Fields::password(passwordBox, QStringLiteral("edsenha"), 6);
  (new QHBoxLayout(passwordBox))->addWidget(edsenha);
  auto *top = new QHBoxLayout;
  top->addWidget(nameBox, 3);
  top->addWidget(passwordBox, 1);
  panelLayout->addLayout(top);

  auto *rightsBox = new QGroupBox(QStringLiteral("Acessos de Cadastros"), panel);
  auto *rightsLayout = new QGridLayout(rightsBox);
  for (int i = 0; i < 11; ++i) {
    const Right &r = kRights[i];
    QLineEdit *edit = Fields::upper(rightsBox, QString::fromLatin1(r.edit), 1);
    edit->setMaximumWidth(30);
    rightsLayout->addWidget(Fields::label(rightsBox, QString::fromUtf8(r.label), edit), i, 0);
    rightsLayout->addWidget(edit, i, 1);
    rights_ << edit;
  }
  panelLayout->addWidget(rightsBox);

  // The legend stands outside the record fields, so it stays readable in the browse state.
  auto *legendBox = new QGroupBox(QStringLiteral("Tipos de Acesso"), this);
  legendBox->setObjectName(QStringLiteral("gbtiposacesso"));
  auto *legendLayout = new QVBoxLayout(legendBox);
  const char *levels[] = {"0 - SEM ACESSO",
                          "1 - CONSULTA",
                          "2 - INCLUI/CONSULTA",
                          "3 - INCLUI/CONSULTA/ALTERA",
                          "4 - INCLUI/CONSULTA/ALTERA/EXCLUI",
                          "5 - ACESSO COMPLETO"};
  for (int i = 0; i < 6; ++i) {
    auto *label = new QLabel(QString::fromUtf8(levels[i]), legendBox);
    label->setObjectName(QStringLiteral("lbnivel%1").arg(i));
    legendLayout->addWidget(label);
    legend_ << label;
  }
  if (auto *root = qobject_cast<QVBoxLayout *>(layout())) root->insertWidget(1, legendBox);

  grid()->setColumns({{QStringLiteral("nome"), QStringLiteral("Nome do Usuário")}});

  // ---- declaration ----
  bind(ednome, QStringLiteral("nome"));
  bind(edsenha, QStringLiteral("senha"));
  for (int i = 0; i < 11; ++i) bind(rights_.at(i), QString::fromLatin1(kRights[i].column));
  setFirstField(Mode::Insert, ednome);
  setFirstField(Mode::Change, rights_.first());

  requireFilled(ednome, QStringLiteral("Nome do Usuário Deve Ser Preenchido"));
  addCheck(
      ednome,
      [this] {
        // A server that cannot answer here refuses the save itself, with its own text.
        QString error;
        return !nameTaken(ednome->text(), &error);
      },
      QStringLiteral("Usuário já cadastrado"), QStringLiteral("Atenção"), Messages::Icon::Warning);
  // A user without a password could never log in: the login refuses an empty one.
  addCheck(
      edsenha, [this] { return !edsenha->text().isEmpty(); }, QStringLiteral("Senha Obrigatória"),
      QStringLiteral("Atenção"), Messages::Icon::Warning);
  for (QLineEdit *edit : rights_) {
    addCheck(
        edit, [this, edit] { return edit->text().isEmpty() || admits(edit, edit->text()); },
        QStringLiteral("Tipo de Acesso inválido!"), QStringLiteral("Atenção"), Messages::Icon::None);
  }

  setAudit(QStringLiteral("USUARIOS"),
           [this](AuditEntry &entry, const QVariant &) { entry.historico = ednome->text(); });
  setDeleteQuestion(QStringLiteral("Deseja Excluir o Usuário?"), QStringLiteral("Atenção"),
                    Messages::Buttons(QMessageBox::Yes | QMessageBox::No), QMessageBox::No);
  setSavedMessage(QStringLiteral("Gravação efetuada"));

  behaviour().onExit(edsenha, [this] {
    edsenhaExit();
    return true;
  });
  for (QLineEdit *edit : rights_) {
    behaviour().onEnter(edit, [this, edit] { rightEnter(edit); });
    behaviour().onExit(edit, [this, edit] { return rightExit(edit); });
  }
}

void TFrmCadUsuarios::edsenhaExit() { edsenha->commit(); }

void TFrmCadUsuarios::rightEnter(QLineEdit *edit) {
  const int i = rights_.indexOf(edit);
  const bool full = i >= 0 && kRights[i].fullLegend;
  for (int level = 0; level < legend_.size(); ++level) legend_.at(level)->setEnabled(full || level == 0 || level == 5);
}

bool TFrmCadUsuarios::admits(const QLineEdit *edit, const QString &level) const {
  const int i = rights_.indexOf(const_cast<QLineEdit *>(edit));
  if (i < 0) return false;
  static const QStringList all{QStringLiteral("0"), QStringLiteral("1"), QStringLiteral("2"),
                               QStringLiteral("3"), QStringLiteral("4"), QStringLiteral("5")};
  static const QStringList ends{QStringLiteral("0"), QStringLiteral("5")};
  return (kRights[i].allLevels ? all : ends).contains(level);
}

bool TFrmCadUsuarios::rightExit(QLineEdit *edit) {
  if (edit->text().isEmpty()) {
    edit->setText(QStringLiteral("0"));
    return true;
  }
  if (admits(edit, edit->text())) return true;
  Messages::plain(QStringLiteral("Tipo de Acesso inválido!"));
  return false;
}

void TFrmCadUsuarios::clearForNew() {
  // The name and the rights of the sale lines keep what was shown. The password does not: a new user
  // gets the one typed for it, never the shown user's by passing through the field.
  edsenha->setStored(QString());
  for (int i = 0; i < 11; ++i)
    if (kRights[i].emptiedByNew) rights_.at(i)->clear();
}

bool TFrmCadUsuarios::hasRecord() const { return !ednome->text().isEmpty(); }

bool TFrmCadUsuarios::beforeSave() {
  edsenha->commit();
  // A right never entered is no access, as one left empty is: an empty right would pass the menu gate.
  for (QLineEdit *edit : rights_)
    if (edit->text().isEmpty()) edit->setText(QStringLiteral("0"));
  return true;
}

void TFrmCadUsuarios::afterSave(Mode) { behaviour().focusWithoutExit(buttonBar()->button(ButtonBar::New)); }

bool TFrmCadUsuarios::nameTaken(const QString &name, QString *error) const {
  QSqlQuery q(dm().database());
  q.prepare(QStringLiteral("select codigo, nome from usuarios where nome = ?"));
  q.addBindValue(name);
  if (!q.exec()) {
    *error = serverText(q.lastError());
    return false;
  }
  // The server's comparison ignores case and accents; the login tells names apart exactly.
  while (q.next()) {
    if (q.value(1).toString() != name) continue;
    if (mode() == Mode::Change && q.value(0).toString() == shownKey().toString()) continue;
    return true;
  }
  return false;
}

bool TFrmCadUsuarios::deleteRecord(const QVariant &, QString *error) {
  // Every row with exactly the name shown goes.
  const QString name = ednome->text();
  QSqlQuery q(dm().database());
  q.prepare(QStringLiteral("select codigo, nome from usuarios where nome = ?"));
  q.addBindValue(name);
  if (!q.exec()) {
    *error = serverText(q.lastError());
    return false;
  }
  QVariantList codes;
  while (q.next())
    if (q.value(1).toString() == name) codes << q.value(0);
  q.finish();
  QSqlQuery remove(dm().database());
  if (!remove.prepare(QStringLiteral("delete from usuarios where codigo = ?"))) {
    *error = serverText(remove.lastError());
    return false;
  }
  for (const QVariant &code : codes) {
    remove.addBindValue(code);
    if (!remove.exec()) {
      *error = serverText(remove.lastError());
      return false;
    }
  }
  return true;
}
