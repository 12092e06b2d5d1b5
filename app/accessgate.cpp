#include "app/accessgate.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QStringList>

#include "app/connection.h"
#include "app/messages.h"
#include "app/record/rights.h"
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

}  // namespace

bool isRightColumn(const QString &column) { return rightColumns().contains(column); }

bool allows(const QString &column, Rule rule, const QString &user) {
  if (rule == Rule::None) return true;
  if (!isRightColumn(column)) return false;
  QString value, error;
  const Rights::Read read = user.isEmpty() ? Rights::Read::NoRow : Rights::read(column, user, &value, &error);
  if (read == Rights::Read::Failed) {
    Messages::error(error);
    return false;
  }
  if (rule == Rule::ExactlyFive) return read == Rights::Read::Value && value == QLatin1String("5");
  if (read == Rights::Read::NoRow || value == QLatin1String("0")) {
    Messages::information(QStringLiteral("Acesso não Permitido"));
    return false;
  }
  return true;
}

bool allows(const QString &column, Rule rule) { return allows(column, rule, Session::instance().user()); }

}  // namespace AccessGate
