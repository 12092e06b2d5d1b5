// .xlsx through liborcus, completed by our own pass over the first sheet for what the library
// leaves out (see xlsxsheetscan.h).

#include "common/spreadsheet/error.h"
#include "common/spreadsheet/sheetsource.h"
#include "common/spreadsheet/xlsxpackage.h"
#include "common/spreadsheet/xlsxsheetscan.h"

#include <QFile>

#include <quazip/quazip.h>
#include <quazip/quazipfile.h>

#include <ixion/address.hpp>
#include <ixion/cell_access.hpp>
#include <ixion/model_context.hpp>
#include <orcus/orcus_xlsx.hpp>
#include <orcus/spreadsheet/document.hpp>
#include <orcus/spreadsheet/factory.hpp>
#include <orcus/spreadsheet/sheet.hpp>
#include <orcus/spreadsheet/styles.hpp>

#include <cmath>
#include <unordered_map>
#include <vector>

namespace Spreadsheet {

namespace {

constexpr int maxRows = 1048576;
constexpr int maxColumns = 16384;
constexpr double days1904 = 1462.0;

class XlsxSource : public SheetSource {
 public:
  explicit XlsxSource(const QString &path) : m_document(orcus::spreadsheet::range_size_t{maxRows, maxColumns}) {
    QuaZip zip(path);
    if (!zip.open(QuaZip::mdUnzip)) throw Error(damagedFileReason());
    const XlsxLayout layout = readXlsxLayout(zip);
    m_path = path;
    m_sheetPart = layout.firstSheetPart;

    orcus::spreadsheet::import_factory factory(m_document);
    orcus::orcus_xlsx loader(&factory);
    loader.read_file(QFile::encodeName(path).toStdString());
    if (m_document.get_sheet_count() == 0) throw Error(damagedFileReason());
    m_sheet = m_document.get_sheet(0);
    m_date1904 = layout.date1904;
    readStyles();

    const ixion::abs_range_t range = m_sheet->get_data_range();
    if (range.valid()) {
      m_rows = range.last.row + 1;
      m_columns = range.last.column + 1;
    }

    // With reordered sheets the library's formula cells may belong to another sheet: then
    // every cell of the first sheet is read by our own pass.
    if (!layout.sheetIdsInOrder) {
      m_rows = m_columns = 0;
      m_scan.everything = true;
      if (!layout.sharedStringsPart.isEmpty())
        m_scan.sharedStrings = readXlsxSharedStrings(readZipEntry(zip, layout.sharedStringsPart));
      scan();
      return;
    }
    zip.setCurrentFile(layout.firstSheetPart, QuaZip::csInsensitive);
    QuaZipFile sheetPart(&zip);
    if (!sheetPart.open(QIODevice::ReadOnly)) throw Error(damagedFileReason());
    const SheetCheck check = checkXlsxSheet(sheetPart);
    sheetPart.close();
    if (!check.complete) throw Error(damagedFileReason());
    if (check.needsScan) scan();
  }

  CellValue cell(int row, int column) const override {
    if (row >= maxRows || column >= maxColumns) return {};
    if (m_scanned) {
      const auto found = m_scan.cells.constFind(XlsxSheetScan::key(row, column));
      if (found != m_scan.cells.constEnd()) return *found;
      if (m_scan.everything) return {};
    }
    const ixion::model_context &context = m_document.get_model_context();
    const ixion::cell_access access = context.get_cell_access(ixion::abs_address_t(0, row, column));
    switch (access.get_type()) {
      case ixion::celltype_t::string: {
        const std::string_view text = access.get_string_value();
        return CellValue::ofText(QString::fromUtf8(text.data(), qsizetype(text.size())));
      }
      case ixion::celltype_t::numeric: {
        const NumberStyle style = styleOfFormat(m_sheet->get_cell_format(row, column));
        const bool isDate = style == NumberStyle::Date || style == NumberStyle::DateTime;
        const double number = access.get_numeric_value();
        if (std::isnan(number) && !m_scanned) {
          // the library's reading of a number cell that holds no number: our own pass
          // keeps what the cell really holds
          scan();
          return cell(row, column);
        }
        return CellValue::ofNumber(m_date1904 && isDate ? number + days1904 : number, style);
      }
      case ixion::celltype_t::boolean:
        return CellValue::ofBoolean(access.get_boolean_value());
      default:
        // formula cells come from our own pass; the library's may be another sheet's
        return {};
    }
  }

  int rowCount() const override { return m_rows; }
  int columnCount() const override { return m_columns; }

 private:
  void scan() const {
    QuaZip zip(m_path);
    if (!zip.open(QuaZip::mdUnzip) || !zip.setCurrentFile(m_sheetPart, QuaZip::csInsensitive))
      throw Error(damagedFileReason());
    QuaZipFile sheetPart(&zip);
    if (!sheetPart.open(QIODevice::ReadOnly)) throw Error(damagedFileReason());
    m_scan.date1904 = m_date1904;
    m_scan.styleOf = [this](int xf) { return styleOfFormat(std::size_t(xf)); };
    m_scan.run(sheetPart);
    m_scanned = true;
    m_rows = std::max(m_rows, m_scan.rows);
    m_columns = std::max(m_columns, m_scan.columns);
  }

  // The number style of every cell format, known once: a cell format names a number format by
  // its id, whose code is in the workbook's list unless it is one of the built-in ones.
  void readStyles() {
    const orcus::spreadsheet::styles &styles = m_document.get_styles();
    std::unordered_map<std::size_t, std::string_view> codes;
    for (std::size_t i = 0; i < styles.get_number_format_count(); ++i)
      if (const auto *format = styles.get_number_format(i)) codes.emplace(format->identifier, format->format_string);
    for (std::size_t i = 0; i < styles.get_cell_formats_count(); ++i) {
      const auto *format = styles.get_cell_format(i);
      NumberStyle style = NumberStyle::Plain;
      if (format) {
        const auto code = codes.find(format->number_format);
        const QString text =
            code == codes.end() ? QString() : QString::fromUtf8(code->second.data(), qsizetype(code->second.size()));
        style = numberStyleOf(int(format->number_format), text);
      }
      m_styles.push_back(style);
    }
  }

  NumberStyle styleOfFormat(std::size_t xf) const { return xf < m_styles.size() ? m_styles[xf] : NumberStyle::Plain; }

  QString m_path;
  QString m_sheetPart;
  orcus::spreadsheet::document m_document;
  const orcus::spreadsheet::sheet *m_sheet = nullptr;
  std::vector<NumberStyle> m_styles;
  bool m_date1904 = false;
  // filled at opening, or on the first cell the library could not read
  mutable XlsxSheetScan m_scan;
  mutable bool m_scanned = false;
  mutable int m_rows = 0;
  mutable int m_columns = 0;
};

}  // namespace

std::unique_ptr<SheetSource> openXlsxSource(const QString &path) { return std::make_unique<XlsxSource>(path); }

}  // namespace Spreadsheet
