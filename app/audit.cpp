#include "app/audit.h"

#include "app/connection.h"
#include "app/session.h"

#include <QDateTime>
#include <QSqlError>
#include <QVariant>

namespace {

// Cuts a text to a column width in characters without splitting a surrogate pair.
QString cut(const QString &text, int width) {
  if (text.size() <= width) return text;
  int n = width;
  if (n > 0 && text.at(n - 1).isHighSurrogate()) --n;
  return text.left(n);
}

// Never NULL: the required columns take an empty text, and an empty remark stays empty.
QString text(const QString &value, int width) { return value.isNull() ? QStringLiteral("") : cut(value, width); }

}  // namespace

AuditWriter::AuditWriter(QSqlDatabase db) : query_(db) {
  prepared_ = query_.prepare(QStringLiteral("CALL sp_i_rastro(?, ?, ?, ?, ?, ?, ?, ?, ?)"));
  if (!prepared_) prepareError_ = serverText(query_.lastError());
}

bool AuditWriter::write(const AuditEntry &entry, QString *error) {
  if (!prepared_) {
    if (error) *error = prepareError_;
    return false;
  }
  const QDateTime now = QDateTime::currentDateTime();
  const QString operacao = entry.operacao.isNull() ? QStringLiteral("") : QString(entry.operacao);
  query_.bindValue(0, now.date());
  query_.bindValue(1, now.time().toString(QStringLiteral("hh:mm:ss")));
  query_.bindValue(2, text(Session::instance().user(), Audit::kOperadorWidth));
  query_.bindValue(3, text(entry.rotina, Audit::kRotinaWidth));
  query_.bindValue(4, operacao);
  query_.bindValue(5, text(entry.historico, Audit::kHistoricoWidth));
  query_.bindValue(6, entry.favorecido);
  query_.bindValue(7, entry.valor);
  query_.bindValue(8, text(entry.obs, Audit::kObsWidth));
  const bool ok = query_.exec();
  if (!ok && error) *error = serverText(query_.lastError());
  // a CALL leaves a status result behind; free it so the connection takes the next statement
  query_.finish();
  return ok;
}

namespace Audit {

bool write(const AuditEntry &entry, QString *error, QSqlDatabase db) {
  AuditWriter writer(db);
  return writer.write(entry, error);
}

QString operationName(QChar operacao) {
  switch (operacao.unicode()) {
    case 'A':
      return QStringLiteral("Alteração");
    case 'B':
      return QStringLiteral("Baixa");
    case 'C':
      return QStringLiteral("Cancelamento");
    case 'E':
      return QStringLiteral("Exclusão");
    case 'I':
      return QStringLiteral("Inclusão");
    case 'R':
      return QStringLiteral("Relatório");
    default:
      return {};
  }
}

}  // namespace Audit
