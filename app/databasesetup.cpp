#include "app/databasesetup.h"

#include <QSqlDatabase>

#include "app/embeddedserver.h"
#include "app/schemainstaller.h"

namespace {

const QString kSetupConnection = QStringLiteral("velmora-setup");

// Runs `work` over a private connection that is closed and removed afterwards.
template <typename Work>
bool withConnection(const ConnectionSettings &settings, QString *error, Work work) {
  bool ok = false;
  {
    if (settings.open(kSetupConnection, error)) ok = work(QSqlDatabase::database(kSetupConnection, false));
    QSqlDatabase::database(kSetupConnection, false).close();
  }
  QSqlDatabase::removeDatabase(kSetupConnection);
  return ok;
}

bool ensureSchema(const ConnectionSettings &settings, bool alwaysApply, const QString &user, const QString &password,
                  QString *error) {
  ConnectionSettings server = settings;
  server.database.clear();
  const bool created = withConnection(
      server, error, [&](QSqlDatabase db) { return SchemaInstaller::createDatabase(db, settings.database, error); });
  if (!created) return false;
  return withConnection(settings, error, [&](QSqlDatabase db) {
    SchemaInstaller installer(db);
    if (!alwaysApply && installer.isInstalled()) return true;
    return installer.apply(error) && installer.createFirstUser(user, password, error);
  });
}

}  // namespace

bool prepareEmbeddedDatabase(EmbeddedServer &server, ConnectionSettings *settings, QString *error) {
  if (!server.start(error)) return false;
  *settings = server.connectionSettings(QString::fromLatin1(kEmbeddedDatabase));
  return ensureSchema(*settings, false, QStringLiteral("ADMIN"), QStringLiteral("ADMIN"), error);
}

bool installSchema(const ConnectionSettings &settings, const QString &firstUser, const QString &password,
                   QString *error) {
  return ensureSchema(settings, true, firstUser, password, error);
}
