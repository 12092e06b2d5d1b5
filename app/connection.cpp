#include "app/connection.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QStringDecoder>

QSqlDatabase ConnectionSettings::configure(const QString &connectionName) const {
  QSqlDatabase db = QSqlDatabase::contains(connectionName)
                        ? QSqlDatabase::database(connectionName, false)
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
  if (error) *error = serverText(db.lastError());
  return false;
}

QString serverText(const QSqlError &error) {
  const QString text = error.databaseText().isEmpty() ? error.text() : error.databaseText();
  // Only a text that is entirely Latin-1 and forms valid UTF-8 once re-encoded can have been mis-decoded.
  for (const QChar c : text)
    if (c.unicode() > 0xFF) return text;
  const QByteArray bytes = text.toLatin1();
  auto decoder = QStringDecoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
  const QString mended = decoder(bytes);
  return decoder.hasError() ? text : mended;
}

bool execBound(QSqlQuery &q, const QString &sql, const QVariantList &values, QString *error) {
  bool ok = q.prepare(sql);
  if (ok) {
    for (const QVariant &v : values) q.addBindValue(v);
    ok = q.exec();
  }
  if (!ok && error) *error = serverText(q.lastError());
  return ok;
}

bool execBound(QSqlDatabase db, const QString &sql, const QVariantList &values, QString *error) {
  QSqlQuery q(db);
  return execBound(q, sql, values, error);
}
