// OpenDocument spreadsheets (.ods), read from their content.xml. The cells say what they hold
// (office:value-type), so a date stays a date; the spreadsheet library of the other formats loses
// that link between a cell and its date style.

#include "common/spreadsheet/error.h"
#include "common/spreadsheet/sheetsource.h"
#include "common/spreadsheet/xlsxpackage.h"

#include <QXmlStreamReader>

#include <quazip/quazip.h>
#include <quazip/quazipfile.h>

#include <vector>

namespace Spreadsheet {

namespace {

constexpr int maxRows = 1048576;
constexpr int maxColumns = 16384;

// "PT10H20M30S" as a fraction of a day.
double durationOf(QStringView text) {
  double seconds = 0;
  double number = 0;
  double scale = 0;  // digits after the decimal point
  bool inTime = false;
  for (const QChar c : text) {
    if (c.isDigit()) {
      if (scale > 0) {
        number += (c.unicode() - u'0') / scale;
        scale *= 10;
      } else {
        number = number * 10 + (c.unicode() - u'0');
      }
    } else if (c == u'.' || c == u',') {
      scale = 10;
    } else {
      if (c == u'T')
        inTime = true;
      else if (c == u'D')
        seconds += number * 86400;
      else if (c == u'H')
        seconds += number * 3600;
      else if (c == u'M' && inTime)
        seconds += number * 60;
      else if (c == u'S')
        seconds += number;
      number = 0;
      scale = 0;
    }
  }
  return seconds / 86400.0;
}

class OdsSource : public SheetSource {
 public:
  explicit OdsSource(const QString &path) {
    QuaZip zip(path);
    if (!zip.open(QuaZip::mdUnzip) || !zipHasEntry(zip, QStringLiteral("content.xml")))
      throw Error(damagedFileReason());
    QuaZipFile content(&zip);
    if (!content.open(QIODevice::ReadOnly)) throw Error(damagedFileReason());
    read(content);
  }

  CellValue cell(int row, int column) const override {
    if (row < 0 || std::size_t(row) >= m_cells.size()) return {};
    const std::vector<CellValue> &cells = m_cells[std::size_t(row)];
    return std::size_t(column) < cells.size() ? cells[std::size_t(column)] : CellValue();
  }

  int rowCount() const override { return int(m_cells.size()); }
  int columnCount() const override { return m_columns; }

 private:
  void read(QIODevice &device) {
    QXmlStreamReader xml(&device);
    bool inFirstTable = false;
    bool tableSeen = false;
    int row = 0;
    int rowRepeat = 1;
    int column = 0;
    std::vector<CellValue> rowCells;
    while (!xml.atEnd()) {
      xml.readNext();
      if (xml.isStartElement()) {
        const QStringView name = xml.name();
        if (name == u"table" && xml.prefix() == u"table") {
          if (tableSeen) {
            xml.skipCurrentElement();  // only the first sheet is read
            continue;
          }
          tableSeen = inFirstTable = true;
        } else if (inFirstTable && name == u"table-row") {
          rowRepeat = std::max(1, xml.attributes().value(QLatin1String("table:number-rows-repeated")).toInt());
          rowCells.clear();
          column = 0;
        } else if (inFirstTable && (name == u"table-cell" || name == u"covered-table-cell")) {
          const int repeat =
              std::max(1, xml.attributes().value(QLatin1String("table:number-columns-repeated")).toInt());
          const CellValue value = readCell(xml);
          if (value.kind != CellValue::Kind::Empty)
            for (int i = 0; i < repeat && column + i < maxColumns; ++i) {
              if (rowCells.size() <= std::size_t(column + i)) rowCells.resize(std::size_t(column + i) + 1);
              rowCells[std::size_t(column + i)] = value;
            }
          column += repeat;
        }
      } else if (xml.isEndElement()) {
        if (inFirstTable && xml.name() == u"table-row") {
          if (!rowCells.empty()) {
            // a repeated row with content is stored once per row it stands for
            for (int i = 0; i < rowRepeat && row + i < maxRows; ++i) {
              if (m_cells.size() <= std::size_t(row + i)) m_cells.resize(std::size_t(row + i) + 1);
              m_cells[std::size_t(row + i)] = rowCells;
            }
            m_columns = std::max(m_columns, int(rowCells.size()));
          }
          row += rowRepeat;
        } else if (xml.name() == u"table" && xml.prefix() == u"table") {
          inFirstTable = false;
        }
      }
    }
    if (xml.hasError() || !tableSeen) throw Error(damagedFileReason());
  }

  // The value of the cell element at hand; leaves the reader at its end.
  static CellValue readCell(QXmlStreamReader &xml) {
    const QXmlStreamAttributes attributes = xml.attributes();
    const QStringView type = attributes.value(QLatin1String("office:value-type"));
    const QString shown = readParagraphs(xml);
    if (type == u"float" || type == u"percentage" || type == u"currency") {
      bool ok = false;
      const double number = attributes.value(QLatin1String("office:value")).toDouble(&ok);
      return ok ? CellValue::ofNumber(number) : CellValue::ofText(shown);
    }
    if (type == u"date") {
      const QStringView text = attributes.value(QLatin1String("office:date-value"));
      QDateTime moment = QDateTime::fromString(text.toString(), Qt::ISODateWithMs);
      if (!moment.isValid()) moment = QDateTime(QDate::fromString(text.toString(), Qt::ISODate), QTime(0, 0));
      if (!moment.isValid()) return CellValue::ofText(shown);
      return CellValue::ofNumber(serialOf(moment),
                                 moment.time() == QTime(0, 0) ? NumberStyle::Date : NumberStyle::DateTime);
    }
    if (type == u"time")
      return CellValue::ofNumber(durationOf(attributes.value(QLatin1String("office:time-value"))), NumberStyle::Time);
    if (type == u"boolean") {
      const QStringView value = attributes.value(QLatin1String("office:boolean-value"));
      return CellValue::ofBoolean(value == u"true" || value == u"1");
    }
    if (type == u"string") {
      if (attributes.hasAttribute(QLatin1String("office:string-value")))
        return CellValue::ofText(attributes.value(QLatin1String("office:string-value")).toString());
      return CellValue::ofText(shown);
    }
    return {};
  }

  // The cell's paragraphs joined by line breaks, with <text:s text:c="n"/> as n blanks.
  static QString readParagraphs(QXmlStreamReader &xml) {
    QString text;
    int paragraphs = 0;
    int depth = 1;
    while (depth > 0 && !xml.atEnd()) {
      xml.readNext();
      if (xml.isStartElement()) {
        ++depth;
        const QStringView name = xml.name();
        if (name == u"p" && paragraphs++ > 0)
          text += u'\n';
        else if (name == u"s")
          text += QString(std::max(1, xml.attributes().value(QLatin1String("text:c")).toInt()), u' ');
        else if (name == u"tab")
          text += u'\t';
        else if (name == u"line-break")
          text += u'\n';
        else if (name == u"annotation") {
          xml.skipCurrentElement();  // a comment on the cell, not its value
          --depth;
        }
      } else if (xml.isEndElement()) {
        --depth;
      } else if (xml.isCharacters() && depth > 1) {
        text += xml.text();
      }
    }
    return text;
  }

  std::vector<std::vector<CellValue>> m_cells;
  int m_columns = 0;
};

}  // namespace

std::unique_ptr<SheetSource> openOdsSource(const QString &path) { return std::make_unique<OdsSource>(path); }

}  // namespace Spreadsheet
