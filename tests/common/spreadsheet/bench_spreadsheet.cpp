// Reading a large operator statement: generates a 100,000-row by 25-column .xlsx (texts, whole
// numbers, amounts and dates, as statements have them) and reads every cell as the imports do,
// printing the rows per second. A benchmark, not a test: it checks nothing about the speed.

#include "common/spreadsheet/workbook.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QLocale>
#include <QTemporaryDir>
#include <QTextStream>

#include <quazip/quazip.h>
#include <quazip/quazipfile.h>
#include <quazip/quazipnewinfo.h>

#include "fixtures.h"

namespace {

constexpr int rows = 100000;
constexpr int columns = 25;

// Column kinds, repeating: shared text, whole number, amount, date, inline text.
QByteArray cellXml(int row, int column) {
  const QByteArray ref = Spreadsheet::cellName(row, column).toLatin1();
  switch (column % 5) {
    case 0:
      return "<c r=\"" + ref + "\" t=\"s\"><v>" + QByteArray::number(row % 1000) + "</v></c>";
    case 1:
      return "<c r=\"" + ref + "\"><v>" + QByteArray::number(row * 7 + column) + "</v></c>";
    case 2:
      return "<c r=\"" + ref + "\" s=\"4\"><v>" + QByteArray::number(row * 1.25 + column, 'g', 12) + "</v></c>";
    case 3:
      return "<c r=\"" + ref + "\" s=\"1\"><v>" + QByteArray::number(45000 + row % 700) + "</v></c>";
    default:
      return "<c r=\"" + ref + "\" t=\"s\"><v>" + QByteArray::number(1000 + row % 500) + "</v></c>";
  }
}

bool generate(const QString &path) {
  QStringList strings;
  for (int i = 0; i < 1500; ++i) strings.append(QStringLiteral("Segurado %1 da Silva").arg(i));
  // the parts are written by the fixture writer, then the big sheet is streamed in
  if (!Fixtures::writeXlsx(path, {{QStringLiteral("Extrato"), 1, QStringLiteral("worksheets/sheet1.xml"), {}}},
                           strings))
    return false;
  Fixtures::Entries entries = Fixtures::readZip(path);
  QuaZip zip(path);
  if (!zip.open(QuaZip::mdCreate)) return false;
  for (const auto &[name, data] : entries) {
    QuaZipFile file(&zip);
    if (!file.open(QIODevice::WriteOnly, QuaZipNewInfo(name))) return false;
    if (name != u"xl/worksheets/sheet1.xml") {
      file.write(data);
      continue;
    }
    file.write(
        "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n<worksheet xmlns=\""
        "http://schemas.openxmlformats.org/spreadsheetml/2006/main\"><sheetData>");
    for (int row = 1; row <= rows; ++row) {
      QByteArray line = "<row r=\"" + QByteArray::number(row) + "\">";
      for (int column = 1; column <= columns; ++column) line += cellXml(row, column);
      file.write(line + "</row>");
    }
    file.write("</sheetData></worksheet>");
  }
  zip.close();
  return zip.getZipError() == ZIP_OK;
}

}  // namespace

int main(int argc, char **argv) {
  QCoreApplication app(argc, argv);
  QLocale::setDefault(QLocale(QLocale::Portuguese, QLocale::Brazil));
  QTextStream out(stdout);
  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("extrato.xlsx"));
  QElapsedTimer timer;
  timer.start();
  if (!generate(path)) {
    out << "could not write " << path << Qt::endl;
    return 1;
  }
  out << "generated " << rows << " x " << columns << " cells, " << QFileInfo(path).size() / 1024 << " KiB, in "
      << timer.elapsed() << " ms" << Qt::endl;

  timer.restart();
  const Spreadsheet::Workbook book(path);
  const qint64 opened = timer.elapsed();
  qint64 characters = 0;
  double sum = 0;
  for (int row = 1; row <= book.rowCount(); ++row)
    for (int column = 1; column <= columns; ++column) {
      if (column % 5 == 1 || column % 5 == 2)
        sum += book.number(row, column);
      else
        characters += book.text(row, column).size();
    }
  const qint64 total = timer.elapsed();
  out << "opened in " << opened << " ms; read " << book.rowCount() << " rows (" << qint64(book.rowCount()) * columns
      << " cells) in " << total << " ms in all: " << qRound64(book.rowCount() * 1000.0 / std::max<qint64>(total, 1))
      << " rows/s"
      << " (checksum " << characters << ", " << QString::number(sum, 'f', 0) << ")" << Qt::endl;
  return book.rowCount() == rows ? 0 : 1;
}
