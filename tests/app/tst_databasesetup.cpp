#include <QtTest>
#include <QSqlDatabase>
#include <QSqlQuery>

#include "app/databasesetup.h"
#include "app/schemainstaller.h"
#include "common/scramble.h"
#include "tests/support/testdatabase.h"

class TestDatabaseSetup : public QObject {
  Q_OBJECT
 private slots:
  void installsOntoASharedServerWithTheGivenFirstUser();
  void reportsTheServerTextOfAFailingScript();
  void refusesAnUnusableFirstUser_data();
  void refusesAnUnusableFirstUser();
};

static QVariant scalar(const QString &connection, const QString &sql) {
  QSqlQuery q(QSqlDatabase::database(connection));
  if (!q.exec(sql) || !q.next()) return QVariant();
  return q.value(0);
}

void TestDatabaseSetup::installsOntoASharedServerWithTheGivenFirstUser() {
  ConnectionSettings shared = TestDatabase::serverSettings();
  shared.database = QStringLiteral("t_shared_install");
  {
    ConnectionSettings server = TestDatabase::serverSettings();
    QString error;
    QVERIFY2(server.open(QStringLiteral("admin"), &error), qPrintable(error));
    QSqlQuery(QSqlDatabase::database(QStringLiteral("admin")))
        .exec(QStringLiteral("DROP DATABASE IF EXISTS t_shared_install"));
  }
  QString error;
  QVERIFY2(installSchema(shared, QStringLiteral("gerente"), QStringLiteral("abc123"), &error), qPrintable(error));
  // Installing again (another name offered) keeps the first user and the first rows as they are.
  QVERIFY2(installSchema(shared, QStringLiteral("OUTRO"), QStringLiteral("x"), &error), qPrintable(error));

  QVERIFY2(shared.open(QStringLiteral("shared"), &error), qPrintable(error));
  QSqlQuery q(QSqlDatabase::database(QStringLiteral("shared")));
  QVERIFY(
      q.exec(QStringLiteral("SELECT nome, senha, cadastro, tabelas, usuarios, parametros, producao, individual, "
                            "pme, auto, movimentacao, financeiro, rh FROM usuarios")));
  QVERIFY(q.next());
  QCOMPARE(q.value(0).toString(), QStringLiteral("GERENTE"));
  QCOMPARE(q.value(1).toString(), Scramble::scramble(QStringLiteral("ABC123")));
  for (int i = 2; i <= 12; ++i) QCOMPARE(q.value(i).toString(), QStringLiteral("5"));
  QVERIFY(!q.next());

  QCOMPARE(scalar("shared", "SELECT COUNT(*) FROM parametros").toInt(), 1);
  QCOMPARE(scalar("shared", "SELECT COUNT(*) FROM estados").toInt(), 27);
  QCOMPARE(scalar("shared", "SELECT COUNT(*) FROM contascorrente WHERE conta = 'CX'").toInt(), 1);
  QCOMPARE(scalar("shared", "SELECT nome FROM seguros_clientes WHERE codigo = 0").toString(), QStringLiteral("N/I"));
  QCOMPARE(scalar("shared", "SELECT COUNT(*) FROM statusprop WHERE nome = '08-PROPOSTA CANCELADA'").toInt(), 1);
  QVERIFY(scalar("shared", "SELECT COUNT(*) FROM formapagto").toInt() > 0);
  QCOMPARE(scalar("shared", "SELECT @@lower_case_table_names").toInt(), 1);
}

void TestDatabaseSetup::reportsTheServerTextOfAFailingScript() {
  QString error;
  QVERIFY2(TestDatabase::openFresh(QStringLiteral("t_setup_failing"), &error), qPrintable(error));
  SchemaInstaller installer(QSqlDatabase::database());
  QVERIFY(installer.isInstalled());
  const bool ok = installer.apply({{QStringLiteral("050_ok.sql"), QStringLiteral("SELECT 1;")},
                                   {QStringLiteral("060_broken.sql"), QStringLiteral("SELECT 1;\nCREATE TABLE (;")}},
                                  &error);
  QVERIFY(!ok);
  QVERIFY2(error.contains(QStringLiteral("060_broken.sql")), qPrintable(error));
  QVERIFY2(error.contains(QStringLiteral("comando 2")), qPrintable(error));
  QVERIFY2(error.contains(QStringLiteral("SQL syntax")), qPrintable(error));

  QSqlQuery(QSqlDatabase::database()).exec(QStringLiteral("DROP DATABASE IF EXISTS t_setup_empty"));
  QVERIFY(SchemaInstaller::createDatabase(QSqlDatabase::database(), QStringLiteral("t_setup_empty"), &error));
  ConnectionSettings empty = TestDatabase::serverSettings();
  empty.database = QStringLiteral("t_setup_empty");
  QVERIFY2(empty.open(QStringLiteral("empty"), &error), qPrintable(error));
  QVERIFY(!SchemaInstaller(QSqlDatabase::database(QStringLiteral("empty"))).isInstalled());

  QVERIFY(!SchemaInstaller::createDatabase(QSqlDatabase::database(), QStringLiteral("x`; DROP DATABASE y"), &error));
  QVERIFY(error.contains(QStringLiteral("inválido")));
}

void TestDatabaseSetup::refusesAnUnusableFirstUser_data() {
  QTest::addColumn<QString>("name");
  QTest::addColumn<QString>("password");
  QTest::newRow("empty name") << "  "
                              << "ADMIN";
  QTest::newRow("name too long") << QString(31, u'A') << "ADMIN";
  QTest::newRow("empty password") << "ADMIN"
                                  << "";
  QTest::newRow("password too long") << "ADMIN"
                                     << "1234567";
}

void TestDatabaseSetup::refusesAnUnusableFirstUser() {
  QFETCH(QString, name);
  QFETCH(QString, password);
  QString error;
  QVERIFY2(TestDatabase::openFresh(QStringLiteral("t_setup_user"), &error), qPrintable(error));
  QVERIFY(!SchemaInstaller(QSqlDatabase::database()).createFirstUser(name, password, &error));
  QVERIFY(!error.isEmpty());
  QCOMPARE(scalar(QLatin1String(QSqlDatabase::defaultConnection), "SELECT COUNT(*) FROM usuarios").toInt(), 0);
}

QTEST_GUILESS_MAIN(TestDatabaseSetup)
#include "tst_databasesetup.moc"
