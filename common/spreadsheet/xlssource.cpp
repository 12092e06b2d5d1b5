// Legacy Excel 97-2003 workbooks (.xls) through freexl.

#include "common/spreadsheet/error.h"
#include "common/spreadsheet/sheetsource.h"

#include <QFile>

#include <freexl.h>

namespace Spreadsheet {

namespace {

class XlsSource : public SheetSource {
 public:
  explicit XlsSource(const QString &path) {
    const int opened = freexl_open(QFile::encodeName(path).constData(), &m_handle);
    if (opened != FREEXL_OK) {
      close();
      throw Error(damagedFileReason());
    }
    unsigned int info = 0;
    if (freexl_get_info(m_handle, FREEXL_BIFF_PASSWORD, &info) == FREEXL_OK && info == FREEXL_BIFF_OBFUSCATED) {
      close();
      throw Error(
          QStringLiteral("a planilha está protegida por senha; salve-a sem senha e "
                         "tente de novo."));
    }
    unsigned int rows = 0;
    unsigned short columns = 0;
    if (freexl_get_info(m_handle, FREEXL_BIFF_SHEET_COUNT, &info) != FREEXL_OK || info == 0 ||
        freexl_select_active_worksheet(m_handle, 0) != FREEXL_OK ||
        freexl_worksheet_dimensions(m_handle, &rows, &columns) != FREEXL_OK) {
      close();
      throw Error(damagedFileReason());
    }
    m_rows = int(rows);
    m_columns = int(columns);
    // The dimensions are what the file declares; the extent is the last cell with a value.
    trimExtent();
  }

  ~XlsSource() override { close(); }

  CellValue cell(int row, int column) const override {
    if (row >= m_rows || column >= m_columns) return {};
    FreeXL_CellValue value;
    if (freexl_get_cell_value(m_handle, unsigned(row), static_cast<unsigned short>(column), &value) != FREEXL_OK)
      return {};
    switch (value.type) {
      case FREEXL_CELL_INT:
        return CellValue::ofNumber(value.value.int_value);
      case FREEXL_CELL_DOUBLE:
        return CellValue::ofNumber(value.value.double_value);
      case FREEXL_CELL_TEXT:
      case FREEXL_CELL_SST_TEXT:
        return CellValue::ofText(QString::fromUtf8(value.value.text_value));
      case FREEXL_CELL_DATE:
      case FREEXL_CELL_DATETIME: {
        // given as "yyyy-MM-dd" or "yyyy-MM-dd hh:mm:ss"
        const QString text = QString::fromUtf8(value.value.text_value);
        const QDateTime moment = value.type == FREEXL_CELL_DATE
                                     ? QDateTime(QDate::fromString(text, QStringLiteral("yyyy-MM-dd")), QTime(0, 0))
                                     : QDateTime::fromString(text, QStringLiteral("yyyy-MM-dd hh:mm:ss"));
        if (!moment.isValid()) return CellValue::ofText(text);
        return CellValue::ofNumber(serialOf(moment),
                                   value.type == FREEXL_CELL_DATE ? NumberStyle::Date : NumberStyle::DateTime);
      }
      case FREEXL_CELL_TIME: {
        const QTime time = QTime::fromString(QString::fromUtf8(value.value.text_value), QStringLiteral("hh:mm:ss"));
        return CellValue::ofNumber(time.isValid() ? time.msecsSinceStartOfDay() / 86400000.0 : 0, NumberStyle::Time);
      }
      default:
        return {};
    }
  }

  int rowCount() const override { return m_rows; }
  int columnCount() const override { return m_columns; }

 private:
  void trimExtent() {
    int lastRow = 0, lastColumn = 0;
    for (int r = 0; r < m_rows; ++r)
      for (int c = 0; c < m_columns; ++c)
        if (cell(r, c).kind != CellValue::Kind::Empty) {
          lastRow = r + 1;
          lastColumn = std::max(lastColumn, c + 1);
        }
    m_rows = lastRow;
    m_columns = lastColumn;
  }

  void close() {
    if (m_handle) freexl_close(m_handle);
    m_handle = nullptr;
  }

  const void *m_handle = nullptr;
  int m_rows = 0;
  int m_columns = 0;
};

}  // namespace

std::unique_ptr<SheetSource> openXlsSource(const QString &path) { return std::make_unique<XlsSource>(path); }

}  // namespace Spreadsheet
