#include "app/frmparametros.h"

#include <QFormLayout>
#include <QLabel>
#include <QSqlQuery>
#include <QVBoxLayout>

#include "app/connection.h"
#include "app/messages.h"
#include "app/record/fields.h"
#include "app/record/screenbehaviour.h"
#include "app/tdm.h"

namespace {
const QString kUnknown = QStringLiteral("Conta não Cadastrada");
}

TFrmParametros::TFrmParametros(QWidget *parent) : QDialog(parent), behaviour_(new ScreenBehaviour(this)) {
  setObjectName(QStringLiteral("FrmParametros"));
  setWindowTitle(QStringLiteral("Parâmetros"));
  cbcontacaixa = Fields::query(this, QStringLiteral("cbcontacaixa"), kUnknown);
  cbcontabanco = Fields::query(this, QStringLiteral("cbcontabanco"), kUnknown);
  auto *form = new QFormLayout;
  form->addRow(Fields::label(this, QStringLiteral("Conta Corrente - Caixa"), cbcontacaixa), cbcontacaixa);
  form->addRow(Fields::label(this, QStringLiteral("Conta Corrente - Banco"), cbcontabanco), cbcontabanco);
  auto *hint = new QLabel(QStringLiteral("Pressione F5 para efetuar gravação"), this);
  hint->setObjectName(QStringLiteral("lbgravacao"));
  auto *layout = new QVBoxLayout(this);
  layout->addLayout(form);
  layout->addWidget(hint);
  setMinimumWidth(420);

  for (QueryCombo *combo : {cbcontacaixa, cbcontabanco})
    behaviour_->addKey(
        QKeyCombination(Qt::Key_F5), [this] { save(); }, combo);
}

void TFrmParametros::showEvent(QShowEvent *event) {
  QDialog::showEvent(event);
  if (opened_) return;
  opened_ = true;
  load();
  behaviour_->focusWithoutExit(cbcontacaixa);
}

void TFrmParametros::load() {
  QString error;
  // The accounts in the order the table keeps them: of two with one description, the first is taken.
  const QString accounts = QStringLiteral("select conta, descricao from contascorrente order by conta");
  if (!cbcontacaixa->load(accounts, {}, &error) || !cbcontabanco->load(accounts, {}, &error)) {
    Messages::error(error);
    return;
  }
  QSqlQuery q(dm().database());
  if (!q.exec(QStringLiteral("select contacaixa, contabanco from parametros limit 1"))) {
    Messages::error(serverText(q.lastError()));
    return;
  }
  if (q.next()) {
    cbcontacaixa->setCode(q.value(0));
    cbcontabanco->setCode(q.value(1));
  }
}

bool TFrmParametros::save() {
  // A text that names no account cannot be stored as any code.
  for (QueryCombo *combo : {cbcontacaixa, cbcontabanco}) {
    if (!combo->isKnown()) {
      Messages::information(kUnknown);
      behaviour_->focusWithoutExit(combo);
      return false;
    }
  }
  const auto code = [](const QueryCombo *combo) {
    const QVariant c = combo->code();
    return c.isNull() ? QStringLiteral("") : c.toString();
  };
  QString error;
  if (!execBound(dm().database(), QStringLiteral("update parametros set contacaixa = ?, contabanco = ?"),
                 {code(cbcontacaixa), code(cbcontabanco)}, &error)) {
    Messages::error(error);
    return false;
  }
  return true;
}
