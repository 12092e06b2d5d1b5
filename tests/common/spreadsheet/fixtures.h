#pragma once
// Small workbooks written by the tests themselves: .xlsx and .ods packages from their XML parts,
// and a legacy .xls (a BIFF8 stream in a compound file) from a list of cells.

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <utility>

namespace Fixtures {

using Entries = QList<std::pair<QString, QByteArray>>;

// Writes a zip with the entries in the given order; false on failure.
bool writeZip(const QString &path, const Entries &entries);
Entries readZip(const QString &path);
QByteArray zipEntry(const QString &path, const QString &name);

struct XlsxSheet {
  QString name;
  int sheetId;
  QString part;    // "worksheets/sheet1.xml", under xl/
  QByteArray xml;  // the whole worksheet part
};

// A worksheet part: the main namespace, the rows given, and optional parts before and after them.
QByteArray worksheet(const QByteArray &rows, const QByteArray &before = {}, const QByteArray &after = {});

// Styles used by the fixtures, as cell format indexes (the s= of a cell):
//   0 general, 1 custom "dd/mm/yyyy", 2 built-in date 14, 3 bold white on red header,
//   4 "#,##0.00", 5 custom "dd/mm/yyyy hh:mm"
QByteArray standardStyles();

// The sheets appear in the workbook in the order given (the first is the workbook's first sheet).
// extraEntries are added as they are (for instance a calculation chain, with its relationship in
// extraRelationships).
bool writeXlsx(const QString &path, const QList<XlsxSheet> &sheets, const QStringList &sharedStrings,
               const QByteArray &styles = standardStyles(), const Entries &extraEntries = {},
               const QByteArray &extraRelationships = {}, const QByteArray &extraContentTypes = {});

// An OpenDocument spreadsheet whose body (the office:spreadsheet contents) is given.
bool writeOds(const QString &path, const QByteArray &spreadsheetBody);

// A cell of a legacy workbook: text, number, or a date (a serial day shown as dd/mm/yyyy).
struct XlsCell {
  enum class Kind { Text, Number, Date };
  int row;     // from 0
  int column;  // from 0
  Kind kind;
  QString text;
  double number = 0;
};

// A BIFF8 workbook with two sheets, "Primeira" holding the cells, "Segunda" holding secondSheet.
bool writeXls(const QString &path, const QList<XlsCell> &cells, const QList<XlsCell> &secondSheet);

}  // namespace Fixtures
