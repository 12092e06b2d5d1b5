#include "app/record/rights.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QStringList>

#include "app/connection.h"
#include "app/session.h"
#include "app/tdm.h"

namespace Rights {

const QStringList &columns() {
  static const QStringList list{
      QStringLiteral("cadastro"),   QStringLiteral("producao"), QStringLiteral("movimentacao"),
      QStringLiteral("financeiro"), QStringLiteral("tabelas"),  QStringLiteral("rh"),
      QStringLiteral("parametros"), QStringLiteral("usuarios"), QStringLiteral("pme"),
      QStringLiteral("individual"), QStringLiteral("auto")};
  return list;
}

Read read(const QString &column, const QString &user, QString *value, QString *error) {
  if (!columns().contains(column)) return Read::Failed;
  QSqlQuery q(dm().database());
  // The column comes from the fixed list above, never from what a user typed.
  if (!execBound(q, QStringLiteral("SELECT nome, %1 FROM usuarios WHERE nome = ?").arg(column), {user}, error))
    return Read::Failed;
  // The server's comparison ignores case and accents; user names match exactly as stored.
  while (q.next()) {
    if (q.value(0).toString() == user) {
      *value = q.value(1).toString();
      return Read::Value;
    }
  }
  return Read::NoRow;
}

QString level(const QString &column, QString *error) {
  const QString user = Session::instance().user();
  QString value;
  if (user.isEmpty() || read(column, user, &value, error) != Read::Value) return {};
  return value;
}

std::optional<ButtonBar::Buttons> Grade::buttonsFor(const QString &level) const {
  const auto it = levels_.constFind(level);
  if (it == levels_.constEnd()) return std::nullopt;
  return *it;
}

}  // namespace Rights
