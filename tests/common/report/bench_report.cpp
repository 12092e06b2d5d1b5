// Lays out a 10,000-row grouped listing and writes it to PDF, printing rows per second for the
// layout, the PDF and both together.

#include "common/report/layout.h"
#include "common/report/render.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QGuiApplication>
#include <QTemporaryDir>

#include <cstdio>

using namespace Report;

int main(int argc, char **argv) {
  QGuiApplication app(argc, argv);
  constexpr int rowsWanted = 10000;

  MapSource rows;
  for (int i = 0; i < rowsWanted; ++i) {
    rows.append({{"cliente", QStringLiteral("OPERADORA %1").arg(i / 500, 2, 10, QLatin1Char('0'))},
                 {"doc", QStringLiteral("PROP%1").arg(i, 8, 10, QLatin1Char('0'))},
                 {"parc", i % 12 + 1},
                 {"emissao", QDate(2024, 1, 1).addDays(i % 365)},
                 {"vencto", QDate(2024, 2, 1).addDays(i % 365)},
                 {"valor", 100 + (i % 997) * 3.17},
                 {"liquido", 10 + (i % 991) * 0.317}});
  }

  Definition r;
  r.setLandscape();
  r.pageHeader(16)
      .text({0, 0, 200, 7}, "Documentos à Receber", {.size = 12, .bold = true})
      .date({237, 0, 40, 5}, {.align = Align::Right})
      .time({237, 5, 40, 5}, {.align = Align::Right})
      .pageOfPages({217, 10, 60, 5}, {.align = Align::Right}, "Página %1 de %2")
      .rule(15.5);
  r.columnHeader(6)
      .text({0, 0, 40, 5}, "Documento", {.bold = true})
      .text({45, 0, 15, 5}, "Parcela", {.bold = true})
      .text({65, 0, 25, 5}, "Emissão", {.bold = true})
      .text({95, 0, 25, 5}, "Vencto", {.bold = true})
      .text({125, 0, 35, 5}, "Valor", {.bold = true, .align = Align::Right})
      .text({165, 0, 35, 5}, "Líquido", {.bold = true, .align = Align::Right});
  Group &g = r.group({"cliente"});
  g.header.setHeight(7).expr({0, 1, 150, 5}, [](const Context &c) { return "Nome do Cliente : " + c.text("cliente"); },
                             {.bold = true});
  g.footer.setHeight(7)
      .text({95, 1, 25, 5}, "Sub-Total")
      .expr({125, 1, 35, 5}, [](const Context &c) { return format(c.sum("valor"), "#,##0.00"); },
            {.align = Align::Right})
      .expr({165, 1, 35, 5}, [](const Context &c) { return format(c.sum("liquido"), "#,##0.00"); },
            {.align = Align::Right});
  r.detail(4.5)
      .field({0, 0, 40, 4.5}, "doc")
      .field({45, 0, 15, 4.5}, "parc", "00")
      .field({65, 0, 25, 4.5}, "emissao", "dd/MM/yyyy")
      .field({95, 0, 25, 4.5}, "vencto", "dd/MM/yyyy")
      .field({125, 0, 35, 4.5}, "valor", "#,##0.00", {.align = Align::Right})
      .field({165, 0, 35, 4.5}, "liquido", "#,##0.00", {.align = Align::Right});
  r.summary(10)
      .text({95, 2, 25, 5}, "Total Geral", {.bold = true})
      .expr({125, 2, 35, 5}, [](const Context &c) { return format(c.sum("valor"), "#,##0.00"); },
            {.bold = true, .align = Align::Right})
      .expr({165, 2, 35, 5}, [](const Context &c) { return format(c.sum("liquido"), "#,##0.00"); },
            {.bold = true, .align = Align::Right});
  r.pageFooter(6).text({0, 1, 100, 4}, "Velmora", {.size = 7});

  QTemporaryDir dir;
  const QString path = dir.filePath("bench.pdf");

  QElapsedTimer timer;
  timer.start();
  const Document doc = r.layout(rows);
  const qint64 layoutMs = timer.elapsed();
  QString error;
  if (!writePdf(doc, path, &error)) {
    std::fprintf(stderr, "%s\n", qPrintable(error));
    return 1;
  }
  const qint64 totalMs = timer.elapsed();
  const qint64 pdfMs = totalMs - layoutMs;

  auto perSecond = [&](qint64 ms) { return ms > 0 ? rowsWanted * 1000.0 / ms : 0.0; };
  std::printf("report: %d rows, %d pages, PDF %.1f MB\n", rowsWanted, doc.pageCount(),
              QFileInfo(path).size() / 1048576.0);
  std::printf("  layout      %6lld ms  %10.0f rows/s\n", layoutMs, perSecond(layoutMs));
  std::printf("  PDF writing %6lld ms  %10.0f rows/s\n", pdfMs, perSecond(pdfMs));
  std::printf("  total       %6lld ms  %10.0f rows/s\n", totalMs, perSecond(totalMs));
  return 0;
}
