#pragma once

#include <QDate>
#include <QString>
#include <QVariant>

// How stored values appear in fields and grids, in the program's locale (QLocale(), pt-BR unless
// velmora.ini names another): amounts as "#,##0.00", dates as dd/MM/yyyy and blank when the column
// holds no date.
namespace Shown {

// "1.234,56"; 0, NULL and an unreadable value show "0,00".
QString amount(double value);
QString amount(const QVariant &value);

// A stored date, invalid for NULL, 0000-00-00 and 30/12/1899 (the "no date" of older rows).
QDate storedDate(const QVariant &value);
// dd/MM/yyyy, or an empty text for a date that is not there.
QString date(const QVariant &value);

// Lays digits or letters into a mask whose '9', '0', '#', 'A' and 'a' take one character each and
// whose other characters are printed as they are: ("12345678901", "999.999.999-99") gives
// "123.456.789-01". Characters beyond the mask's places follow it unchanged; an empty text stays empty.
QString masked(const QString &text, const QString &mask);

}  // namespace Shown
