#pragma once
// Users for the tests of the login, the main window and its gate.

#include <QSqlError>
#include <QSqlQuery>
#include <QString>
#include <QVariant>

#include "common/scramble.h"

// Adds a user whose every right column holds `right` (NULL when `right` is null), with the password
// stored scrambled as the user screens store it. False with *error on failure.
inline bool insertUser(const QString &name, const QString &password, const QVariant &right, QString *error) {
  QSqlQuery q;
  q.prepare(
      QStringLiteral("INSERT INTO usuarios (nome, senha, cadastro, tabelas, usuarios, parametros, producao, "
                     "individual, pme, auto, movimentacao, financeiro, rh) "
                     "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"));
  q.addBindValue(name);
  q.addBindValue(Scramble::scramble(password));
  for (int i = 0; i < 11; ++i) q.addBindValue(right);
  if (q.exec()) return true;
  *error = q.lastError().text();
  return false;
}
