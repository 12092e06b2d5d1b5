#include "app/rastroreport.h"

namespace RastroReport {

namespace {
// Landscape A4: 277 mm of printable width, room for history and remark at their full 70 characters.
constexpr double kHora = 0, kRotina = 18, kOp = 46, kHistorico = 56, kValor = 152, kObs = 180, kEnd = 277;
}  // namespace

QString footerLegend() {
  return QStringLiteral(
      "Lengeda: A - Alteração   |    B - Baixa   |   C - Cancelamento    |    E - Exclusão   |    I - Inclusão"
      "   |   R - Relatório");
}

QString title(const QString &initialDate, const QString &finalDate) {
  return QStringLiteral("Rastro no Período de ") + initialDate + QStringLiteral(" à ") + finalDate;
}

Report::Definition definition(const QString &reportTitle) {
  using Report::Align;
  Report::Definition r;
  r.setLandscape();

  r.pageHeader(16)
      .text({0, 0, 200, 7}, reportTitle, {.size = 12, .bold = true})
      .date({205, 0, 24, 5}, {.align = Align::Right})
      .time({230, 0, 18, 5}, {.align = Align::Right})
      .page({250, 0, 27, 5}, {.align = Align::Right}, QStringLiteral("Página %1"))
      .text({kHora, 10, kRotina - kHora, 5}, QStringLiteral("Hora"), {.bold = true})
      .text({kRotina, 10, kOp - kRotina, 5}, QStringLiteral("Rotina"), {.bold = true})
      .text({kOp, 10, kHistorico - kOp, 5}, QStringLiteral("Op"), {.bold = true})
      .text({kHistorico, 10, kValor - kHistorico, 5}, QStringLiteral("Histórico"), {.bold = true})
      .text({kValor, 10, kObs - kValor - 2, 5}, QStringLiteral("Valor R$"), {.bold = true, .align = Align::Right})
      .text({kObs, 10, kEnd - kObs, 5}, QStringLiteral("Observação"), {.bold = true})
      .rule(15.5);

  // one group per change of operator and date
  auto &group = r.group(QStringList{QStringLiteral("operador"), QStringLiteral("data")});
  group.header.setHeight(7)
      .text({0, 1, 24, 5}, QStringLiteral("Operador(a):"), {.bold = true})
      .field({24, 1, 60, 5}, QStringLiteral("operador"), {}, {.bold = true})
      .text({90, 1, 12, 5}, QStringLiteral("Data:"), {.bold = true})
      .field({102, 1, 30, 5}, QStringLiteral("data"), QStringLiteral("dd/MM/yyyy"), {.bold = true});

  const Report::Style line{.size = 8};
  Report::Style amount = line;
  amount.align = Align::Right;
  r.detail(4.5)
      .field({kHora, 0, kRotina - kHora, 4.5}, QStringLiteral("hora"), {}, line)
      .field({kRotina, 0, kOp - kRotina, 4.5}, QStringLiteral("rotina"), {}, line)
      .field({kOp, 0, kHistorico - kOp, 4.5}, QStringLiteral("operacao"), {}, line)
      .field({kHistorico, 0, kValor - kHistorico, 4.5}, QStringLiteral("historico"), {}, line)
      .field({kValor, 0, kObs - kValor - 2, 4.5}, QStringLiteral("valor"), QStringLiteral("#,##0.00"), amount)
      .field({kObs, 0, kEnd - kObs, 4.5}, QStringLiteral("obs"), {}, line);

  r.pageFooter(8).rule(1).text({0, 2, kEnd, 5}, footerLegend(), {.size = 8});
  return r;
}

}  // namespace RastroReport
