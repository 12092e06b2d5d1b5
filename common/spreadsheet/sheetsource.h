#pragma once
// What the workbook reader needs of each file format: the cells of the first sheet, counted from 0,
// and how far they go. Each format has its own source; open() picks one by the file's content.

#include "common/spreadsheet/cellvalue.h"

#include <QString>

#include <memory>

namespace Spreadsheet {

class SheetSource {
 public:
  virtual ~SheetSource() = default;
  virtual CellValue cell(int row, int column) const = 0;
  virtual int rowCount() const = 0;
  virtual int columnCount() const = 0;
};

// Each throws Error with the reason, in Portuguese, why the file cannot be read; the reason
// completes the sentence "Não foi possível abrir a planilha <arquivo>: ".
std::unique_ptr<SheetSource> openXlsxSource(const QString &path);
std::unique_ptr<SheetSource> openOdsSource(const QString &path);
std::unique_ptr<SheetSource> openCsvSource(const QString &path);
std::unique_ptr<SheetSource> openXlsSource(const QString &path);

// The reasons shared by the sources.
QString damagedFileReason();

}  // namespace Spreadsheet
