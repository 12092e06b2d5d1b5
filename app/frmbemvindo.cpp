#include "app/frmbemvindo.h"

#include <QCloseEvent>
#include <QFocusEvent>
#include <QFont>
#include <QGridLayout>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QScreen>
#include <QSqlError>
#include <QSqlQuery>
#include <QVBoxLayout>

#include "app/connection.h"
#include "app/messages.h"
#include "app/session.h"
#include "app/tdm.h"
#include "common/scramble.h"

namespace {

const QString kHint = QStringLiteral("Pressione ESC para sair");

// Trims as the stored passwords were trimmed when they were first compared: every code up to the blank.
QString trimControls(const QString &text) {
  qsizetype begin = 0, end = text.size();
  while (begin < end && text.at(begin).unicode() <= 0x20) ++begin;
  while (end > begin && text.at(end - 1).unicode() <= 0x20) --end;
  return text.mid(begin, end - begin);
}

// Upper-case typing that keeps the cursor where it was.
void forceUpperCase(QLineEdit *edit) {
  QObject::connect(edit, &QLineEdit::textEdited, edit, [edit](const QString &text) {
    const QString upper = text.toUpper();
    if (upper == text) return;
    const int cursor = edit->cursorPosition();
    edit->setText(upper);
    edit->setCursorPosition(cursor);
  });
}

bool isEnter(int key) { return key == Qt::Key_Return || key == Qt::Key_Enter; }

}  // namespace

TFrmBemVindo::TFrmBemVindo(QWidget *parent) : QDialog(parent) {
  setObjectName(QStringLiteral("FrmBemVindo"));
  setWindowTitle(QStringLiteral("Bem Vindo"));
  // A title but no system buttons: the window is left by logging in or by ESC.
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);

  auto *picture = new QLabel(QStringLiteral("Velmora"), this);
  picture->setObjectName(QStringLiteral("picture"));
  QFont logo = picture->font();
  logo.setPointSize(logo.pointSize() * 3);
  logo.setBold(true);
  picture->setFont(logo);
  picture->setAlignment(Qt::AlignCenter);
  picture->setMinimumHeight(90);

  edusuario = new QLineEdit(this);
  edusuario->setObjectName(QStringLiteral("edusuario"));
  edusuario->setMaxLength(30);
  edusuario->setToolTip(kHint);
  forceUpperCase(edusuario);

  edsenha = new QLineEdit(this);
  edsenha->setObjectName(QStringLiteral("edsenha"));
  edsenha->setEchoMode(QLineEdit::Password);
  edsenha->setToolTip(kHint);
  forceUpperCase(edsenha);

  auto *fields = new QGridLayout;
  fields->addWidget(new QLabel(QStringLiteral("USUÁRIO"), this), 0, 0);
  fields->addWidget(edusuario, 0, 1);
  fields->addWidget(new QLabel(QStringLiteral("SENHA"), this), 1, 0);
  fields->addWidget(edsenha, 1, 1);
  auto *layout = new QVBoxLayout(this);
  layout->addWidget(picture);
  layout->addLayout(fields);
  setTabOrder(edusuario, edsenha);

  edusuario->installEventFilter(this);
  edsenha->installEventFilter(this);
  setFixedSize(sizeHint().expandedTo(QSize(360, 0)));
}

void TFrmBemVindo::showEvent(QShowEvent *event) {
  QDialog::showEvent(event);
  if (const QScreen *screen = QGuiApplication::primaryScreen()) {
    QRect frame = frameGeometry();
    frame.moveCenter(screen->availableGeometry().center());
    move(frame.topLeft());
  }
  edusuario->setFocus(Qt::OtherFocusReason);
}

bool TFrmBemVindo::eventFilter(QObject *watched, QEvent *event) {
  if (event->type() == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent *>(event)->key();
    if (key == Qt::Key_Escape) {
      leave();
      return true;
    }
    if (isEnter(key)) {
      // Enter moves on as Tab does; from the password field that is back to the user field.
      focusNextChild();
      return true;
    }
  } else if (event->type() == QEvent::FocusOut && !redirecting_ && !finishing_) {
    // Another window taking the focus (a message box, the desktop) does not leave the field.
    const Qt::FocusReason reason = static_cast<QFocusEvent *>(event)->reason();
    if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason && reason != Qt::MenuBarFocusReason) {
      if (watched == edusuario)
        edusuarioExit();
      else if (watched == edsenha)
        edsenhaExit();
    }
  }
  return QDialog::eventFilter(watched, event);
}

void TFrmBemVindo::focusWithoutExit(QWidget *widget) {
  redirecting_ = true;
  widget->setFocus(Qt::OtherFocusReason);
  redirecting_ = false;
}

bool TFrmBemVindo::lookUp(const QString &name, UserRow *row) {
  *row = {};
  QSqlQuery q(dm().database());
  q.prepare(QStringLiteral("SELECT nome, senha FROM usuarios WHERE nome = ?"));
  q.addBindValue(name);
  if (!q.exec()) {
    Messages::error(serverText(q.lastError()));
    return false;
  }
  // The server's comparison ignores case and accents; the user name must match exactly.
  while (q.next()) {
    if (q.value(0).toString() == name) {
      row->found = true;
      row->senha = q.value(1).toString();
      break;
    }
  }
  return true;
}

void TFrmBemVindo::edusuarioExit() {
  const QString name = edusuario->text();
  if (name.isEmpty()) return;
  UserRow row;
  if (!lookUp(name, &row)) return;
  if (!row.found) {
    Messages::warning(QStringLiteral("Usuário não cadastrado"));
    focusWithoutExit(edusuario);
  }
}

void TFrmBemVindo::edsenhaExit() {
  const QString name = edusuario->text();
  const QString typed = edsenha->text();
  if (name.isEmpty() && typed.isEmpty()) {
    leave();  // tabbing through both fields without typing leaves the system
    return;
  }
  if (typed.isEmpty()) {
    Messages::warning(QStringLiteral("Senha Obrigatória"));
    focusWithoutExit(edsenha);
    return;
  }
  // The scrambled text stays here, never in the field: a second attempt scrambles what was typed.
  const QString scrambled = trimControls(Scramble::scramble(typed));
  UserRow row;
  if (!name.isEmpty() && !lookUp(name, &row)) {
    focusWithoutExit(edsenha);  // the typed password stays for another try
    return;
  }
  if (!row.found || trimControls(row.senha) != scrambled) {
    Messages::warning(QStringLiteral("Acesso não permitido"));
    edsenha->clear();
    focusWithoutExit(edusuario);
    return;
  }
  Session::instance().login(name, QStringLiteral("1"));
  accept();
}

void TFrmBemVindo::leave() {
  leftProgram_ = true;
  done(QDialog::Rejected);
}

void TFrmBemVindo::done(int result) {
  // Only a successful login or leaving the program closes the window.
  if (result == QDialog::Accepted || leftProgram_) {
    finishing_ = true;
    QDialog::done(result);
  }
}

void TFrmBemVindo::reject() {}

void TFrmBemVindo::closeEvent(QCloseEvent *event) {
  if (finishing_)
    QDialog::closeEvent(event);
  else
    event->ignore();
}
