#include "app/frmalterarsenha.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QSqlQuery>
#include <QVBoxLayout>

#include "app/connection.h"
#include "app/messages.h"
#include "app/record/fields.h"
#include "app/record/screenbehaviour.h"
#include "app/session.h"
#include "app/tdm.h"
#include "common/scramble.h"

namespace {

QLineEdit *passwordField(QWidget *parent, const QString &name) {
  QLineEdit *e = Fields::upper(parent, name, 6);
  e->setEchoMode(QLineEdit::Password);
  return e;
}

// Compared as the login compares them: blanks and control codes at either end do not count.
QString trimControls(const QString &text) {
  qsizetype begin = 0, end = text.size();
  while (begin < end && text.at(begin).unicode() <= 0x20) ++begin;
  while (end > begin && text.at(end - 1).unicode() <= 0x20) --end;
  return text.mid(begin, end - begin);
}

}  // namespace

TFrmAlterarSenha::TFrmAlterarSenha(QWidget *parent) : QDialog(parent), behaviour_(new ScreenBehaviour(this)) {
  setObjectName(QStringLiteral("FrmAlterarSenha"));
  setWindowTitle(QStringLiteral("Alterar Senha"));
  edsenhaatual = passwordField(this, QStringLiteral("edsenhaatual"));
  ednovasenha = passwordField(this, QStringLiteral("ednovasenha"));
  edconfirmarsenha = passwordField(this, QStringLiteral("edconfirmarsenha"));
  btconfirmar = new QPushButton(QStringLiteral("&Confirmar"), this);
  btconfirmar->setObjectName(QStringLiteral("btconfirmar"));
  btcancelar = new QPushButton(QStringLiteral("Cancela&r"), this);
  btcancelar->setObjectName(QStringLiteral("btcancelar"));
  for (QPushButton *b : {btconfirmar, btcancelar}) b->setAutoDefault(false);

  auto *form = new QFormLayout;
  form->addRow(QStringLiteral("Senha Atual"), edsenhaatual);
  form->addRow(QStringLiteral("Nova Senha"), ednovasenha);
  form->addRow(QStringLiteral("Confirmar Senha"), edconfirmarsenha);
  auto *buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(btconfirmar);
  buttons->addWidget(btcancelar);
  auto *layout = new QVBoxLayout(this);
  layout->addLayout(form);
  layout->addLayout(buttons);

  behaviour_->onExit(edsenhaatual, [this] { return edsenhaatualExit(); });
  // Typing the current password again asks for a new check.
  connect(edsenhaatual, &QLineEdit::textEdited, this, [this] { currentPassed_ = false; });
  connect(btconfirmar, &QPushButton::clicked, this, [this] {
    if (!behaviour_->clickRefused(btconfirmar)) btconfirmarClick();
  });
  connect(btcancelar, &QPushButton::clicked, this, &QDialog::reject);
}

void TFrmAlterarSenha::showEvent(QShowEvent *event) {
  QDialog::showEvent(event);
  if (opened_) return;
  opened_ = true;
  readUser();
  behaviour_->focusWithoutExit(edsenhaatual);
}

bool TFrmAlterarSenha::readUser() {
  found_ = false;
  const QString user = Session::instance().user();
  QSqlQuery q(dm().database());
  q.prepare(QStringLiteral("select codigo, nome, senha from usuarios where nome = ?"));
  q.addBindValue(user);
  if (!q.exec()) {
    Messages::error(serverText(q.lastError()));
    return false;
  }
  // The server's comparison ignores case and accents; the user is the row with exactly that name.
  while (q.next()) {
    if (q.value(1).toString() == user) {
      codigo_ = q.value(0);
      senha_ = q.value(2).toString();
      found_ = true;
      break;
    }
  }
  return true;
}

bool TFrmAlterarSenha::currentMatches() {
  return found_ && trimControls(Scramble::scramble(edsenhaatual->text())) == trimControls(senha_);
}

bool TFrmAlterarSenha::edsenhaatualExit() {
  if (edsenhaatual->text().isEmpty()) return true;
  if (currentMatches()) {
    currentPassed_ = true;
    return true;
  }
  currentPassed_ = false;
  Messages::information(QStringLiteral("Senha Inválida"));
  edsenhaatual->clear();
  return false;
}

void TFrmAlterarSenha::btconfirmarClick() {
  if (!currentPassed_) {
    if (edsenhaatual->text().isEmpty() || !currentMatches()) {
      Messages::information(QStringLiteral("Senha Inválida"));
      edsenhaatual->clear();
      behaviour_->focusWithoutExit(edsenhaatual);
      return;
    }
    currentPassed_ = true;
  }
  const QString novaSenha = Scramble::scramble(ednovasenha->text());
  const QString confirmada = Scramble::scramble(edconfirmarsenha->text());
  if (novaSenha != confirmada) {
    Messages::information(QStringLiteral("Senhas diferentes"));
    for (QLineEdit *e : {edsenhaatual, ednovasenha, edconfirmarsenha}) e->clear();
    currentPassed_ = false;
    behaviour_->focusWithoutExit(edsenhaatual);
    return;
  }
  // An empty password would shut the user out: the login refuses to take one.
  if (confirmada.isEmpty()) {
    Messages::warning(QStringLiteral("Senha Obrigatória"));
    behaviour_->focusWithoutExit(ednovasenha);
    return;
  }
  if (!readUser()) return;
  if (!found_) {
    Messages::warning(QStringLiteral("Usuário não cadastrado"));
    return;
  }
  QString error;
  if (!execBound(dm().database(), QStringLiteral("update usuarios set senha = ? where codigo = ?"),
                 {confirmada, codigo_}, &error)) {
    Messages::error(error);
    return;
  }
  senha_ = confirmada;
  Messages::information(QStringLiteral("Senha alterada com Sucesso"));
  accept();
}
