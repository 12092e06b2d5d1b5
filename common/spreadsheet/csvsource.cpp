// Text files of values (.csv, .txt), as exported by spreadsheets and operator systems: separated by
// semicolons (the Brazilian spreadsheets' way), commas or tabs, in UTF-8 or the older Windows
// encoding. Every cell is kept as the text it is, so a proposal number keeps its leading zeros; the
// reader converts it when asked for a number.

#include "common/spreadsheet/error.h"
#include "common/spreadsheet/sheetsource.h"

#include <QFile>
#include <QStringDecoder>

#include <orcus/csv_parser.hpp>

#include <vector>

namespace Spreadsheet {

namespace {

QString decode(const QByteArray &bytes) {
  QStringDecoder utf8(QStringDecoder::Utf8);  // skips a byte order mark
  QString text = utf8(bytes);
  if (!utf8.hasError()) return text;
  QStringDecoder windows("windows-1252");
  if (windows.isValid()) return windows(bytes);
  return QString::fromLatin1(bytes);
}

// The separator of the first line, outside quotes: the most frequent of ';', ',' and tab.
char separatorOf(const QString &text) {
  int semicolons = 0, commas = 0, tabs = 0;
  bool quoted = false;
  for (const QChar c : text) {
    if (c == u'"')
      quoted = !quoted;
    else if (!quoted && (c == u'\n' || c == u'\r'))
      break;
    else if (!quoted && c == u';')
      ++semicolons;
    else if (!quoted && c == u',')
      ++commas;
    else if (!quoted && c == u'\t')
      ++tabs;
  }
  if (tabs > semicolons && tabs > commas) return '\t';
  return semicolons >= commas && semicolons > 0 ? ';' : ',';
}

struct Handler {
  std::vector<std::vector<QString>> *rows;
  void begin_parse() {}
  void end_parse() {}
  void begin_row() { rows->emplace_back(); }
  void end_row() {}
  void cell(const char *p, size_t n, bool) { rows->back().push_back(QString::fromUtf8(p, qsizetype(n))); }
};

class CsvSource : public SheetSource {
 public:
  explicit CsvSource(const QString &path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) throw Error(damagedFileReason());
    const QString text = decode(file.readAll());
    const std::string utf8 = text.toStdString();

    orcus::csv::parser_config config;
    config.delimiters = std::string(1, separatorOf(text));
    config.text_qualifier = '"';
    config.trim_cell_value = false;
    Handler handler{&m_rows};
    orcus::csv_parser<Handler> parser(utf8.data(), utf8.size(), handler, config);
    parser.parse();

    // a line break at the end of the last line is not a row; blank lines in between are
    while (!m_rows.empty() && isBlank(m_rows.back())) m_rows.pop_back();
    for (std::vector<QString> &row : m_rows) {
      for (QString &cell : row) cell.remove(u'\r');
      while (!row.empty() && row.back().isEmpty()) row.pop_back();
      m_columns = std::max(m_columns, int(row.size()));
    }
  }

  CellValue cell(int row, int column) const override {
    if (row < 0 || std::size_t(row) >= m_rows.size()) return {};
    const std::vector<QString> &cells = m_rows[std::size_t(row)];
    if (std::size_t(column) >= cells.size() || cells[std::size_t(column)].isEmpty()) return {};
    return CellValue::ofText(cells[std::size_t(column)]);
  }

  int rowCount() const override { return int(m_rows.size()); }
  int columnCount() const override { return m_columns; }

 private:
  static bool isBlank(const std::vector<QString> &row) {
    for (const QString &cell : row)
      if (!cell.trimmed().isEmpty()) return false;
    return true;
  }

  std::vector<std::vector<QString>> m_rows;
  int m_columns = 0;
};

}  // namespace

std::unique_ptr<SheetSource> openCsvSource(const QString &path) { return std::make_unique<CsvSource>(path); }

}  // namespace Spreadsheet
