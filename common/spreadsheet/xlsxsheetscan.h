#pragma once
// Our own pass over an .xlsx sheet part, for the cells the spreadsheet library leaves out or
// misplaces: inline strings (written by many exporting systems, and by our own template export),
// formula cells with their stored results, ISO dates and error values. With everything set it
// reads every cell, for workbooks whose sheets were reordered (the library then puts formula cells
// on the wrong sheet).

#include "common/spreadsheet/cellvalue.h"

#include <QHash>
#include <QStringList>

#include <functional>

class QIODevice;

namespace Spreadsheet {

struct XlsxSheetScan {
  bool everything = false;
  QStringList sharedStrings;                   // needed only with everything
  std::function<NumberStyle(int xf)> styleOf;  // number style of a cell format index
  bool date1904 = false;

  QHash<quint64, CellValue> cells;  // by key(row, column), counted from 0
  int rows = 0;                     // extent of the cells kept
  int columns = 0;

  static quint64 key(int row, int column) { return (quint64(quint32(row)) << 32) | quint32(column); }

  // Throws Error(damagedFileReason()) on malformed XML.
  void run(QIODevice &sheetXml);
};

// Whether a sheet part holds cells that need the pass above (looked for without parsing), and,
// when it was read to its end for that, whether the part ends as a sheet does: a part cut short
// is a damaged file even when the library takes what it found.
struct SheetCheck {
  bool needsScan = false;
  bool complete = true;
};
SheetCheck checkXlsxSheet(QIODevice &sheetXml);

// The texts of a sharedStrings part, rich-text runs joined, phonetic hints left out.
QStringList readXlsxSharedStrings(const QByteArray &xml);

// "AB12" as (11, 27) counted from 0; false for anything else.
bool parseCellReference(QStringView reference, int &row, int &column);

}  // namespace Spreadsheet
