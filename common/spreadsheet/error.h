#pragma once
// The one error raised by spreadsheet access: a workbook or template that cannot be opened, a cell
// whose value cannot be converted, an export that cannot be written. Its message is Portuguese and
// ready to be shown to the user as it is.

#include <QString>

#include <stdexcept>

namespace Spreadsheet {

class Error : public std::runtime_error {
 public:
  explicit Error(const QString &message);
  QString message() const;
};

// A cell's name as the user sees it: column letters and row number, both counted from 1
// (row 12, column 12 is "L12"; column 27 is "AA").
QString cellName(int row, int column);

}  // namespace Spreadsheet
