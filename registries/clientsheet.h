#pragma once

#include <QString>
#include <QVariant>

#include "common/report/report.h"

// The client sheet: one page per client, a person's layout or a company's, with the postal code,
// telephones and document printed with their punctuation. The rows need the columns of `clientes`.
namespace ClientSheet {

// A document of more than 11 digits is a company's CNPJ; anything shorter, a person's CPF.
bool isCompany(const QString &document);
QString title(bool company);
Report::Definition definition(bool company);

// Stored digits as the sheet prints them; a value of another length is printed as stored.
QString postalCode(const QVariant &digits);  // 99.999-999
QString telephone(const QVariant &digits);   // (99)9999-9999, or (99)99999-9999 for a mobile
QString document(const QVariant &digits);    // 999.999.999-99 or 99.999.999/9999-99

}  // namespace ClientSheet
