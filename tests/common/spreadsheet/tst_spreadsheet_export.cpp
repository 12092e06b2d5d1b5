// Filling the installation's template: the copy keeps the template's styles and everything else,
// holds the written values at the right cells, and failures say what went wrong.

#include "common/spreadsheet/templateexport.h"
#include "common/spreadsheet/workbook.h"
#include "fixtures.h"

#include <QDir>
#include <QFile>
#include <QHash>
#include <QLocale>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QXmlStreamReader>

using Spreadsheet::TemplateExport;
using Spreadsheet::Workbook;

namespace {

// The header row is bold white on red (style 3); B2 shows amounts (style 4), so does column D;
// C2 holds a formula listed in the calculation chain.
const QByteArray templateSheet = Fixtures::worksheet(
    R"(<row r="1" spans="1:3" s="3" customFormat="1"><c r="A1" s="3" t="s"><v>0</v></c><c r="B1" s="3" t="s"><v>1</v></c><c r="C1" s="3" t="s"><v>2</v></c></row>)"
    R"(<row r="2"><c r="B2" s="4"><v>0</v></c><c r="C2"><f>B2*2</f><v>0</v></c><c r="E2" s="1"/></row>)",
    R"(<dimension ref="A1:C2"/><cols><col min="4" max="4" width="14" style="4" customWidth="1"/></cols>)",
    R"(<mergeCells count="1"><mergeCell ref="E1:F1"/></mergeCells><pageMargins left="0.7" right="0.7" top="0.75" bottom="0.75" header="0.3" footer="0.3"/>)");

const QByteArray otherSheet = Fixtures::worksheet(R"(<row r="1"><c r="A1"><v>99</v></c></row>)");

// Cell reference → s= attribute ("" when absent) of a sheet part.
QHash<QString, QString> stylesOfCells(const QByteArray &xml) {
  QHash<QString, QString> result;
  QXmlStreamReader reader(xml);
  while (!reader.atEnd()) {
    reader.readNext();
    if (reader.isStartElement() && reader.name() == u"c")
      result.insert(reader.attributes().value(QLatin1String("r")).toString(),
                    reader.attributes().value(QLatin1String("s")).toString());
  }
  return result;
}

}  // namespace

class TestSpreadsheetExport : public QObject {
  Q_OBJECT

 private:
  QTemporaryDir m_dir;
  QString m_programFolder;
  QString m_exportFolder;
  QStringList m_opened;

  QString templatePath() const { return QDir(m_programFolder).filePath(QStringLiteral("base.xlsx")); }

 private slots:
  void initTestCase() {
    QVERIFY(m_dir.isValid());
    QLocale::setDefault(QLocale(QLocale::Portuguese, QLocale::Brazil));
    m_programFolder = m_dir.filePath(QStringLiteral("programa"));
    QVERIFY(QDir().mkpath(m_programFolder));
    // the workbook's first sheet is stored as sheet2.xml
    QVERIFY(Fixtures::writeXlsx(
        templatePath(),
        {{QStringLiteral("Planilha1"), 1, QStringLiteral("worksheets/sheet2.xml"), templateSheet},
         {QStringLiteral("Outra"), 2, QStringLiteral("worksheets/sheet1.xml"), otherSheet}},
        {QStringLiteral("Data"), QStringLiteral("Nome"), QStringLiteral("Valor")}, Fixtures::standardStyles(),
        {{QStringLiteral("xl/calcChain.xml"),
          "<calcChain xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\"><c r=\"C2\" "
          "i=\"1\"/></calcChain>"}},
        "<Relationship Id=\"rIdChain\" "
        "Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/calcChain\" "
        "Target=\"calcChain.xml\"/>",
        R"(<Override PartName="/xl/calcChain.xml" ContentType="application/vnd.openxmlformats-officedocument.spreadsheetml.calcChain+xml"/>)"));
    TemplateExport::setOpener([this](const QString &path) {
      m_opened.append(path);
      return true;
    });
  }

  void init() {
    m_exportFolder = m_dir.filePath(QStringLiteral("exportadas/%1").arg(QTest::currentTestFunction()));
    m_opened.clear();
  }

  void fillsTemplateKeepingItsStyles() {
    TemplateExport sheet(QStringLiteral("base.xlsx"), m_programFolder);
    sheet.setText(1, 1, QStringLiteral("Data Pagto"));           // header cell replaced
    sheet.setText(1, 4, QStringLiteral("Extra"));                // new cell in the header row
    sheet.setText(2, 1, QStringLiteral("Fulano & Cia <Ltda>"));  // new cell before B2
    sheet.setNumber(2, 2, 1234.5);                               // amount cell replaced
    sheet.setNumber(2, 3, 2469);                                 // formula replaced
    sheet.setNumber(2, 4, 10);                                   // new cell in column D
    sheet.setText(4, 1, QStringLiteral("linha nova"));
    sheet.setNumber(3, 3, 7);  // new row between rows

    const Spreadsheet::SavedCopy copy = sheet.saveAndOpen(m_exportFolder);
    QVERIFY(copy.opened);
    QCOMPARE(m_opened, QStringList{copy.path});
    QCOMPARE(QFileInfo(copy.path).absolutePath(), QFileInfo(m_exportFolder).absoluteFilePath());
    QVERIFY2(QRegularExpression(QStringLiteral("^base_\\d{4}-\\d\\d-\\d\\d_\\d{6}\\.xlsx$"))
                 .match(QFileInfo(copy.path).fileName())
                 .hasMatch(),
             qPrintable(copy.path));
    QCOMPARE(QDir(m_exportFolder).entryList(QDir::Files | QDir::Hidden), QStringList{QFileInfo(copy.path).fileName()});
    QVERIFY(copy.message().contains(QDir::toNativeSeparators(copy.path)));

    // styles untouched; every cell keeps or takes the right style
    QCOMPARE(Fixtures::zipEntry(copy.path, QStringLiteral("xl/styles.xml")), Fixtures::standardStyles());
    const QByteArray written = Fixtures::zipEntry(copy.path, QStringLiteral("xl/worksheets/sheet2.xml"));
    const QHash<QString, QString> styles = stylesOfCells(written);
    QCOMPARE(styles.value(QStringLiteral("A1")), QStringLiteral("3"));
    QCOMPARE(styles.value(QStringLiteral("B1")), QStringLiteral("3"));
    QCOMPARE(styles.value(QStringLiteral("D1")), QStringLiteral("3"));
    QCOMPARE(styles.value(QStringLiteral("B2")), QStringLiteral("4"));
    QCOMPARE(styles.value(QStringLiteral("D2")), QStringLiteral("4"));
    QCOMPARE(styles.value(QStringLiteral("A2")), QString());
    QVERIFY(written.contains(R"(<mergeCell ref="E1:F1"/>)"));
    QVERIFY(written.contains(R"(<pageMargins left="0.7")"));
    QVERIFY(written.contains(R"(<dimension ref="A1:D4"/>)"));
    QCOMPARE(Fixtures::zipEntry(copy.path, QStringLiteral("xl/worksheets/sheet1.xml")), otherSheet);
    QCOMPARE(Fixtures::zipEntry(copy.path, QStringLiteral("xl/sharedStrings.xml")),
             Fixtures::zipEntry(templatePath(), QStringLiteral("xl/sharedStrings.xml")));

    // the overwritten formula leaves no stale calculation chain behind
    QVERIFY(Fixtures::zipEntry(copy.path, QStringLiteral("xl/calcChain.xml")).isNull());
    QVERIFY(!Fixtures::zipEntry(copy.path, QStringLiteral("xl/_rels/workbook.xml.rels")).contains("calcChain"));
    QVERIFY(!Fixtures::zipEntry(copy.path, QStringLiteral("[Content_Types].xml")).contains("calcChain"));

    const Workbook book(copy.path);
    QCOMPARE(book.text(1, 1), QStringLiteral("Data Pagto"));
    QCOMPARE(book.text(1, 2), QStringLiteral("Nome"));
    QCOMPARE(book.text(1, 3), QStringLiteral("Valor"));
    QCOMPARE(book.text(1, 4), QStringLiteral("Extra"));
    QCOMPARE(book.text(2, 1), QStringLiteral("Fulano & Cia <Ltda>"));
    QCOMPARE(book.number(2, 2), 1234.5);
    QCOMPARE(book.number(2, 3), 2469.0);
    QCOMPARE(book.number(2, 4), 10.0);
    QCOMPARE(book.number(3, 3), 7.0);
    QCOMPARE(book.text(4, 1), QStringLiteral("linha nova"));
    QCOMPARE(book.rowCount(), 4);

    // a second export in the same second does not overwrite the first
    const QString again = sheet.save(m_exportFolder);
    QVERIFY(again != copy.path);
    QVERIFY(QFileInfo::exists(copy.path) && QFileInfo::exists(again));
  }

  void writesDatesAndQueryValues() {
    TemplateExport sheet(QStringLiteral("base.xlsx"), m_programFolder);
    sheet.setDate(2, 1, QDate(2024, 3, 15));   // general cell: gets a date style
    sheet.setDate(2, 5, QDate(2024, 12, 31));  // cell already shown as a date
    sheet.setValue(3, 1, QVariant(QDate(2025, 1, 2)));
    sheet.setValue(3, 2, QVariant(12.5));
    sheet.setValue(3, 3, QVariant(QStringLiteral("texto")));
    sheet.setValue(3, 4, QVariant());  // null: nothing written
    sheet.setDate(3, 5, QDate());      // blank date: nothing written
    const QString path = sheet.save(m_exportFolder);

    const Workbook book(path);
    QCOMPARE(book.text(2, 1), QStringLiteral("15/03/2024"));
    QCOMPARE(book.number(2, 1), 45366.0);
    QCOMPARE(book.text(2, 5), QStringLiteral("31/12/2024"));
    QCOMPARE(book.text(3, 1), QStringLiteral("02/01/2025"));
    QCOMPARE(book.number(3, 2), 12.5);
    QCOMPARE(book.text(3, 3), QStringLiteral("texto"));
    QVERIFY(book.isEmpty(3, 4));
    QVERIFY(book.isEmpty(3, 5));

    // one date style added after the template's own, which stay as they were
    const QByteArray original = Fixtures::standardStyles();
    const QByteArray styles = Fixtures::zipEntry(path, QStringLiteral("xl/styles.xml"));
    const qsizetype from = original.indexOf("<cellXfs count=\"6\">") + qsizetype(strlen("<cellXfs count=\"6\">"));
    const QByteArray originalXfs = original.mid(from, original.indexOf("</cellXfs>") - from);
    QVERIFY(styles.contains("<cellXfs count=\"7\">" + originalXfs + "<xf numFmtId=\"164\""));
    const qsizetype sheetStart = original.indexOf("<styleSheet");
    QVERIFY(styles.contains(original.mid(sheetStart, original.indexOf("<cellXfs") - sheetStart)));
    const QHash<QString, QString> cellStyles =
        stylesOfCells(Fixtures::zipEntry(path, QStringLiteral("xl/worksheets/sheet2.xml")));
    QCOMPARE(cellStyles.value(QStringLiteral("A2")), QStringLiteral("6"));
    QCOMPARE(cellStyles.value(QStringLiteral("A3")), QStringLiteral("6"));
    QCOMPARE(cellStyles.value(QStringLiteral("E2")), QStringLiteral("1"));
  }

  void failures_data() {
    QTest::addColumn<QString>("templateName");
    QTest::addColumn<bool>("exportFolderIsAFile");
    QTest::addColumn<QString>("message");
    QTest::newRow("missing template") << "adesao.xlsx" << false
                                      << QStringLiteral(
                                             "O modelo de planilha adesao.xlsx não foi encontrado na pasta %1.")
                                             .arg(QDir::toNativeSeparators(m_programFolder));
    QTest::newRow("damaged template")
        << "danificado.xlsx" << false
        << QStringLiteral("O modelo de planilha danificado.xlsx está danificado ou não é uma planilha .xlsx válida.");
    QTest::newRow("export folder cannot be made")
        << "base.xlsx" << true << QStringLiteral("Não foi possível criar a pasta %1 para gravar a planilha.");
  }

  void failures() {
    QFETCH(QString, templateName);
    QFETCH(bool, exportFolderIsAFile);
    QFETCH(QString, message);
    QFile damaged(QDir(m_programFolder).filePath(QStringLiteral("danificado.xlsx")));
    QVERIFY(damaged.open(QIODevice::WriteOnly));
    damaged.write("PK\x03\x04 isto não é um modelo");
    damaged.close();
    QString exportFolder = m_exportFolder;
    if (exportFolderIsAFile) {
      QFile blocker(m_dir.filePath(QStringLiteral("arquivo")));
      QVERIFY(blocker.open(QIODevice::WriteOnly));
      exportFolder = blocker.fileName() + QStringLiteral("/planilhas");
      message = message.arg(QDir::toNativeSeparators(exportFolder));
    }
    try {
      TemplateExport sheet(templateName, m_programFolder);
      sheet.setText(1, 1, QStringLiteral("x"));
      sheet.saveAndOpen(exportFolder);
      QFAIL("no error raised");
    } catch (const Spreadsheet::Error &error) {
      QCOMPARE(error.message(), message);
    }
    QVERIFY(m_opened.isEmpty());
    QVERIFY(!QFileInfo::exists(m_exportFolder) || QDir(m_exportFolder).isEmpty());
  }
};

QTEST_GUILESS_MAIN(TestSpreadsheetExport)
#include "tst_spreadsheet_export.moc"
