#pragma once
// The parts of an Office Open XML workbook (.xlsx) that both the reader and the template export
// need: which part holds the first sheet (resolved through the workbook and its relationships, as
// the sheets' order in the workbook, not the parts' file names, decides), where the styles and
// shared strings are, and which date system the dates use.

#include <QByteArray>
#include <QString>

class QuaZip;

namespace Spreadsheet {

struct XlsxLayout {
  QString workbookPart;         // "xl/workbook.xml"
  QString firstSheetPart;       // "xl/worksheets/sheet1.xml"
  QString stylesPart;           // empty when the workbook has none
  QString sharedStringsPart;    // empty when the workbook has none
  QString relationshipsPart;    // the workbook's relationships, "xl/_rels/workbook.xml.rels"
  bool date1904 = false;        // dates count from 1904 (old Mac workbooks)
  bool sheetIdsInOrder = true;  // every sheet's sheetId is its position, from 1
};

// Throws Error(damagedFileReason()) when the package lacks what a workbook must have.
XlsxLayout readXlsxLayout(QuaZip &zip);

// The entry's uncompressed bytes; throws Error(damagedFileReason()) when it is missing or unreadable.
QByteArray readZipEntry(QuaZip &zip, const QString &name);
bool zipHasEntry(QuaZip &zip, const QString &name);

}  // namespace Spreadsheet
