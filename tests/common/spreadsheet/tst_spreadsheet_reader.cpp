// Reading workbooks cell by cell: the formats, the conversions a spreadsheet user expects, and the
// errors that name the file, the cell and the value.

#include "common/spreadsheet/cellvalue.h"
#include "common/spreadsheet/workbook.h"
#include "fixtures.h"

#include <QFile>
#include <QLocale>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <QTest>

using Spreadsheet::Workbook;

namespace {

// row 1 to 5 of the first sheet; the second sheet holds values that must never be read
const QStringList sharedStrings{
    QStringLiteral("Proposta"),  QStringLiteral("0012345"),        QStringLiteral("1.234,56"),
    QStringLiteral(" 1234.56 "), QStringLiteral("Olá, São Paulo"), QStringLiteral("abc"),
    QStringLiteral("   "),       QStringLiteral("ERRADA"),         QStringLiteral("fim")};

const QByteArray firstSheetRows =
    R"(<row r="1"><c r="A1" t="s"><v>0</v></c>)"
    R"(<c r="B1" t="inlineStr"><is><r><t xml:space="preserve">Nome do </t></r><r><rPr><b/></rPr><t>Segurado</t></r></is></c>)"
    R"(<c r="C1" t="s"><v>4</v></c></row>)"
    R"(<row r="2"><c r="A2" t="s"><v>1</v></c><c r="B2"><v>12345678000190</v></c><c r="C2"><v>1234.5</v></c>)"
    R"(<c r="E2" s="1"><v>45366</v></c><c r="F2" s="2"><v>45366.75</v></c><c r="G2" t="s"><v>2</v></c>)"
    R"(<c r="H2" t="s"><v>3</v></c><c r="I2" t="s"><v>5</v></c><c r="J2"><v>2.5</v></c>)"
    R"(<c r="K2"><f>C2+1</f><v>1235.5</v></c><c r="L2" t="str"><f>"o"&amp;"k"</f><v>ok</v></c>)"
    R"(<c r="M2" t="b"><v>1</v></c><c r="N2" t="e"><f>1/0</f><v>#DIV/0!</v></c><c r="O2" s="5"><v>45366.75</v></c>)"
    R"(<c r="P2" t="inlineStr"><is><t>abc</t></is></c><c r="Q2" t="s"><v>6</v></c><c r="R2"><v>-0.5</v></c>)"
    R"(<c r="S2" s="4"><v>1234.5</v></c></row>)"
    R"(<row r="3"><c r="A3" s="3" t="s"><v>8</v></c></row>)"
    R"(<row r="5"><c r="A5" t="s"><v>8</v></c><c r="T5"><v>1</v></c></row>)";

const QByteArray secondSheetRows =
    R"(<row r="1"><c r="A1" t="s"><v>7</v></c></row><row r="2"><c r="D2"><f>2+2</f><v>4</v></c></row>)";

}  // namespace

class TestSpreadsheetReader : public QObject {
  Q_OBJECT

 private:
  QTemporaryDir m_dir;
  QString path(const QString &name) const { return m_dir.filePath(name); }

 private slots:
  void initTestCase() {
    QVERIFY(m_dir.isValid());
    QLocale::setDefault(QLocale(QLocale::Portuguese, QLocale::Brazil));
    QVERIFY(Fixtures::writeXlsx(
        path(QStringLiteral("leitura.xlsx")),
        {{QStringLiteral("Extrato"), 1, QStringLiteral("worksheets/sheet1.xml"), Fixtures::worksheet(firstSheetRows)},
         {QStringLiteral("Resumo"), 2, QStringLiteral("worksheets/sheet2.xml"), Fixtures::worksheet(secondSheetRows)}},
        sharedStrings));
  }

  void cellAsText_data() {
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("column");
    QTest::addColumn<QString>("expected");
    QTest::newRow("shared string") << 1 << 1 << "Proposta";
    QTest::newRow("inline string, rich runs joined") << 1 << 2 << "Nome do Segurado";
    QTest::newRow("accents") << 1 << 3 << "Olá, São Paulo";
    QTest::newRow("text keeps its leading zeros") << 2 << 1 << "0012345";
    QTest::newRow("whole number, no decimals nor exponent") << 2 << 2 << "12345678000190";
    QTest::newRow("decimal with the program's comma") << 2 << 3 << "1234,5";
    QTest::newRow("empty cell in the middle of a row") << 2 << 4 << "";
    QTest::newRow("custom date format") << 2 << 5 << "15/03/2024";
    QTest::newRow("built-in date format, time not shown") << 2 << 6 << "15/03/2024";
    QTest::newRow("date and time format") << 2 << 15 << "15/03/2024 18:00:00";
    QTest::newRow("formula result") << 2 << 11 << "1235,5";
    QTest::newRow("formula text result") << 2 << 12 << "ok";
    QTest::newRow("boolean") << 2 << 13 << "VERDADEIRO";
    QTest::newRow("error value") << 2 << 14 << "#DIV/0!";
    QTest::newRow("negative decimal") << 2 << 18 << "-0,5";
    QTest::newRow("number format does not change the text") << 2 << 19 << "1234,5";
    QTest::newRow("styled header cell") << 3 << 1 << "fim";
    QTest::newRow("empty row") << 4 << 1 << "";
    QTest::newRow("beyond the data") << 900 << 60 << "";
  }

  void cellAsText() {
    QFETCH(int, row);
    QFETCH(int, column);
    QFETCH(QString, expected);
    const Workbook book(path(QStringLiteral("leitura.xlsx")));
    QCOMPARE(book.text(row, column), expected);
  }

  void cellAsNumber_data() {
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("column");
    QTest::addColumn<double>("expected");
    QTest::newRow("text with leading zeros") << 2 << 1 << 12345.0;
    QTest::newRow("number") << 2 << 3 << 1234.5;
    QTest::newRow("empty cell reads 0") << 2 << 4 << 0.0;
    QTest::newRow("date gives its serial day") << 2 << 5 << 45366.0;
    QTest::newRow("text 1.234,56") << 2 << 7 << 1234.56;
    QTest::newRow("text 1234.56 with blanks around") << 2 << 8 << 1234.56;
    QTest::newRow("formula result") << 2 << 11 << 1235.5;
    QTest::newRow("boolean") << 2 << 13 << 1.0;
    QTest::newRow("blank text reads 0") << 2 << 17 << 0.0;
    QTest::newRow("negative") << 2 << 18 << -0.5;
  }

  void cellAsNumber() {
    QFETCH(int, row);
    QFETCH(int, column);
    QFETCH(double, expected);
    const Workbook book(path(QStringLiteral("leitura.xlsx")));
    QCOMPARE(book.number(row, column), expected);
  }

  void cellAsInteger() {
    const Workbook book(path(QStringLiteral("leitura.xlsx")));
    QCOMPARE(book.integer(2, 2), Q_INT64_C(12345678000190));  // a CNPJ as a number
    QCOMPARE(book.integer(2, 1), Q_INT64_C(12345));
    QCOMPARE(book.integer(2, 4), Q_INT64_C(0));
  }

  void conversionErrors_data() {
    QTest::addColumn<QString>("cell");
    QTest::addColumn<bool>("asInteger");
    QTest::addColumn<QString>("message");
    const QString prefix = QStringLiteral("Não foi possível ler a célula %1 da planilha leitura.xlsx: ");
    QTest::newRow("text abc as number") << "I2" << false << prefix.arg("I2") + "o valor \"abc\" não é um número.";
    QTest::newRow("inline abc as number") << "P2" << false << prefix.arg("P2") + "o valor \"abc\" não é um número.";
    QTest::newRow("error value as number")
        << "N2" << false << prefix.arg("N2") + "o valor \"#DIV/0!\" não é um número.";
    QTest::newRow("2,5 as integer") << "J2" << true << prefix.arg("J2") + "o valor \"2,5\" não é um número inteiro.";
    QTest::newRow("text as integer") << "C1" << true
                                     << prefix.arg("C1") + "o valor \"Olá, São Paulo\" não é um número.";
  }

  void conversionErrors() {
    QFETCH(QString, cell);
    QFETCH(bool, asInteger);
    QFETCH(QString, message);
    const int column = cell.at(0).unicode() - u'A' + 1;
    const int row = cell.mid(1).toInt();
    const Workbook book(path(QStringLiteral("leitura.xlsx")));
    try {
      if (asInteger)
        book.integer(row, column);
      else
        book.number(row, column);
      QFAIL("no error raised");
    } catch (const Spreadsheet::Error &error) {
      QCOMPARE(error.message(), message);
    }
  }

  // A cell stored as a number whose value is no number (a fault of the program that wrote the
  // file) reads as what it holds, and as a number it is an error, never 0.
  void numberCellHoldingText() {
    const QString file = path(QStringLiteral("numero.xlsx"));
    QVERIFY(Fixtures::writeXlsx(
        file,
        {{QStringLiteral("Extrato"), 1, QStringLiteral("worksheets/sheet1.xml"),
          Fixtures::worksheet(R"(<row r="3"><c r="A3"><v>10</v></c><c r="B3"><v>abc</v></c></row>)")}},
        {}));
    const Workbook book(file);
    QCOMPARE(book.number(3, 1), 10.0);
    QCOMPARE(book.text(3, 2), QStringLiteral("abc"));
    try {
      book.number(3, 2);
      QFAIL("no error raised");
    } catch (const Spreadsheet::Error &error) {
      QCOMPARE(error.message(), QStringLiteral("Não foi possível ler a célula B3 da planilha numero.xlsx: "
                                               "o valor \"abc\" não é um número."));
    }
  }

  void extentOfTheFirstSheet() {
    const Workbook book(path(QStringLiteral("leitura.xlsx")));
    QCOMPARE(book.rowCount(), 5);
    QCOMPARE(book.columnCount(), 20);
    QVERIFY(book.isEmpty(2, 17));  // blanks only
    QVERIFY(!book.isEmpty(2, 1));
  }

  // The workbook's first sheet is the first one it lists, whatever its part is called; and
  // the formula cells of the other sheet stay on that sheet.
  void firstSheetIsTheWorkbooksFirst() {
    const QString file = path(QStringLiteral("reordenada.xlsx"));
    QVERIFY(Fixtures::writeXlsx(
        file,
        {{QStringLiteral("Extrato"), 3, QStringLiteral("worksheets/sheet2.xml"),
          Fixtures::worksheet(R"(<row r="1"><c r="A1" t="s"><v>0</v></c><c r="B1"><f>1+1</f><v>2</v></c></row>)"
                              R"(<row r="2"><c r="A2"><v>7</v></c></row>)")},
         {QStringLiteral("Antiga"), 1, QStringLiteral("worksheets/sheet1.xml"),
          Fixtures::worksheet(R"(<row r="1"><c r="A1" t="s"><v>7</v></c><c r="B1"><f>99</f><v>99</v></c>)"
                              R"(<c r="C1"><f>3*3</f><v>9</v></c></row><row r="2"><c r="A2"><v>8</v></c></row>)")}},
        sharedStrings));
    const Workbook book(file);
    QCOMPARE(book.text(1, 1), QStringLiteral("Proposta"));
    QCOMPARE(book.number(1, 2), 2.0);
    QCOMPARE(book.text(1, 3), QString());
    QCOMPARE(book.number(2, 1), 7.0);
    QCOMPARE(book.columnCount(), 2);
  }

  void openErrors_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("reason");
    const QString damaged = QStringLiteral("o arquivo está danificado ou não é uma planilha válida.");
    QFile good(path(QStringLiteral("leitura.xlsx")));
    QVERIFY(good.open(QIODevice::ReadOnly));
    const QByteArray xlsx = good.readAll();
    QTest::newRow("missing") << "nada.xlsx" << QByteArray() << "o arquivo não foi encontrado.";
    QTest::newRow("empty") << "vazio.xlsx" << QByteArray("") << "o arquivo está vazio.";
    QTest::newRow("text named xlsx") << "texto.xlsx" << QByteArray("isto não é uma planilha")
                                     << "o arquivo não está num formato de planilha conhecido (xlsx, xls, ods ou csv).";
    QTest::newRow("truncated xlsx") << "cortada.xlsx" << xlsx.left(xlsx.size() / 2) << damaged;
    QTest::newRow("zip without workbook") << "zip.xlsx" << QByteArray() << damaged;
    QTest::newRow("broken sheet") << "folha.xlsx" << QByteArray() << damaged;
    QTest::newRow("broken xls") << "velha.xls"
                                << QByteArray("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8) + QByteArray(600, 'x') << damaged;
  }

  void openErrors() {
    QFETCH(QString, name);
    QFETCH(QByteArray, content);
    QFETCH(QString, reason);
    const QString file = path(name);
    if (name == u"zip.xlsx") {
      QVERIFY(Fixtures::writeZip(file, {{QStringLiteral("leia-me.txt"), "nada"}}));
    } else if (name == u"folha.xlsx") {
      QVERIFY(Fixtures::writeXlsx(file,
                                  {{QStringLiteral("Extrato"), 1, QStringLiteral("worksheets/sheet1.xml"),
                                    "<worksheet><sheetData><row r=\"1\"><c r=\"A1\"><v>1</v>"}},
                                  {}));
    } else if (!content.isNull()) {
      QFile out(file);
      QVERIFY(out.open(QIODevice::WriteOnly));
      out.write(content);
    }
    try {
      Workbook book(file);
      QFAIL("opened");
    } catch (const Spreadsheet::Error &error) {
      QCOMPARE(error.message(), QStringLiteral("Não foi possível abrir a planilha %1: %2").arg(name, reason));
    }
  }

  void csv_data() {
    QTest::addColumn<QByteArray>("content");
    QStringEncoder windows("windows-1252");
    const QString semicolons = QStringLiteral(
        "Proposta;Valor;Data\r\n0012345;1.234,56;15/03/2024\r\n\"Silva; José\";\"10,5\";\r\n;;\r\nfim;;\r\n");
    QTest::newRow("semicolons, Windows encoding")
        << (windows.isValid() ? QByteArray(windows(semicolons)) : semicolons.toLatin1());
    QTest::newRow("commas, UTF-8 with BOM")
        << QByteArray("\xEF\xBB\xBF") + QStringLiteral(
                                            "Proposta,Valor,Data\n0012345,\"1.234,56\",15/03/2024\n"
                                            "\"Silva; José\",\"10,5\",\n,,\nfim,,\n")
                                            .toUtf8();
  }

  void csv() {
    QFETCH(QByteArray, content);
    const QString file = path(QStringLiteral("extrato.csv"));
    QFile out(file);
    QVERIFY(out.open(QIODevice::WriteOnly | QIODevice::Truncate));
    out.write(content);
    out.close();
    const Workbook book(file);
    QCOMPARE(book.text(1, 1), QStringLiteral("Proposta"));  // no byte order mark in front
    QCOMPARE(book.text(2, 1), QStringLiteral("0012345"));
    QCOMPARE(book.number(2, 2), 1234.56);
    QCOMPARE(book.text(2, 3), QStringLiteral("15/03/2024"));
    QCOMPARE(book.text(3, 1), QStringLiteral("Silva; José"));
    QCOMPARE(book.number(3, 2), 10.5);
    QCOMPARE(book.text(3, 3), QString());
    QVERIFY(book.isEmpty(4, 1));
    QCOMPARE(book.text(5, 1), QStringLiteral("fim"));
    QCOMPARE(book.rowCount(), 5);
    QCOMPARE(book.columnCount(), 3);
  }

  void ods() {
    const QString file = path(QStringLiteral("extrato.ods"));
    QVERIFY(Fixtures::writeOds(
        file,
        R"(<table:table table:name="Extrato"><table:table-column table:number-columns-repeated="6"/>)"
        R"(<table:table-row><table:table-cell office:value-type="string"><text:p>Proposta</text:p></table:table-cell>)"
        R"(<table:table-cell office:value-type="float" office:value="1234.5"><text:p>1.234,50</text:p></table:table-cell>)"
        R"(<table:table-cell office:value-type="date" office:date-value="2024-03-15"><text:p>15/03/24</text:p></table:table-cell>)"
        R"(<table:table-cell table:number-columns-repeated="2"/>)"
        R"(<table:table-cell office:value-type="string"><text:p>depois</text:p></table:table-cell></table:table-row>)"
        R"(<table:table-row table:number-rows-repeated="2"><table:table-cell office:value-type="string"><text:p>igual</text:p></table:table-cell></table:table-row>)"
        R"(<table:table-row table:number-rows-repeated="1000"><table:table-cell table:number-columns-repeated="6"/></table:table-row>)"
        R"(<table:table-row><table:table-cell office:value-type="string"><text:p>a<text:s text:c="2"/>b</text:p></table:table-cell></table:table-row>)"
        R"(</table:table><table:table table:name="Outra"><table:table-row><table:table-cell office:value-type="string"><text:p>ERRADA</text:p></table:table-cell></table:table-row></table:table>)"));
    const Workbook book(file);
    QCOMPARE(book.text(1, 1), QStringLiteral("Proposta"));
    QCOMPARE(book.text(1, 2), QStringLiteral("1234,5"));
    QCOMPARE(book.number(1, 2), 1234.5);
    QCOMPARE(book.text(1, 3), QStringLiteral("15/03/2024"));
    QCOMPARE(book.number(1, 3), 45366.0);
    QCOMPARE(book.text(1, 4), QString());
    QCOMPARE(book.text(1, 6), QStringLiteral("depois"));
    QCOMPARE(book.text(3, 1), QStringLiteral("igual"));
    QCOMPARE(book.text(1004, 1), QStringLiteral("a  b"));
    QCOMPARE(book.rowCount(), 1004);
    QCOMPARE(book.columnCount(), 6);
  }

  void legacyXls() {
    using Cell = Fixtures::XlsCell;
    const QString file = path(QStringLiteral("extrato.xls"));
    QVERIFY(Fixtures::writeXls(file,
                               {{0, 0, Cell::Kind::Text, QStringLiteral("Proposta")},
                                {0, 1, Cell::Kind::Text, QStringLiteral("Olá")},
                                {1, 0, Cell::Kind::Number, {}, 12345},
                                {1, 1, Cell::Kind::Number, {}, 1234.5},
                                {1, 3, Cell::Kind::Date, {}, 45366},
                                {2, 0, Cell::Kind::Text, QStringLiteral("abc")}},
                               {{0, 0, Cell::Kind::Text, QStringLiteral("ERRADA")}}));
    const Workbook book(file);
    QCOMPARE(book.text(1, 1), QStringLiteral("Proposta"));
    QCOMPARE(book.text(1, 2), QStringLiteral("Olá"));
    QCOMPARE(book.text(2, 1), QStringLiteral("12345"));
    QCOMPARE(book.text(2, 2), QStringLiteral("1234,5"));
    QCOMPARE(book.text(2, 3), QString());
    QCOMPARE(book.text(2, 4), QStringLiteral("15/03/2024"));
    QCOMPARE(book.number(2, 4), 45366.0);
    QCOMPARE(book.rowCount(), 3);
    QCOMPARE(book.columnCount(), 4);
    QVERIFY_THROWS_EXCEPTION(Spreadsheet::Error, book.number(3, 1));
  }

  void numberText_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("valid");
    QTest::addColumn<double>("expected");
    QTest::newRow("pt-BR with thousands") << "1.234,56" << true << 1234.56;
    QTest::newRow("pt-BR decimal comma") << "1234,56" << true << 1234.56;
    QTest::newRow("decimal point") << "1234.56" << true << 1234.56;
    QTest::newRow("lone point groups thousands") << "1.234" << true << 1234.0;
    QTest::newRow("point after zero is decimal") << "0.500" << true << 0.5;
    QTest::newRow("English thousands") << "1,234.56" << true << 1234.56;
    QTest::newRow("several thousands points") << "1.234.567" << true << 1234567.0;
    QTest::newRow("currency and sign") << "-R$ 1.234,50" << true << -1234.5;
    QTest::newRow("blanks around") << "  7 " << true << 7.0;
    QTest::newRow("exponent") << "1,5E+3" << true << 1500.0;
    QTest::newRow("letters") << "abc" << false << 0.0;
    QTest::newRow("blank") << "   " << false << 0.0;
    QTest::newRow("date with points") << "15.03.2024" << false << 0.0;
    QTest::newRow("bad groups") << "12,34,5" << false << 0.0;
    QTest::newRow("two decimal commas") << "1.234,5,6" << false << 0.0;
    QTest::newRow("unit after the number") << "5 kg" << false << 0.0;
    QTest::newRow("double sign") << "--5" << false << 0.0;
  }

  void numberText() {
    QFETCH(QString, text);
    QFETCH(bool, valid);
    QFETCH(double, expected);
    const std::optional<double> value = Spreadsheet::parseNumberText(text);
    QCOMPARE(value.has_value(), valid);
    if (valid) QCOMPARE(*value, expected);
  }

  void cellNames_data() {
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("column");
    QTest::addColumn<QString>("name");
    QTest::newRow("first") << 1 << 1 << "A1";
    QTest::newRow("L12") << 12 << 12 << "L12";
    QTest::newRow("after Z") << 3 << 27 << "AA3";
    QTest::newRow("ZZ") << 5 << 702 << "ZZ5";
    QTest::newRow("after ZZ") << 5 << 703 << "AAA5";
  }

  void cellNames() {
    QFETCH(int, row);
    QFETCH(int, column);
    QFETCH(QString, name);
    QCOMPARE(Spreadsheet::cellName(row, column), name);
  }
};

QTEST_GUILESS_MAIN(TestSpreadsheetReader)
#include "tst_spreadsheet_reader.moc"
