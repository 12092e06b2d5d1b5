#pragma once
// Small routines shared by the screens: reading typed amounts, CPF/CNPJ check digits, calendar
// helpers, the workstation date-format test and folder listings. None of them touches the database.

#include <QChar>
#include <QLocale>
#include <QString>
#include <QStringList>

#include <stdexcept>

namespace Routines {

// A typed text that cannot be turned into a number. The message quotes the text as typed.
class ConversionError : public std::runtime_error {
 public:
  explicit ConversionError(const QString &text);
};

// Reads an amount as the user typed it ("R$ 1.234,56" gives 1234.56). Only digits, the last
// occurrence of the decimal separator and a sign in the very first position are kept; thousands
// points, currency symbols, blanks and letters are dropped. The decimal separator is the program's
// locale's one: ',' for pt-BR, which is the default; pass QLocale().decimalPoint() under another
// locale. Throws ConversionError when nothing readable is left (empty text, no digits); callers
// test for an empty field first.
double readNumber(const QString &text, QChar decimalSeparator = u',');

// A typed amount as an SQL number literal: points dropped, commas turned into points
// ("1.234,56" gives "1234.56"); every other character is kept.
QString sqlNumberText(const QString &text);

// Replaces the accented Portuguese letters (and ç/Ç) by their plain forms; other characters stay.
QString removeAccents(const QString &text);

// Check digits of a CPF (11 digits) or CNPJ (14 digits), written with or without the punctuation
// "/", "-" and ".". The last two characters of the text are the check digits. Any other character
// among the counted ones throws ConversionError. Numbers with all digits equal are accepted by the
// rule itself (for instance 111.111.111-11).
bool cpfIsValid(const QString &text);
bool cnpjIsValid(const QString &text);

// 1-based position of the last occurrence of ch in text, 0 when it does not occur.
int lastPositionOf(QChar ch, const QString &text);

bool isLeapYear(int year);

// 28 to 31 for months 1 to 12; any other month throws std::out_of_range.
int daysInMonth(int year, int month);

// True when the locale's short date format contains "dd/MM/yyyy" (exact text and case): the
// day/month/year form every date field of the system is typed and read in.
bool dateFormatIsValid(const QLocale &locale);

// Names (without folder) of every entry, files and folders, hidden ones too, matching a
// "folder/wildcard" pattern such as "AMIL/*.xlsx"; "." and ".." are left out. Matching ignores case,
// and "*.*" means every entry, as on the workstations the statement folders come from. The order is
// the file system's own. A folder that does not exist gives an empty list.
QStringList filesOfFolder(const QString &pattern);

}  // namespace Routines
