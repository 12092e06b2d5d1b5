// The report engine: display masks, pagination with groups and totals, bands kept whole, page
// sizes, and the PDF that the same pages produce.

#include "common/report/layout.h"
#include "common/report/render.h"

#include <QApplication>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QProcess>
#include <QTimer>
#include <QRegularExpression>
#include <QSqlQuery>
#include <QSqlQueryModel>
#include <QSqlRecord>
#include <QStandardItemModel>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

using namespace Report;

namespace {

const QString kTitle = QStringLiteral("Rastro no Período de 01/03/2024 à 31/03/2024");
const QString kLegend = QStringLiteral("Lengeda: A - Alteração | B - Baixa | R - Relatório");
const char *const kOperators[] = {"ANA", "BRUNO", "CARLA"};
constexpr int kDays = 2, kRowsPerDay = 18;
constexpr double kFooterTop = 297 - 10 - 8;  // A4 height - bottom margin - page footer

double valueOf(int i) {
  return i % 7 == 3 ? -50.5 : 1000 + i * 12.34;  // amounts in cents, as stored
}

// The audit trail's report: rows grouped by operator, then by date, with day and operator totals.
QList<QVariantMap> auditRows() {
  QList<QVariantMap> rows;
  int i = 0;
  for (const char *op : kOperators) {
    for (int day = 0; day < kDays; ++day) {
      for (int k = 0; k < kRowsPerDay; ++k, ++i) {
        rows << QVariantMap{{"operador", QString::fromLatin1(op)},
                            {"data", QDate(2024, 3, 4 + day)},
                            {"hora", QTime(8, 0).addSecs(60 * k)},
                            {"rotina", "CLIENTE"},
                            {"operacao", "A"},
                            {"historico", QStringLiteral("Alteração %1").arg(i)},
                            {"valor", valueOf(i)}};
      }
    }
  }
  return rows;
}

Definition auditReport() {
  Definition r;
  r.now = QDateTime(QDate(2024, 4, 5), QTime(14, 30, 15));
  r.pageHeader(20)
      .text({0, 0, 130, 7}, kTitle, {.size = 12, .bold = true})
      .date({150, 0, 40, 5}, {.align = Align::Right})
      .time({150, 5, 40, 5}, {.align = Align::Right})
      .pageOfPages({140, 10, 50, 5}, {.align = Align::Right}, "Página %1 de %2")
      .rule(19);
  r.columnHeader(6)
      .text({0, 0, 20, 5}, "Hora", {.bold = true})
      .text({22, 0, 25, 5}, "Rotina", {.bold = true})
      .text({49, 0, 8, 5}, "Op", {.bold = true})
      .text({60, 0, 80, 5}, "Histórico", {.bold = true})
      .text({150, 0, 40, 5}, "Valor", {.bold = true, .align = Align::Right});
  Group &op = r.group({"operador"});
  op.header.setHeight(7).expr({0, 1, 120, 5}, [](const Context &c) { return "Operador(a): " + c.text("operador"); },
                              {.bold = true});
  op.footer.setHeight(7).expr({0, 1, 190, 5}, [](const Context &c) {
    return QStringLiteral("Total de %1: %2 em %3 registros")
        .arg(c.text("operador"), format(c.sum("valor"), "#,##0.00"))
        .arg(c.count());
  });
  Group &day = r.group({"data"});
  day.header.setHeight(6).expr({5, 0, 60, 5}, [](const Context &c) { return "Data: " + c.text("data", "dd/MM/yyyy"); });
  day.footer.setHeight(6)
      .text({100, 0, 48, 5}, "Total do dia:", {.align = Align::Right})
      .expr({150, 0, 40, 5}, [](const Context &c) { return format(c.sum("valor"), "#,##0.00"); },
            {.align = Align::Right});
  r.detail(5)
      .field({0, 0, 20, 5}, "hora", "hh:mm:ss")
      .field({22, 0, 25, 5}, "rotina")
      .field({49, 0, 8, 5}, "operacao")
      .field({60, 0, 80, 5}, "historico")
      .field({150, 0, 40, 5}, "valor", "#,##0.00", {.align = Align::Right});
  r.summary(10)
      .text({100, 2, 48, 5}, "Total Geral", {.bold = true, .align = Align::Right})
      .expr({150, 2, 40, 5}, [](const Context &c) { return format(c.sum("valor"), "#,##0.00"); },
            {.bold = true, .align = Align::Right})
      .expr({0, 2, 60, 5}, [](const Context &c) { return QStringLiteral("Registros: %1").arg(c.count()); });
  r.pageFooter(8).rule(0).text({0, 2, 190, 5}, kLegend, {.size = 7});
  return r;
}

QStringList allTexts(const Document &doc) {
  QStringList texts;
  for (int p = 0; p < doc.pageCount(); ++p) texts += doc.pageTexts(p);
  return texts;
}

QStringList matching(const QStringList &texts, const QString &prefix) {
  QStringList out;
  for (const QString &t : texts)
    if (t.startsWith(prefix)) out << t;
  return out;
}

// Words of a text with runs of blanks made one, as pdftotext spaces them.
QString squeezed(const QString &s) { return s.simplified(); }

}  // namespace

class TestReport : public QObject {
  Q_OBJECT

 private slots:
  void masks_data();
  void masks();
  void blankDates_data();
  void blankDates();

  void groupedReportPaginates();
  void groupTotalsAndSummary();
  void bandTooTallMovesWhole();
  void groupHeaderStaysWithItsFirstLine();
  void bandTallerThanAPageDoesNotLoop();
  void scopesOfSumsAndCounts();
  void groupKeys_data();
  void groupKeys();
  void printWhenHidesBands();
  void emptySourcePrintsHeadersAndSummary();
  void landscapeDiffersFromPortrait();
  void modelSourceReadsColumnsByName();
  void modelSourceOfAQueryModelWithoutQueryIsEmpty();

  void pdfHoldsTheLaidOutTexts_data();
  void pdfHoldsTheLaidOutTexts();
  void pdfToUnwritablePathFails();
  void previewGoesToTheHook();
  void previewWindowShowsThePages();
};

void TestReport::masks_data() {
  QTest::addColumn<QVariant>("value");
  QTest::addColumn<QString>("mask");
  QTest::addColumn<QString>("expected");

  QTest::newRow("thousands") << QVariant(1234.56) << "#,##0.00"
                             << "1.234,56";
  QTest::newRow("millions, rounded") << QVariant(1234567.891) << "#,##0.00"
                                     << "1.234.567,89";
  QTest::newRow("negative") << QVariant(-1234.5) << "#,##0.00"
                            << "-1.234,50";
  QTest::newRow("zero") << QVariant(0.0) << "#,##0.00"
                        << "0,00";
  QTest::newRow("negative that rounds to zero") << QVariant(-0.004) << "#,##0.00"
                                                << "0,00";
  QTest::newRow("half a cent as typed rounds up") << QVariant(1.005) << "#,##0.00"
                                                  << "1,01";
  QTest::newRow("rounding carries into thousands") << QVariant(999.999) << "#,##0.00"
                                                   << "1.000,00";
  QTest::newRow("integer column") << QVariant(1500) << "#,##0.00"
                                  << "1.500,00";
  QTest::newRow("decimal text from the database") << QVariant(QString("1234.5")) << "#,##0.00"
                                                  << "1.234,50";
  QTest::newRow("no grouping") << QVariant(1234.5) << "0.00"
                               << "1234,50";
  QTest::newRow("percent") << QVariant(12.5) << "0.00"
                           << "12,50";
  QTest::newRow("zero padded") << QVariant(42) << "000000"
                               << "000042";
  QTest::newRow("zero padded wider than mask") << QVariant(1234567) << "000000"
                                               << "1234567";
  QTest::newRow("zero padded from text") << QVariant(QString("17")) << "00000"
                                         << "00017";
  QTest::newRow("zero padded rounds") << QVariant(42.7) << "000000"
                                      << "000043";
  QTest::newRow("literal prefix") << QVariant(10.0) << "R$ #,##0.00"
                                  << "R$ 10,00";
  QTest::newRow("optional decimals used") << QVariant(1.5) << "0.##"
                                          << "1,5";
  QTest::newRow("optional decimals dropped") << QVariant(2.0) << "0.##"
                                             << "2";
  QTest::newRow("null amount") << QVariant() << "#,##0.00"
                               << "";
  QTest::newRow("empty text amount") << QVariant(QString()) << "#,##0.00"
                                     << "";
  QTest::newRow("text that is no number stays") << QVariant(QString("abc")) << "#,##0.00"
                                                << "abc";
  QTest::newRow("double without mask") << QVariant(1234.5) << ""
                                       << "1234,5";

  QTest::newRow("date") << QVariant(QDate(2024, 2, 29)) << "dd/MM/yyyy"
                        << "29/02/2024";
  QTest::newRow("date without mask") << QVariant(QDate(2024, 1, 31)) << ""
                                     << "31/01/2024";
  QTest::newRow("date text") << QVariant(QString("2024-03-05")) << "dd/MM/yyyy"
                             << "05/03/2024";
  QTest::newRow("date-time text") << QVariant(QString("2024-03-05 10:11:12")) << "dd/MM/yyyy hh:mm"
                                  << "05/03/2024 10:11";
  QTest::newRow("time") << QVariant(QTime(8, 5, 9)) << "hh:mm:ss"
                        << "08:05:09";
  QTest::newRow("time of the empty date") << QVariant(QDateTime(QDate(1899, 12, 30), QTime(9, 30))) << "hh:mm"
                                          << "09:30";

  QTest::newRow("postal code") << QVariant(QString("01234567")) << "99.999-999"
                               << "01.234-567";
  QTest::newRow("postal code stored as number") << QVariant(1234567) << "99.999-999"
                                                << "01.234-567";
  QTest::newRow("cpf with edit-mask tail") << QVariant(QString("12345678901")) << "999.999.999-99;0;_"
                                           << "123.456.789-01";
  QTest::newRow("cnpj") << QVariant(QString("12345678000195")) << "99.999.999/9999-99"
                        << "12.345.678/0001-95";
  QTest::newRow("already punctuated") << QVariant(QString("123.456.789-01")) << "999.999.999-99"
                                      << "123.456.789-01";
  QTest::newRow("telephone") << QVariant(QString("1133334444")) << "(99)9999-9999"
                             << "(11)3333-4444";
  QTest::newRow("digit count differs: as stored") << QVariant(QString("1199998888x7")) << "(99)9999-9999"
                                                  << "1199998888x7";
  QTest::newRow("chart account") << QVariant(QString("11101001")) << "9.9.9.99.999"
                                 << "1.1.1.01.001";
}

void TestReport::masks() {
  QFETCH(QVariant, value);
  QFETCH(QString, mask);
  QFETCH(QString, expected);
  QCOMPARE(format(value, mask), expected);
}

void TestReport::blankDates_data() {
  QTest::addColumn<QVariant>("value");
  QTest::addColumn<QString>("mask");

  for (const QString &mask : {QStringLiteral("dd/MM/yyyy"), QString()}) {
    const QByteArray m = mask.isEmpty() ? "no mask" : "dd/MM/yyyy";
    QTest::newRow(m + ", null") << QVariant() << mask;
    QTest::newRow(m + ", invalid date") << QVariant(QDate()) << mask;
    QTest::newRow(m + ", 30/12/1899") << QVariant(QDate(1899, 12, 30)) << mask;
    QTest::newRow(m + ", 30/12/1899 as date-time") << QVariant(QDateTime(QDate(1899, 12, 30), QTime(0, 0))) << mask;
  }
  QTest::newRow("zero date text") << QVariant(QString("0000-00-00")) << "dd/MM/yyyy";
  QTest::newRow("zero date-time text") << QVariant(QString("0000-00-00 00:00:00")) << "dd/MM/yyyy";
  QTest::newRow("empty date text") << QVariant(QString("1899-12-30")) << "dd/MM/yyyy";
}

void TestReport::blankDates() {
  QFETCH(QVariant, value);
  QFETCH(QString, mask);
  QCOMPARE(format(value, mask), QString());
  QVERIFY(isBlankDate(value));
}

void TestReport::groupedReportPaginates() {
  const Document doc = auditReport().layout(auditRows());
  QCOMPARE(doc.pageCount(), 3);

  for (int p = 0; p < doc.pageCount(); ++p) {
    const QStringList texts = doc.pageTexts(p);
    // Page header first, column header under it, page footer last, on every page.
    QCOMPARE(texts.value(0), kTitle);
    QVERIFY(texts.contains("05/04/2024"));
    QVERIFY(texts.contains("14:30:15"));
    QVERIFY2(texts.contains(QStringLiteral("Página %1 de 3").arg(p + 1)), qPrintable(texts.join('|')));
    QCOMPARE(texts.value(4), QStringLiteral("Hora"));
    QCOMPARE(texts.last(), kLegend);

    const QList<Item> &items = doc.pages[p].items;
    QCOMPARE(items.first().rect.top(), 10.0);
    QCOMPARE(items.last().rect.top(), kFooterTop + 2);
    // Nothing but the footer reaches into the footer's place: no band was cut.
    for (const Item &item : items)
      QVERIFY2(item.rect.top() >= kFooterTop - 1e-9 || item.rect.bottom() <= kFooterTop + 1e-9, qPrintable(item.text));
  }

  const QStringList texts = allTexts(doc);
  QCOMPARE(matching(texts, "Operador(a): "),
           QStringList({"Operador(a): ANA", "Operador(a): BRUNO", "Operador(a): CARLA"}));
  // The date group breaks inside every operator, also where the date repeats across operators.
  QStringList days;
  for (int o = 0; o < 3; ++o)
    days << "Data: 04/03/2024"
         << "Data: 05/03/2024";
  QCOMPARE(matching(texts, "Data: "), days);

  // Masks applied to the detail lines.
  QVERIFY(texts.contains("08:17:00"));
  QVERIFY(texts.contains(format(valueOf(1), "#,##0.00")));
  QCOMPARE(format(valueOf(1), "#,##0.00"), QStringLiteral("1.012,34"));
  QVERIFY(texts.contains("-50,50"));
}

void TestReport::groupTotalsAndSummary() {
  const QList<QVariantMap> rows = auditRows();
  const Document doc = auditReport().layout(rows);
  const QStringList texts = allTexts(doc);

  // Day totals follow "Total do dia:" in the order of the groups.
  QStringList dayTotals, expectedDayTotals, expectedOperatorTotals;
  for (int i = 0; i + 1 < texts.size(); ++i)
    if (texts[i] == "Total do dia:") dayTotals << texts[i + 1];
  int i = 0;
  for (const char *op : kOperators) {
    double operatorTotal = 0;
    for (int day = 0; day < kDays; ++day) {
      double dayTotal = 0;
      for (int k = 0; k < kRowsPerDay; ++k, ++i) dayTotal += valueOf(i);
      expectedDayTotals << format(dayTotal, "#,##0.00");
      operatorTotal += dayTotal;
    }
    expectedOperatorTotals << QStringLiteral("Total de %1: %2 em %3 registros")
                                  .arg(QString::fromLatin1(op), format(operatorTotal, "#,##0.00"))
                                  .arg(kDays * kRowsPerDay);
  }
  QCOMPARE(dayTotals, expectedDayTotals);
  QCOMPARE(matching(texts, "Total de "), expectedOperatorTotals);

  // The summary once, on the last page, after the last group's footer.
  double total = 0;
  for (const QVariantMap &row : rows) total += row.value("valor").toDouble();
  QCOMPARE(texts.count("Total Geral"), 1);
  const QStringList last = doc.pageTexts(doc.pageCount() - 1);
  const qsizetype at = last.indexOf("Total Geral");
  QVERIFY(at > last.indexOf(expectedOperatorTotals.last()));
  QCOMPARE(last.value(at + 1), format(total, "#,##0.00"));
  QCOMPARE(last.value(at + 2), QStringLiteral("Registros: %1").arg(rows.size()));
}

void TestReport::bandTooTallMovesWhole() {
  // 25 lines of 10 mm fill 250 of the page's 277 mm; the 40 mm summary does not fit after them.
  Definition r;
  r.detail(10).field({0, 0, 50, 5}, "n");
  r.summary(40)
      .text({0, 0, 50, 5}, "Resumo")
      .text({0, 15, 50, 5}, "Meio do resumo")
      .text({0, 35, 50, 5}, "Fim do resumo")
      .box({0, 0, 190, 40});
  QList<QVariantMap> rows;
  for (int n = 1; n <= 25; ++n) rows << QVariantMap{{"n", n}};
  const Document doc = r.layout(rows);

  QCOMPARE(doc.pageCount(), 2);
  QCOMPARE(doc.pageTexts(0).size(), 25);
  QCOMPARE(doc.pageTexts(1), QStringList({"Resumo", "Meio do resumo", "Fim do resumo"}));
  QCOMPARE(doc.pages[1].items.first().rect.top(), 10.0);
  QCOMPARE(doc.pages[1].items.last().kind, Item::Kind::Box);

  // With room for it, the same band stays on the page.
  rows.resize(23);
  const Document fits = r.layout(rows);
  QCOMPARE(fits.pageCount(), 1);
  QCOMPARE(fits.pageTexts(0).last(), QStringLiteral("Fim do resumo"));
}

void TestReport::groupHeaderStaysWithItsFirstLine() {
  // Group 1's header and 25 lines of 10 mm take 260 of the page's 277 mm: group 2's header would
  // still fit at 260-270, its first line at 270-280 would not, so both go to the next page.
  Definition r;
  r.group({"g"}).header.setHeight(10).expr({0, 0, 50, 5}, [](const Context &c) { return "Grupo " + c.text("g"); });
  r.detail(10).field({0, 0, 50, 5}, "n");
  QList<QVariantMap> rows;
  for (int n = 1; n <= 26; ++n) rows << QVariantMap{{"g", n < 26 ? 1 : 2}, {"n", n}};
  const Document doc = r.layout(rows);
  QCOMPARE(doc.pageCount(), 2);
  QCOMPARE(doc.pageTexts(0).last(), QStringLiteral("25"));
  QCOMPARE(doc.pageTexts(1), QStringList({"Grupo 2", "26"}));
}

void TestReport::bandTallerThanAPageDoesNotLoop() {
  Definition r;
  r.pageHeader(10).text({0, 0, 50, 5}, "Cabeçalho");
  r.detail(300).field({0, 0, 50, 5}, "n");
  const Document doc = r.layout(QList<QVariantMap>{{{"n", 1}}, {{"n", 2}}});
  QCOMPARE(doc.pageCount(), 2);
  QCOMPARE(doc.pageTexts(0), QStringList({"Cabeçalho", "1"}));
  QCOMPARE(doc.pageTexts(1), QStringList({"Cabeçalho", "2"}));
}

void TestReport::scopesOfSumsAndCounts() {
  Definition r;
  Group &g = r.group({"g"});
  g.header.setHeight(5).expr({0, 0, 90, 5}, [](const Context &c) {
    return QStringLiteral("H %1: %2 / %3").arg(c.text("g")).arg(c.sum("v")).arg(c.count());
  });
  // The inner group keeps its key across the outer break and still starts again there.
  r.group({"h"}).header.setHeight(5).expr({0, 0, 90, 5}, [](const Context &c) {
    return QStringLiteral("h %1: %2 / %3").arg(c.text("h")).arg(c.sum("v")).arg(c.count());
  });
  r.detail(5).expr({0, 0, 90, 5}, [](const Context &c) {
    return QStringLiteral("D %1: %2 / %3 / %4")
        .arg(c.count())
        .arg(c.sum("v"))
        .arg(c.reportSum("v"))
        .arg(c.reportCount());
  });
  g.footer.setHeight(5).expr({0, 0, 90, 5}, [](const Context &c) {
    return QStringLiteral("F %1: %2 / %3")
        .arg(c.text("g"))
        .arg(c.sum([](const Row &row) { return 2 * row.number("v"); }))
        .arg(c.reportSum("v"));
  });
  r.title(5).expr({0, 0, 90, 5},
                  [](const Context &c) { return QStringLiteral("T %1 / %2").arg(c.sum("v")).arg(c.count()); });
  r.summary(5).expr({0, 0, 90, 5},
                    [](const Context &c) { return QStringLiteral("S %1 / %2").arg(c.sum("v")).arg(c.count()); });

  const QList<QVariantMap> rows{
      {{"g", "a"}, {"h", "x"}, {"v", 1}}, {{"g", "a"}, {"h", "x"}, {"v", 2}}, {{"g", "b"}, {"h", "x"}, {"v", 4}}};
  QCOMPARE(r.layout(rows).pageTexts(0),
           QStringList({"T 7 / 3", "H a: 3 / 2", "h x: 3 / 2", "D 1: 1 / 1 / 1", "D 2: 3 / 3 / 2", "F a: 6 / 3",
                        "H b: 4 / 1", "h x: 4 / 1", "D 1: 4 / 7 / 3", "F b: 8 / 7", "S 7 / 3"}));
}

void TestReport::groupKeys_data() {
  QTest::addColumn<QVariantList>("keys");
  QTest::addColumn<int>("groups");

  QTest::newRow("null and empty text print alike") << QVariantList{QVariant(), QString(""), QString()} << 1;
  QTest::newRow("blank and text") << QVariantList{QVariant(), QString("A"), QString("")} << 3;
  QTest::newRow("integer and double of one code") << QVariantList{1, 1.0, qlonglong(1), 2} << 2;
  QTest::newRow("a key that comes back") << QVariantList{"A", "B", "A"} << 3;
  QTest::newRow("text differs in case") << QVariantList{"ana", "ANA"} << 2;
}

void TestReport::groupKeys() {
  QFETCH(QVariantList, keys);
  QFETCH(int, groups);
  Definition r;
  r.group({"k"}).header.setHeight(5).text({0, 0, 20, 5}, "grupo");
  QList<QVariantMap> rows;
  for (const QVariant &k : keys) rows << QVariantMap{{"k", k}};
  QCOMPARE(r.layout(rows).pageTexts(0).size(), groups);
}

void TestReport::printWhenHidesBands() {
  Definition r;
  r.detail(5).field({0, 0, 50, 5}, "n").printWhen([](const Context &c) { return c.value("n").toInt() % 2 == 1; });
  r.summary(5).text({0, 0, 50, 5}, "Resumo").printWhen([](const Context &c) { return c.count() > 10; });
  const Document doc = r.layout(QList<QVariantMap>{{{"n", 1}}, {{"n", 2}}, {{"n", 3}}});
  QCOMPARE(doc.pageTexts(0), QStringList({"1", "3"}));
  // Hidden bands take no room: "3" sits right under "1".
  QCOMPARE(doc.pages[0].items[1].rect.top(), 15.0);
}

void TestReport::emptySourcePrintsHeadersAndSummary() {
  // A screen that previews before any filter hands over a closed query: one page, no lines.
  QSqlQuery closed;
  const MapSource rows = rowsOf(closed);
  QCOMPARE(rows.rowCount(), 0);

  Definition r = auditReport();
  const Document doc = r.layout(rows);
  QCOMPARE(doc.pageCount(), 1);
  const QStringList texts = doc.pageTexts(0);
  QVERIFY(texts.contains("Página 1 de 1"));
  QVERIFY(matching(texts, "Operador(a):").isEmpty());
  QCOMPARE(texts.mid(texts.indexOf("Total Geral"), 3), QStringList({"Total Geral", "0,00", "Registros: 0"}));
}

void TestReport::landscapeDiffersFromPortrait() {
  Definition r;
  r.detail(5).text({0, 0, 40, 5}, "linha").rule(5);
  QCOMPARE(r.pageSize(), QSizeF(210, 297));
  QCOMPARE(r.width(), 190.0);
  r.setLandscape();
  QCOMPARE(r.pageSize(), QSizeF(297, 210));
  QCOMPARE(r.width(), 277.0);

  QList<QVariantMap> rows(60);
  const Document doc = r.layout(rows);
  QCOMPARE(doc.pageSize(), QSizeF(297, 210));
  QCOMPARE(doc.pageLayout.orientation(), QPageLayout::Landscape);
  QCOMPARE(doc.pageCount(), 2);  // 190 mm a page: 38 lines, then 22
  QCOMPARE(doc.pageTexts(0).size(), 38);
  // The rule runs across the landscape width.
  QCOMPARE(doc.pages[0].items[1].rect.right(), 287.0);

  QTemporaryDir dir;
  const QString pdf = dir.filePath("paisagem.pdf");
  QVERIFY(writePdf(doc, pdf));
  const QString pdfinfo = QStandardPaths::findExecutable("pdfinfo");
  if (pdfinfo.isEmpty()) QSKIP("pdfinfo (poppler-utils) is not installed");
  QProcess p;
  p.start(pdfinfo, {pdf});
  QVERIFY(p.waitForFinished(30000));
  const QString info = QString::fromUtf8(p.readAllStandardOutput());
  const auto m = QRegularExpression(R"(Page size:\s+([\d.]+) x ([\d.]+) pts)").match(info);
  QVERIFY2(m.hasMatch(), qPrintable(info));
  QVERIFY(qAbs(m.captured(1).toDouble() - 841.89) < 1);  // 297 mm
  QVERIFY(qAbs(m.captured(2).toDouble() - 595.28) < 1);  // 210 mm
  QVERIFY(info.contains(QRegularExpression(R"(Pages:\s+2\b)")));
}

void TestReport::modelSourceReadsColumnsByName() {
  QStandardItemModel model(0, 2);
  model.setHorizontalHeaderLabels({"Nome", "Valor"});
  model.appendRow({new QStandardItem("ANA"), new QStandardItem()});
  model.item(0, 1)->setData(1234.5, Qt::EditRole);

  const ModelSource byHeader(model);
  QCOMPARE(byHeader.rowCount(), 1);
  QCOMPARE(byHeader.value(0, "valor").toDouble(), 1234.5);  // without regard to case
  QVERIFY(byHeader.value(0, "inexistente").isNull());

  const ModelSource byName(model, {"nome", "liquido"});
  QCOMPARE(byName.value(0, "LIQUIDO").toDouble(), 1234.5);

  Definition r;
  r.detail(5).field({0, 0, 40, 5}, "nome").field({50, 0, 40, 5}, "liquido", "#,##0.00");
  QCOMPARE(r.layout(byName).pageTexts(0), QStringList({"ANA", "1.234,50"}));
}

void TestReport::modelSourceOfAQueryModelWithoutQueryIsEmpty() {
  // Such a model claims it can always fetch more; the source must still end.
  QSqlQueryModel model;
  const ModelSource source(model);
  QCOMPARE(source.rowCount(), 0);
  Definition r;
  r.summary(5).text({0, 0, 40, 5}, "FIM");
  QCOMPARE(r.layout(source).pageTexts(0), QStringList({"FIM"}));
}

void TestReport::pdfHoldsTheLaidOutTexts_data() {
  QTest::addColumn<bool>("throughPrinter");
  QTest::newRow("PDF file") << false;
  QTest::newRow("printer") << true;  // the path of the preview's print button
}

void TestReport::pdfHoldsTheLaidOutTexts() {
  QFETCH(bool, throughPrinter);
  const QString pdftotext = QStandardPaths::findExecutable("pdftotext");
  if (pdftotext.isEmpty()) QSKIP("pdftotext (poppler-utils) is not installed");

  const Document doc = auditReport().layout(auditRows());
  QTemporaryDir dir;
  const QString pdf = dir.filePath("rastro.pdf");
  if (throughPrinter) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdf);
    QVERIFY(print(doc, printer));
  } else {
    QString error;
    QVERIFY2(writePdf(doc, pdf, &error), qPrintable(error));
  }

  QProcess p;
  p.start(pdftotext, {"-layout", "-enc", "UTF-8", pdf, "-"});
  QVERIFY(p.waitForFinished(60000));
  QCOMPARE(p.exitCode(), 0);
  QStringList pages = QString::fromUtf8(p.readAllStandardOutput()).split(u'\f');
  if (!pages.isEmpty() && pages.last().trimmed().isEmpty()) pages.removeLast();
  QCOMPARE(pages.size(), doc.pageCount());

  for (int i = 0; i < doc.pageCount(); ++i) {
    const QString page = squeezed(pages[i]);
    for (const QString &text : doc.pageTexts(i))
      QVERIFY2(page.contains(squeezed(text)), qPrintable(QStringLiteral("page %1: %2").arg(i + 1).arg(text)));
  }
  QVERIFY(pages[2].contains("Total Geral"));
  QVERIFY(!pages[0].contains("Total Geral"));
}

void TestReport::pdfToUnwritablePathFails() {
  QTemporaryDir dir;
  const QString path = dir.filePath("nao-existe/relatorio.pdf");
  QString error;
  QVERIFY(!writePdf(auditReport().layout(auditRows()), path, &error));
  QVERIFY2(error.startsWith("Não foi possível gravar o arquivo ") && error.contains(path), qPrintable(error));
  QVERIFY(!QFile::exists(path));
}

void TestReport::previewGoesToTheHook() {
  QString caption;
  int pages = 0;
  const PreviewHook previous = setPreviewHook([&](const Document &doc, const QString &c) {
    caption = c;
    pages = doc.pageCount();
  });
  preview(auditReport().layout(auditRows()), "Auditoria");
  setPreviewHook(previous);
  QCOMPARE(caption, QStringLiteral("Auditoria"));
  QCOMPARE(pages, 3);
}

void TestReport::previewWindowShowsThePages() {
  // Without a hook the preview window opens; it is closed as soon as it has drawn its pages.
  QString title;
  int pages = -1;
  QTimer::singleShot(0, [&] {
    auto *dialog = qobject_cast<QPrintPreviewDialog *>(QApplication::activeModalWidget());
    if (!dialog) return;
    title = dialog->windowTitle();
    if (auto *view = dialog->findChild<QPrintPreviewWidget *>()) {
      view->updatePreview();
      pages = view->pageCount();
    }
    dialog->reject();
  });
  preview(auditReport().layout(auditRows()), "Rastro");
  QCOMPARE(title, QStringLiteral("Rastro"));
  QCOMPARE(pages, 3);
}

QTEST_MAIN(TestReport)
#include "tst_report.moc"
