#include "registries/clientsheet.h"

#include <QList>

namespace ClientSheet {

namespace {

QString digitsOf(const QVariant &value) {
  QString out;
  for (QChar c : value.toString())
    if (c.isDigit()) out.append(c);
  return out;
}

struct Line {
  QString label;
  Report::TextFn value;
  double height = 6;
  bool wrap = false;
};

Report::TextFn column(const QString &name, const QString &mask = {}) {
  return [name, mask](const Report::Context &c) { return c.text(name, mask); };
}

constexpr double kLabelWidth = 42;
constexpr double kValueLeft = 44;

}  // namespace

bool isCompany(const QString &document) { return digitsOf(document).size() > 11; }

QString title(bool company) {
  return company ? QStringLiteral("Relatório de Clientes - Pessoa Jurídica")
                 : QStringLiteral("Relatório de Clientes - Pessoa Física");
}

QString postalCode(const QVariant &digits) { return Report::format(digits, QStringLiteral("99.999-999")); }

QString telephone(const QVariant &digits) {
  // an 11-digit mobile number takes the extra digit after the area code
  const bool mobile = digitsOf(digits).size() == 11;
  return Report::format(digits, mobile ? QStringLiteral("(99)99999-9999") : QStringLiteral("(99)9999-9999"));
}

QString document(const QVariant &digits) {
  return Report::format(
      digits, digitsOf(digits).size() > 11 ? QStringLiteral("99.999.999/9999-99") : QStringLiteral("999.999.999-99"));
}

Report::Definition definition(bool company) {
  using Report::Align;
  Report::Definition r;
  const double width = r.width();

  const Report::Style label{.size = 9, .bold = true};
  const Report::Style value{.size = 9};
  const Report::Style headerLabel{.size = 8};
  Report::Style headerValue{.size = 8};
  r.pageHeader(22)
      .text({0, 0, width - 50, 8}, title(company), {.size = 13, .bold = true})
      .text({width - 48, 0, 20, 5}, QStringLiteral("Data       :"), headerLabel)
      .date({width - 27, 0, 27, 5}, headerValue)
      .text({width - 48, 5, 20, 5}, QStringLiteral("Hora       :"), headerLabel)
      .time({width - 27, 5, 27, 5}, headerValue)
      .text({width - 48, 10, 20, 5}, QStringLiteral("Página    :"), headerLabel)
      .page({width - 27, 10, 27, 5}, headerValue)
      .rule(18);

  const auto code = column(QStringLiteral("codigo"), QStringLiteral("00000"));
  const auto cep = [](const Report::Context &c) { return postalCode(c.value(QStringLiteral("cep"))); };
  const auto fone = [](const QString &name) {
    return [name](const Report::Context &c) { return telephone(c.value(name)); };
  };
  const auto doc = [](const Report::Context &c) { return document(c.value(QStringLiteral("cnpj_cpf"))); };

  QList<Line> lines;
  if (company) {
    lines = {
        {QStringLiteral("Código:"), code},
        {QStringLiteral("Razão Social:"), column(QStringLiteral("nome"))},
        {QStringLiteral("Fantasia:"), column(QStringLiteral("fantasia"))},
        {QStringLiteral("Contato:"), column(QStringLiteral("contato"))},
        {QStringLiteral("Endereço:"), column(QStringLiteral("endereco"))},
        {QStringLiteral("Bairro:"), column(QStringLiteral("bairro"))},
        {QStringLiteral("Cidade:"), column(QStringLiteral("cidade"))},
        {QStringLiteral("Estado:"), column(QStringLiteral("estado"))},
        {QStringLiteral("Cep:"), cep},
        {QStringLiteral("Telefone:"), fone(QStringLiteral("fone1"))},
        {QStringLiteral("Celular:"), fone(QStringLiteral("fone2"))},
        {QStringLiteral("Fax:"), fone(QStringLiteral("fone3"))},
        {QStringLiteral("CNPJ:"), doc},
        {QStringLiteral("I. Estadual:"), column(QStringLiteral("ie_rg"))},
        {QStringLiteral("Observação:"), column(QStringLiteral("obs")), 20, true},
    };
  } else {
    lines = {
        {QStringLiteral("Código:"), code},
        {QStringLiteral("Nome:"), column(QStringLiteral("nome"))},
        {QStringLiteral("Endereço:"), column(QStringLiteral("endereco"))},
        {QStringLiteral("Bairro:"), column(QStringLiteral("bairro"))},
        {QStringLiteral("Cidade:"), column(QStringLiteral("cidade"))},
        {QStringLiteral("Estado:"), column(QStringLiteral("estado"))},
        {QStringLiteral("Cep:"), cep},
        {QStringLiteral("Telefone:"), fone(QStringLiteral("fone1"))},
        {QStringLiteral("Celular:"), fone(QStringLiteral("fone2"))},
        {QStringLiteral("Fax:"), fone(QStringLiteral("fone3"))},
        {QStringLiteral("C.P.F.:"), doc},
        {QStringLiteral("RG:"), column(QStringLiteral("ie_rg"))},
        {QStringLiteral("Data de Nascimento:"), column(QStringLiteral("dtnasc"), QStringLiteral("dd/MM/yyyy"))},
        {QStringLiteral("Observação"), column(QStringLiteral("obs")), 20, true},
    };
  }

  // one block per client
  Report::Band &block = r.detail(0);
  double y = 2;
  for (const Line &line : lines) {
    Report::Style shown = value;
    shown.wrap = line.wrap;
    block.text({0, y, kLabelWidth, 6}, line.label, label)
        .expr({kValueLeft, y, width - kValueLeft, line.height}, line.value, shown);
    y += line.height;
  }
  block.setHeight(y + 2);
  return r;
}

}  // namespace ClientSheet
