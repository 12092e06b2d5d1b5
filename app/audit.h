#pragma once

#include <QChar>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>

// The audit trail: one `rastro` row per insert, change, settlement, cancellation, deletion or report
// run. The row is written through sp_i_rastro on the caller's connection and inside the caller's
// transaction: nothing here begins or commits, so the audit row stands or falls with the write it
// describes. On a save it is written after the record; on a deletion, before the record goes.

// Every member has a default, so {u'E', "USUARIOS", nome} or {.operacao = u'A', ...} name only what
// they set.
struct AuditEntry {
  QChar operacao = {};     // 'A' change, 'B' settlement, 'C' cancellation, 'E' deletion, 'I' insert, 'R' report
  QString rotina = {};     // kind of record or process, stored exactly as given ("DOC. RECEBER", "REGIÃO")
  QString historico = {};  // what was touched, in words
  int favorecido = 0;      // code of the party concerned, or 0
  double valor = 0;        // amount concerned, or 0
  QString obs = {};        // remark, may be empty
};

// Writes entries through one prepared call; for commands that audit many rows in one run.
// Keep it no longer than the connection it was made for.
class AuditWriter {
 public:
  explicit AuditWriter(QSqlDatabase db = QSqlDatabase::database());

  // Stamps the entry with the workstation's date and time (taken together, just before writing)
  // and the logged-in user, and writes it. Texts longer than their columns are cut, never refused.
  // On failure returns false and puts the server's message in *error (when given).
  bool write(const AuditEntry &entry, QString *error = nullptr);

 private:
  QSqlQuery query_;
  bool prepared_ = false;
  QString prepareError_;
};

namespace Audit {

// Column widths of `rastro`.
inline constexpr int kOperadorWidth = 20;
inline constexpr int kRotinaWidth = 15;
inline constexpr int kHistoricoWidth = 70;
inline constexpr int kObsWidth = 70;

// One row, one call: the usual way a screen audits its write.
bool write(const AuditEntry &entry, QString *error = nullptr, QSqlDatabase db = QSqlDatabase::database());

// The long text of an operation letter ("A" → "Alteração"), empty for an unknown letter.
QString operationName(QChar operacao);

}  // namespace Audit
