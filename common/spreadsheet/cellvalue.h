#pragma once
// A cell as a workbook file stores it, before the caller decides to take it as text or number, and
// the conversions between the two that a spreadsheet user expects.

#include <QDateTime>
#include <QString>
#include <QStringView>

#include <optional>

namespace Spreadsheet {

// What a number cell's format makes of it: a plain number, or a day count shown as a date, a date
// and time, or a time of day.
enum class NumberStyle : quint8 { Plain, Date, DateTime, Time };

struct CellValue {
  enum class Kind : quint8 { Empty, Text, Number, Boolean, Error };

  Kind kind = Kind::Empty;
  NumberStyle style = NumberStyle::Plain;
  double number = 0.0;  // numbers, booleans (0/1); dates as serial days from 30/12/1899
  QString text;         // texts, and the code of an error value ("#DIV/0!")

  static CellValue ofText(const QString &text);
  static CellValue ofNumber(double number, NumberStyle style = NumberStyle::Plain);
  static CellValue ofBoolean(bool value);
  static CellValue ofError(const QString &code);
};

// Style of the number formats built into every workbook (14 is a date, 20 a time, ...).
NumberStyle builtinNumberStyle(int formatId);
// Style of a format code such as "dd/mm/yyyy", "[$-416]d/m/yy h:mm" or "#,##0.00".
NumberStyle numberStyleOfCode(QStringView formatCode);
// The code decides when the workbook gives one; otherwise the built-in table does.
NumberStyle numberStyleOf(int formatId, QStringView formatCode);

// Serial day numbers, the workbooks' way of storing dates: whole days since 30/12/1899 plus the
// fraction of the day.
double serialOf(const QDate &date);
double serialOf(const QDateTime &dateTime);
QDateTime dateTimeOfSerial(double serial);

// The text a spreadsheet user sees for a cell, in the program's conventions: whole numbers without
// decimals ("12345678000190"), other numbers with up to 15 significant digits and the given decimal
// separator ("1234,5"), dates as "dd/MM/yyyy" (with " hh:mm:ss" when the format shows the time),
// times as "hh:mm:ss", booleans as "VERDADEIRO"/"FALSO", errors by their code, texts as stored.
QString displayText(const CellValue &cell, QChar decimalPoint);

// Reads a number written as text the way a Brazilian user writes it or a system exports it:
// "1.234,56", "1234,56", "1234.56", "1.234", "-5", " R$ 10,00 ". When both separators occur the
// last one is the decimal one; a lone point followed by exactly three digits groups thousands
// ("1.234" is 1234), otherwise it is a decimal point. Thousands groups must have three digits, so a
// date such as "15.03.2024" is not a number. Gives nothing for anything else, blank text included.
std::optional<double> parseNumberText(QStringView text);

}  // namespace Spreadsheet
