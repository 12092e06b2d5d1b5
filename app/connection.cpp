#include "app/connection.h"

#include <QSqlError>
#include <QSqlQuery>

QSqlDatabase ConnectionSettings::configure(const QString &connectionName) const {
  QSqlDatabase db = QSqlDatabase::contains(connectionName) ? QSqlDatabase::database(connectionName, false)
                                                           : QSqlDatabase::addDatabase(QStringLiteral("QMYSQL"), connectionName);
  if (db.isOpen()) db.close();
  QStringList options{QStringLiteral("MYSQL_OPT_CONNECT_TIMEOUT=10")};
  if (!socket.isEmpty()) {
    options << QStringLiteral("UNIX_SOCKET=") + socket;
    db.setHostName(QStringLiteral("localhost"));
  } else {
    db.setHostName(host);
    db.setPort(port);
  }
  db.setConnectOptions(options.join(u';'));
  db.setDatabaseName(database);
  db.setUserName(user);
  db.setPassword(password);
  return db;
}

bool ConnectionSettings::open(const QString &connectionName, QString *error) const {
  QSqlDatabase db = configure(connectionName);
  if (db.open()) {
    QSqlQuery q(db);
    q.exec(QStringLiteral("SET NAMES utf8mb4"));
    return true;
  }
  if (error) *error = db.lastError().databaseText().isEmpty() ? db.lastError().text() : db.lastError().databaseText();
  return false;
}

bool execBound(QSqlDatabase db, const QString &sql, const QVariantList &values, QString *error) {
  QSqlQuery q(db);
  if (!q.prepare(sql)) {
    if (error) *error = q.lastError().databaseText();
    return false;
  }
  for (const QVariant &v : values) q.addBindValue(v);
  if (!q.exec()) {
    if (error) *error = q.lastError().databaseText();
    return false;
  }
  return true;
}
