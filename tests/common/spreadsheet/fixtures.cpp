#include "fixtures.h"

#include <QFile>
#include <QtEndian>

#include <quazip/quazip.h>
#include <quazip/quazipfile.h>
#include <quazip/quazipnewinfo.h>

#include <cstring>

namespace Fixtures {

bool writeZip(const QString &path, const Entries &entries) {
  QuaZip zip(path);
  if (!zip.open(QuaZip::mdCreate)) return false;
  for (const auto &[name, data] : entries) {
    QuaZipFile file(&zip);
    // an OpenDocument's mimetype entry is stored uncompressed
    const int method = name == u"mimetype" ? 0 : Z_DEFLATED;
    if (!file.open(QIODevice::WriteOnly, QuaZipNewInfo(name), nullptr, 0, method)) return false;
    file.write(data);
    file.close();
  }
  zip.close();
  return zip.getZipError() == ZIP_OK;
}

Entries readZip(const QString &path) {
  Entries entries;
  QuaZip zip(path);
  if (!zip.open(QuaZip::mdUnzip)) return entries;
  for (bool more = zip.goToFirstFile(); more; more = zip.goToNextFile()) {
    QuaZipFile file(&zip);
    file.open(QIODevice::ReadOnly);
    entries.append({zip.getCurrentFileName(), file.readAll()});
  }
  return entries;
}

QByteArray zipEntry(const QString &path, const QString &name) {
  for (const auto &[entry, data] : readZip(path))
    if (entry == name) return data;
  return {};
}

QByteArray worksheet(const QByteArray &rows, const QByteArray &before, const QByteArray &after) {
  return "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
         "<worksheet xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\" "
         "xmlns:r=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships\">" +
         before + "<sheetData>" + rows + "</sheetData>" + after + "</worksheet>";
}

QByteArray standardStyles() {
  return R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>
<styleSheet xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main"><numFmts count="2"><numFmt numFmtId="164" formatCode="dd/mm/yyyy"/><numFmt numFmtId="165" formatCode="dd/mm/yyyy hh:mm"/></numFmts><fonts count="2"><font><sz val="11"/><name val="Calibri"/></font><font><b/><sz val="11"/><color rgb="FFFFFFFF"/><name val="Calibri"/></font></fonts><fills count="3"><fill><patternFill patternType="none"/></fill><fill><patternFill patternType="gray125"/></fill><fill><patternFill patternType="solid"><fgColor rgb="FFC00000"/><bgColor indexed="64"/></patternFill></fill></fills><borders count="1"><border><left/><right/><top/><bottom/><diagonal/></border></borders><cellStyleXfs count="1"><xf numFmtId="0" fontId="0" fillId="0" borderId="0"/></cellStyleXfs><cellXfs count="6"><xf numFmtId="0" fontId="0" fillId="0" borderId="0" xfId="0"/><xf numFmtId="164" fontId="0" fillId="0" borderId="0" xfId="0" applyNumberFormat="1"/><xf numFmtId="14" fontId="0" fillId="0" borderId="0" xfId="0" applyNumberFormat="1"/><xf numFmtId="0" fontId="1" fillId="2" borderId="0" xfId="0" applyFont="1" applyFill="1"><alignment horizontal="center"/></xf><xf numFmtId="4" fontId="0" fillId="0" borderId="0" xfId="0" applyNumberFormat="1"/><xf numFmtId="165" fontId="0" fillId="0" borderId="0" xfId="0" applyNumberFormat="1"/></cellXfs><cellStyles count="1"><cellStyle name="Normal" xfId="0" builtinId="0"/></cellStyles></styleSheet>)";
}

namespace {

QByteArray escaped(const QString &text) { return text.toHtmlEscaped().toUtf8(); }

}  // namespace

bool writeXlsx(const QString &path, const QList<XlsxSheet> &sheets, const QStringList &sharedStrings,
               const QByteArray &styles, const Entries &extraEntries, const QByteArray &extraRelationships,
               const QByteArray &extraContentTypes) {
  QByteArray types =
      "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
      "<Types xmlns=\"http://schemas.openxmlformats.org/package/2006/content-types\">"
      "<Default Extension=\"rels\" ContentType=\"application/vnd.openxmlformats-package.relationships+xml\"/>"
      "<Default Extension=\"xml\" ContentType=\"application/xml\"/>"
      "<Override PartName=\"/xl/workbook.xml\" "
      "ContentType=\"application/vnd.openxmlformats-officedocument.spreadsheetml.sheet.main+xml\"/>"
      "<Override PartName=\"/xl/styles.xml\" "
      "ContentType=\"application/vnd.openxmlformats-officedocument.spreadsheetml.styles+xml\"/>"
      "<Override PartName=\"/xl/sharedStrings.xml\" "
      "ContentType=\"application/vnd.openxmlformats-officedocument.spreadsheetml.sharedStrings+xml\"/>";
  QByteArray workbook =
      "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
      "<workbook xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\" "
      "xmlns:r=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships\"><sheets>";
  QByteArray rels =
      "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
      "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
      "<Relationship Id=\"rIdStyles\" "
      "Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/styles\" Target=\"styles.xml\"/>"
      "<Relationship Id=\"rIdStrings\" "
      "Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/sharedStrings\" "
      "Target=\"sharedStrings.xml\"/>";
  Entries sheetEntries;
  int n = 0;
  for (const XlsxSheet &sheet : sheets) {
    const QByteArray id = "rIdSheet" + QByteArray::number(++n);
    types += "<Override PartName=\"/xl/" + sheet.part.toUtf8() +
             "\" ContentType=\"application/vnd.openxmlformats-officedocument.spreadsheetml.worksheet+xml\"/>";
    workbook += "<sheet name=\"" + escaped(sheet.name) + "\" sheetId=\"" + QByteArray::number(sheet.sheetId) +
                "\" r:id=\"" + id + "\"/>";
    rels += "<Relationship Id=\"" + id +
            "\" Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/worksheet\" Target=\"" +
            sheet.part.toUtf8() + "\"/>";
    sheetEntries.append({QStringLiteral("xl/") + sheet.part, sheet.xml});
  }
  types += extraContentTypes + "</Types>";
  workbook += "</sheets></workbook>";
  rels += extraRelationships + "</Relationships>";
  QByteArray strings =
      "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
      "<sst xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\" count=\"" +
      QByteArray::number(sharedStrings.size()) + "\" uniqueCount=\"" + QByteArray::number(sharedStrings.size()) + "\">";
  for (const QString &s : sharedStrings) strings += "<si><t xml:space=\"preserve\">" + escaped(s) + "</t></si>";
  strings += "</sst>";

  Entries entries{
      {QStringLiteral("[Content_Types].xml"), types},
      {QStringLiteral("_rels/.rels"),
       "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
       "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
       "<Relationship Id=\"rId1\" "
       "Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/officeDocument\" "
       "Target=\"xl/workbook.xml\"/>"
       "</Relationships>"},
      {QStringLiteral("xl/workbook.xml"), workbook},
      {QStringLiteral("xl/_rels/workbook.xml.rels"), rels},
      {QStringLiteral("xl/styles.xml"), styles},
      {QStringLiteral("xl/sharedStrings.xml"), strings},
  };
  entries += sheetEntries;
  entries += extraEntries;
  return writeZip(path, entries);
}

bool writeOds(const QString &path, const QByteArray &body) {
  const QByteArray content =
      "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
      "<office:document-content xmlns:office=\"urn:oasis:names:tc:opendocument:xmlns:office:1.0\" "
      "xmlns:table=\"urn:oasis:names:tc:opendocument:xmlns:table:1.0\" "
      "xmlns:text=\"urn:oasis:names:tc:opendocument:xmlns:text:1.0\" office:version=\"1.2\">"
      "<office:body><office:spreadsheet>" +
      body + "</office:spreadsheet></office:body></office:document-content>";
  const QByteArray manifest =
      "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
      "<manifest:manifest xmlns:manifest=\"urn:oasis:names:tc:opendocument:xmlns:manifest:1.0\" "
      "manifest:version=\"1.2\">"
      "<manifest:file-entry manifest:full-path=\"/\" "
      "manifest:media-type=\"application/vnd.oasis.opendocument.spreadsheet\"/>"
      "<manifest:file-entry manifest:full-path=\"content.xml\" manifest:media-type=\"text/xml\"/>"
      "</manifest:manifest>";
  return writeZip(path, {{QStringLiteral("mimetype"), "application/vnd.oasis.opendocument.spreadsheet"},
                         {QStringLiteral("content.xml"), content},
                         {QStringLiteral("META-INF/manifest.xml"), manifest}});
}

// ---- legacy workbook ----------------------------------------------------------------------------

namespace {

class Bytes {
 public:
  QByteArray data;
  void u8(quint8 v) { data.append(char(v)); }
  void u16(quint16 v) {
    char b[2];
    qToLittleEndian(v, b);
    data.append(b, 2);
  }
  void u32(quint32 v) {
    char b[4];
    qToLittleEndian(v, b);
    data.append(b, 4);
  }
  void f64(double v) {
    quint64 bits;
    std::memcpy(&bits, &v, 8);
    char b[8];
    qToLittleEndian(bits, b);
    data.append(b, 8);
  }
  void utf16(const QString &s) {
    for (const QChar c : s) u16(c.unicode());
  }
};

void record(Bytes &stream, quint16 type, const QByteArray &body) {
  stream.u16(type);
  stream.u16(quint16(body.size()));
  stream.data.append(body);
}

QByteArray bof(quint16 kind) {
  Bytes b;
  b.u16(0x0600);  // BIFF8
  b.u16(kind);    // 0x0005 workbook globals, 0x0010 worksheet
  b.u16(0x0DBB);
  b.u16(0x07CC);
  b.u32(0x000100C1);
  b.u32(0x00000406);
  return b.data;
}

QByteArray xf(quint16 format) {
  Bytes b;
  b.u16(0);       // font
  b.u16(format);  // number format
  b.u16(0x0001);  // cell xf, locked
  b.u16(0x0020);
  b.u16(0);
  b.u32(0);
  b.u32(0);
  b.u16(0x20C0);
  return b.data;
}

QByteArray sheetStream(const QList<XlsCell> &cells, QStringList &strings) {
  int rows = 0, columns = 0;
  for (const XlsCell &cell : cells) {
    rows = std::max(rows, cell.row + 1);
    columns = std::max(columns, cell.column + 1);
  }
  Bytes s;
  record(s, 0x0809, bof(0x0010));
  Bytes dimensions;
  dimensions.u32(0);
  dimensions.u32(quint32(rows));
  dimensions.u16(0);
  dimensions.u16(quint16(columns));
  dimensions.u16(0);
  record(s, 0x0200, dimensions.data);
  for (const XlsCell &cell : cells) {
    Bytes b;
    b.u16(quint16(cell.row));
    b.u16(quint16(cell.column));
    if (cell.kind == XlsCell::Kind::Text) {
      b.u16(15);  // general
      b.u32(quint32(strings.size()));
      strings.append(cell.text);
      record(s, 0x00FD, b.data);  // LABELSST
    } else {
      b.u16(cell.kind == XlsCell::Kind::Date ? 16 : 15);
      b.f64(cell.number);
      record(s, 0x0203, b.data);  // NUMBER
    }
  }
  record(s, 0x000A, {});
  return s.data;
}

}  // namespace

bool writeXls(const QString &path, const QList<XlsCell> &cells, const QList<XlsCell> &secondSheet) {
  QStringList strings;
  const QByteArray first = sheetStream(cells, strings);
  const QByteArray second = sheetStream(secondSheet, strings);

  // workbook globals: code page, date system, 15 style formats + general + date formats
  Bytes globals;
  record(globals, 0x0809, bof(0x0005));
  Bytes codepage;
  codepage.u16(0x04B0);
  record(globals, 0x0042, codepage.data);
  Bytes dateMode;
  dateMode.u16(0);
  record(globals, 0x0022, dateMode.data);
  Bytes font;
  font.u16(200);
  font.u16(0);
  font.u16(0x7FFF);
  font.u16(400);
  font.u16(0);
  font.u8(0);
  font.u8(0);
  font.u8(0);
  font.u8(0);
  font.u8(5);
  font.u8(0);
  font.data.append("Arial");
  record(globals, 0x0031, font.data);
  for (int i = 0; i < 15; ++i) record(globals, 0x00E0, xf(0));
  record(globals, 0x00E0, xf(0));   // 15: general
  record(globals, 0x00E0, xf(14));  // 16: date
  // the sheets' positions are known once the globals' length is
  QList<QByteArray> names{"Primeira", "Segunda"};
  int boundSheetsSize = 0;
  for (const QByteArray &name : names) boundSheetsSize += 4 + 4 + 2 + 2 + name.size();
  Bytes sst;
  sst.u32(quint32(strings.size()));
  sst.u32(quint32(strings.size()));
  for (const QString &text : strings) {
    sst.u16(quint16(text.size()));
    sst.u8(1);  // UTF-16
    sst.utf16(text);
  }
  const int globalsSize = globals.data.size() + boundSheetsSize + 4 + sst.data.size() + 4;
  const quint32 offsets[2] = {quint32(globalsSize), quint32(globalsSize + first.size())};
  for (int i = 0; i < 2; ++i) {
    Bytes b;
    b.u32(offsets[i]);
    b.u8(0);
    b.u8(0);
    b.u8(quint8(names[i].size()));
    b.u8(0);  // 8-bit characters
    b.data.append(names[i]);
    record(globals, 0x0085, b.data);
  }
  record(globals, 0x00FC, sst.data);
  record(globals, 0x000A, {});
  QByteArray stream = globals.data + first + second;
  // Streams below 4096 bytes would go to the compound file's mini stream; padding after the
  // last record keeps this one in ordinary sectors.
  if (stream.size() < 4096) stream.append(QByteArray(4096 - stream.size(), '\0'));
  const int sectors = (stream.size() + 511) / 512;
  stream.append(QByteArray(sectors * 512 - stream.size(), '\0'));
  const quint32 streamSize = quint32(stream.size());

  constexpr quint32 endOfChain = 0xFFFFFFFE, freeSector = 0xFFFFFFFF, fatSector = 0xFFFFFFFD, noStream = 0xFFFFFFFF;
  Bytes header;
  header.data.append("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8);
  header.data.append(QByteArray(16, '\0'));
  header.u16(0x003E);
  header.u16(0x0003);
  header.u16(0xFFFE);
  header.u16(9);  // 512-byte sectors
  header.u16(6);
  header.data.append(QByteArray(6, '\0'));
  header.u32(0);  // directory sectors (version 3)
  header.u32(1);  // FAT sectors
  header.u32(1);  // first directory sector
  header.u32(0);
  header.u32(4096);        // mini stream cut-off
  header.u32(endOfChain);  // no mini FAT
  header.u32(0);
  header.u32(endOfChain);  // no DIFAT sectors
  header.u32(0);
  header.u32(0);  // DIFAT[0]: the FAT is sector 0
  for (int i = 1; i < 109; ++i) header.u32(freeSector);

  Bytes fat;
  fat.u32(fatSector);
  fat.u32(endOfChain);  // directory
  for (int i = 0; i < sectors; ++i) fat.u32(i == sectors - 1 ? endOfChain : quint32(2 + i + 1));
  while (fat.data.size() < 512) fat.u32(freeSector);

  auto entry = [](const QString &name, quint8 type, quint32 child, quint32 start, quint32 size) {
    Bytes e;
    e.utf16(name);
    e.u16(0);
    e.data.append(QByteArray(64 - e.data.size(), '\0'));
    e.u16(quint16(name.isEmpty() ? 0 : (name.size() + 1) * 2));
    e.u8(type);
    e.u8(1);  // black
    e.u32(noStream);
    e.u32(noStream);
    e.u32(child);
    e.data.append(QByteArray(16 + 4 + 8 + 8, '\0'));
    e.u32(start);
    e.u32(size);
    e.u32(0);
    return e.data;
  };
  QByteArray directory = entry(QStringLiteral("Root Entry"), 5, 1, endOfChain, 0) +
                         entry(QStringLiteral("Workbook"), 2, noStream, 2, streamSize) +
                         entry(QString(), 0, noStream, 0, 0) + entry(QString(), 0, noStream, 0, 0);

  QFile file(path);
  if (!file.open(QIODevice::WriteOnly)) return false;
  file.write(header.data);
  file.write(fat.data);
  file.write(directory);
  file.write(stream);
  return file.error() == QFile::NoError;
}

}  // namespace Fixtures
