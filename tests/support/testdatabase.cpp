#include "tests/support/testdatabase.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>

#include "app/embeddedserver.h"
#include "app/schemainstaller.h"

ConnectionSettings TestDatabase::serverSettings() {
  const QString socket = qEnvironmentVariable("VELMORA_TEST_SOCKET");
  return EmbeddedServer(QStringLiteral("/nonexistent"), socket).connectionSettings();
}

bool TestDatabase::openFresh(const QString &name, QString *error) {
  QString db = name;
  if (db.isEmpty()) db = QStringLiteral("t_") + QFileInfo(QCoreApplication::applicationFilePath()).baseName();
  if (qEnvironmentVariable("VELMORA_TEST_SOCKET").isEmpty()) {
    *error = QStringLiteral("VELMORA_TEST_SOCKET não definido: rode o teste pelo ctest.");
    return false;
  }
  ConnectionSettings settings = serverSettings();
  if (!settings.open(QLatin1String(QSqlDatabase::defaultConnection), error)) return false;
  {
    QSqlQuery q;
    if (!q.exec(QStringLiteral("DROP DATABASE IF EXISTS `%1`").arg(db))) {
      *error = q.lastError().databaseText();
      return false;
    }
  }
  if (!SchemaInstaller::createDatabase(QSqlDatabase::database(), db, error)) return false;
  settings.database = db;
  if (!settings.open(QLatin1String(QSqlDatabase::defaultConnection), error)) return false;
  return SchemaInstaller(QSqlDatabase::database()).apply(error);
}
