#include <QtTest>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>

#include "app/databasesetup.h"
#include "app/embeddedserver.h"

// Each test works on a server of its own in a temporary folder, apart from the run's shared server.
class TestEmbeddedServer : public QObject {
  Q_OBJECT
 private slots:
  void initTestCase();
  void firstStartPreparesTheDatabase();
  void dataSurvivesARestart();
  void secondCopyAttachesWithoutHarm();
  void unwritableFolderIsReported();
  void missingMariaDbIsReported();
  void cleanupTestCase();

 private:
  int count(const ConnectionSettings &s, const QString &sql);
  QTemporaryDir dir_{QStringLiteral("/tmp/vemb-XXXXXX")};
};

int TestEmbeddedServer::count(const ConnectionSettings &s, const QString &sql) {
  int n = -1;
  {
    QString error;
    if (!s.open(QStringLiteral("probe"), &error)) return -1;
    QSqlQuery q(QSqlDatabase::database(QStringLiteral("probe")));
    if (q.exec(sql) && q.next()) n = q.value(0).toInt();
  }
  QSqlDatabase::removeDatabase(QStringLiteral("probe"));
  return n;
}

void TestEmbeddedServer::initTestCase() { QVERIFY(dir_.isValid()); }

void TestEmbeddedServer::firstStartPreparesTheDatabase() {
  EmbeddedServer server(dir_.path());
  ConnectionSettings settings;
  QString error;
  QVERIFY2(prepareEmbeddedDatabase(server, &settings, &error), qPrintable(error));
  QVERIFY(server.startedHere());
  QVERIFY(server.answers());
  QCOMPARE(count(settings, QStringLiteral("SELECT COUNT(*) FROM usuarios WHERE nome = 'ADMIN'")), 1);
  QCOMPARE(count(settings, QStringLiteral("SELECT COUNT(*) FROM parametros")), 1);
  QCOMPARE(count(settings, QStringLiteral("SELECT @@skip_networking")), 1);
  QCOMPARE(count(settings, QStringLiteral("SELECT @@lower_case_table_names")), 1);
  QVERIFY2(count(settings, QStringLiteral("SELECT COUNT(*) FROM USUARIOS")) == 1, "names resolve without case");
  QVERIFY(count(settings, QStringLiteral("SELECT COUNT(*) FROM regiao WHERE nome = 'NORTE'")) == 0);
  {
    QString error;
    QVERIFY2(settings.open(QStringLiteral("writer"), &error), qPrintable(error));
    QVERIFY(QSqlQuery(QSqlDatabase::database(QStringLiteral("writer")))
                .exec(QStringLiteral("INSERT INTO regiao (nome) VALUES ('NORTE')")));
  }
  QSqlDatabase::removeDatabase(QStringLiteral("writer"));
  QCOMPARE(count(settings, QStringLiteral("SELECT COUNT(*) FROM regiao WHERE nome = 'NORTE'")), 1);
  QVERIFY2(server.stop(&error), qPrintable(error));
  QVERIFY(!server.answers());
}

void TestEmbeddedServer::dataSurvivesARestart() {
  EmbeddedServer server(dir_.path());
  ConnectionSettings settings;
  QString error;
  QVERIFY2(prepareEmbeddedDatabase(server, &settings, &error), qPrintable(error));
  QVERIFY(server.startedHere());
  QCOMPARE(count(settings, QStringLiteral("SELECT COUNT(*) FROM regiao WHERE nome = 'NORTE'")), 1);
  // Preparing again does not add a second parameters row or first user.
  QCOMPARE(count(settings, QStringLiteral("SELECT COUNT(*) FROM usuarios")), 1);
  QCOMPARE(count(settings, QStringLiteral("SELECT COUNT(*) FROM parametros")), 1);
}

void TestEmbeddedServer::secondCopyAttachesWithoutHarm() {
  // The first copy's server is still running from the previous test.
  EmbeddedServer second(dir_.path());
  ConnectionSettings settings;
  QString error;
  QVERIFY2(prepareEmbeddedDatabase(second, &settings, &error), qPrintable(error));
  QVERIFY(!second.startedHere());
  QCOMPARE(count(settings, QStringLiteral("SELECT COUNT(*) FROM regiao WHERE nome = 'NORTE'")), 1);
  // Leaving the second copy must not stop the server of the first.
  QVERIFY(second.stopIfStartedHere(&error));
  QVERIFY(second.answers());
  QVERIFY2(second.stop(&error), qPrintable(error));
  QVERIFY(!second.answers());
  QVERIFY(!QFileInfo::exists(dir_.path() + QStringLiteral("/mariadb.pid")));
}

void TestEmbeddedServer::unwritableFolderIsReported() {
  // A folder below a plain file can never be created, whoever runs the test.
  QFile blocker(dir_.path() + QStringLiteral("/plain-file"));
  QVERIFY(blocker.open(QIODevice::WriteOnly));
  blocker.close();
  EmbeddedServer server(blocker.fileName() + QStringLiteral("/velmora"));
  QString error;
  QVERIFY(!server.start(&error));
  QVERIFY2(error.contains(QStringLiteral("não pode ser gravada")), qPrintable(error));
}

void TestEmbeddedServer::missingMariaDbIsReported() {
  QTemporaryDir noPrograms;
  EmbeddedServer::setProgramFolders({noPrograms.path()});
  EmbeddedServer server(dir_.path() + QStringLiteral("/elsewhere"));
  QString error;
  const bool started = server.start(&error);
  EmbeddedServer::setProgramFolders({});
  QVERIFY(!started);
  QVERIFY2(error.startsWith(QStringLiteral("O MariaDB não está instalado neste computador")), qPrintable(error));
  QVERIFY(!QFileInfo::exists(dir_.path() + QStringLiteral("/elsewhere/data")));
}

void TestEmbeddedServer::cleanupTestCase() {
  QString error;
  EmbeddedServer(dir_.path()).stop(&error);
}

QTEST_GUILESS_MAIN(TestEmbeddedServer)
#include "tst_embeddedserver.moc"
