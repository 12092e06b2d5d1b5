#include "common/spreadsheet/xlsxpatch.h"

#include "common/spreadsheet/cellvalue.h"
#include "common/spreadsheet/error.h"
#include "common/spreadsheet/sheetsource.h"
#include "common/spreadsheet/xlsxsheetscan.h"

#include <QXmlStreamReader>
#include <QXmlStreamWriter>

#include <cmath>

namespace Spreadsheet {

namespace {

using Attributes = QList<std::pair<QString, QString>>;

Attributes attributesOf(const QXmlStreamReader &xml) {
  Attributes result;
  for (const QXmlStreamAttribute &attribute : xml.attributes())
    result.append({attribute.qualifiedName().toString(), attribute.value().toString()});
  return result;
}

QString attributeOf(const Attributes &attributes, QStringView name) {
  for (const auto &[key, value] : attributes)
    if (key == name) return value;
  return {};
}

void setAttribute(Attributes &attributes, const QString &name, const QString &value) {
  for (auto &attribute : attributes)
    if (attribute.first == name) {
      attribute.second = value;
      return;
    }
  attributes.append({name, value});
}

void writeStart(QXmlStreamWriter &out, const QString &name, const Attributes &attributes) {
  out.writeStartElement(name);
  for (const auto &[key, value] : attributes) out.writeAttribute(key, value);
}

// Copies the reader's current token as it is: names keep their prefixes, namespace declarations
// stay attributes (the reader runs without namespace processing).
void copyToken(const QXmlStreamReader &in, QXmlStreamWriter &out) {
  switch (in.tokenType()) {
    case QXmlStreamReader::StartDocument:
      if (in.isStandaloneDocument())
        out.writeStartDocument(in.documentVersion().toString(), true);
      else
        out.writeStartDocument(in.documentVersion().isEmpty() ? QStringLiteral("1.0")
                                                              : in.documentVersion().toString());
      break;
    case QXmlStreamReader::EndDocument:
      out.writeEndDocument();
      break;
    case QXmlStreamReader::StartElement:
      writeStart(out, in.qualifiedName().toString(), attributesOf(in));
      break;
    case QXmlStreamReader::EndElement:
      out.writeEndElement();
      break;
    case QXmlStreamReader::Characters:
      if (in.isCDATA())
        out.writeCDATA(in.text().toString());
      else
        out.writeCharacters(in.text().toString());
      break;
    case QXmlStreamReader::Comment:
      out.writeComment(in.text().toString());
      break;
    case QXmlStreamReader::ProcessingInstruction:
      out.writeProcessingInstruction(in.processingInstructionTarget().toString(),
                                     in.processingInstructionData().toString());
      break;
    case QXmlStreamReader::EntityReference:
      out.writeEntityReference(in.name().toString());
      break;
    case QXmlStreamReader::DTD:
      out.writeDTD(in.text().toString());
      break;
    default:
      break;
  }
}

// Copies the current element and everything in it.
void copyElement(QXmlStreamReader &in, QXmlStreamWriter &out) {
  int depth = 0;
  do {
    copyToken(in, out);
    if (in.isStartElement())
      ++depth;
    else if (in.isEndElement())
      --depth;
    if (depth == 0) break;
    in.readNext();
  } while (!in.atEnd());
}

// Characters that XML 1.0 cannot carry are left out (control characters pasted from elsewhere).
QString xmlSafe(const QString &text) {
  QString result;
  result.reserve(text.size());
  for (qsizetype i = 0; i < text.size(); ++i) {
    const QChar c = text.at(i);
    if (c.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()) {
      result += c;
      result += text.at(++i);
    } else if (c == u'\t' || c == u'\n' || c == u'\r' ||
               (c.unicode() >= 0x20 && !c.isSurrogate() && c.unicode() < 0xFFFE)) {
      result += c;
    }
  }
  return result;
}

struct Range {
  int firstRow = 0, firstColumn = 0, lastRow = -1, lastColumn = -1;  // from 0; empty when last < first
  bool empty() const { return lastRow < firstRow; }
  void include(int row, int column) {
    if (empty()) {
      firstRow = lastRow = row;
      firstColumn = lastColumn = column;
      return;
    }
    firstRow = std::min(firstRow, row);
    lastRow = std::max(lastRow, row);
    firstColumn = std::min(firstColumn, column);
    lastColumn = std::max(lastColumn, column);
  }
};

class SheetPatcher {
 public:
  SheetPatcher(const PendingCells &cells, const DateStyleFor &dateStyleFor)
      : m_cells(cells), m_dateStyleFor(dateStyleFor) {}

  SheetPatch run(const QByteArray &xml) {
    SheetPatch result;
    QXmlStreamReader in(xml);
    in.setNamespaceProcessing(false);
    QXmlStreamWriter out(&result.xml);
    m_next = m_cells.begin();

    while (!in.atEnd()) {
      in.readNext();
      if (in.isStartElement()) {
        const QStringView name = in.name();
        if (name == u"col") {
          const Attributes attributes = attributesOf(in);
          const QString style = attributeOf(attributes, u"style");
          if (!style.isEmpty())
            m_columnStyles.push_back(
                {attributeOf(attributes, u"min").toInt(), attributeOf(attributes, u"max").toInt(), style.toInt()});
        } else if (name == u"dimension") {
          writeStart(out, in.qualifiedName().toString(), dimension(attributesOf(in)));
          continue;
        } else if (name == u"sheetData") {
          m_prefix = in.qualifiedName().left(in.qualifiedName().size() - name.size()).toString();
          copyToken(in, out);
          sheetData(in, out);
          continue;
        }
      }
      copyToken(in, out);
    }
    if (in.hasError()) throw Error(damagedFileReason());
    result.replacedFormula = m_replacedFormula;
    return result;
  }

 private:
  struct ColumnStyle {
    int min, max, style;
  };

  QString tag(const char *name) const { return m_prefix + QLatin1String(name); }

  Attributes dimension(Attributes attributes) const {
    Range range;
    const QString ref = attributeOf(attributes, u"ref");
    for (const QString &corner : ref.split(u':')) {
      int row = 0, column = 0;
      if (parseCellReference(corner, row, column)) range.include(row, column);
    }
    for (const auto &[row, cells] : m_cells)
      for (const auto &[column, cell] : cells) range.include(row - 1, column - 1);
    if (!range.empty()) {
      QString text = cellName(range.firstRow + 1, range.firstColumn + 1);
      if (range.lastRow != range.firstRow || range.lastColumn != range.firstColumn)
        text += u':' + cellName(range.lastRow + 1, range.lastColumn + 1);
      setAttribute(attributes, QStringLiteral("ref"), text);
    }
    return attributes;
  }

  // The style a new cell takes: its row's when the row is formatted, else its column's.
  int styleForNewCell(int column, int rowStyle) const {
    if (rowStyle >= 0) return rowStyle;
    for (const ColumnStyle &range : m_columnStyles)
      if (column >= range.min && column <= range.max) return range.style;
    return -1;
  }

  void writeCell(QXmlStreamWriter &out, int row, int column, const PendingCell &cell, int style) {
    const QString reference = cellName(row, column);
    PendingCell::Kind kind = cell.kind;
    QString text = cell.text;
    if (kind == PendingCell::Kind::Date) {
      const int dateStyle = m_dateStyleFor ? m_dateStyleFor(std::max(style, 0)) : -1;
      if (dateStyle < 0) {
        kind = PendingCell::Kind::Text;  // no styles to show a date with: its text then
        text = dateTimeOfSerial(cell.number).date().toString(QStringLiteral("dd/MM/yyyy"));
      } else {
        style = dateStyle;
      }
    }
    out.writeStartElement(tag("c"));
    out.writeAttribute(QStringLiteral("r"), reference);
    if (style >= 0) out.writeAttribute(QStringLiteral("s"), QString::number(style));
    if (kind == PendingCell::Kind::Text) {
      out.writeAttribute(QStringLiteral("t"), QStringLiteral("inlineStr"));
      out.writeStartElement(tag("is"));
      out.writeStartElement(tag("t"));
      out.writeAttribute(QStringLiteral("xml:space"), QStringLiteral("preserve"));
      out.writeCharacters(xmlSafe(text));
      out.writeEndElement();
      out.writeEndElement();
    } else if (std::isfinite(cell.number)) {
      out.writeTextElement(tag("v"), QString::number(cell.number, 'g', 17));
    }
    out.writeEndElement();
  }

  void writeNewRow(QXmlStreamWriter &out, int row, const std::map<int, PendingCell> &cells) {
    out.writeStartElement(tag("row"));
    out.writeAttribute(QStringLiteral("r"), QString::number(row));
    for (const auto &[column, cell] : cells) writeCell(out, row, column, cell, styleForNewCell(column, -1));
    out.writeEndElement();
  }

  void flushRowsBefore(QXmlStreamWriter &out, int row) {
    for (; m_next != m_cells.end() && m_next->first < row; ++m_next) writeNewRow(out, m_next->first, m_next->second);
  }

  // Inside <sheetData>, up to and including its end.
  void sheetData(QXmlStreamReader &in, QXmlStreamWriter &out) {
    int row = 0;
    while (!in.atEnd()) {
      in.readNext();
      if (in.isEndElement()) {  // </sheetData>
        flushRowsBefore(out, std::numeric_limits<int>::max());
        copyToken(in, out);
        return;
      }
      if (!in.isStartElement() || in.name() != u"row") {
        copyToken(in, out);
        continue;
      }
      Attributes attributes = attributesOf(in);
      bool ok = false;
      const int r = attributeOf(attributes, u"r").toInt(&ok);
      row = ok && r > 0 ? r : row + 1;
      flushRowsBefore(out, row);
      if (m_next == m_cells.end() || m_next->first != row) {
        copyElement(in, out);
        continue;
      }
      // a row of the template that receives values: its cells merge with ours
      const std::map<int, PendingCell> &cells = m_next->second;
      ++m_next;
      const QString customFormat = attributeOf(attributes, u"customFormat");
      const int rowStyle =
          (customFormat == u"1" || customFormat == u"true") ? attributeOf(attributes, u"s").toInt() : -1;
      attributes.removeIf([](const auto &a) { return a.first == u"spans"; });  // a hint only
      writeStart(out, in.qualifiedName().toString(), attributes);
      mergeRow(in, out, row, cells, rowStyle);
    }
  }

  // Inside a <row>, up to and including its end.
  void mergeRow(QXmlStreamReader &in, QXmlStreamWriter &out, int row, const std::map<int, PendingCell> &cells,
                int rowStyle) {
    auto next = cells.begin();
    int column = 0;
    while (!in.atEnd()) {
      in.readNext();
      if (in.isEndElement()) {  // </row>
        for (; next != cells.end(); ++next)
          writeCell(out, row, next->first, next->second, styleForNewCell(next->first, rowStyle));
        copyToken(in, out);
        return;
      }
      if (!in.isStartElement() || in.name() != u"c") {
        copyToken(in, out);
        continue;
      }
      const Attributes attributes = attributesOf(in);
      int r = 0, c = 0;
      column = parseCellReference(attributeOf(attributes, u"r"), r, c) ? c + 1 : column + 1;
      for (; next != cells.end() && next->first < column; ++next)
        writeCell(out, row, next->first, next->second, styleForNewCell(next->first, rowStyle));
      if (next == cells.end() || next->first != column) {
        copyElement(in, out);
        continue;
      }
      // the template's own cell is replaced, keeping its style
      const QString style = attributeOf(attributes, u"s");
      skipCell(in);
      writeCell(out, row, column, next->second, style.isEmpty() ? -1 : style.toInt());
      ++next;
    }
  }

  void skipCell(QXmlStreamReader &in) {
    int depth = 1;
    while (depth > 0 && !in.atEnd()) {
      in.readNext();
      if (in.isStartElement()) {
        ++depth;
        if (in.name() == u"f") m_replacedFormula = true;
      } else if (in.isEndElement()) {
        --depth;
      }
    }
  }

  const PendingCells &m_cells;
  const DateStyleFor &m_dateStyleFor;
  PendingCells::const_iterator m_next;
  std::vector<ColumnStyle> m_columnStyles;
  QString m_prefix;
  bool m_replacedFormula = false;
};

}  // namespace

SheetPatch patchSheetXml(const QByteArray &sheetXml, const PendingCells &cells, const DateStyleFor &dateStyleFor) {
  return SheetPatcher(cells, dateStyleFor).run(sheetXml);
}

XlsxStyles::XlsxStyles(const QByteArray &stylesXml) : m_xml(stylesXml) {
  QXmlStreamReader in(stylesXml);
  in.setNamespaceProcessing(false);
  bool inCellXfs = false;
  int maxFormatId = 163;  // custom formats start at 164
  while (!in.atEnd()) {
    in.readNext();
    if (in.isStartElement()) {
      const QStringView name = in.name();
      if (name == u"numFmt") {
        const Attributes attributes = attributesOf(in);
        const int id = attributeOf(attributes, u"numFmtId").toInt();
        const QString code = attributeOf(attributes, u"formatCode");
        m_formatCodes[id] = code;
        maxFormatId = std::max(maxFormatId, id);
        if (code.compare(u"dd/mm/yyyy", Qt::CaseInsensitive) == 0 && m_dateFormatId < 0) {
          m_dateFormatId = id;
          m_dateFormatExists = true;
        }
      } else if (name == u"cellXfs") {
        inCellXfs = true;
      } else if (inCellXfs && name == u"xf") {
        m_cellXfs.append({attributesOf(in), {}});
      } else if (inCellXfs && !m_cellXfs.isEmpty() && (name == u"alignment" || name == u"protection")) {
        m_cellXfs.last().children.append({in.qualifiedName().toString(), attributesOf(in)});
      }
    } else if (in.isEndElement() && in.name() == u"cellXfs") {
      inCellXfs = false;
    }
  }
  if (in.hasError()) throw Error(damagedFileReason());
  if (m_dateFormatId < 0) m_dateFormatId = maxFormatId + 1;
}

int XlsxStyles::dateStyleFor(int baseStyle) {
  if (baseStyle < 0 || baseStyle >= m_cellXfs.size()) baseStyle = 0;
  if (m_cellXfs.isEmpty()) return -1;
  const Attributes &base = m_cellXfs.at(baseStyle).attributes;
  const int formatId = attributeOf(base, u"numFmtId").toInt();
  const auto code = m_formatCodes.find(formatId);
  const NumberStyle style = numberStyleOf(formatId, code == m_formatCodes.end() ? QString() : code->second);
  if (style == NumberStyle::Date || style == NumberStyle::DateTime) return baseStyle;
  const auto known = m_dateStyleOf.find(baseStyle);
  if (known != m_dateStyleOf.end()) return known->second;
  Xf xf = m_cellXfs.at(baseStyle);
  setAttribute(xf.attributes, QStringLiteral("numFmtId"), QString::number(m_dateFormatId));
  setAttribute(xf.attributes, QStringLiteral("applyNumberFormat"), QStringLiteral("1"));
  m_added.append(xf);
  const int index = int(m_cellXfs.size() + m_added.size() - 1);
  m_dateStyleOf[baseStyle] = index;
  return index;
}

QByteArray XlsxStyles::patchedXml() const {
  if (m_added.isEmpty()) return m_xml;
  QByteArray result;
  QXmlStreamReader in(m_xml);
  in.setNamespaceProcessing(false);
  QXmlStreamWriter out(&result);
  QString prefix;
  bool formatWritten = m_dateFormatExists;
  auto writeDateFormat = [&] {
    out.writeStartElement(prefix + QStringLiteral("numFmt"));
    out.writeAttribute(QStringLiteral("numFmtId"), QString::number(m_dateFormatId));
    out.writeAttribute(QStringLiteral("formatCode"), QStringLiteral("dd/mm/yyyy"));
    out.writeEndElement();
    formatWritten = true;
  };
  int depth = 0;
  while (!in.atEnd()) {
    in.readNext();
    if (in.isStartElement()) {
      ++depth;
      const QStringView name = in.name();
      Attributes attributes = attributesOf(in);
      if (depth == 1) prefix = in.qualifiedName().left(in.qualifiedName().size() - name.size()).toString();
      if (name == u"numFmts" && !formatWritten) {
        const int count = attributeOf(attributes, u"count").toInt();
        setAttribute(attributes, QStringLiteral("count"), QString::number(count + 1));
        writeStart(out, in.qualifiedName().toString(), attributes);
        writeDateFormat();
        continue;
      }
      if (depth == 2 && !formatWritten) {
        // no list of formats yet: it comes first in the style sheet
        out.writeStartElement(prefix + QStringLiteral("numFmts"));
        out.writeAttribute(QStringLiteral("count"), QStringLiteral("1"));
        writeDateFormat();
        out.writeEndElement();
      }
      if (name == u"cellXfs") {
        setAttribute(attributes, QStringLiteral("count"), QString::number(m_cellXfs.size() + m_added.size()));
        writeStart(out, in.qualifiedName().toString(), attributes);
        continue;
      }
      writeStart(out, in.qualifiedName().toString(), attributes);
      continue;
    }
    if (in.isEndElement()) {
      --depth;
      if (in.name() == u"cellXfs")
        for (const Xf &xf : m_added) {
          writeStart(out, prefix + QStringLiteral("xf"), xf.attributes);
          for (const Element &child : xf.children) {
            writeStart(out, child.name, child.attributes);
            out.writeEndElement();
          }
          out.writeEndElement();
        }
    }
    copyToken(in, out);
  }
  return result;
}

QByteArray withoutCalcChain(const QByteArray &xml) {
  QByteArray result;
  QXmlStreamReader in(xml);
  in.setNamespaceProcessing(false);
  QXmlStreamWriter out(&result);
  while (!in.atEnd()) {
    in.readNext();
    if (in.isStartElement()) {
      const QXmlStreamAttributes attributes = in.attributes();
      if (attributes.value(QLatin1String("Type")).endsWith(u"/calcChain") ||
          attributes.value(QLatin1String("PartName")).endsWith(u"/calcChain.xml")) {
        in.skipCurrentElement();
        continue;
      }
    }
    copyToken(in, out);
  }
  return in.hasError() ? xml : result;
}

}  // namespace Spreadsheet
