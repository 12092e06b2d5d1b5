#include <QtTest>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

#include "app/frmparametros.h"
#include "app/messages.h"
#include "app/record/combos.h"
#include "app/session.h"
#include "tests/support/screenhelpers.h"
#include "tests/support/testdatabase.h"

namespace {

QueryCombo *combo(QWidget *screen, const char *name) { return screen->findChild<QueryCombo *>(QLatin1String(name)); }

QString stored(const char *column) {
  return scalar(QStringLiteral("select %1 from parametros").arg(QLatin1String(column))).toString();
}

// Puts a text in the combo with the focus in it (the list's inline completion left aside).
void retype(QueryCombo *c, const QString &text) {
  c->setFocus();
  c->setEditText(text);
}

bool focused(QueryCombo *c) { return c->hasFocus() || c->lineEdit()->hasFocus(); }

}  // namespace

class TestParametros : public QObject {
  Q_OBJECT
 private slots:
  void initTestCase();
  void init();
  void cleanup();

  void showsTheStoredAccounts();
  void f5SavesBothAccounts_data();
  void f5SavesBothAccounts();
  void leavingAComboWithAnUnknownTextKeepsTheFocus();

 private:
  std::unique_ptr<ScriptedMessages> messages_;
};

void TestParametros::initTestCase() {
  QString error;
  QVERIFY2(TestDatabase::openFresh(&error), qPrintable(error));
  // CAIXA is "CX" from the first rows; two accounts share a description.
  QVERIFY(run(QStringLiteral("insert into contascorrente (conta, descricao) values "
                             "('001', 'BANCO DO BRASIL'), ('104', 'CAIXA ECONOMICA'), "
                             "('201', 'CONTA DUPLA'), ('202', 'CONTA DUPLA')")));
  Session::instance().login(QStringLiteral("ADMIN"));
}

void TestParametros::init() {
  QVERIFY(run(QStringLiteral("update parametros set contacaixa = 'CX', contabanco = '001'")));
  messages_ = std::make_unique<ScriptedMessages>();
}

void TestParametros::cleanup() { messages_.reset(); }

void TestParametros::showsTheStoredAccounts() {
  TFrmParametros screen;
  QCOMPARE(screen.windowTitle(), QStringLiteral("Parâmetros"));
  QVERIFY(showActive(&screen));
  QCOMPARE(combo(&screen, "cbcontacaixa")->currentText(), QStringLiteral("CAIXA"));
  QCOMPARE(combo(&screen, "cbcontabanco")->currentText(), QStringLiteral("BANCO DO BRASIL"));
  QCOMPARE(combo(&screen, "cbcontabanco")->count(), 5);
  QVERIFY(screen.findChild<QLabel *>(QStringLiteral("lbgravacao"))->text() ==
          QStringLiteral("Pressione F5 para efetuar gravação"));

  // A code that is no longer an account shows an empty combo.
  QVERIFY(run(QStringLiteral("update parametros set contabanco = '999'")));
  TFrmParametros again;
  QVERIFY(showActive(&again));
  QVERIFY(combo(&again, "cbcontabanco")->currentText().isEmpty());
  QVERIFY(messages_->calls.isEmpty());
}

void TestParametros::f5SavesBothAccounts_data() {
  QTest::addColumn<QString>("caixa");
  QTest::addColumn<QString>("banco");
  QTest::addColumn<QString>("message");
  QTest::addColumn<QString>("storedCaixa");
  QTest::addColumn<QString>("storedBanco");
  QTest::newRow("both changed") << "CAIXA ECONOMICA" << "CAIXA" << "" << "104" << "CX";
  QTest::newRow("bank emptied") << "CAIXA" << "" << "" << "CX" << "";
  QTest::newRow("both emptied") << "" << "" << "" << "" << "";
  QTest::newRow("two with one description: the first") << "CAIXA" << "CONTA DUPLA" << "" << "CX" << "201";
  QTest::newRow("unknown text refused") << "CAIXA" << "BANCO INEXISTENTE" << "Conta não Cadastrada" << "CX" << "001";
}

void TestParametros::f5SavesBothAccounts() {
  QFETCH(QString, caixa);
  QFETCH(QString, banco);
  QFETCH(QString, message);
  QFETCH(QString, storedCaixa);
  QFETCH(QString, storedBanco);
  TFrmParametros screen;
  QVERIFY(showActive(&screen));
  QueryCombo *cbcaixa = combo(&screen, "cbcontacaixa");
  QueryCombo *cbbanco = combo(&screen, "cbcontabanco");
  retype(cbcaixa, caixa);
  retype(cbbanco, banco);
  // F5 in the bank combo; the focus never left it, so only the save can refuse the text.
  QTest::keyClick(cbbanco->lineEdit(), Qt::Key_F5);
  QCOMPARE(messages_->texts(), message.isEmpty() ? QStringList() : QStringList{message});
  if (!message.isEmpty()) {
    QCOMPARE(messages_->calls.first().icon, Messages::Icon::Information);
    QCOMPARE(messages_->calls.first().title, QStringLiteral("Atenção"));
    QVERIFY(focused(cbbanco));
  }
  QCOMPARE(stored("contacaixa"), storedCaixa);
  QCOMPARE(stored("contabanco"), storedBanco);
  QVERIFY(!scalar(QStringLiteral("select contabanco from parametros")).isNull());
  QCOMPARE(rows(QStringLiteral("select count(*) from rastro")), 0);
  QVERIFY(screen.isVisible());
}

void TestParametros::leavingAComboWithAnUnknownTextKeepsTheFocus() {
  TFrmParametros screen;
  QVERIFY(showActive(&screen));
  QueryCombo *cbcaixa = combo(&screen, "cbcontacaixa");
  QueryCombo *cbbanco = combo(&screen, "cbcontabanco");
  retype(cbcaixa, QStringLiteral("XYZ"));
  pressEnter();
  QCOMPARE(messages_->texts(), QStringList{QStringLiteral("Conta não Cadastrada")});
  QVERIFY(focused(cbcaixa));
  // A known description moves on; Enter goes to the next combo.
  messages_->clear();
  cbcaixa->setEditText(QStringLiteral("CAIXA ECONOMICA"));
  pressEnter();
  QVERIFY(messages_->calls.isEmpty());
  QVERIFY(focused(cbbanco));
  // F5 from the cash combo saves too.
  cbcaixa->setFocus();
  QTest::keyClick(cbcaixa->lineEdit(), Qt::Key_F5);
  QCOMPARE(stored("contacaixa"), QStringLiteral("104"));
  QCOMPARE(stored("contabanco"), QStringLiteral("001"));
}

QTEST_MAIN(TestParametros)
#include "tst_parametros.moc"
