#pragma once
// Reading operator spreadsheets: a workbook opened by path, whose first sheet is read cell by cell.
//
//     Spreadsheet::Workbook book(path);                 // .xlsx, .xls, .ods or .csv
//     for (int row = 3; !book.text(row, 1).isEmpty(); ++row) {
//         const QString proposal = book.text(row, 3);
//         const qint64 lives = book.integer(row, 10);
//         const double amount = book.number(row, 11);
//     }
//
// Rows and columns are counted from 1. The format is told by the file's content, not its name
// (an .xls that is really an .xlsx opens all the same). Every failure throws Spreadsheet::Error with
// a message for the user: "Não foi possível abrir a planilha <arquivo>: <motivo>" for a file that
// cannot be read, or one naming the file, the cell ("L12") and the value that cannot be converted.

#include "common/spreadsheet/error.h"

#include <QString>

#include <memory>

namespace Spreadsheet {

class SheetSource;

class Workbook {
 public:
  explicit Workbook(const QString &path);
  ~Workbook();
  Workbook(Workbook &&) noexcept;
  Workbook &operator=(Workbook &&) noexcept;

  const QString &path() const { return m_path; }

  // The last row and the last column that hold anything; 0 for an empty sheet.
  int rowCount() const;
  int columnCount() const;

  // True for a cell that holds nothing or only blanks.
  bool isEmpty(int row, int column) const;

  // The cell as the user sees it: texts as stored; numbers in their natural form with the
  // program's decimal separator ("1234,5", never "1234.50" or "1,2345E+03" for such a value);
  // date cells as "dd/MM/yyyy". An empty cell reads as empty text.
  QString text(int row, int column) const;

  // The cell as a number. A text cell is read as a number written by a user ("1.234,56",
  // "1234.56", blanks around); a date cell gives its serial day number. An empty or blank cell
  // reads as 0, as the statement layouts rely on (a line without base amount, an installment
  // below 1). Anything else throws Error.
  double number(int row, int column) const;

  // As number(), and the value must be whole ("3", "3,0"); "2,5" or "abc" throws Error.
  qint64 integer(int row, int column) const;

 private:
  QString m_path;
  std::unique_ptr<SheetSource> m_source;
};

}  // namespace Spreadsheet
