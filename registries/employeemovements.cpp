#include "registries/employeemovements.h"

#include <QLocale>
#include <QSqlError>
#include <QSqlQuery>

#include "app/audit.h"
#include "app/connection.h"
#include "app/tdm.h"
#include "registries/fornecedorcommands.h"

namespace EmployeeMovements {

namespace {

// Runs one statement with its values; *found gets whether it returned a row, *row that row.
bool query(const QString &sql, const QVariantList &values, QString *error, QSqlQuery *out = nullptr) {
  QSqlQuery q(dm().database());
  if (!execBound(q, sql, values, error)) return false;
  if (out) *out = q;
  return true;
}

bool audit(const AuditEntry &entry, QString *error) { return Audit::write(entry, error, dm().database()); }

QString quantityText(const QVariant &stored) { return QLocale().toString(stored.toDouble()); }

}  // namespace

QString loansStatement() { return QStringLiteral("select * from emprestimos where (funcionario = ?) order by codigo"); }

QString absencesStatement() {
  return QStringLiteral("select * from faltasfunc where (funcionario = ?) order by data, codigo");
}

QString overtimeStatement() {
  return QStringLiteral("select * from horasextras where (funcionario = ?) order by data, codigo");
}

bool addLoan(const Person &person, const QDate &date, bool credit, double amount, QString *error) {
  return inTransaction(
      [&](QString *failure) {
        QSqlQuery last;
        if (!query(QStringLiteral("select saldo from emprestimos where funcionario = ? "
                                  "order by codigo desc limit 1 for update"),
                   {person.code}, failure, &last))
          return false;
        const double before = last.next() ? last.value(0).toDouble() : 0.0;
        last.finish();
        const double balance = credit ? before + amount : before - amount;
        if (!execBound(dm().database(),
                       QStringLiteral("insert into emprestimos (funcionario, data, credito, debito, saldo) "
                                      "values (?, ?, ?, ?, ?)"),
                       {person.code, date, credit ? QVariant(amount) : QVariant(QMetaType(QMetaType::Double)),
                        credit ? QVariant(QMetaType(QMetaType::Double)) : QVariant(amount), balance},
                       failure))
          return false;
        return audit({u'I', QStringLiteral("EMPRESTIMO"), person.name, person.code, amount,
                      credit ? QStringLiteral("CREDITO") : QStringLiteral("DEBITO")},
                     failure);
      },
      error);
}

bool deleteLoan(const Person &person, int codigo, QString *error) {
  return inTransaction(
      [&](QString *failure) {
        QSqlQuery row;
        if (!query(QStringLiteral("select credito, debito from emprestimos where codigo = ?"), {codigo}, failure, &row))
          return false;
        if (!row.next()) return true;  // already gone
        const double credito = row.value(0).toDouble();
        const double debito = row.value(1).toDouble();
        row.finish();
        const bool isCredit = credito > 0;
        if (!audit({u'E', QStringLiteral("EMPRESTIMO"), person.name, person.code, isCredit ? credito : debito,
                    isCredit ? QStringLiteral("CREDITO") : QStringLiteral("DEBITO")},
                   failure))
          return false;
        return execBound(dm().database(), QStringLiteral("delete from emprestimos where codigo = ?"), {codigo},
                         failure);
      },
      error);
}

bool addAbsence(const Person &person, const QDate &date, double quantity, const QString &typed, const QString &remark,
                QString *error) {
  const bool justified = !remark.isEmpty();
  return inTransaction(
      [&](QString *failure) {
        if (!execBound(
                dm().database(),
                QStringLiteral("insert into faltasfunc (funcionario, data, qtd, tipo, obs) values (?, ?, ?, ?, ?)"),
                {person.code, date, quantity, justified ? QStringLiteral("FJ") : QStringLiteral("F"),
                 justified ? QVariant(remark.left(40)) : QVariant(QMetaType(QMetaType::QString))},
                failure))
          return false;
        return audit({u'I', QStringLiteral("FALTAS"), person.name + QStringLiteral(" - ") + typed, person.code, 0,
                      justified ? QStringLiteral("FJ - ") + remark : QStringLiteral("F")},
                     failure);
      },
      error);
}

bool deleteAbsence(const Person &person, int codigo, QString *error) {
  return inTransaction(
      [&](QString *failure) {
        QSqlQuery row;
        if (!query(QStringLiteral("select qtd, tipo, obs from faltasfunc where codigo = ?"), {codigo}, failure, &row))
          return false;
        if (!row.next()) return true;
        const QString history = person.name + QStringLiteral(" - ") + quantityText(row.value(0));
        const QString tipo = row.value(1).toString();
        const QString obs = row.value(2).toString();
        row.finish();
        if (!audit({u'E', QStringLiteral("FALTAS"), history, person.code, 0,
                    obs.isEmpty() ? tipo : tipo + QStringLiteral(" - ") + obs},
                   failure))
          return false;
        return execBound(dm().database(), QStringLiteral("delete from faltasfunc where codigo = ?"), {codigo}, failure);
      },
      error);
}

bool addOvertime(const Person &person, const QDate &date, double quantity, const QString &typed, QString *error) {
  return inTransaction(
      [&](QString *failure) {
        if (!execBound(dm().database(),
                       QStringLiteral("insert into horasextras (funcionario, data, qtd) values (?, ?, ?)"),
                       {person.code, date, quantity}, failure))
          return false;
        return audit({u'I', QStringLiteral("Horas Extras"), person.name + QStringLiteral(" - ") + typed, person.code},
                     failure);
      },
      error);
}

bool deleteOvertime(const Person &person, int codigo, QString *error) {
  return inTransaction(
      [&](QString *failure) {
        QSqlQuery row;
        if (!query(QStringLiteral("select qtd from horasextras where codigo = ?"), {codigo}, failure, &row))
          return false;
        if (!row.next()) return true;
        const QString history = person.name + QStringLiteral(" - ") + quantityText(row.value(0));
        row.finish();
        if (!audit({u'E', QStringLiteral("Horas Extras"), history, person.code}, failure)) return false;
        return execBound(dm().database(), QStringLiteral("delete from horasextras where codigo = ?"), {codigo},
                         failure);
      },
      error);
}

bool assignCompany(const Person &seller, const QVariant &company, const QString &companyName, QString *error) {
  return inTransaction(
      [&](QString *failure) {
        if (!execBound(dm().database(), QStringLiteral("update fornecedores set empresa = ? where codigo = ?"),
                       {company, seller.code}, failure))
          return false;
        return audit({u'A', QStringLiteral("FORNECEDOR"), seller.name, seller.code, 0,
                      QStringLiteral("Repasse: ") + companyName},
                     failure);
      },
      error);
}

}  // namespace EmployeeMovements
