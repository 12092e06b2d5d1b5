#pragma once

#include <QDate>
#include <QString>
#include <QVariant>

// The movements kept for a person of `fornecedores` who works for the brokerage: loans and their
// repayments with a running balance (`emprestimos`), absences (`faltasfunc`) and overtime
// (`horasextras`). Each write runs with its audit row in one transaction.
namespace EmployeeMovements {

struct Person {
  int code = 0;
  QString name;
};

// The person's rows as the screen lists them: loans in the order they were entered, so each
// balance follows the one before it; absences and overtime by date.
QString loansStatement();
QString absencesStatement();
QString overtimeStatement();

// Appends a loan (credit) or a repayment (debit) whose balance is the person's last balance plus
// the credit or minus the debit. The last balance is read under a lock, so two workstations
// entering at once both count.
bool addLoan(const Person &person, const QDate &date, bool credit, double amount, QString *error);
// Deletes one loan row; the balances of the later rows stay as they were.
bool deleteLoan(const Person &person, int codigo, QString *error);

// `quantityText` is the quantity as typed, for the audit history. An empty remark records an
// unjustified absence ("F"); a remark, a justified one ("FJ").
bool addAbsence(const Person &person, const QDate &date, double quantity, const QString &quantityText,
                const QString &remark, QString *error);
bool deleteAbsence(const Person &person, int codigo, QString *error);

bool addOvertime(const Person &person, const QDate &date, double quantity, const QString &quantityText, QString *error);
bool deleteOvertime(const Person &person, int codigo, QString *error);

// The company through which a seller's commissions are passed on (`fornecedores.empresa`); a null
// company clears it.
bool assignCompany(const Person &seller, const QVariant &company, const QString &companyName, QString *error);

}  // namespace EmployeeMovements
