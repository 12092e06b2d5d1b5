#include "common/spreadsheet/templateexport.h"

#include "common/spreadsheet/cellvalue.h"
#include "common/spreadsheet/processes.h"
#include "common/spreadsheet/sheetsource.h"
#include "common/spreadsheet/xlsxpackage.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include <optional>

#include <quazip/quazip.h>
#include <quazip/quazipfile.h>
#include <quazip/quazipnewinfo.h>

namespace Spreadsheet {

namespace {

TemplateExport::Opener &opener() {
  static TemplateExport::Opener current;
  return current;
}

struct Entry {
  QString name;
  QByteArray data;
};

QString templateName(const QString &path) { return QFileInfo(path).fileName(); }

Error damagedTemplate(const QString &path) {
  return Error(QStringLiteral("O modelo de planilha %1 está danificado ou não é uma planilha "
                              ".xlsx válida.")
                   .arg(templateName(path)));
}

QList<Entry> readEntries(QuaZip &zip) {
  QList<Entry> entries;
  for (bool more = zip.goToFirstFile(); more; more = zip.goToNextFile()) {
    QuaZipFile file(&zip);
    if (!file.open(QIODevice::ReadOnly)) throw Error(damagedFileReason());
    entries.append({zip.getCurrentFileName(), file.readAll()});
    file.close();
    if (file.getZipError() != UNZ_OK) throw Error(damagedFileReason());
  }
  if (zip.getZipError() != UNZ_OK) throw Error(damagedFileReason());
  return entries;
}

Entry *entryNamed(QList<Entry> &entries, const QString &name) {
  for (Entry &entry : entries)
    if (entry.name.compare(name, Qt::CaseInsensitive) == 0) return &entry;
  return nullptr;
}

bool writeZip(const QString &path, const QList<Entry> &entries) {
  QuaZip zip(path);
  if (!zip.open(QuaZip::mdCreate)) return false;
  for (const Entry &entry : entries) {
    QuaZipFile file(&zip);
    if (!file.open(QIODevice::WriteOnly, QuaZipNewInfo(entry.name))) return false;
    const bool written = file.write(entry.data) == entry.data.size();
    file.close();
    if (!written || file.getZipError() != ZIP_OK) return false;
  }
  zip.close();
  return zip.getZipError() == ZIP_OK;
}

// "base_2026-12-11_153012.xlsx", with "_2", "_3" ... when two exports fall in the same second.
QString datedPath(const QDir &folder, const QString &templatePath) {
  const QString stem = QFileInfo(templatePath).completeBaseName() + u'_' +
                       QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd_HHmmss"));
  QString path = folder.filePath(stem + QStringLiteral(".xlsx"));
  for (int n = 2; QFileInfo::exists(path); ++n) path = folder.filePath(stem + QStringLiteral("_%1.xlsx").arg(n));
  return path;
}

}  // namespace

QString SavedCopy::message() const {
  const QString where = QDir::toNativeSeparators(path);
  return opened ? QStringLiteral("A planilha foi salva em %1.").arg(where)
                : QStringLiteral(
                      "A planilha foi salva em %1, mas não foi possível abri-la "
                      "automaticamente; abra-a pelo programa de planilhas.")
                      .arg(where);
}

TemplateExport::TemplateExport(const QString &name, const QString &templateFolder) {
  const QString folder = templateFolder.isEmpty() ? QCoreApplication::applicationDirPath() : templateFolder;
  m_templatePath = QDir(folder).filePath(name);
  if (!QFileInfo(m_templatePath).isFile())
    throw Error(QStringLiteral("O modelo de planilha %1 não foi encontrado na pasta %2.")
                    .arg(name, QDir::toNativeSeparators(folder)));
  QuaZip zip(m_templatePath);
  try {
    if (!zip.open(QuaZip::mdUnzip)) throw Error(damagedFileReason());
    readXlsxLayout(zip);
  } catch (const Error &) {
    throw damagedTemplate(m_templatePath);
  }
}

void TemplateExport::set(int row, int column, PendingCell cell) {
  if (row < 1 || column < 1 || row > 1048576 || column > 16384)
    throw Error(QStringLiteral("A célula da linha %1, coluna %2 não existe numa planilha.").arg(row).arg(column));
  m_cells[row][column] = std::move(cell);
}

void TemplateExport::setText(int row, int column, const QString &text) {
  set(row, column, {PendingCell::Kind::Text, text, 0.0});
}

void TemplateExport::setNumber(int row, int column, double value) {
  set(row, column, {PendingCell::Kind::Number, QString(), value});
}

void TemplateExport::setDate(int row, int column, const QDate &date) {
  if (date.isValid()) set(row, column, {PendingCell::Kind::Date, QString(), serialOf(date)});
}

void TemplateExport::setValue(int row, int column, const QVariant &value) {
  if (value.isNull()) return;
  switch (value.typeId()) {
    case QMetaType::QDate:
    case QMetaType::QDateTime:
      setDate(row, column, value.toDate());
      break;
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::Long:
    case QMetaType::ULong:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Double:
    case QMetaType::Float:
      setNumber(row, column, value.toDouble());
      break;
    default:
      setText(row, column, value.toString());
      break;
  }
}

QString TemplateExport::defaultExportFolder() {
  return QDir(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation)).filePath(QStringLiteral("Velmora"));
}

QString TemplateExport::save(const QString &exportFolder) const {
  QList<Entry> entries;
  try {
    QuaZip zip(m_templatePath);
    if (!zip.open(QuaZip::mdUnzip)) throw Error(damagedFileReason());
    const XlsxLayout layout = readXlsxLayout(zip);
    entries = readEntries(zip);

    Entry *sheet = entryNamed(entries, layout.firstSheetPart);
    Entry *stylesEntry = layout.stylesPart.isEmpty() ? nullptr : entryNamed(entries, layout.stylesPart);
    if (!sheet) throw Error(damagedFileReason());
    std::optional<XlsxStyles> styles;
    if (stylesEntry) styles.emplace(stylesEntry->data);
    const DateStyleFor dateStyle = [&styles](int base) { return styles ? styles->dateStyleFor(base) : -1; };
    const SheetPatch patch = patchSheetXml(sheet->data, m_cells, dateStyle);
    sheet->data = patch.xml;
    if (styles && styles->changed()) stylesEntry->data = styles->patchedXml();
    if (patch.replacedFormula) {
      // Excel recomputes the chain when it is missing, and complains when it is stale.
      entries.removeIf([](const Entry &e) { return e.name.endsWith(u"calcChain.xml", Qt::CaseInsensitive); });
      for (const QString &part : {layout.relationshipsPart, QStringLiteral("[Content_Types].xml")})
        if (Entry *entry = entryNamed(entries, part)) entry->data = withoutCalcChain(entry->data);
    }
  } catch (const Error &) {
    throw damagedTemplate(m_templatePath);
  }

  const QString folderPath = exportFolder.isEmpty() ? defaultExportFolder() : exportFolder;
  const QString where = QDir::toNativeSeparators(folderPath);
  if (!QDir().mkpath(folderPath))
    throw Error(QStringLiteral("Não foi possível criar a pasta %1 para gravar a planilha.").arg(where));
  const QDir folder(folderPath);
  const QString path = datedPath(folder, m_templatePath);
  // written aside and renamed when complete, so that no half-written copy is left behind
  const QString partial = folder.filePath(u'.' + QFileInfo(path).fileName() + QStringLiteral(".part"));
  if (!writeZip(partial, entries) || !QFile::rename(partial, path)) {
    QFile::remove(partial);
    throw Error(QStringLiteral("Não foi possível gravar a planilha na pasta %1: verifique o "
                               "espaço em disco e a permissão de escrita.")
                    .arg(where));
  }
  return path;
}

SavedCopy TemplateExport::saveAndOpen(const QString &exportFolder) const {
  SavedCopy copy;
  copy.path = save(exportFolder);
  copy.opened = opener() ? opener()(copy.path) : openWithDefaultApplication(copy.path);
  return copy;
}

void TemplateExport::setOpener(Opener newOpener) { opener() = std::move(newOpener); }

}  // namespace Spreadsheet
