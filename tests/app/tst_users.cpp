#include <QtTest>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSqlQuery>

#include "app/corescreens.h"
#include "app/frmalterarsenha.h"
#include "app/frmbemvindo.h"
#include "app/frmcadusuarios.h"
#include "app/messages.h"
#include "app/record/dataset.h"
#include "app/record/passwordedit.h"
#include "app/screens.h"
#include "app/session.h"
#include "common/scramble.h"
#include "tests/app/loginfixture.h"
#include "tests/support/screenhelpers.h"
#include "tests/support/testdatabase.h"

namespace {

const QString kAdmin = QStringLiteral("ADMIN");

// Logs in through the login window with the keys a person presses; true when it lets the user in.
bool logsIn(const QString &user, const QString &password) {
  TFrmBemVindo login;
  if (!showActive(&login)) return false;
  auto *edusuario = login.findChild<QLineEdit *>(QStringLiteral("edusuario"));
  auto *edsenha = login.findChild<QLineEdit *>(QStringLiteral("edsenha"));
  QTest::keyClicks(edusuario, user);
  QTest::keyClick(edusuario, Qt::Key_Return);
  QTest::keyClicks(edsenha, password);
  QTest::keyClick(edsenha, Qt::Key_Return);
  const bool in = login.result() == QDialog::Accepted && Session::instance().user() == user;
  Session::instance().login(kAdmin);
  return in;
}

QString storedPassword(const QString &user) {
  return scalar(QStringLiteral("select senha from usuarios where nome = ?"), {user}).toString();
}

QLineEdit *edit(QWidget *screen, const QString &name) { return screen->findChild<QLineEdit *>(name); }
QPushButton *button(QWidget *screen, const char *name) { return screen->findChild<QPushButton *>(QLatin1String(name)); }

// Stands the user screen on the user of that name, as clicking it in the grid would.
bool showUser(TFrmCadUsuarios &screen, const QString &name) {
  if (!screen.dataset()->locate(QStringLiteral("nome"), name)) return false;
  return edit(&screen, QStringLiteral("ednome"))->text() == name;
}

// Makes the server refuse the rows of `table` that `when` picks for `event`, with `text`, until allow().
bool refuse(const QString &event, const QString &table, const QString &when, const QString &text) {
  QSqlQuery q;
  return q.exec(QStringLiteral("create or replace trigger tst_refuse before %1 on %2 for each row "
                               "if %3 then signal sqlstate '45000' set message_text = '%4'; end if")
                    .arg(event, table, when, text));
}
bool allow() { return QSqlQuery().exec(QStringLiteral("drop trigger if exists tst_refuse")); }

}  // namespace

class TestUsers : public QObject {
  Q_OBJECT
 private slots:
  void initTestCase();
  void init();
  void cleanup();

  void isRegisteredAndShowsTheFirstUser();
  void newUserWithSixLettersLogsIn();
  void passingThroughThePasswordKeepsIt_data();
  void passingThroughThePasswordKeepsIt();
  void rightLevels_data();
  void rightLevels();
  void gravarRefusesAnEmptyOrUsedName_data();
  void gravarRefusesAnEmptyOrUsedName();
  void newUserGetsThePasswordTypedForIt_data();
  void newUserGetsThePasswordTypedForIt();
  void deletingAUserRemovesItsRows();
  void aRefusedDeletionLeavesEveryRow();
  void passwordChange_data();
  void passwordChange();

 private:
  std::unique_ptr<ScriptedMessages> messages_;
};

void TestUsers::initTestCase() {
  QString error;
  QVERIFY2(TestDatabase::openFresh(&error), qPrintable(error));
  registerCoreScreens();
}

void TestUsers::init() {
  QVERIFY(run(QStringLiteral("delete from usuarios")));
  QVERIFY(run(QStringLiteral("delete from rastro")));
  QString error;
  QVERIFY2(insertUser(kAdmin, QStringLiteral("ADMIN"), QStringLiteral("5"), &error), qPrintable(error));
  Session::instance().login(kAdmin);
  messages_ = std::make_unique<ScriptedMessages>();
}

void TestUsers::cleanup() {
  messages_.reset();
  QVERIFY(allow());
}

void TestUsers::isRegisteredAndShowsTheFirstUser() {
  QString error;
  QVERIFY2(insertUser(QStringLiteral("AAA"), QStringLiteral("X"), QStringLiteral("3"), &error), qPrintable(error));
  std::unique_ptr<QDialog> dialog(Screens::create(QStringLiteral("TFrmCadUsuarios"), nullptr));
  QVERIFY(dialog);
  QCOMPARE(dialog->windowTitle(), QStringLiteral("Cadastro de Usuários"));
  QVERIFY(showActive(dialog.get()));
  QCOMPARE(edit(dialog.get(), QStringLiteral("ednome"))->text(), QStringLiteral("AAA"));
  QCOMPARE(edit(dialog.get(), QStringLiteral("edsenha"))->text(), Scramble::scramble(QStringLiteral("X")));
  QCOMPARE(edit(dialog.get(), QStringLiteral("edsenha"))->echoMode(), QLineEdit::Password);
  QCOMPARE(edit(dialog.get(), QStringLiteral("edrh"))->text(), QStringLiteral("3"));
  QVERIFY(Screens::has(QStringLiteral("TFrmAlterarSenha")));
  QVERIFY(Screens::has(QStringLiteral("TFrmParametros")));
}

void TestUsers::newUserWithSixLettersLogsIn() {
  TFrmCadUsuarios screen;
  QVERIFY(showActive(&screen));
  button(&screen, "btnovo")->click();
  auto *ednome = edit(&screen, QStringLiteral("ednome"));
  QCOMPARE(QApplication::focusWidget(), ednome);
  ednome->clear();
  QTest::keyClicks(ednome, QStringLiteral("carlos"));
  pressEnter();
  auto *edsenha = edit(&screen, QStringLiteral("edsenha"));
  QCOMPARE(QApplication::focusWidget(), edsenha);
  QTest::keyClicks(edsenha, QStringLiteral("abcdef"));
  pressEnter();  // leaving the field scrambles what was typed
  QCOMPARE(edsenha->text(), Scramble::scramble(QStringLiteral("ABCDEF")));
  // Enter through every right: the seven that "Novo" emptied become "0".
  for (int i = 0; i < 11; ++i) pressEnter();
  button(&screen, "btgravar")->click();

  QCOMPARE(messages_->texts(), QStringList{QStringLiteral("Gravação efetuada")});
  QCOMPARE(storedPassword(QStringLiteral("CARLOS")), Scramble::scramble(QStringLiteral("ABCDEF")));
  QCOMPARE(storedPassword(QStringLiteral("CARLOS")).size(), 6);
  QCOMPARE(rows(QStringLiteral("select count(*) from usuarios where nome = 'CARLOS' and cadastro = '0' and "
                               "usuarios = '0' and parametros = '0' and producao = '5'")),
           1);
  QCOMPARE(rows(QStringLiteral("select count(*) from rastro where rotina = 'USUARIOS' and operacao = 'I' and "
                               "historico = 'CARLOS' and operador = 'ADMIN'")),
           1);
  QCOMPARE(screen.state(), RecordScreen::State::Browse);
  QCOMPARE(QApplication::focusWidget(), button(&screen, "btnovo"));
  QVERIFY(logsIn(QStringLiteral("CARLOS"), QStringLiteral("ABCDEF")));
  QVERIFY(!logsIn(QStringLiteral("CARLOS"), QStringLiteral("ABCDEG")));
}

void TestUsers::passingThroughThePasswordKeepsIt_data() {
  QTest::addColumn<QString>("typed");      // typed over the stored password; empty: only passed through
  QTest::addColumn<QString>("password");   // the one that logs in afterwards
  QTest::newRow("Enter through the field") << "" << "SENHA1";
  QTest::newRow("typing replaces it") << "NOVA" << "NOVA";
}

void TestUsers::passingThroughThePasswordKeepsIt() {
  QFETCH(QString, typed);
  QFETCH(QString, password);
  QString error;
  QVERIFY2(insertUser(QStringLiteral("BIA"), QStringLiteral("SENHA1"), QStringLiteral("5"), &error), qPrintable(error));
  TFrmCadUsuarios screen;
  QVERIFY(showActive(&screen));
  QVERIFY(showUser(screen, QStringLiteral("BIA")));
  button(&screen, "btalterar")->click();
  QCOMPARE(QApplication::focusWidget(), edit(&screen, QStringLiteral("edcadastro")));
  auto *edsenha = edit(&screen, QStringLiteral("edsenha"));
  edsenha->setFocus();
  QTest::keyClicks(edsenha, typed);
  pressEnter();
  pressEnter();
  button(&screen, "btgravar")->click();
  QCOMPARE(messages_->texts(), QStringList{QStringLiteral("Gravação efetuada")});
  QCOMPARE(storedPassword(QStringLiteral("BIA")), Scramble::scramble(password));
  QCOMPARE(rows(QStringLiteral("select count(*) from usuarios where nome = 'BIA'")), 1);
  QVERIFY(logsIn(QStringLiteral("BIA"), password));

  // A second change passing through the field again still keeps it.
  QVERIFY(showActive(&screen));
  button(&screen, "btalterar")->click();
  edsenha->setFocus();
  pressEnter();
  button(&screen, "btgravar")->click();
  QCOMPARE(storedPassword(QStringLiteral("BIA")), Scramble::scramble(password));
}

void TestUsers::rightLevels_data() {
  QTest::addColumn<QString>("field");
  QTest::addColumn<QString>("typed");
  QTest::addColumn<bool>("accepted");
  QTest::addColumn<QString>("stored");
  QTest::addColumn<bool>("fullLegend");
  QTest::newRow("3 in Parâmetros") << "edparametros" << "3" << false << "5" << false;
  QTest::newRow("3 in Cadastro") << "edcadastro" << "3" << true << "3" << true;
  QTest::newRow("4 in Financeiro") << "edfinanceiro" << "4" << true << "4" << false;
  QTest::newRow("1 in PME") << "edPME" << "1" << false << "5" << false;
  QTest::newRow("5 in Produção") << "edproducao" << "5" << true << "5" << false;
  QTest::newRow("2 in R.H.") << "edrh" << "2" << true << "2" << true;
  QTest::newRow("a letter") << "edmovimentacao" << "x" << false << "5" << true;
  QTest::newRow("left empty") << "edusuarios" << "" << true << "0" << false;
}

void TestUsers::rightLevels() {
  QFETCH(QString, field);
  QFETCH(QString, typed);
  QFETCH(bool, accepted);
  QFETCH(QString, stored);
  QFETCH(bool, fullLegend);
  TFrmCadUsuarios screen;
  QVERIFY(showActive(&screen));
  QVERIFY(showUser(screen, kAdmin));
  button(&screen, "btalterar")->click();
  QLineEdit *right = edit(&screen, field);
  right->setFocus();
  for (int level = 0; level < 6; ++level) {
    auto *label = screen.findChild<QLabel *>(QStringLiteral("lbnivel%1").arg(level));
    QCOMPARE(label->isEnabled(), fullLegend || level == 0 || level == 5);
  }
  right->clear();
  QTest::keyClicks(right, typed);
  pressEnter();
  if (accepted) {
    QVERIFY(messages_->calls.isEmpty());
    QVERIFY(QApplication::focusWidget() != right);
  } else {
    QCOMPARE(messages_->texts(), QStringList{QStringLiteral("Tipo de Acesso inválido!")});
    QCOMPARE(messages_->calls.first().icon, Messages::Icon::None);
    QCOMPARE(QApplication::focusWidget(), right);
    // "Gravar" cannot store it either, even by a click that skips leaving the field.
    messages_->clear();
    screen.btgravarClick();
    QCOMPARE(messages_->texts(), QStringList{QStringLiteral("Tipo de Acesso inválido!")});
    QCOMPARE(screen.state(), RecordScreen::State::Edit);
    right->setText(stored);
  }
  messages_->clear();
  screen.btgravarClick();
  QCOMPARE(messages_->texts(), QStringList{QStringLiteral("Gravação efetuada")});
  QCOMPARE(scalar(QStringLiteral("select %1 from usuarios where nome = 'ADMIN'").arg(field.mid(2).toLower())).toString(),
           stored);
}

void TestUsers::gravarRefusesAnEmptyOrUsedName_data() {
  QTest::addColumn<bool>("change");  // "Alterar" on ADMIN, else "Novo"
  QTest::addColumn<QString>("name");
  QTest::addColumn<QString>("message");
  QTest::newRow("new, empty") << false << "" << "Nome do Usuário Deve Ser Preenchido";
  QTest::newRow("new, blanks") << false << "  " << "Nome do Usuário Deve Ser Preenchido";
  QTest::newRow("new, the shown name kept") << false << "ADMIN" << "Usuário já cadastrado";
  QTest::newRow("change to another's name") << true << "OUTRO" << "Usuário já cadastrado";
  QTest::newRow("change keeping its own") << true << "ADMIN" << "Gravação efetuada";
  QTest::newRow("new, with an accent only") << false << "ADMÍN" << "Gravação efetuada";
}

void TestUsers::gravarRefusesAnEmptyOrUsedName() {
  QFETCH(bool, change);
  QFETCH(QString, name);
  QFETCH(QString, message);
  QString error;
  QVERIFY2(insertUser(QStringLiteral("OUTRO"), QStringLiteral("X"), QStringLiteral("1"), &error), qPrintable(error));
  TFrmCadUsuarios screen;
  QVERIFY(showActive(&screen));
  QVERIFY(showUser(screen, kAdmin));
  const int before = rows(QStringLiteral("select count(*) from usuarios"));
  button(&screen, change ? "btalterar" : "btnovo")->click();
  auto *ednome = edit(&screen, QStringLiteral("ednome"));
  ednome->setText(name);
  // "Novo" empties the password; a new user needs one typed for it
  if (!change) QTest::keyClicks(edit(&screen, QStringLiteral("edsenha")), QStringLiteral("X"));
  screen.btgravarClick();
  QCOMPARE(messages_->texts(), QStringList{message});
  const bool saved = message == QStringLiteral("Gravação efetuada");
  QCOMPARE(screen.state(), saved ? RecordScreen::State::Browse : RecordScreen::State::Edit);
  QCOMPARE(rows(QStringLiteral("select count(*) from usuarios")), before + (saved && !change ? 1 : 0));
  if (!saved) {
    QCOMPARE(QApplication::focusWidget(), ednome);
    QCOMPARE(messages_->calls.first().icon, name.trimmed().isEmpty() ? Messages::Icon::Error : Messages::Icon::Warning);
    QCOMPARE(rows(QStringLiteral("select count(*) from rastro")), 0);
  }
}

void TestUsers::newUserGetsThePasswordTypedForIt_data() {
  QTest::addColumn<QString>("typed");  // typed into the password after "Novo"; empty: passed through
  QTest::newRow("passed through") << "";
  QTest::newRow("typed") << "NOVA";
}

void TestUsers::newUserGetsThePasswordTypedForIt() {
  QFETCH(QString, typed);
  QString error;
  QVERIFY2(insertUser(QStringLiteral("BIA"), QStringLiteral("SENHA1"), QStringLiteral("5"), &error), qPrintable(error));
  TFrmCadUsuarios screen;
  QVERIFY(showActive(&screen));
  QVERIFY(showUser(screen, QStringLiteral("BIA")));
  button(&screen, "btnovo")->click();
  auto *ednome = edit(&screen, QStringLiteral("ednome"));
  auto *edsenha = edit(&screen, QStringLiteral("edsenha"));
  QCOMPARE(ednome->text(), QStringLiteral("BIA"));  // the name stays for the user to change
  QVERIFY(edsenha->text().isEmpty());              // the shown user's password does not
  ednome->setText(QStringLiteral("CARLA"));
  edsenha->setFocus();
  QTest::keyClicks(edsenha, typed);
  pressEnter();
  button(&screen, "btgravar")->click();

  if (typed.isEmpty()) {
    QCOMPARE(messages_->texts(), QStringList{QStringLiteral("Senha Obrigatória")});
    QCOMPARE(messages_->calls.first().icon, Messages::Icon::Warning);
    QCOMPARE(messages_->calls.first().title, QStringLiteral("Atenção"));
    QCOMPARE(screen.state(), RecordScreen::State::Edit);
    QCOMPARE(QApplication::focusWidget(), edsenha);
    QCOMPARE(rows(QStringLiteral("select count(*) from usuarios where nome = 'CARLA'")), 0);
    QCOMPARE(rows(QStringLiteral("select count(*) from rastro")), 0);
    return;
  }
  QCOMPARE(messages_->texts(), QStringList{QStringLiteral("Gravação efetuada")});
  QCOMPARE(storedPassword(QStringLiteral("CARLA")), Scramble::scramble(typed));
  QCOMPARE(storedPassword(QStringLiteral("BIA")), Scramble::scramble(QStringLiteral("SENHA1")));
  QVERIFY(logsIn(QStringLiteral("CARLA"), typed));
  QVERIFY(!logsIn(QStringLiteral("CARLA"), QStringLiteral("SENHA1")));
}

void TestUsers::deletingAUserRemovesItsRows() {
  QString error;
  // Two rows of one name, left by an older installation, and a name the server takes for the same.
  for (const char *name : {"DUPLO", "DUPLO", "DÚPLO"})
    QVERIFY2(insertUser(QString::fromUtf8(name), QStringLiteral("X"), QStringLiteral("1"), &error), qPrintable(error));
  TFrmCadUsuarios screen;
  QVERIFY(showActive(&screen));
  QVERIFY(showUser(screen, QStringLiteral("DUPLO")));

  button(&screen, "btexcluir")->click();  // unanswered: the default is No
  QCOMPARE(messages_->texts(), QStringList{QStringLiteral("Deseja Excluir o Usuário?")});
  QCOMPARE(messages_->calls.first().icon, Messages::Icon::Question);
  QCOMPARE(rows(QStringLiteral("select count(*) from usuarios")), 4);

  messages_->answer(QMessageBox::Yes);
  button(&screen, "btexcluir")->click();
  QCOMPARE(rows(QStringLiteral("select count(*) from usuarios where nome = 'DUPLO' and binary nome = 'DUPLO'")), 0);
  QCOMPARE(rows(QStringLiteral("select count(*) from usuarios")), 2);
  QCOMPARE(rows(QStringLiteral("select count(*) from rastro where rotina = 'USUARIOS' and operacao = 'E' and historico = 'DUPLO'")), 1);
  QCOMPARE(screen.dataset()->rowCount(), 2);
}

void TestUsers::aRefusedDeletionLeavesEveryRow() {
  QString error;
  for (int i = 0; i < 2; ++i)
    QVERIFY2(insertUser(QStringLiteral("DUPLO"), QStringLiteral("X"), QStringLiteral("1"), &error), qPrintable(error));
  // the server refuses only the second of the two rows: the first may already be gone when it does
  const int second = rows(QStringLiteral("select max(codigo) from usuarios where nome = 'DUPLO'"));
  QVERIFY(refuse(QStringLiteral("delete"), QStringLiteral("usuarios"), QStringLiteral("old.codigo = %1").arg(second),
                 QStringLiteral("Exclusão recusada")));
  TFrmCadUsuarios screen;
  QVERIFY(showActive(&screen));
  QVERIFY(showUser(screen, QStringLiteral("DUPLO")));
  messages_->answer(QMessageBox::Yes);
  button(&screen, "btexcluir")->click();
  QCOMPARE(messages_->texts(), (QStringList{QStringLiteral("Deseja Excluir o Usuário?"), QStringLiteral("Exclusão recusada")}));
  QCOMPARE(rows(QStringLiteral("select count(*) from usuarios where nome = 'DUPLO'")), 2);
  QCOMPARE(rows(QStringLiteral("select count(*) from rastro")), 0);  // the audit row went back with the rows
  QVERIFY(screen.isVisible());
  QCOMPARE(edit(&screen, QStringLiteral("ednome"))->text(), QStringLiteral("DUPLO"));
}

void TestUsers::passwordChange_data() {
  QTest::addColumn<QString>("current");
  QTest::addColumn<QString>("fresh");
  QTest::addColumn<QString>("confirmed");
  QTest::addColumn<QString>("message");
  QTest::addColumn<QString>("stored");  // the clear password stored afterwards
  QTest::newRow("wrong current") << "ERRADA" << "NOVA1" << "NOVA1" << "Senha Inválida" << "ADMIN";
  QTest::newRow("two different new ones") << "ADMIN" << "NOVA1" << "NOVA2" << "Senhas diferentes" << "ADMIN";
  QTest::newRow("an empty new one") << "ADMIN" << "" << "" << "Senha Obrigatória" << "ADMIN";
  QTest::newRow("success") << "admin" << "nova1" << "NOVA1" << "Senha alterada com Sucesso" << "NOVA1";
  // the server's own text, and the dialog stays for another try
  QTest::newRow("refused by the server") << "ADMIN" << "NOVA1" << "NOVA1" << "Troca recusada" << "ADMIN";
}

void TestUsers::passwordChange() {
  QFETCH(QString, current);
  QFETCH(QString, fresh);
  QFETCH(QString, confirmed);
  QFETCH(QString, message);
  QFETCH(QString, stored);
  if (QByteArray(QTest::currentDataTag()) == "refused by the server")
    QVERIFY(refuse(QStringLiteral("update"), QStringLiteral("usuarios"), QStringLiteral("true"), message));
  TFrmAlterarSenha dialog;
  QCOMPARE(dialog.windowTitle(), QStringLiteral("Alterar Senha"));
  QVERIFY(showActive(&dialog));
  auto *edsenhaatual = edit(&dialog, QStringLiteral("edsenhaatual"));
  auto *ednovasenha = edit(&dialog, QStringLiteral("ednovasenha"));
  auto *edconfirmarsenha = edit(&dialog, QStringLiteral("edconfirmarsenha"));
  QCOMPARE(QApplication::focusWidget(), edsenhaatual);
  QTest::keyClicks(edsenhaatual, current);
  pressEnter();
  if (message == QStringLiteral("Senha Inválida")) {
    // refused on leaving the field: emptied, the focus stays
    QCOMPARE(messages_->texts(), QStringList{message});
    QCOMPARE(messages_->calls.first().icon, Messages::Icon::Information);
    QVERIFY(edsenhaatual->text().isEmpty());
    QCOMPARE(QApplication::focusWidget(), edsenhaatual);
    // and "&Confirmar" runs the same check
    messages_->clear();
    edsenhaatual->setText(current);
    ednovasenha->setText(fresh);
    edconfirmarsenha->setText(confirmed);
    button(&dialog, "btconfirmar")->click();
  } else {
    QCOMPARE(QApplication::focusWidget(), ednovasenha);
    QTest::keyClicks(ednovasenha, fresh);
    pressEnter();
    QTest::keyClicks(edconfirmarsenha, confirmed);
    pressEnter();
    QCOMPARE(QApplication::focusWidget(), button(&dialog, "btconfirmar"));
    QTest::keyClick(button(&dialog, "btconfirmar"), Qt::Key_Space);
  }
  QCOMPARE(messages_->texts(), QStringList{message});
  QCOMPARE(storedPassword(kAdmin), Scramble::scramble(stored));
  const bool changed = message == QStringLiteral("Senha alterada com Sucesso");
  QCOMPARE(dialog.result(), int(changed ? QDialog::Accepted : QDialog::Rejected));
  QCOMPARE(dialog.isVisible(), !changed);
  if (message == QStringLiteral("Senhas diferentes")) {
    for (QLineEdit *e : {edsenhaatual, ednovasenha, edconfirmarsenha}) QVERIFY(e->text().isEmpty());
    QCOMPARE(QApplication::focusWidget(), edsenhaatual);
  }
  if (changed) QVERIFY(logsIn(kAdmin, stored));
  QCOMPARE(rows(QStringLiteral("select count(*) from rastro")), 0);
}

QTEST_MAIN(TestUsers)
#include "tst_users.moc"
