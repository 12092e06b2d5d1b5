#pragma once
// Display masks of report fields: numbers ("#,##0.00", "0.00", "000000"), dates ("dd/MM/yyyy",
// "hh:mm:ss") and digit patterns ("99.999-999", "999.999.999-99"), in the program's locale.

#include <QLocale>
#include <QString>
#include <QVariant>

namespace Report {

// The locale numbers and dates are shown in; pt-BR until the program sets another.
QLocale locale();
void setLocale(const QLocale &locale);

// True for the values the system stores for "no date": null, an invalid date, the zero date
// "0000-00-00" and 30/12/1899 (the empty date of the stored procedures).
bool isBlankDate(const QVariant &value);

// A value as a report prints it under a mask:
// - number masks (made of '#', '0', ',' and '.', with optional literal text around them):
//   ',' asks for thousands separators, each '0' is a digit always shown, each '#' after the point an
//   optional decimal; the result uses the locale's separators ("#,##0.00": 1.234,56);
// - date masks (Qt's d, M, y, h, m, s letters): blank for the empty dates above;
// - digit patterns (a '9' per digit, other characters literal): the value's digits fill the 9s; a
//   value whose digit count differs from the pattern's is printed as stored;
// - an edit-mask tail such as ";0;_" is ignored.
// A null value prints empty; a text that does not fit the mask (say "abc" under "#,##0.00") prints as
// it is. With no mask, dates print dd/MM/yyyy, times hh:mm:ss and numbers in the locale without
// thousands separators.
QString format(const QVariant &value, const QString &mask = {});

}  // namespace Report
