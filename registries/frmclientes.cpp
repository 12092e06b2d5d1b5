#include "registries/frmclientes.h"

#include <QApplication>
#include <QComboBox>
#include <QDate>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>

#include "app/connection.h"
#include "app/record/dataset.h"
#include "app/record/fields.h"
#include "app/record/recordgrid.h"
#include "app/record/screenbehaviour.h"
#include "app/tdm.h"
#include "common/report/render.h"
#include "common/routines.h"
#include "registries/clientsheet.h"

namespace {

const QString kPhoneMask = QStringLiteral("(99)#9999-9999;0;_");

QString onlyDigits(const QString &text) {
  QString out;
  for (QChar c : text)
    if (c.isDigit()) out.append(c);
  return out;
}

}  // namespace

TFrmClientes::TFrmClientes(QWidget *parent)
    : RecordScreen(parent, Family::Tabbed, QStringLiteral("Cadastro de Clientes/Seguradoras"),
                   ButtonBar::Buttons(ButtonBar::kStandard) | ButtonBar::Report) {
  setObjectName(QStringLiteral("TFrmClientes"));
  buildFields();
  declareRecord();
}

QString TFrmClientes::documentMask(int digits) {
  return digits <= 11 ? QStringLiteral("999.999.999-99;0;_") : QStringLiteral("99.999.999/9999-99;0;_");
}

void TFrmClientes::buildFields() {
  QWidget *p = fieldsPanel();
  auto *grid = new QGridLayout(p);
  int row = 0;
  const auto place = [&](const QString &caption, QWidget *field, int column = 0, int span = 1) {
    grid->addWidget(Fields::label(p, caption, field), row, column);
    grid->addWidget(field, row, column + 1, 1, span);
  };

  // Created in the order Enter walks them.
  mecgc_ = Fields::masked(p, QStringLiteral("mecgc"), QString());
  edie_ = Fields::upper(p, QStringLiteral("edie"), 15);
  edtaxaPME_ = Fields::amount(p, QStringLiteral("edtaxaPME"));
  edtaxaInd_ = Fields::amount(p, QStringLiteral("edtaxaInd"));
  EdCodigo_ = Fields::upper(p, QStringLiteral("EdCodigo"));
  ednome_ = Fields::personName(p, QStringLiteral("ednome"), 70);
  EdContato_ = Fields::upper(p, QStringLiteral("EdContato"), 30);
  EdFantasia_ = Fields::upper(p, QStringLiteral("EdFantasia"), 50);
  EdEndereco_ = Fields::upper(p, QStringLiteral("EdEndereco"), 70);
  EdBairro_ = Fields::upper(p, QStringLiteral("EdBairro"), 30);
  EdCidade_ = Fields::upper(p, QStringLiteral("EdCidade"), 30);
  cbestado_ = Fields::combo(p, QStringLiteral("cbestado"),
                            {QStringLiteral("MA"), QStringLiteral("PI"), QStringLiteral("CE")}, true);
  cbestado_->lineEdit()->setMaxLength(2);
  mecep_ = Fields::masked(p, QStringLiteral("mecep"), QStringLiteral("99.999.999;0;_"));
  mefone1_ = Fields::masked(p, QStringLiteral("mefone1"), kPhoneMask);
  mefone2_ = Fields::masked(p, QStringLiteral("mefone2"), kPhoneMask);
  mefone3_ = Fields::masked(p, QStringLiteral("mefone3"), kPhoneMask);
  cbsexo_ = Fields::codes(
      p, QStringLiteral("cbsexo"),
      {{QStringLiteral("M"), QStringLiteral("MASCULINO")}, {QStringLiteral("F"), QStringLiteral("FEMININO")}});
  medtnasc_ = Fields::date(p, QStringLiteral("medtnasc"));
  Edemail_ = Fields::lower(p, QStringLiteral("Edemail"), 60);
  edhome_ = Fields::lower(p, QStringLiteral("edhome"), 40);
  Memo1_ = Fields::memo(p, QStringLiteral("Memo1"), 250);

  // The code is the server's: it is shown, never typed.
  EdCodigo_->setReadOnly(true);
  EdCodigo_->setFocusPolicy(Qt::ClickFocus);

  place(QStringLiteral("CNPJ/CPF"), mecgc_);
  place(QStringLiteral("I.E./RG"), edie_, 2);
  ++row;
  place(QStringLiteral("Taxa PME"), edtaxaPME_);
  place(QStringLiteral("Taxa Ind."), edtaxaInd_, 2);
  ++row;
  place(QStringLiteral("Código"), EdCodigo_);
  ++row;
  place(QStringLiteral("Cliente"), ednome_, 0, 3);
  ++row;
  place(QStringLiteral("Contato"), EdContato_);
  place(QStringLiteral("Fantasia"), EdFantasia_, 2);
  ++row;
  place(QStringLiteral("Endereço"), EdEndereco_, 0, 3);
  ++row;
  place(QStringLiteral("Bairro"), EdBairro_);
  place(QStringLiteral("Cidade"), EdCidade_, 2);
  ++row;
  place(QStringLiteral("Estado"), cbestado_);
  place(QStringLiteral("CEP"), mecep_, 2);
  ++row;
  grid->addWidget(Fields::label(p, QStringLiteral("Telefones"), mefone1_), row, 0);
  auto *phones = new QHBoxLayout;
  phones->addWidget(mefone1_);
  phones->addWidget(mefone2_);
  phones->addWidget(mefone3_);
  grid->addLayout(phones, row, 1, 1, 3);
  ++row;
  place(QStringLiteral("Sexo"), cbsexo_);
  place(QStringLiteral("Data Nasc"), medtnasc_, 2);
  ++row;
  place(QStringLiteral("E-mail"), Edemail_);
  place(QStringLiteral("Home Page"), edhome_, 2);
  ++row;
  place(QStringLiteral("Observação"), Memo1_, 0, 3);
  grid->setRowStretch(row, 1);
}

void TFrmClientes::declareRecord() {
  setTable(QStringLiteral("clientes"));

  // Insert and change write the same columns, in the change's order; an empty deduction is no value
  // on insert and 0 on change.
  Binding &document = bind(mecgc_, QStringLiteral("cnpj_cpf"));
  document.value = [this](Mode) { return QVariant(documentDigits()); };
  document.show = [this](const QVariant &v) { showDocument(v.toString()); };
  bind(edie_, QStringLiteral("ie_rg"));
  bind(EdCodigo_, QStringLiteral("codigo")).notWritten();
  bind(ednome_, QStringLiteral("nome"));
  bind(EdContato_, QStringLiteral("contato"));
  bind(EdFantasia_, QStringLiteral("fantasia"));
  bind(EdEndereco_, QStringLiteral("endereco"));
  bind(EdBairro_, QStringLiteral("bairro"));
  bind(EdCidade_, QStringLiteral("cidade"));
  bind(cbestado_, QStringLiteral("estado"));
  bind(mecep_, QStringLiteral("cep"));
  for (auto [field, column] :
       {std::pair{mefone1_, "fone1"}, std::pair{mefone2_, "fone2"}, std::pair{mefone3_, "fone3"}}) {
    MaskedEdit *phone = field;
    bind(phone, QString::fromLatin1(column)).show = [this, phone](const QVariant &v) {
      showTelephone(phone, v.toString());
    };
  }
  bind(cbsexo_, QStringLiteral("sexo"));
  bind(medtnasc_, QStringLiteral("dtnasc"));
  bind(Edemail_, QStringLiteral("email"));
  bind(edhome_, QStringLiteral("homepage"));
  bind(Memo1_, QStringLiteral("obs"));
  // The deductions close the change's column list.
  bind(edtaxaPME_, QStringLiteral("taxapme")).emptyAsNull(true, false);
  bind(edtaxaInd_, QStringLiteral("taxaind")).emptyAsNull(true, false);
  bindValue(QStringLiteral("cadastro"), [](Mode) { return QVariant(QDate::currentDate()); }).insertOnly();

  requireFilled(mecgc_, QStringLiteral("CNPJ/CPF do Cliente Deve Ser Preenchido"));
  requireFilled(ednome_, QStringLiteral("Nome do Cliente Deve Ser Preenchido"));
  requireFilled(EdEndereco_, QStringLiteral("Endereço do Cliente Deve Ser Preenchido"));
  requireFilled(EdBairro_, QStringLiteral("Bairro do Cliente Deve Ser Preenchido"));
  requireFilled(EdCidade_, QStringLiteral("Cidade do Cliente Deve Ser Preenchido"));

  setAudit(QStringLiteral("CLIENTE"), [this](AuditEntry &entry, const QVariant &key) {
    entry.historico = ednome_->text();
    entry.favorecido = key.toInt();
    entry.valor = 0;
    entry.obs = documentDigits();
  });

  setSelectMessage(QStringLiteral("Selecione um Cliente"));
  // Only receivables keep a client: an insurer with sales but no receivables may go.
  addInUse(QStringLiteral("select 1 from docreceber where cliente = ? limit 1"),
           QStringLiteral("Cliente com Movimentação"));
  setDeleteQuestion(QStringLiteral("Deseja excluir o registro?"), QStringLiteral("Velmora"),
                    Messages::Buttons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel), QMessageBox::Yes);

  addSearchOption(QStringLiteral("Código"), SearchBy::Code, QStringLiteral("codigo"), QStringLiteral("rbcodigo"));
  addSearchOption(QStringLiteral("Nome"), SearchBy::Contains, QStringLiteral("nome"), QStringLiteral("rbnome"), true);
  addSearchOption(QStringLiteral("Fantasia"), SearchBy::Contains, QStringLiteral("fantasia"),
                  QStringLiteral("rbfantasia"));
  addSearchOption(QStringLiteral("CNPJ/CPF"), SearchBy::Equals, QStringLiteral("cnpj_cpf"),
                  QStringLiteral("rbcnpjcpf"));
  addSearchOption(QStringLiteral("Geral"), SearchBy::General, QString(), QStringLiteral("rbgeral"));
  grid()->setColumns({
      {QStringLiteral("codigo"), QStringLiteral("Código"), GridColumn::Format::Text, 60},
      {QStringLiteral("nome"), QStringLiteral("Nome"), GridColumn::Format::Text, 260},
      {QStringLiteral("fantasia"), QStringLiteral("Fantasia"), GridColumn::Format::Text, 160},
      {QStringLiteral("cnpj_cpf"), QStringLiteral("CNPJ/CPF"), GridColumn::Format::Text, 120},
      {QStringLiteral("endereco"), QStringLiteral("Endereço"), GridColumn::Format::Text, 220},
      {QStringLiteral("cidade"), QStringLiteral("Cidade"), GridColumn::Format::Text, 120},
      {QStringLiteral("fone1"), QStringLiteral("Telefone"), GridColumn::Format::Text, 100},
  });

  ScreenBehaviour &b = behaviour();
  b.setEscapeCloses(true);
  b.setUpArrowBack(fieldsPanel());
  // F12 saves as the button does: the field being left has its say first.
  b.addKey(
      QKeyCombination(Qt::Key_F12),
      [this] {
        if (state() != State::Edit) return;
        if (!behaviour().runExit(behaviour().fieldOf(QApplication::focusWidget()))) return;
        btgravarClick();
      },
      fieldsPanel());
  b.onEnter(mecgc_, [this] { mecgcEnter(); });
  b.onExit(mecgc_, [this] { return mecgcExit(); });
  b.onEnter(EdCodigo_, [this] { EdCodigoEnter(); });
  b.onEnter(EdCidade_, [this] { EdCidadeEnter(); });
  b.onExit(EdCidade_, [this] { return EdCidadeExit(); });
}

QString TFrmClientes::documentDigits() const { return onlyDigits(mecgc_->isBlank() ? QString() : mecgc_->value()); }

void TFrmClientes::showDocument(const QString &stored) {
  // A document stored as digits is shown in its mask; anything else as it was stored.
  if (!stored.isEmpty() && onlyDigits(stored) == stored) {
    mecgc_->setEditMask(documentMask(int(stored.size())));
    mecgc_->setValue(stored);
  } else {
    mecgc_->setEditMask(QString());
    mecgc_->setText(stored);
  }
}

void TFrmClientes::showTelephone(MaskedEdit *field, const QString &digits) {
  // A number of 8 digits after the area code leaves the mask's optional ninth place blank.
  if (digits.size() == 10 && onlyDigits(digits) == digits)
    field->setValue(digits.left(2) + QChar(u'_') + digits.mid(2));
  else
    field->setValue(digits);
}

void TFrmClientes::clearForNew() {
  RecordScreen::clearForNew();
  // either kind of number may be typed
  mecgc_->setEditMask(QString());
}

void TFrmClientes::mecgcEnter() {
  // While editing the document is typed free, so a CPF may become a CNPJ; leaving lays it into its mask.
  if (state() != State::Edit || mecgc_->editMask().isEmpty()) return;
  const QString digits = documentDigits();
  mecgc_->setEditMask(QString());
  mecgc_->setText(digits);
}

bool TFrmClientes::mecgcExit() {
  if (state() != State::Edit || mecgc_->isBlank()) return true;
  const QString digits = documentDigits();
  if (digits.size() == 11 || digits.size() == 14) {
    // a new record: its document must not be another client's
    if (mode() == Mode::Insert && ednome_->text().trimmed().isEmpty()) {
      QSqlQuery q(dm().database());
      q.prepare(QStringLiteral("SELECT codigo FROM clientes WHERE cnpj_cpf = ?"));
      q.addBindValue(digits);
      if (!q.exec()) {
        Messages::error(serverText(q.lastError()));
        return false;
      }
      if (q.next()) {
        Messages::plain(QStringLiteral("Registro já cadastrado!"), QStringLiteral("Velmora"));
        btcancelarClick();
        behaviour().focusWithoutExit(buttonBar()->button(ButtonBar::New));
        return true;
      }
    }
    showDocument(digits);
    return true;
  }
  if (Messages::ask(QStringLiteral("CNPJ/CPJ Inválido. Deseja Prosseguir?"), QStringLiteral("Atenção"),
                    Messages::Buttons(QMessageBox::Yes | QMessageBox::No), QMessageBox::Yes) == QMessageBox::Yes)
    focusField(edie_);
  return true;
}

void TFrmClientes::EdCodigoEnter() { behaviour().focusWithoutExit(ednome_); }

void TFrmClientes::EdCidadeEnter() {
  if (!EdCidade_->text().isEmpty()) return;
  EdCidade_->setText(QStringLiteral("SAO LUIS"));
  EdCidade_->selectAll();
}

bool TFrmClientes::EdCidadeExit() {
  if (!EdCidade_->text().isEmpty()) EdCidade_->setText(Routines::removeAccents(EdCidade_->text()));
  return true;
}

void TFrmClientes::report() {
  if (!hasRecord()) {
    Messages::error(QStringLiteral("Escolha um Destinatário"));
    return;
  }
  QSqlQuery q(dm().database());
  q.prepare(QStringLiteral("select * from clientes where codigo = ?"));
  q.addBindValue(shownKey());
  if (!q.exec()) {
    Messages::error(serverText(q.lastError()));
    return;
  }
  const Report::MapSource rows = Report::rowsOf(q);
  const bool company =
      rows.rowCount() > 0 && ClientSheet::isCompany(rows.value(0, QStringLiteral("cnpj_cpf")).toString());
  Report::preview(ClientSheet::definition(company).layout(rows), ClientSheet::title(company), this);
}
