#include "app/accessgate.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QStringList>

#include "app/connection.h"
#include "app/messages.h"
#include "app/session.h"
#include "app/tdm.h"

namespace AccessGate {
namespace {

const QStringList &rightColumns() {
  static const QStringList columns{QStringLiteral("cadastro"),     QStringLiteral("tabelas"),
                                   QStringLiteral("usuarios"),     QStringLiteral("parametros"),
                                   QStringLiteral("producao"),     QStringLiteral("individual"),
                                   QStringLiteral("movimentacao"), QStringLiteral("financeiro")};
  return columns;
}

enum class Read { Value, NoRow, Failed };

// The user's right as text (an empty text for NULL).
Read readRight(const QString &column, const QString &user, QString *value) {
  QSqlQuery q(dm().database());
  // The column name comes from the fixed list above, never from what a user typed.
  q.prepare(QStringLiteral("SELECT nome, %1 FROM usuarios WHERE nome = ?").arg(column));
  q.addBindValue(user);
  if (!q.exec()) {
    Messages::error(serverText(q.lastError()));
    return Read::Failed;
  }
  // The server's comparison ignores case and accents; user names match exactly as stored.
  while (q.next()) {
    if (q.value(0).toString() == user) {
      *value = q.value(1).toString();
      return Read::Value;
    }
  }
  return Read::NoRow;
}

}  // namespace

bool isRightColumn(const QString &column) { return rightColumns().contains(column); }

bool allows(const QString &column, Rule rule, const QString &user) {
  if (rule == Rule::None) return true;
  if (!isRightColumn(column)) return false;
  QString value;
  const Read read = user.isEmpty() ? Read::NoRow : readRight(column, user, &value);
  if (read == Read::Failed) return false;
  if (rule == Rule::ExactlyFive) return read == Read::Value && value == QLatin1String("5");
  if (read == Read::NoRow || value == QLatin1String("0")) {
    Messages::information(QStringLiteral("Acesso não Permitido"));
    return false;
  }
  return true;
}

bool allows(const QString &column, Rule rule) { return allows(column, rule, Session::instance().user()); }

}  // namespace AccessGate
