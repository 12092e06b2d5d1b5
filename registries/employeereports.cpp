#include "registries/employeereports.h"

#include <QDate>
#include <QSqlQuery>
#include <QVariant>

#include "app/tdm.h"
#include "common/report/format.h"
#include "common/report/report.h"

namespace EmployeeReports {

using Report::Align;

Report::Document loanStatement(const QString &name, const QList<QVariantMap> &rows) {
  Report::Definition r;
  const double w = r.width();
  r.pageHeader(24)
      .text({0, 0, 120, 7}, QStringLiteral("EXTRATO EMPRÉSTIMO"), {.size = 13, .bold = true})
      .date({130, 0, 30, 5}, {.align = Align::Right})
      .page({160, 0, w - 160, 5}, {.align = Align::Right}, QStringLiteral("Página %1"))
      .text({0, 9, 25, 5}, QStringLiteral("Funcionário:"), {.bold = true})
      .text({25, 9, w - 25, 5}, name)
      .text({0, 17, 30, 5}, QStringLiteral("Data"), {.bold = true})
      .text({40, 17, 40, 5}, QStringLiteral("Crédito"), {.bold = true, .align = Align::Right})
      .text({90, 17, 40, 5}, QStringLiteral("Débito"), {.bold = true, .align = Align::Right})
      .text({140, 17, 40, 5}, QStringLiteral("Saldo"), {.bold = true, .align = Align::Right})
      .rule(23);
  const Report::Style money{.align = Align::Right};
  r.detail(5)
      .field({0, 0, 30, 5}, QStringLiteral("data"), QStringLiteral("dd/MM/yyyy"))
      .field({40, 0, 40, 5}, QStringLiteral("credito"), QStringLiteral("#,##0.00"), money)
      .field({90, 0, 40, 5}, QStringLiteral("debito"), QStringLiteral("#,##0.00"), money)
      .field({140, 0, 40, 5}, QStringLiteral("saldo"), QStringLiteral("#,##0.00"), money);
  return r.layout(rows);
}

Employer employer() {
  QSqlQuery q(dm().database());
  if (q.exec(QStringLiteral("select razaosocial, cidade from parametros limit 1")) && q.next())
    return {q.value(0).toString(), q.value(1).toString()};
  return {};
}

QString noticeText(const QString &admission) {
  return QStringLiteral(
             "Por motivo de ordem particular venho pela presente comunicar à V.  Sas., em caráter irrevogável e "
             "irretratável, que a partir de 0 dias contados a partir do dia subsequente ") +
         QStringLiteral(
             "a esta data deixarei por minha livre e espontânea vontade, o emprego que ocupo nesta empresa desde ") +
         admission + QStringLiteral(". Assim sendo, queiram receber esta para os efeitos ") +
         QStringLiteral("previstos  nas  disposiçöes legais vigentes. Sem outro motivo para o momento, firmo-me");
}

Report::Document resignationNotice(const QSqlRecord &person, const Employer &employer, const QDate &today) {
  Report::Definition r;
  const double w = r.width();
  const QString admission = Report::format(person.value(QStringLiteral("dtadmissao")), QStringLiteral("dd/MM/yyyy"));
  const QString place = employer.cidade.isEmpty()
                            ? Report::locale().toString(today, QStringLiteral("dd 'de' MMMM 'de' yyyy"))
                            : employer.cidade + QStringLiteral(", ") +
                                  Report::locale().toString(today, QStringLiteral("dd 'de' MMMM 'de' yyyy"));
  const Report::Style body{.size = 11, .align = Align::Justify, .wrap = true};
  const Report::Style plain{.size = 11};
  r.title(250)
      .text({0, 0, w, 9}, QStringLiteral("AVISO PREVIO DO EMPREGADO"),
            {.size = 15, .bold = true, .align = Align::Center})
      .text({0, 20, w, 6}, QStringLiteral("À"), plain)
      .text({0, 26, w, 6}, employer.razaosocial, {.size = 11, .bold = true})
      .text({0, 42, 72, 6}, QStringLiteral("Nome completo do funcionário(a) :"), plain)
      .text({72, 42, w - 72, 6}, person.value(QStringLiteral("nome")).toString(), {.size = 11, .bold = true})
      .text({0, 49, 72, 6}, QStringLiteral("Departamento :"), plain)
      .text({72, 49, w - 72, 6}, person.value(QStringLiteral("departamento")).toString(), plain)
      .text({0, 56, 72, 6}, QStringLiteral("CTPS / Série :"), plain)
      .text({72, 56, w - 72, 6}, person.value(QStringLiteral("ctps")).toString(), plain)
      .text({0, 70, w, 45}, noticeText(admission), body)
      .text({0, 122, w, 6}, QStringLiteral("Atenciosamente"), plain)
      .text({0, 132, w, 6}, place, plain)
      .line({0, 160}, {90, 160})
      .text({0, 161, 90, 6}, QStringLiteral("Funcionário(a)"), {.size = 10, .align = Align::Center})
      .line({w - 90, 190}, {w, 190})
      .text({w - 90, 191, 90, 6}, QStringLiteral("ass. empregador"), {.size = 10, .align = Align::Center})
      .text({w - 90, 200, 90, 6}, QStringLiteral("ciente da empresa: _____ / _____ / ________"),
            {.size = 10, .align = Align::Center});
  return r.layout(QList<QVariantMap>{QVariantMap{}});
}

}  // namespace EmployeeReports
