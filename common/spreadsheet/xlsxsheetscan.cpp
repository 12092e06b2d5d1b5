#include "common/spreadsheet/xlsxsheetscan.h"

#include "common/spreadsheet/error.h"
#include "common/spreadsheet/sheetsource.h"

#include <QIODevice>
#include <QXmlStreamReader>

#include <cstring>

namespace Spreadsheet {

bool parseCellReference(QStringView reference, int &row, int &column) {
  qsizetype i = 0;
  int c = 0;
  for (; i < reference.size() && reference[i].isLetter(); ++i) {
    c = c * 26 + (reference[i].toUpper().unicode() - u'A' + 1);
    if (c > 16384) return false;
  }
  for (; i < reference.size() && reference[i] == u'$'; ++i) {
  }
  bool ok = false;
  const int r = reference.mid(i).toInt(&ok);
  if (c == 0 || !ok || r < 1) return false;
  row = r - 1;
  column = c - 1;
  return true;
}

namespace {

// Days between the two date systems' day 0.
constexpr double days1904 = 1462.0;

// Text of the <t> elements under the current element (<si> or <is>), up to its end; the phonetic
// runs (<rPh>) are guides for reading Japanese and not part of the text.
QString readRichText(QXmlStreamReader &xml) {
  QString text;
  int depth = 1;
  bool inPhonetic = false;
  while (depth > 0 && !xml.atEnd()) {
    xml.readNext();
    if (xml.isStartElement()) {
      ++depth;
      if (xml.name() == u"rPh")
        inPhonetic = true;
      else if (xml.name() == u"t" && !inPhonetic) {
        text += xml.readElementText(QXmlStreamReader::IncludeChildElements);
        --depth;  // the reading went past the end of <t>
      }
    } else if (xml.isEndElement()) {
      --depth;
      if (xml.name() == u"rPh") inPhonetic = false;
    }
  }
  return text;
}

}  // namespace

QStringList readXlsxSharedStrings(const QByteArray &bytes) {
  QStringList strings;
  QXmlStreamReader xml(bytes);
  while (!xml.atEnd()) {
    xml.readNext();
    if (xml.isStartElement() && xml.name() == u"si") strings.append(readRichText(xml));
  }
  if (xml.hasError()) throw Error(damagedFileReason());
  return strings;
}

void XlsxSheetScan::run(QIODevice &device) {
  QXmlStreamReader xml(&device);
  xml.setNamespaceProcessing(false);  // local names are enough, whatever the prefixes

  int row = -1;
  int column = -1;
  // the cell being read
  QString type;
  int xf = 0;
  QString value;
  QString inlineText;
  bool hasValue = false;
  bool formula = false;

  while (!xml.atEnd()) {
    xml.readNext();
    if (xml.isStartElement()) {
      const QStringView name = xml.name();
      if (name == u"row") {
        bool ok = false;
        const int r = xml.attributes().value(QLatin1String("r")).toInt(&ok);
        row = ok && r > 0 ? r - 1 : row + 1;
        column = -1;
      } else if (name == u"c") {
        const QXmlStreamAttributes attributes = xml.attributes();
        int r = 0, c = 0;
        if (parseCellReference(attributes.value(QLatin1String("r")), r, c)) {
          row = r;
          column = c;
        } else {
          ++column;
        }
        type = attributes.value(QLatin1String("t")).toString();
        xf = attributes.value(QLatin1String("s")).toInt();
        value.clear();
        inlineText.clear();
        hasValue = false;
        formula = false;
      } else if (name == u"v") {
        value = xml.readElementText();
        hasValue = true;
      } else if (name == u"f") {
        formula = true;
        xml.skipCurrentElement();
      } else if (name == u"is") {
        inlineText = readRichText(xml);
        hasValue = true;
      }
    } else if (xml.isEndElement() && xml.name() == u"c") {
      CellValue cell;
      bool keep = everything || formula;
      if (type == u"inlineStr") {
        cell = CellValue::ofText(inlineText);
        keep = true;
      } else if (type == u"s") {
        bool ok = false;
        const int index = value.toInt(&ok);
        if (hasValue && ok && index >= 0 && index < sharedStrings.size())
          cell = CellValue::ofText(sharedStrings.at(index));
      } else if (type == u"str") {
        if (hasValue) cell = CellValue::ofText(value);
        keep = true;
      } else if (type == u"b") {
        if (hasValue) cell = CellValue::ofBoolean(value.trimmed() == u"1" || value == u"true");
      } else if (type == u"e") {
        if (hasValue) cell = CellValue::ofError(value);
        keep = true;
      } else if (type == u"d") {
        const QDateTime moment = QDateTime::fromString(value.trimmed(), Qt::ISODateWithMs);
        if (moment.isValid()) {
          NumberStyle style = styleOf ? styleOf(xf) : NumberStyle::Plain;
          if (style == NumberStyle::Plain)
            style = moment.time() == QTime(0, 0) ? NumberStyle::Date : NumberStyle::DateTime;
          cell = CellValue::ofNumber(serialOf(moment), style);
        }
        keep = true;
      } else if (hasValue) {
        bool ok = false;
        const double number = value.trimmed().toDouble(&ok);
        if (ok) {
          NumberStyle style = styleOf ? styleOf(xf) : NumberStyle::Plain;
          const bool isDate = style == NumberStyle::Date || style == NumberStyle::DateTime;
          cell = CellValue::ofNumber(date1904 && isDate ? number + days1904 : number, style);
        } else {
          // a number cell holding something else: kept as it is, never as a 0
          cell = CellValue::ofError(value);
          keep = true;
        }
      }
      if (keep && row >= 0 && column >= 0) {
        if (cell.kind != CellValue::Kind::Empty) {
          rows = std::max(rows, row + 1);
          columns = std::max(columns, column + 1);
        }
        if (cell.kind != CellValue::Kind::Empty || formula || !everything) cells.insert(key(row, column), cell);
      }
    }
  }
  if (xml.hasError()) throw Error(damagedFileReason());
}

namespace {

bool isNameEnd(char c) { return c == ' ' || c == '>' || c == '/' || c == '\t' || c == '\r' || c == '\n'; }

// Looks at one position of the sheet's bytes: a formula element (<f>, <x:f ...>) or a cell type
// other than shared string, number and boolean (t="inlineStr", "str", "e", "d").
bool markerAt(const char *p, const char *end) {
  if (*p == '<') {
    const char *q = p + 1;
    const char *colon = nullptr;
    for (const char *r = q; r < end && r < q + 12 && !isNameEnd(*r); ++r)
      if (*r == ':') colon = r;
    if (colon) q = colon + 1;
    return q + 1 < end && *q == 'f' && isNameEnd(q[1]);
  }
  if (*p == 't' && p + 4 < end && (p[1] == '=') && (p[2] == '"' || p[2] == '\'') && isNameEnd(p[-1])) {
    const char quote = p[2];
    const char *v = p + 3;
    return (v[0] == 'i') || (v[0] == 's' && v + 1 < end && v[1] == 't') ||
           ((v[0] == 'e' || v[0] == 'd') && v + 1 < end && v[1] == quote);
  }
  return false;
}

}  // namespace

SheetCheck checkXlsxSheet(QIODevice &device) {
  constexpr qsizetype overlap = 16;
  QByteArray buffer;
  while (true) {
    const QByteArray chunk = device.read(1 << 20);
    // keep the end of the previous chunk, so that a marker split between two reads is seen
    buffer = buffer.right(overlap + 1) + chunk;
    const bool last = chunk.isEmpty() || device.atEnd();
    const char *begin = buffer.constData();
    const char *end = begin + buffer.size();
    for (const char *p = begin + 1; p + overlap < end || (last && p < end); ++p)
      if ((*p == '<' || *p == 't') && markerAt(p, end)) return {true, true};
    if (last) return {false, buffer.trimmed().endsWith("worksheet>")};
  }
}

}  // namespace Spreadsheet
