#pragma once

#include <QList>
#include <QSqlRecord>
#include <QString>
#include <QVariantMap>

#include "common/report/layout.h"

// The two printouts of an employee: the statement of the loans and the resignation notice letter.
namespace EmployeeReports {

// "EXTRATO EMPRÉSTIMO" for `name`: one line per loan row (data, credito, debito, saldo).
Report::Document loanStatement(const QString &name, const QList<QVariantMap> &rows);

// The addressee and place of the letter: the brokerage's legal name and city.
struct Employer {
  QString razaosocial;
  QString cidade;
};
// Reads them from the one `parametros` row (empty texts when there is none).
Employer employer();

// The body of the letter, with the admission date as the screen shows it.
QString noticeText(const QString &admission);

// "AVISO PREVIO DO EMPREGADO" for the person's row of `fornecedores`, dated `today`.
Report::Document resignationNotice(const QSqlRecord &person, const Employer &employer, const QDate &today);

}  // namespace EmployeeReports
