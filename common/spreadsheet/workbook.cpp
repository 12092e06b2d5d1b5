#include "common/spreadsheet/workbook.h"

#include "common/spreadsheet/sheetsource.h"

#include <QFile>
#include <QFileInfo>
#include <QLocale>

#include <quazip/quazip.h>

#include <cmath>

namespace Spreadsheet {

QString damagedFileReason() { return QStringLiteral("o arquivo está danificado ou não é uma planilha válida."); }

namespace {

enum class Format { Xlsx, Ods, Xls, Csv, Unknown };

// A zip holds either an Office Open XML workbook or an OpenDocument spreadsheet.
Format zipFormat(const QString &path) {
  QuaZip zip(path);
  if (!zip.open(QuaZip::mdUnzip)) return Format::Unknown;
  const QStringList names = zip.getFileNameList();
  if (names.contains(QStringLiteral("[Content_Types].xml"))) return Format::Xlsx;
  if (names.contains(QStringLiteral("content.xml"))) return Format::Ods;
  return Format::Unknown;
}

Format formatOf(const QByteArray &head, const QString &path) {
  if (head.startsWith("PK\x03\x04")) return zipFormat(path);
  if (head.startsWith("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1"))
    return Format::Xls;  // compound file: legacy workbook (or a password-protected one)
  const QString suffix = QFileInfo(path).suffix().toLower();
  if (suffix == u"csv" || suffix == u"txt") return Format::Csv;
  return Format::Unknown;
}

}  // namespace

Workbook::Workbook(const QString &path) : m_path(path) {
  const QString name = QFileInfo(path).fileName();
  auto failure = [&](const QString &reason) {
    return Error(QStringLiteral("Não foi possível abrir a planilha %1: %2").arg(name, reason));
  };

  if (!QFileInfo(path).isFile()) throw failure(QStringLiteral("o arquivo não foi encontrado."));
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly))
    throw failure(
        QStringLiteral("o arquivo não pode ser lido (sem permissão ou em uso por "
                       "outro programa)."));
  const QByteArray head = file.read(8);
  file.close();
  if (head.isEmpty()) throw failure(QStringLiteral("o arquivo está vazio."));

  try {
    switch (formatOf(head, path)) {
      case Format::Xlsx:
        m_source = openXlsxSource(path);
        break;
      case Format::Ods:
        m_source = openOdsSource(path);
        break;
      case Format::Xls:
        m_source = openXlsSource(path);
        break;
      case Format::Csv:
        m_source = openCsvSource(path);
        break;
      case Format::Unknown:
        throw Error(head.startsWith("PK") ? damagedFileReason()
                                          : QStringLiteral("o arquivo não está num formato de planilha conhecido "
                                                           "(xlsx, xls, ods ou csv)."));
    }
  } catch (const Error &error) {
    throw failure(error.message());
  } catch (...) {
    // The parsing libraries throw their own exceptions for a broken file.
    throw failure(damagedFileReason());
  }
}

Workbook::~Workbook() = default;
Workbook::Workbook(Workbook &&) noexcept = default;
Workbook &Workbook::operator=(Workbook &&) noexcept = default;

int Workbook::rowCount() const { return m_source->rowCount(); }

int Workbook::columnCount() const { return m_source->columnCount(); }

namespace {

void checkPosition(const QString &path, int row, int column) {
  if (row < 1 || column < 1)
    throw Error(QStringLiteral("Não foi possível ler a célula da linha %1, coluna %2 da planilha "
                               "%3: linhas e colunas são contadas a partir de 1.")
                    .arg(row)
                    .arg(column)
                    .arg(QFileInfo(path).fileName()));
}

Error conversionError(const QString &path, int row, int column, const QString &value, const QString &expected) {
  return Error(QStringLiteral("Não foi possível ler a célula %1 da planilha %2: o valor \"%3\" "
                              "não é %4.")
                   .arg(cellName(row, column), QFileInfo(path).fileName(), value, expected));
}

QChar programDecimalPoint() {
  const QString point = QLocale().decimalPoint();
  return point.isEmpty() ? QChar(u',') : point.front();
}

}  // namespace

bool Workbook::isEmpty(int row, int column) const {
  checkPosition(m_path, row, column);
  const CellValue cell = m_source->cell(row - 1, column - 1);
  return cell.kind == CellValue::Kind::Empty || (cell.kind == CellValue::Kind::Text && cell.text.trimmed().isEmpty());
}

QString Workbook::text(int row, int column) const {
  checkPosition(m_path, row, column);
  return displayText(m_source->cell(row - 1, column - 1), programDecimalPoint());
}

double Workbook::number(int row, int column) const {
  checkPosition(m_path, row, column);
  const CellValue cell = m_source->cell(row - 1, column - 1);
  switch (cell.kind) {
    case CellValue::Kind::Empty:
      return 0.0;
    case CellValue::Kind::Number:
    case CellValue::Kind::Boolean:
      return cell.number;
    case CellValue::Kind::Text: {
      if (cell.text.trimmed().isEmpty()) return 0.0;
      if (const std::optional<double> value = parseNumberText(cell.text)) return *value;
      break;
    }
    case CellValue::Kind::Error:
      break;
  }
  throw conversionError(m_path, row, column, cell.text, QStringLiteral("um número"));
}

qint64 Workbook::integer(int row, int column) const {
  const double value = number(row, column);
  const double whole = std::round(value);
  if (std::fabs(value - whole) > 1e-9 * std::max(1.0, std::fabs(value)) || std::fabs(whole) > 9e18)
    throw conversionError(m_path, row, column, text(row, column), QStringLiteral("um número inteiro"));
  return static_cast<qint64>(whole);
}

}  // namespace Spreadsheet
