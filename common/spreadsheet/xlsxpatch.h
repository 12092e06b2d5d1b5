#pragma once
// Writing values into the first sheet of an .xlsx template in place: the sheet part is copied token
// by token and only the cells written change, so the template's styles, merged cells, column
// widths, headers and everything else stay as they were.

#include <QByteArray>
#include <QList>
#include <QString>

#include <functional>
#include <map>

namespace Spreadsheet {

struct PendingCell {
  enum class Kind { Text, Number, Date };
  Kind kind = Kind::Text;
  QString text;
  double number = 0.0;  // numbers; dates as serial days
};

// Row → column → value, both counted from 1.
using PendingCells = std::map<int, std::map<int, PendingCell>>;

// The style (cell format index) to give a date cell whose style would otherwise be baseStyle;
// -1 when dates cannot be styled (the template has no styles), and the date is then written as text.
using DateStyleFor = std::function<int(int baseStyle)>;

struct SheetPatch {
  QByteArray xml;
  bool replacedFormula = false;  // a formula cell was overwritten: the calculation chain is stale
};

// Throws Error(damagedFileReason()) for a sheet part that is not well-formed.
SheetPatch patchSheetXml(const QByteArray &sheetXml, const PendingCells &cells, const DateStyleFor &dateStyleFor);

// The template's styles, and the date styles added to them when a date is written into a cell
// whose format does not show dates.
class XlsxStyles {
 public:
  explicit XlsxStyles(const QByteArray &stylesXml);
  int dateStyleFor(int baseStyle);
  bool changed() const { return !m_added.empty(); }
  QByteArray patchedXml() const;  // the template's part with the added formats and styles

 private:
  struct Element {
    QString name;
    QList<std::pair<QString, QString>> attributes;
  };
  struct Xf {
    QList<std::pair<QString, QString>> attributes;
    QList<Element> children;  // alignment, protection
  };

  QByteArray m_xml;
  std::map<int, QString> m_formatCodes;  // numFmtId → code
  QList<Xf> m_cellXfs;
  int m_dateFormatId = -1;
  bool m_dateFormatExists = false;
  std::map<int, int> m_dateStyleOf;  // base style → date style
  QList<Xf> m_added;
};

// Removes the calculation chain from a workbook's relationships or content types.
QByteArray withoutCalcChain(const QByteArray &xml);

}  // namespace Spreadsheet
