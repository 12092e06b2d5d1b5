#include <QtTest>
#include <QLineEdit>
#include <QMessageBox>
#include <QSqlDatabase>
#include <QSqlQuery>

#include "app/frmbemvindo.h"
#include "app/messages.h"
#include "app/session.h"
#include "tests/app/loginfixture.h"
#include "tests/support/testdatabase.h"

// The login window driven by keys, offscreen, with every box answered by the script.
class TestLogin : public QObject {
  Q_OBJECT
 private slots:
  void initTestCase();
  void init();
  void cleanup();

  void userFieldForcesUpperCase();
  void unknownUserIsReported_data();
  void unknownUserIsReported();
  void emptyPasswordIsRequired();
  void wrongThenRightPassword();
  void enterInPasswordFieldRunsTheCheck();
  void escapeAfterAFailureLeavesTheProgram();
  void bothFieldsLeftEmptyLeaveTheProgram();
  void closingFromOutsideIsRefused();
  void databaseFailureKeepsTheTypedPassword();
  void realMessageBoxesKeepTheFocusRules();

 private:
  QLineEdit *field(const char *name) const { return window_->findChild<QLineEdit *>(QLatin1String(name)); }
  void type(const char *fieldName, const QString &text);
  void press(const char *fieldName, Qt::Key key) { QTest::keyClick(field(fieldName), key); }

  std::unique_ptr<ScriptedMessages> messages_;
  std::unique_ptr<TFrmBemVindo> window_;
};

void TestLogin::initTestCase() {
  QString error;
  QVERIFY2(TestDatabase::openFresh(&error), qPrintable(error));
  QVERIFY2(insertUser(QStringLiteral("ADMIN"), QStringLiteral("ADMIN"), QStringLiteral("5"), &error),
           qPrintable(error));
  QVERIFY2(insertUser(QStringLiteral("JOSÉ"), QStringLiteral("123"), QStringLiteral("5"), &error), qPrintable(error));
}

void TestLogin::init() {
  Session::instance().clear();
  messages_ = std::make_unique<ScriptedMessages>();
  window_ = std::make_unique<TFrmBemVindo>();
  window_->show();
  QVERIFY(QTest::qWaitForWindowActive(window_.get()));
  QCOMPARE(QApplication::focusWidget(), field("edusuario"));
}

void TestLogin::cleanup() {
  window_.reset();
  messages_.reset();
  if (!QSqlDatabase::database().isOpen()) QVERIFY(QSqlDatabase::database().open());
}

void TestLogin::type(const char *fieldName, const QString &text) {
  field(fieldName)->setFocus();
  QTest::keyClicks(field(fieldName), text);
}

void TestLogin::userFieldForcesUpperCase() {
  type("edusuario", QStringLiteral("admin"));
  QCOMPARE(field("edusuario")->text(), QStringLiteral("ADMIN"));
  QCOMPARE(field("edsenha")->echoMode(), QLineEdit::Password);
  QCOMPARE(window_->windowTitle(), QStringLiteral("Bem Vindo"));
  QCOMPARE(field("edusuario")->toolTip(), QStringLiteral("Pressione ESC para sair"));
  QCOMPARE(field("edsenha")->toolTip(), QStringLiteral("Pressione ESC para sair"));
}

void TestLogin::unknownUserIsReported_data() {
  QTest::addColumn<QString>("typed");
  QTest::newRow("never registered") << QStringLiteral("FULANO");
  // The server would take "JOSE" for "JOSÉ"; the login compares exactly.
  QTest::newRow("accent missing") << QStringLiteral("JOSE");
}

void TestLogin::unknownUserIsReported() {
  QFETCH(QString, typed);
  field("edusuario")->setText(typed);
  press("edusuario", Qt::Key_Tab);
  QCOMPARE(messages_->calls.size(), 1);
  QCOMPARE(messages_->calls[0].icon, Messages::Icon::Warning);
  QCOMPARE(messages_->calls[0].title, QStringLiteral("Atenção"));
  QCOMPARE(messages_->calls[0].text, QStringLiteral("Usuário não cadastrado"));
  QCOMPARE(QApplication::focusWidget(), field("edusuario"));
  QVERIFY(window_->isVisible());
}

void TestLogin::emptyPasswordIsRequired() {
  type("edusuario", QStringLiteral("ADMIN"));
  press("edusuario", Qt::Key_Tab);
  QVERIFY2(messages_->calls.isEmpty(), "a registered user passes silently");
  QCOMPARE(QApplication::focusWidget(), field("edsenha"));
  press("edsenha", Qt::Key_Tab);
  QCOMPARE(messages_->texts(), QStringList{QStringLiteral("Senha Obrigatória")});
  QCOMPARE(messages_->calls[0].icon, Messages::Icon::Warning);
  QCOMPARE(QApplication::focusWidget(), field("edsenha"));
  QVERIFY(window_->isVisible());
  QVERIFY(Session::instance().user().isEmpty());
}

void TestLogin::wrongThenRightPassword() {
  type("edusuario", QStringLiteral("ADMIN"));
  press("edusuario", Qt::Key_Tab);
  QTest::keyClicks(field("edsenha"), QStringLiteral("ADMIM"));
  press("edsenha", Qt::Key_Tab);
  QCOMPARE(messages_->texts(), QStringList{QStringLiteral("Acesso não permitido")});
  QCOMPARE(messages_->calls[0].icon, Messages::Icon::Warning);
  QVERIFY(field("edsenha")->text().isEmpty());
  QCOMPARE(field("edusuario")->text(), QStringLiteral("ADMIN"));
  QCOMPARE(QApplication::focusWidget(), field("edusuario"));
  QVERIFY(window_->isVisible());

  // Second attempt, typed in lower case: the field turns it upper case, and what is compared is the
  // scramble of what was typed this time.
  press("edusuario", Qt::Key_Tab);
  QTest::keyClicks(field("edsenha"), QStringLiteral("admin"));
  press("edsenha", Qt::Key_Tab);
  QCOMPARE(messages_->calls.size(), 1);
  QCOMPARE(window_->result(), int(QDialog::Accepted));
  QVERIFY(!window_->isVisible());
  QVERIFY(!window_->leftProgram());
  QCOMPARE(Session::instance().user(), QStringLiteral("ADMIN"));
  QCOMPARE(Session::instance().brokerage(), QStringLiteral("1"));
}

void TestLogin::enterInPasswordFieldRunsTheCheck() {
  field("edusuario")->setText(QStringLiteral("JOSÉ"));
  press("edusuario", Qt::Key_Return);  // Enter moves on as Tab does
  QCOMPARE(QApplication::focusWidget(), field("edsenha"));
  QTest::keyClicks(field("edsenha"), QStringLiteral("123"));
  press("edsenha", Qt::Key_Enter);
  QVERIFY(messages_->calls.isEmpty());
  QCOMPARE(window_->result(), int(QDialog::Accepted));
  QCOMPARE(Session::instance().user(), QStringLiteral("JOSÉ"));
}

void TestLogin::escapeAfterAFailureLeavesTheProgram() {
  type("edusuario", QStringLiteral("ADMIN"));
  press("edusuario", Qt::Key_Tab);
  QTest::keyClicks(field("edsenha"), QStringLiteral("X"));
  press("edsenha", Qt::Key_Tab);
  QCOMPARE(messages_->texts(), QStringList{QStringLiteral("Acesso não permitido")});
  field("edsenha")->setFocus();
  press("edsenha", Qt::Key_Escape);
  QVERIFY(window_->leftProgram());
  QCOMPARE(window_->result(), int(QDialog::Rejected));
  QVERIFY(!window_->isVisible());
  QCOMPARE(messages_->calls.size(), 1);
  QVERIFY(Session::instance().user().isEmpty());
}

void TestLogin::bothFieldsLeftEmptyLeaveTheProgram() {
  press("edusuario", Qt::Key_Tab);
  QVERIFY(window_->isVisible());
  press("edsenha", Qt::Key_Tab);
  QVERIFY(window_->leftProgram());
  QVERIFY(!window_->isVisible());
  QVERIFY(messages_->calls.isEmpty());
}

void TestLogin::closingFromOutsideIsRefused() {
  QVERIFY(!window_->close());
  window_->reject();
  QVERIFY(window_->isVisible());
  QVERIFY(!window_->leftProgram());
  QVERIFY(!(window_->windowFlags() & Qt::WindowCloseButtonHint));
}

void TestLogin::databaseFailureKeepsTheTypedPassword() {
  type("edusuario", QStringLiteral("ADMIN"));
  press("edusuario", Qt::Key_Tab);
  QTest::keyClicks(field("edsenha"), QStringLiteral("ADMIN"));
  QSqlDatabase::database().close();
  press("edsenha", Qt::Key_Tab);
  QCOMPARE(messages_->calls.size(), 1);
  QCOMPARE(messages_->calls[0].icon, Messages::Icon::Error);
  QVERIFY(window_->isVisible());
  // The field still holds what was typed, not its scramble, so the retry checks the same password.
  QCOMPARE(field("edsenha")->text(), QStringLiteral("ADMIN"));
  QCOMPARE(QApplication::focusWidget(), field("edsenha"));

  QVERIFY(QSqlDatabase::database().open());
  press("edsenha", Qt::Key_Tab);
  QCOMPARE(messages_->calls.size(), 1);
  QCOMPARE(window_->result(), int(QDialog::Accepted));
  QCOMPARE(Session::instance().user(), QStringLiteral("ADMIN"));
}

void TestLogin::realMessageBoxesKeepTheFocusRules() {
  // The real boxes take the focus away while they are shown; that must not count as leaving a field.
  // (The field that gets the focus back is the window's focus widget once the box is gone.)
  messages_.reset();
  QStringList shown;
  QTimer closer;
  closer.setInterval(20);
  connect(&closer, &QTimer::timeout, [&] {
    if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
      shown << box->text();
      box->accept();
    }
  });
  closer.start();

  field("edusuario")->setText(QStringLiteral("FULANO"));
  press("edusuario", Qt::Key_Tab);
  QCOMPARE(shown, QStringList{QStringLiteral("Usuário não cadastrado")});
  QTRY_COMPARE(window_->focusWidget(), field("edusuario"));
  // The desktop gives the window back its activation once the box is gone.
  window_->activateWindow();
  QVERIFY(QTest::qWaitForWindowActive(window_.get()));
  QCOMPARE(QApplication::focusWidget(), field("edusuario"));

  field("edusuario")->setText(QStringLiteral("ADMIN"));
  press("edusuario", Qt::Key_Tab);
  QCOMPARE(QApplication::focusWidget(), field("edsenha"));
  QTest::keyClicks(field("edsenha"), QStringLiteral("ERRADA"));
  press("edsenha", Qt::Key_Tab);
  QCOMPARE(shown, (QStringList{QStringLiteral("Usuário não cadastrado"), QStringLiteral("Acesso não permitido")}));
  QTRY_COMPARE(window_->focusWidget(), field("edusuario"));
  QVERIFY(field("edsenha")->text().isEmpty());
  QTest::qWait(100);
  QCOMPARE(shown.size(), 2);
  QVERIFY(window_->isVisible());
}

QTEST_MAIN(TestLogin)
#include "tst_login.moc"
