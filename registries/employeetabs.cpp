#include "registries/employeetabs.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include "app/messages.h"
#include "app/record/dataset.h"
#include "app/record/fields.h"
#include "app/record/recordgrid.h"
#include "app/record/screenbehaviour.h"
#include "common/report/render.h"
#include "common/routines.h"
#include "registries/employeereports.h"

using EmployeeMovements::Person;

namespace {

QPushButton *button(QWidget *parent, const QString &caption, const QString &name) {
  auto *b = new QPushButton(caption, parent);
  b->setObjectName(name);
  b->setAutoDefault(false);
  return b;
}

QLabel *shown(QWidget *parent, const QString &name) {
  auto *l = new QLabel(parent);
  l->setObjectName(name);
  return l;
}

QLineEdit *quantityEdit(QWidget *parent, const QString &name) {
  QLineEdit *e = Fields::upper(parent, name, 10);
  e->setAlignment(Qt::AlignRight);
  return e;
}

}  // namespace

EmployeeTabs::Movement EmployeeTabs::makePage(QTabWidget *pages, const QString &caption, const QString &suffix) {
  Movement m;
  m.page = new QWidget(pages);
  m.page->setObjectName(QStringLiteral("ts") + suffix);
  auto *layout = new QVBoxLayout(m.page);
  auto *who = new QHBoxLayout;
  who->addWidget(new QLabel(QStringLiteral("Código:"), m.page));
  m.code = shown(m.page, QStringLiteral("lbcodigo") + suffix);
  who->addWidget(m.code);
  who->addSpacing(16);
  who->addWidget(new QLabel(QStringLiteral("Nome:"), m.page));
  m.name = shown(m.page, QStringLiteral("lbnome") + suffix);
  who->addWidget(m.name, 1);
  layout->addLayout(who);
  m.rows = new Dataset(this);
  m.grid = new RecordGrid(m.page, QStringLiteral("DBGrid") + suffix);
  m.grid->setDataset(m.rows);
  pages->addTab(m.page, caption);
  pages_ << m.page;
  return m;
}

EmployeeTabs::EmployeeTabs(QTabWidget *pages, ScreenBehaviour &behaviour, PersonFn person, QObject *parent)
    : QObject(parent), behaviour_(behaviour), person_(std::move(person)) {
  // ---- "Empréstimo" ----
  loans_ = makePage(pages, QStringLiteral("Empréstimo"), QStringLiteral("E"));
  {
    QWidget *p = loans_.page;
    auto *row = new QHBoxLayout;
    row->addWidget(new QLabel(QStringLiteral("Data"), p));
    medataE_ = Fields::date(p, QStringLiteral("medataE"), true);
    row->addWidget(medataE_);
    rbcreditoE_ = new QRadioButton(QStringLiteral("Crédito"), p);
    rbcreditoE_->setObjectName(QStringLiteral("rbcreditoE"));
    rbcreditoE_->setChecked(true);
    rbdebitoE_ = new QRadioButton(QStringLiteral("Débito"), p);
    rbdebitoE_->setObjectName(QStringLiteral("rbdebitoE"));
    row->addWidget(rbcreditoE_);
    row->addWidget(rbdebitoE_);
    row->addWidget(new QLabel(QStringLiteral("Valor"), p));
    edvalorE_ = Fields::amount(p, QStringLiteral("edvalorE"));
    row->addWidget(edvalorE_);
    row->addStretch();
    auto *layout = static_cast<QVBoxLayout *>(p->layout());
    layout->addLayout(row);
    loans_.grid->setColumns({{QStringLiteral("data"), QStringLiteral("Data"), GridColumn::Format::Date},
                             {QStringLiteral("credito"), QStringLiteral("Crédito"), GridColumn::Format::Amount},
                             {QStringLiteral("debito"), QStringLiteral("Débito"), GridColumn::Format::Amount},
                             {QStringLiteral("saldo"), QStringLiteral("Saldo"), GridColumn::Format::Amount}});
    layout->addWidget(loans_.grid, 1);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    btrelatorioE_ = button(p, QStringLiteral("Relatório"), QStringLiteral("btrelatorioE"));
    auto *sair = button(p, QStringLiteral("Sair"), QStringLiteral("btsairE"));
    buttons->addWidget(btrelatorioE_);
    buttons->addWidget(sair);
    layout->addLayout(buttons);
    behaviour_.onExit(edvalorE_, [this] { return edvalorEExit(); });
    connect(loans_.grid, &RecordGrid::rowDoubleClicked, this, [this] { DBGridEDblClick(); });
    connect(btrelatorioE_, &QPushButton::clicked, this, [this] {
      if (!behaviour_.clickRefused(btrelatorioE_)) btrelatorioEClick();
    });
    connect(sair, &QPushButton::clicked, this, [this, sair] {
      if (!behaviour_.clickRefused(sair)) emit closeRequested();
    });
  }

  // ---- "Faltas" ----
  absences_ = makePage(pages, QStringLiteral("Faltas"), QStringLiteral("F"));
  {
    QWidget *p = absences_.page;
    auto *row = new QHBoxLayout;
    row->addWidget(new QLabel(QStringLiteral("Data"), p));
    medatafalta_ = Fields::date(p, QStringLiteral("medatafalta"), true);
    row->addWidget(medatafalta_);
    rbfalta_ = new QRadioButton(QStringLiteral("Falta"), p);
    rbfalta_->setObjectName(QStringLiteral("rbfalta"));
    rbfalta_->setChecked(true);
    rbfaltajust_ = new QRadioButton(QStringLiteral("Falta Justificada"), p);
    rbfaltajust_->setObjectName(QStringLiteral("rbfaltajust"));
    row->addWidget(rbfalta_);
    row->addWidget(rbfaltajust_);
    row->addWidget(new QLabel(QStringLiteral("QTD"), p));
    edqtdF_ = quantityEdit(p, QStringLiteral("edqtdF"));
    row->addWidget(edqtdF_);
    row->addWidget(new QLabel(QStringLiteral("Observação"), p));
    edobsF_ = Fields::upper(p, QStringLiteral("edobsF"), 40);
    row->addWidget(edobsF_, 1);
    auto *layout = static_cast<QVBoxLayout *>(p->layout());
    layout->addLayout(row);
    absences_.grid->setColumns({{QStringLiteral("data"), QStringLiteral("Data"), GridColumn::Format::Date},
                                {QStringLiteral("tipo"), QStringLiteral("Tipo")},
                                {QStringLiteral("qtd"), QStringLiteral("QTD")},
                                {QStringLiteral("obs"), QStringLiteral("Observação")}});
    layout->addWidget(absences_.grid, 1);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    auto *sair = button(p, QStringLiteral("Sair"), QStringLiteral("btsairF"));
    buttons->addWidget(sair);
    layout->addLayout(buttons);
    behaviour_.onExit(edqtdF_, [this] { return edqtdFExit(); });
    behaviour_.onExit(edobsF_, [this] { return edobsFExit(); });
    connect(absences_.grid, &RecordGrid::rowDoubleClicked, this, [this] { DBGridFDblClick(); });
    connect(sair, &QPushButton::clicked, this, [this, sair] {
      if (!behaviour_.clickRefused(sair)) emit closeRequested();
    });
  }

  // ---- "Horas Extras" ----
  overtime_ = makePage(pages, QStringLiteral("Horas Extras"), QStringLiteral("HE"));
  {
    QWidget *p = overtime_.page;
    auto *row = new QHBoxLayout;
    row->addWidget(new QLabel(QStringLiteral("Data"), p));
    medataHE_ = Fields::date(p, QStringLiteral("medataHE"), true);
    row->addWidget(medataHE_);
    row->addWidget(new QLabel(QStringLiteral("QTD"), p));
    edqtdHE_ = quantityEdit(p, QStringLiteral("edqtdHE"));
    row->addWidget(edqtdHE_);
    row->addStretch();
    auto *layout = static_cast<QVBoxLayout *>(p->layout());
    layout->addLayout(row);
    overtime_.grid->setColumns({{QStringLiteral("data"), QStringLiteral("Data"), GridColumn::Format::Date},
                                {QStringLiteral("qtd"), QStringLiteral("QTD")}});
    layout->addWidget(overtime_.grid, 1);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    auto *sair = button(p, QStringLiteral("Sair"), QStringLiteral("btsairHE"));
    buttons->addWidget(sair);
    layout->addLayout(buttons);
    behaviour_.onExit(edqtdHE_, [this] { return edqtdHEExit(); });
    connect(overtime_.grid, &RecordGrid::rowDoubleClicked, this, [this] { DBGridHEDblClick(); });
    connect(sair, &QPushButton::clicked, this, [this, sair] {
      if (!behaviour_.clickRefused(sair)) emit closeRequested();
    });
  }

  // ---- "Funcionário/Filial" ----
  {
    auto *p = new QWidget(pages);
    p->setObjectName(QStringLiteral("tsFF"));
    auto *layout = new QVBoxLayout(p);
    auto *options = new QGroupBox(QStringLiteral("Opção"), p);
    auto *optionsLayout = new QHBoxLayout(options);
    rbgeralFF_ = new QRadioButton(QStringLiteral("Geral"), options);
    rbgeralFF_->setObjectName(QStringLiteral("rbgeralFF"));
    optionsLayout->addWidget(rbgeralFF_);
    optionsLayout->addStretch();
    layout->addWidget(options);
    sellers_ = new Dataset(this);
    DBGridFF_ = new RecordGrid(p, QStringLiteral("DBGridFF"));
    DBGridFF_->setDataset(sellers_);
    DBGridFF_->setColumns({{QStringLiteral("codigo"), QStringLiteral("Código")},
                           {QStringLiteral("nome"), QStringLiteral("Nome")},
                           {QStringLiteral("repasse"), QStringLiteral("Repasse")}});
    layout->addWidget(DBGridFF_, 1);
    auto *row = new QHBoxLayout;
    row->addWidget(new QLabel(QStringLiteral("Filial"), p));
    cbfilialFF_ = Fields::query(p, QStringLiteral("cbfilialFF"), QStringLiteral("Filial não Cadastrada!"));
    Fields::applyRule(cbfilialFF_->lineEdit(), Fields::Case::Upper);
    row->addWidget(cbfilialFF_, 1);
    auto *atualizar = button(p, QStringLiteral("Atualizar"), QStringLiteral("btatualizar"));
    row->addWidget(atualizar);
    auto *sair = button(p, QStringLiteral("Sair"), QStringLiteral("btsairFF"));
    row->addWidget(sair);
    layout->addLayout(row);
    pages->addTab(p, QStringLiteral("Funcionário/Filial"));
    pages_ << p;
    connect(rbgeralFF_, &QRadioButton::clicked, this, [this] { rbgeralFFClick(); });
    connect(atualizar, &QPushButton::clicked, this, [this, atualizar] {
      if (!behaviour_.clickRefused(atualizar)) btatualizarClick();
    });
    connect(sair, &QPushButton::clicked, this, [this, sair] {
      if (!behaviour_.clickRefused(sair)) emit closeRequested();
    });
  }
}

void EmployeeTabs::reopen(Movement &m, const QString &statement) {
  const auto p = person_();
  if (!p) {
    m.rows->close();
    m.code->clear();
    m.name->clear();
    return;
  }
  m.code->setText(QString::number(p->code));
  m.name->setText(p->name);
  m.rows->setStatement(statement, {p->code});
  if (m.rows->openOrShow()) m.rows->last();
}

void EmployeeTabs::showPerson() {
  reopen(loans_, EmployeeMovements::loansStatement());
  reopen(absences_, EmployeeMovements::absencesStatement());
  reopen(overtime_, EmployeeMovements::overtimeStatement());
}

void EmployeeTabs::setLoansVisible(bool visible) {
  loansVisible_ = visible;
  loans_.grid->setVisible(visible);
  btrelatorioE_->setVisible(visible);
}

void EmployeeTabs::setCompanies(const QList<QPair<QVariant, QString>> &companies) { cbfilialFF_->setItems(companies); }

void EmployeeTabs::setEnabled(bool enabled) {
  for (QWidget *p : pages_) p->setEnabled(enabled);
}

bool EmployeeTabs::dateReady(DateEdit *date) const { return !date->isBlank() && date->date().isValid(); }

std::optional<double> EmployeeTabs::quantity(QLineEdit *edit) {
  try {
    return Routines::readNumber(edit->text(), QLocale().decimalPoint().at(0));
  } catch (const Routines::ConversionError &e) {
    Messages::error(QString::fromUtf8(e.what()));
    return std::nullopt;
  }
}

void EmployeeTabs::deleteRow(Movement &m, const QString &statement,
                             const std::function<bool(const Person &, int, QString *)> &remove) {
  const auto p = person_();
  if (!p || m.rows->row() < 0) return;
  const int codigo = m.rows->value(QStringLiteral("codigo")).toInt();
  if (Messages::ask(QStringLiteral("Deseja excluir o registro?"), QStringLiteral("Velmora"),
                    QMessageBox::Yes | QMessageBox::No, QMessageBox::No) != QMessageBox::Yes)
    return;
  QString error;
  if (!remove(*p, codigo, &error)) Messages::error(error);
  reopen(m, statement);
}

// ---- loans ----

bool EmployeeTabs::edvalorEExit() {
  const QString text = edvalorE_->text().trimmed();
  const auto p = person_();
  if (text.isEmpty() || !p || !dateReady(medataE_)) return true;
  double amount = 0;
  try {
    amount = edvalorE_->value();
  } catch (const Routines::ConversionError &e) {
    Messages::error(QString::fromUtf8(e.what()));
    return false;
  }
  QString error;
  if (!EmployeeMovements::addLoan(*p, medataE_->date(), rbcreditoE_->isChecked(), amount, &error)) {
    Messages::error(error);
    return false;  // the amount stays, to be entered again
  }
  reopen(loans_, EmployeeMovements::loansStatement());
  edvalorE_->clear();
  behaviour_.focusWithoutExit(medataE_);
  return true;
}

void EmployeeTabs::DBGridEDblClick() {
  if (!loansVisible_) return;
  deleteRow(loans_, EmployeeMovements::loansStatement(), EmployeeMovements::deleteLoan);
}

void EmployeeTabs::btrelatorioEClick() {
  const auto p = person_();
  if (!p || !loansVisible_) return;
  if (loans_.rows->isEmpty()) {
    Messages::information(QStringLiteral("Nenhum empréstimo registrado para este funcionário(a)."));
    return;
  }
  QList<QVariantMap> rows;
  for (int i = 0; i < loans_.rows->rowCount(); ++i) {
    const QSqlRecord r = loans_.rows->record(i);
    rows << QVariantMap{{QStringLiteral("data"), r.value(QStringLiteral("data"))},
                        {QStringLiteral("credito"), r.value(QStringLiteral("credito"))},
                        {QStringLiteral("debito"), r.value(QStringLiteral("debito"))},
                        {QStringLiteral("saldo"), r.value(QStringLiteral("saldo"))}};
  }
  Report::preview(EmployeeReports::loanStatement(p->name, rows), QStringLiteral("EXTRATO EMPRÉSTIMO"),
                  loans_.page->window());
}

// ---- absences ----

bool EmployeeTabs::edqtdFExit() {
  if (edqtdF_->text().trimmed().isEmpty()) edqtdF_->setText(QStringLiteral("1"));
  const auto p = person_();
  if (!rbfalta_->isChecked() || !p || !dateReady(medatafalta_)) return true;
  const auto qtd = quantity(edqtdF_);
  if (!qtd) return false;
  QString error;
  if (!EmployeeMovements::addAbsence(*p, medatafalta_->date(), *qtd, edqtdF_->text().trimmed(), {}, &error)) {
    Messages::error(error);
    return false;
  }
  reopen(absences_, EmployeeMovements::absencesStatement());
  edqtdF_->clear();
  behaviour_.focusWithoutExit(medatafalta_);
  return true;
}

bool EmployeeTabs::edobsFExit() {
  const QString remark = edobsF_->text().trimmed();
  const auto p = person_();
  // A justified absence needs its justification: without a remark nothing is recorded.
  if (!rbfaltajust_->isChecked() || remark.isEmpty() || !p || !dateReady(medatafalta_)) return true;
  if (edqtdF_->text().trimmed().isEmpty()) edqtdF_->setText(QStringLiteral("1"));
  const auto qtd = quantity(edqtdF_);
  if (!qtd) {
    behaviour_.focusWithoutExit(edqtdF_);
    return true;
  }
  QString error;
  if (!EmployeeMovements::addAbsence(*p, medatafalta_->date(), *qtd, edqtdF_->text().trimmed(), remark, &error)) {
    Messages::error(error);
    return false;
  }
  reopen(absences_, EmployeeMovements::absencesStatement());
  edqtdF_->clear();
  edobsF_->clear();
  behaviour_.focusWithoutExit(medatafalta_);
  return true;
}

void EmployeeTabs::DBGridFDblClick() {
  deleteRow(absences_, EmployeeMovements::absencesStatement(), EmployeeMovements::deleteAbsence);
}

// ---- overtime ----

bool EmployeeTabs::edqtdHEExit() {
  const auto p = person_();
  if (edqtdHE_->text().trimmed().isEmpty() || !p || !dateReady(medataHE_)) return true;
  const auto qtd = quantity(edqtdHE_);
  if (!qtd) return false;
  QString error;
  if (!EmployeeMovements::addOvertime(*p, medataHE_->date(), *qtd, edqtdHE_->text().trimmed(), &error)) {
    Messages::error(error);
    return false;
  }
  reopen(overtime_, EmployeeMovements::overtimeStatement());
  edqtdHE_->clear();
  behaviour_.focusWithoutExit(medataHE_);
  return true;
}

void EmployeeTabs::DBGridHEDblClick() {
  deleteRow(overtime_, EmployeeMovements::overtimeStatement(), EmployeeMovements::deleteOvertime);
}

// ---- sellers and the company they pass their commissions on through ----

void EmployeeTabs::rbgeralFFClick() {
  // The company is shown by its nickname, as the "Repasse" field names it.
  sellers_->setStatement(
      QStringLiteral("select f.codigo, f.nome, f.empresa, r.apelido as repasse "
                     "from fornecedores f left join fornecedores r on r.codigo = f.empresa "
                     "where f.funcao like '%VEND%' order by f.nome, f.codigo"));
  sellers_->openOrShow();
  behaviour_.focusWithoutExit(DBGridFF_);
}

void EmployeeTabs::btatualizarClick() {
  if (sellers_->row() < 0) return;
  const QVariant company = cbfilialFF_->code();
  if (company.isNull()) {
    Messages::information(QStringLiteral("Filial não Cadastrada!"));
    behaviour_.focusWithoutExit(cbfilialFF_);
    return;
  }
  const QVariant seller = sellers_->value(QStringLiteral("codigo"));
  QString error;
  if (!EmployeeMovements::assignCompany({seller.toInt(), sellers_->value(QStringLiteral("nome")).toString()}, company,
                                        cbfilialFF_->currentText(), &error)) {
    Messages::error(error);
    return;
  }
  if (!sellers_->openOrShow()) return;
  if (sellers_->locate(QStringLiteral("codigo"), seller)) sellers_->next();
}
