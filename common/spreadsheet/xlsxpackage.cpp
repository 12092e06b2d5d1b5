#include "common/spreadsheet/xlsxpackage.h"

#include "common/spreadsheet/error.h"
#include "common/spreadsheet/sheetsource.h"

#include <QHash>
#include <QXmlStreamReader>

#include <quazip/quazip.h>
#include <quazip/quazipfile.h>

namespace Spreadsheet {

bool zipHasEntry(QuaZip &zip, const QString &name) { return zip.setCurrentFile(name, QuaZip::csInsensitive); }

QByteArray readZipEntry(QuaZip &zip, const QString &name) {
  if (!zip.setCurrentFile(name, QuaZip::csInsensitive)) throw Error(damagedFileReason());
  QuaZipFile entry(&zip);
  if (!entry.open(QIODevice::ReadOnly)) throw Error(damagedFileReason());
  QByteArray bytes = entry.readAll();
  entry.close();
  if (entry.getZipError() != UNZ_OK) throw Error(damagedFileReason());
  return bytes;
}

namespace {

// "xl/_rels/workbook.xml.rels" for "xl/workbook.xml".
QString relationshipsOf(const QString &part) {
  const qsizetype slash = part.lastIndexOf(u'/');
  return part.left(slash + 1) + QStringLiteral("_rels/") + part.mid(slash + 1) + QStringLiteral(".rels");
}

// A relationship's target is relative to the folder of the part that owns it, unless absolute.
QString resolveTarget(const QString &ownerPart, const QString &target) {
  QStringList path;
  if (!target.startsWith(u'/')) path = ownerPart.split(u'/').mid(0, ownerPart.count(u'/'));
  for (const QString &piece : target.split(u'/', Qt::SkipEmptyParts)) {
    if (piece == u"..") {
      if (!path.isEmpty()) path.removeLast();
    } else if (piece != u".") {
      path.append(piece);
    }
  }
  return path.join(u'/');
}

struct Relationship {
  QString type;  // the last piece of the type URI: "worksheet", "styles", ...
  QString target;
};

QHash<QString, Relationship> readRelationships(QuaZip &zip, const QString &ownerPart) {
  QHash<QString, Relationship> result;
  const QString relsPart = relationshipsOf(ownerPart);
  if (!zipHasEntry(zip, relsPart)) return result;
  QXmlStreamReader xml(readZipEntry(zip, relsPart));
  while (!xml.atEnd()) {
    xml.readNext();
    if (xml.isStartElement() && xml.name() == u"Relationship") {
      const QXmlStreamAttributes attributes = xml.attributes();
      const QString type = attributes.value(QLatin1String("Type")).toString();
      const QString mode = attributes.value(QLatin1String("TargetMode")).toString();
      if (mode != u"External")
        result.insert(attributes.value(QLatin1String("Id")).toString(),
                      {type.mid(type.lastIndexOf(u'/') + 1),
                       resolveTarget(ownerPart, attributes.value(QLatin1String("Target")).toString())});
    }
    if (xml.hasError()) throw Error(damagedFileReason());
  }
  return result;
}

bool xmlTrue(QStringView value) { return value == u"1" || value == u"true"; }

}  // namespace

XlsxLayout readXlsxLayout(QuaZip &zip) {
  XlsxLayout layout;
  layout.workbookPart = QStringLiteral("xl/workbook.xml");
  for (const Relationship &rel : readRelationships(zip, QString()))
    if (rel.type == u"officeDocument") layout.workbookPart = rel.target;
  layout.relationshipsPart = relationshipsOf(layout.workbookPart);

  const QHash<QString, Relationship> rels = readRelationships(zip, layout.workbookPart);
  for (const Relationship &rel : rels) {
    if (rel.type == u"styles")
      layout.stylesPart = rel.target;
    else if (rel.type == u"sharedStrings")
      layout.sharedStringsPart = rel.target;
  }

  QXmlStreamReader xml(readZipEntry(zip, layout.workbookPart));
  int position = 0;
  while (!xml.atEnd()) {
    xml.readNext();
    if (!xml.isStartElement()) continue;
    const QXmlStreamAttributes attributes = xml.attributes();
    if (xml.name() == u"workbookPr") {
      layout.date1904 = xmlTrue(attributes.value(QLatin1String("date1904")));
    } else if (xml.name() == u"sheet") {
      ++position;
      if (attributes.value(QLatin1String("sheetId")) != QString::number(position)) layout.sheetIdsInOrder = false;
      if (position == 1) {
        QString id;
        for (const QXmlStreamAttribute &attribute : attributes)
          if (attribute.name() == u"id")  // r:id, whatever the prefix
            id = attribute.value().toString();
        const auto rel = rels.constFind(id);
        if (rel == rels.constEnd()) throw Error(damagedFileReason());
        layout.firstSheetPart = rel->target;
      }
    }
  }
  if (xml.hasError() || layout.firstSheetPart.isEmpty() || !zipHasEntry(zip, layout.firstSheetPart))
    throw Error(damagedFileReason());
  return layout;
}

}  // namespace Spreadsheet
