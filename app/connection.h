#pragma once

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QString>

// Where and as whom the program reaches its MariaDB server. A socket path wins over host and port.
struct ConnectionSettings {
  QString host;
  int port = 3306;
  QString socket;
  QString database;
  QString user;
  QString password;

  // Adds (or replaces) the named Qt connection with these settings; does not open it.
  QSqlDatabase configure(const QString &connectionName = QLatin1String(QSqlDatabase::defaultConnection)) const;
  // Configures and opens; on failure fills *error with the server's text.
  bool open(const QString &connectionName, QString *error) const;
};

// The server's message of a failed statement, as the user should read it. Qt's MySQL driver decodes the
// message of a failed prepared statement as Latin-1; the server sends UTF-8, so such text is mended here.
QString serverText(const QSqlError &error);

// Runs one statement with its values bound in order; on failure fills *error with the server's text.
bool execBound(QSqlDatabase db, const QString &sql, const QVariantList &values, QString *error);
// The same on a query of the caller's, which then holds the result rows.
bool execBound(QSqlQuery &q, const QString &sql, const QVariantList &values, QString *error);
