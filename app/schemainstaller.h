#pragma once

#include <QList>
#include <QSqlDatabase>
#include <QString>
#include <QStringList>

// Applies the schema scripts kept in the program (tables, stored procedures, first rows) to a database.
// The scripts are idempotent, so applying them to an installed database changes nothing.
class SchemaInstaller {
 public:
  struct Script {
    QString name;
    QString text;
  };

  explicit SchemaInstaller(QSqlDatabase db) : db_(db) {}

  // The scripts of the program's resources, in the order of their names.
  static QList<Script> bundledScripts();
  // Splits a script into statements the way the stock client does, honouring DELIMITER lines, quotes
  // and comments. Statements come back without their delimiter; comment-only pieces are dropped.
  static QStringList splitStatements(const QString &sql);
  // Creates the database on the server of `serverConnection` when it does not exist.
  static bool createDatabase(QSqlDatabase serverConnection, const QString &name, QString *error);

  bool apply(QString *error);
  bool apply(const QList<Script> &scripts, QString *error);
  // True once the schema has been applied (the parameters table exists).
  bool isInstalled() const;
  // Adds the first user with every right "5" when there is no user yet; its password is stored scrambled.
  // A non-empty table is left alone and counts as success.
  bool createFirstUser(const QString &name, const QString &password, QString *error);

 private:
  QSqlDatabase db_;
};
