#include "registries/frmcadfornecedores.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QSqlError>
#include <QSqlQuery>
#include <QTabWidget>
#include <QVBoxLayout>

#include "app/connection.h"
#include "app/record/dataset.h"
#include "app/record/display.h"
#include "app/record/fields.h"
#include "app/record/recordgrid.h"
#include "app/record/rights.h"
#include "app/record/screenbehaviour.h"
#include "app/screens.h"
#include "app/tdm.h"
#include "common/report/render.h"
#include "common/routines.h"
#include "registries/employeereports.h"
#include "registries/employeetabs.h"
#include "registries/fornecedorcommands.h"

namespace {

const QString kProdutores = QStringLiteral("Cadastro de Produtores/Vendedores");

// Fields laid out two pairs of label and field a row, in the order they are added (which is the
// order Enter walks them).
class Form {
 public:
  explicit Form(QWidget *panel) : panel_(panel), grid_(new QGridLayout(panel)) {}
  template <class W>
  W *add(const QString &caption, W *field, int span = 1) {
    if (column_ + span * 2 > 4) newRow();
    grid_->addWidget(Fields::label(panel_, caption, field), row_, column_);
    grid_->addWidget(field, row_, column_ + 1, 1, span * 2 - 1);
    column_ += span * 2;
    return field;
  }
  void newRow() {
    if (column_ == 0) return;
    ++row_;
    column_ = 0;
  }
  QGridLayout *grid() const { return grid_; }
  int row() const { return row_; }

 private:
  QWidget *panel_;
  QGridLayout *grid_;
  int row_ = 0;
  int column_ = 0;
};

QCheckBox *check(QWidget *parent, const QString &caption, const QString &name) {
  auto *c = new QCheckBox(caption, parent);
  c->setObjectName(name);
  return c;
}

QPushButton *button(QWidget *parent, const QString &caption, const QString &name) {
  auto *b = new QPushButton(caption, parent);
  b->setObjectName(name);
  b->setAutoDefault(false);
  return b;
}

QLineEdit *count(QWidget *parent, const QString &name) {
  QLineEdit *e = Fields::upper(parent, name, 4);
  e->setValidator(new QIntValidator(0, 999, e));
  return e;
}

// Adds buttons beside the button bar of a record tab.
void addBeside(QWidget *page, const QList<QPushButton *> &buttons) {
  auto *layout = qobject_cast<QVBoxLayout *>(page->layout());
  if (!layout) return;
  auto *row = new QHBoxLayout;
  for (QPushButton *b : buttons) row->addWidget(b);
  row->addStretch();
  layout->addLayout(row);
}

GridColumn phone(const QString &column) {
  GridColumn c{column, QStringLiteral("Telefone")};
  // Mobile numbers carry a ninth digit.
  c.compute = [column](const QSqlRecord &row) -> QVariant {
    const QString digits = row.value(column).toString();
    return Shown::masked(digits,
                         digits.size() == 11 ? QStringLiteral("(99)99999-9999") : QStringLiteral("(99)9999-9999"));
  };
  return c;
}

bool digitsPass(const QString &digits, bool company) {
  if (digits.size() != (company ? 14 : 11)) return false;
  try {
    return company ? Routines::cnpjIsValid(digits) : Routines::cpfIsValid(digits);
  } catch (const Routines::ConversionError &) {
    return false;
  }
}

}  // namespace

TFrmCadFornecedores::TFrmCadFornecedores(QWidget *parent)
    : RecordScreen(parent, Family::Tabbed, QStringLiteral("Cadastro de Fornecedores"),
                   ButtonBar::Prior | ButtonBar::Next | ButtonBar::New | ButtonBar::Save | ButtonBar::Change |
                       ButtonBar::Delete | ButtonBar::Report | ButtonBar::Cancel) {
  setObjectName(QStringLiteral("FrmCadFornecedores"));
  pages()->setTabText(1, QStringLiteral("Dados Gerais"));
  buildGeneral();
  buildEmployee();
  movements_ = new EmployeeTabs(
      pages(), behaviour(),
      [this]() -> std::optional<EmployeeMovements::Person> {
        const auto code = shownCode();
        if (!code) return std::nullopt;
        return EmployeeMovements::Person{*code, shownRecord().value(QStringLiteral("nome")).toString()};
      },
      this);
  connect(movements_, &EmployeeTabs::closeRequested, this, [this] { btcancelarClick(); });
  declareRecord();
  connect(this, &RecordScreen::stateChanged, this, &TFrmCadFornecedores::stateChanged);
}

void TFrmCadFornecedores::buildGeneral() {
  QWidget *panel = fieldsPanel();
  Form form(panel);
  cbtipo_ = form.add(QStringLiteral("Tipo"), Fields::codes(panel, QStringLiteral("cbtipo"),
                                                           {{QStringLiteral("F"), QStringLiteral("FÍSICA")},
                                                            {QStringLiteral("J"), QStringLiteral("JURÍDICA")}}));
  form.newRow();
  mecgc_ = form.add(QStringLiteral("CNPJ(MF)"),
                    Fields::masked(panel, QStringLiteral("mecgc"), QStringLiteral("99.999.999/9999-99;0;_")));
  edie_ = form.add(QStringLiteral("I.Estadual"), Fields::upper(panel, QStringLiteral("edie"), 15));
  edim_ = form.add(QStringLiteral("I.Municipal"), Fields::upper(panel, QStringLiteral("edim"), 15));
  mecpf_ = form.add(QStringLiteral("CPF(MF)"),
                    Fields::masked(panel, QStringLiteral("mecpf"), QStringLiteral("999.999.999-99;0;_")));
  edrg_ = form.add(QStringLiteral("R.G."), Fields::upper(panel, QStringLiteral("edrg"), 30));
  meorgao_ = form.add(QStringLiteral("Órgão Emissor"),
                      Fields::masked(panel, QStringLiteral("meorgao"), QStringLiteral(">LLL/LL;0;_")));
  EdCodigo_ = form.add(QStringLiteral("Código"), Fields::upper(panel, QStringLiteral("EdCodigo")));
  EdCodigo_->setReadOnly(true);
  ednome_ = form.add(QStringLiteral("Nome"), Fields::upper(panel, QStringLiteral("ednome"), 70), 2);
  edfantasia_ = form.add(QStringLiteral("Fantasia"), Fields::upper(panel, QStringLiteral("edfantasia"), 50));
  EdContato_ = form.add(QStringLiteral("Contato"), Fields::upper(panel, QStringLiteral("EdContato"), 30));
  EdEndereco_ = form.add(QStringLiteral("Endereço"), Fields::upper(panel, QStringLiteral("EdEndereco"), 70), 2);
  EdBairro_ = form.add(QStringLiteral("Bairro"), Fields::upper(panel, QStringLiteral("EdBairro"), 30));
  EdCidade_ = form.add(QStringLiteral("Cidade"), Fields::upper(panel, QStringLiteral("EdCidade"), 30));
  // Free text over the usual states, so a row from elsewhere keeps its state when saved.
  cbestado_ = form.add(QStringLiteral("UF"),
                       Fields::combo(panel, QStringLiteral("cbestado"),
                                     {QStringLiteral("MA"), QStringLiteral("PI"), QStringLiteral("CE")}, true));
  cbestado_->lineEdit()->setMaxLength(2);
  mecep_ =
      form.add(QStringLiteral("CEP"), Fields::masked(panel, QStringLiteral("mecep"), QStringLiteral("99.999.999;0;_")));
  const QString fone = QStringLiteral("(99)#9999-9999;0;_");
  mefone1_ = form.add(QStringLiteral("Telefones"), Fields::masked(panel, QStringLiteral("mefone1"), fone));
  mefone2_ = form.add(QString(), Fields::masked(panel, QStringLiteral("mefone2"), fone));
  mefone3_ = form.add(QString(), Fields::masked(panel, QStringLiteral("mefone3"), fone));
  Edemail_ = form.add(QStringLiteral("E-mail"), Fields::lower(panel, QStringLiteral("Edemail"), 40));
  edhome_ = form.add(QStringLiteral("Chave PIX"), Fields::lower(panel, QStringLiteral("edhome"), 40));
  edapelido_ = form.add(QStringLiteral("Apelido"), Fields::upper(panel, QStringLiteral("edapelido"), 30));
  EdFuncao_ = form.add(QStringLiteral("Função"), Fields::upper(panel, QStringLiteral("EdFuncao"), 30));
  cbsituacao_ =
      form.add(QStringLiteral("Nível"), Fields::codes(panel, QStringLiteral("cbsituacao"),
                                                      {{QStringLiteral("A"), QStringLiteral("AUTÔNOMO(A)")},
                                                       {QStringLiteral("E"), QStringLiteral("ESTAGIÁRIO(A)")},
                                                       {QStringLiteral("F"), QStringLiteral("FUNCIONÁRIO(A)")},
                                                       {QStringLiteral("C"), QStringLiteral("CONTRATADO(A)")}}));
  edbanco_ = form.add(QStringLiteral("Banco"), Fields::upper(panel, QStringLiteral("edbanco"), 30));
  edagencia_ = form.add(QStringLiteral("Agência"), Fields::upper(panel, QStringLiteral("edagencia"), 7));
  edcc_ = form.add(QStringLiteral("Nº Conta"), Fields::upper(panel, QStringLiteral("edcc"), 9));
  chtipocc_ = check(panel, QStringLiteral("Conta Corrente"), QStringLiteral("chtipocc"));
  form.newRow();
  form.grid()->addWidget(chtipocc_, form.row(), 1);
  form.newRow();
  medtnasc_ = form.add(QStringLiteral("Nascimento"), Fields::date(panel, QStringLiteral("medtnasc")));
  cbsexo_ = form.add(QStringLiteral("Sexo"), Fields::codes(panel, QStringLiteral("cbsexo"),
                                                           {{QStringLiteral("M"), QStringLiteral("MASCULINO")},
                                                            {QStringLiteral("F"), QStringLiteral("FEMININO")}}));
  edplanoconta_ = form.add(QStringLiteral("Plano Contas"), Fields::lower(panel, QStringLiteral("edplanoconta"), 15));
  {
    // The hint sits beside the account field, in the field's own cell.
    int at = form.grid()->indexOf(edplanoconta_), r = 0, c = 0, rows = 1, columns = 1;
    form.grid()->getItemPosition(at, &r, &c, &rows, &columns);
    form.grid()->removeWidget(edplanoconta_);
    auto *cell = new QHBoxLayout;
    cell->addWidget(edplanoconta_, 1);
    auto *hint = new QLabel(QStringLiteral("F10 consultar"), panel);
    hint->setObjectName(QStringLiteral("lbF10planoconta"));
    cell->addWidget(hint);
    form.grid()->addLayout(cell, r, c, rows, columns);
  }
  chpagarvital_ = check(panel, QStringLiteral("Pagar Vitalicio"), QStringLiteral("chpagarvital"));
  chDebencargos_ = check(panel, QStringLiteral("Debitar Encargos"), QStringLiteral("chDebencargos"));
  form.newRow();
  form.grid()->addWidget(chpagarvital_, form.row() + 1, 1);
  form.grid()->addWidget(chDebencargos_, form.row() + 1, 3);
  Memo1_ = Fields::memo(panel, QStringLiteral("Memo1"), 100);
  form.grid()->addWidget(Fields::label(panel, QStringLiteral("Observação"), Memo1_), form.row() + 2, 0);
  form.grid()->addWidget(Memo1_, form.row() + 2, 1, 1, 3);

  btcliente_ = button(this, QStringLiteral("Cliente"), QStringLiteral("btcliente"));
  btconectar_ = button(this, QStringLiteral("Conectar"), QStringLiteral("btconectar"));
  addBeside(pages()->widget(1), {btcliente_, btconectar_});
  connect(btcliente_, &QPushButton::clicked, this, [this] {
    if (!behaviour().clickRefused(btcliente_)) btclienteClick();
  });
  connect(btconectar_, &QPushButton::clicked, this, [this] {
    if (!behaviour().clickRefused(btconectar_)) btconectarClick();
  });
}

void TFrmCadFornecedores::buildEmployee() {
  const RecordPage page = addRecordPage(
      QStringLiteral("Dados Funcionário"),
      ButtonBar::Buttons(ButtonBar::kNavigation) | ButtonBar::Save | ButtonBar::Change | ButtonBar::Cancel,
      QStringLiteral("2"));
  employeeBar_ = page.bar;
  QWidget *panel = page.panel;
  Form form(panel);
  cbfilial_ = form.add(QStringLiteral("Repasse"),
                       Fields::query(panel, QStringLiteral("cbfilial"), QStringLiteral("Repasse não Localizado!")), 2);
  Fields::applyRule(cbfilial_->lineEdit(), Fields::Case::Upper);
  edinss_ = form.add(QStringLiteral("INSS/PIS"), Fields::upper(panel, QStringLiteral("edinss"), 15));
  eddepartamento_ =
      form.add(QStringLiteral("Departamento"), Fields::upper(panel, QStringLiteral("eddepartamento"), 30));
  edpai_ = form.add(QStringLiteral("Pai"), Fields::upper(panel, QStringLiteral("edpai"), 50), 2);
  edmae_ = form.add(QStringLiteral("Mãe"), Fields::upper(panel, QStringLiteral("edmae"), 50), 2);
  Edcnh_ = form.add(QStringLiteral("CNH"), Fields::upper(panel, QStringLiteral("Edcnh"), 15));
  Edcnh_->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), Edcnh_));
  Edfilhos_ = form.add(QStringLiteral("Filhos"), count(panel, QStringLiteral("Edfilhos")));
  Eddependentes_ = form.add(QStringLiteral("Dependentes"), count(panel, QStringLiteral("Eddependentes")));
  medtadmissao_ = form.add(QStringLiteral("Admissão"), Fields::date(panel, QStringLiteral("medtadmissao")));
  medtdemissao_ = form.add(QStringLiteral("Demissão"), Fields::date(panel, QStringLiteral("medtdemissao")));
  EdPsaude_ = form.add(QStringLiteral("Plano Saúde"), Fields::upper(panel, QStringLiteral("EdPsaude"), 25));
  Edctps_ = form.add(QStringLiteral("CTPS / Série"), Fields::upper(panel, QStringLiteral("Edctps"), 15));
  edsalario_ = form.add(QStringLiteral("Salário"), Fields::amount(panel, QStringLiteral("edsalario")));
  edpremio_ = form.add(QStringLiteral("Prêmio"), Fields::amount(panel, QStringLiteral("edpremio")));
  medtcnh_ = form.add(QStringLiteral("Validade"), Fields::date(panel, QStringLiteral("medtcnh")));
  // The password character of the confidential fields is "*", whatever the style draws.
  for (AmountEdit *e : {edsalario_, edpremio_}) e->setStyleSheet(QStringLiteral("lineedit-password-character: 42;"));

  btconectar2_ = button(this, QStringLiteral("Conectar"), QStringLiteral("btconectar2"));
  btavisoprevio_ = button(this, QStringLiteral("Aviso Prévio"), QStringLiteral("btavisoprevio"));
  addBeside(page.page, {btconectar2_, btavisoprevio_});
  connect(btconectar2_, &QPushButton::clicked, this, [this] {
    if (!behaviour().clickRefused(btconectar2_)) btconectarClick();
  });
  connect(btavisoprevio_, &QPushButton::clicked, this, [this] {
    if (!behaviour().clickRefused(btavisoprevio_)) btavisoprevioClick();
  });
}

void TFrmCadFornecedores::declareRecord() {
  setTable(QStringLiteral("fornecedores"));
  setSearchOrder(QString(), QStringLiteral("nome"));
  addSearchOption(QStringLiteral("Código"), SearchBy::Code, QStringLiteral("codigo"), QStringLiteral("rbcodigo"));
  addSearchOption(QStringLiteral("Nome"), SearchBy::Contains, QStringLiteral("nome"), QStringLiteral("rbnome"), true);
  addSearchOption(QStringLiteral("Fantasia"), SearchBy::Contains, QStringLiteral("fantasia"),
                  QStringLiteral("rbfantasia"));
  addSearchOption(QStringLiteral("CNPJ"), SearchBy::Equals, QStringLiteral("cnpj"), QStringLiteral("rbcnpj"));
  addSearchOption(QStringLiteral("Geral"), SearchBy::General, QString(), QStringLiteral("rbgeral"));
  addSearchOption(QStringLiteral("CPF"), SearchBy::Equals, QStringLiteral("cpf"), QStringLiteral("rbcpf"));
  grid()->setColumns({{QStringLiteral("codigo"), QStringLiteral("Código")},
                      {QStringLiteral("nome"), QStringLiteral("Nome")},
                      {QStringLiteral("fantasia"), QStringLiteral("Fantasia")},
                      phone(QStringLiteral("fone1")),
                      phone(QStringLiteral("fone2")),
                      phone(QStringLiteral("fone3")),
                      {QStringLiteral("email"), QStringLiteral("E-mail")}});
  grid()->addCommand(QKeyCombination(Qt::Key_F12), {}, [this] { DBGrid1KeyF12(); });
  setLookupOnDoubleClick(true);

  const auto nav = ButtonBar::Prior | ButtonBar::Next;
  // No right at all ("0" or none) only looks, as "1" does, rather than keeping every button on.
  setBrowseGrade(Rights::Grade(
      QStringLiteral("cadastro"),
      {{QString(), nav},
       {QStringLiteral("0"), nav},
       {QStringLiteral("1"), nav},
       {QStringLiteral("2"), nav | ButtonBar::New},
       {QStringLiteral("3"), nav | ButtonBar::New | ButtonBar::Change},
       {QStringLiteral("4"), nav | ButtonBar::New | ButtonBar::Change | ButtonBar::Delete | ButtonBar::Report},
       {QStringLiteral("5"), ButtonBar::Buttons(ButtonBar::kNavigation) | ButtonBar::New | ButtonBar::Change |
                                 ButtonBar::Delete | ButtonBar::Report}}));

  // The columns in the order the change writes them.
  bind(EdCodigo_, QStringLiteral("codigo")).notWritten();
  bind(cbtipo_, QStringLiteral("tipo"));
  bind(mecgc_, QStringLiteral("cnpj"));
  bind(edie_, QStringLiteral("ie"));
  bind(edim_, QStringLiteral("im"));
  bind(mecpf_, QStringLiteral("cpf"));
  bind(edrg_, QStringLiteral("rg"));
  bind(ednome_, QStringLiteral("nome"));
  bind(edfantasia_, QStringLiteral("fantasia"));
  bind(EdContato_, QStringLiteral("contato"));
  bind(EdEndereco_, QStringLiteral("endereco"));
  bind(EdBairro_, QStringLiteral("bairro"));
  bind(EdCidade_, QStringLiteral("cidade"));
  bind(cbestado_, QStringLiteral("estado"));
  bind(mecep_, QStringLiteral("cep"));
  bind(mefone1_, QStringLiteral("fone1"));
  bind(mefone2_, QStringLiteral("fone2"));
  bind(mefone3_, QStringLiteral("fone3"));
  bind(Edemail_, QStringLiteral("email"));
  bind(edhome_, QStringLiteral("homepage"));
  bind(Memo1_, QStringLiteral("obs"));
  bind(medtnasc_, QStringLiteral("dtnasc"));
  bind(Edcnh_, QStringLiteral("cnh"));
  bind(medtcnh_, QStringLiteral("dtcnh"));
  bind(EdFuncao_, QStringLiteral("funcao"));
  bind(Edctps_, QStringLiteral("ctps"));
  bind(EdPsaude_, QStringLiteral("planosaude"));
  bind(cbsituacao_, QStringLiteral("situacao"));
  bind(edapelido_, QStringLiteral("apelido"));
  // A count left empty is no value on a new row and 0 on a change.
  for (QLineEdit *e : {Edfilhos_, Eddependentes_}) {
    bind(e, e == Edfilhos_ ? QStringLiteral("nfilhos") : QStringLiteral("ndependentes")).value = [e](Mode mode) {
      const QString t = e->text().trimmed();
      if (t.isEmpty()) return mode == Mode::Insert ? QVariant(QMetaType(QMetaType::Int)) : QVariant(0);
      return QVariant(t.toInt());
    };
  }
  bind(medtadmissao_, QStringLiteral("dtadmissao"));
  bind(medtdemissao_, QStringLiteral("dtdemissao"));
  bind(edpai_, QStringLiteral("pai"));
  bind(meorgao_, QStringLiteral("orgaoemissor"));
  bind(edinss_, QStringLiteral("inss_pis"));
  bind(cbsexo_, QStringLiteral("sexo"));
  bindValue(QStringLiteral("contacontabil"), [](Mode) { return QVariant(0); }).onInsert = false;
  bind(edplanoconta_, QStringLiteral("planoconta"));
  bind(edmae_, QStringLiteral("mae"));
  for (AmountEdit *e : {edsalario_, edpremio_}) {
    const QString column = e == edsalario_ ? QStringLiteral("salario") : QStringLiteral("premio");
    Binding &b = bind(e, column);
    b.value = [this, e, column](Mode mode) { return moneyValue(e, column, mode); };
    b.show = [this, e](const QVariant &v) {
      if (confidential_ || v.isNull() || v.toDouble() == 0)
        e->clear();
      else
        e->setValue(v.toDouble());
    };
  }
  bind(eddepartamento_, QStringLiteral("departamento"));
  bind(edbanco_, QStringLiteral("banco"));
  bind(edagencia_, QStringLiteral("agencia"));
  bind(edcc_, QStringLiteral("cc"));
  {
    Binding &b = bind(chtipocc_, QStringLiteral("tipocc"));
    b.value = [this](Mode) { return QVariant(chtipocc_->isChecked() ? QStringLiteral("S") : QStringLiteral("N")); };
    b.show = [this](const QVariant &v) { chtipocc_->setChecked(v.toString() == QLatin1String("S")); };
  }
  {
    Binding &b = bind(cbfilial_, QStringLiteral("empresa"));
    b.value = [this](Mode mode) {
      const QVariant code = cbfilial_->code();
      if (!code.isNull()) return code;
      // A company the list cannot name stays as stored unless the user chose another.
      if (mode == Mode::Change && cbfilial_->isEmptyText()) return unlistedCompany_;
      return QVariant(QMetaType(QMetaType::Int));
    };
    b.show = [this](const QVariant &v) {
      cbfilial_->setCode(v);
      unlistedCompany_ = cbfilial_->isEmptyText() && v.toInt() > 0 ? v : QVariant();
    };
  }
  bindValue(QStringLiteral("com2setorpme"), [](Mode) { return QVariant(QStringLiteral("")); }).onInsert = false;
  for (QCheckBox *c : {chDebencargos_, chpagarvital_}) {
    Binding &b = bind(c, c == chDebencargos_ ? QStringLiteral("debencargos") : QStringLiteral("pagarvital"));
    b.value = [c](Mode) { return QVariant(c->isChecked() ? 1 : 0); };
    b.show = [c](const QVariant &v) { c->setChecked(v.toInt() == 1); };
  }

  setFirstField(Mode::Change, cbtipo_);
  requireFilled(ednome_, QStringLiteral("Nome do Fornecedor Deve Ser Preenchido"));
  // Sellers are listed and chosen everywhere by their nickname.
  addCheck(
      edapelido_,
      [this] {
        return !EdFuncao_->text().trimmed().startsWith(QLatin1String("VEND")) ||
               !edapelido_->text().trimmed().isEmpty();
      },
      QStringLiteral("Preencha o Apelido do Vendedor(a)!"), QStringLiteral("Atenção"), Messages::Icon::Information);
  addCheck(
      cbfilial_, [this] { return cbfilial_->isKnown(); }, QStringLiteral("Repasse não Localizado!"),
      QStringLiteral("Atenção"), Messages::Icon::Information);

  setAudit(QStringLiteral("FORNECEDOR"), [this](AuditEntry &entry, const QVariant &key) {
    entry.favorecido = key.toInt();
    if (entry.operacao == u'E') {
      const QSqlRecord row = shownRecord();
      entry.historico = row.value(QStringLiteral("nome")).toString();
      entry.obs = row.value(QStringLiteral("cnpj")).toString() + QStringLiteral(" ") +
                  row.value(QStringLiteral("cpf")).toString();
    } else {
      entry.historico = ednome_->text();
    }
  });
  setSelectMessage(QStringLiteral("Selecione um Fornecedor"));
  addInUse(QStringLiteral("select codigo from seguros where vendedor = ? limit 1"),
           QStringLiteral("Fornecedor com Movimentação"));
  addInUse(QStringLiteral("select cod from docpagar where fornecedor = ? limit 1"),
           QStringLiteral("Fornecedor com Movimentação"));
  setDeleteQuestion(QStringLiteral("Deseja excluir o registro?"), QStringLiteral("Velmora"),
                    QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QMessageBox::Yes);

  // Only the documents of the row's kind are typed: the others are passed over.
  for (QWidget *f : {static_cast<QWidget *>(mecgc_), static_cast<QWidget *>(edie_), static_cast<QWidget *>(edim_)})
    behaviour().onEnter(f, [this] {
      if (state() == State::Edit && isPerson()) behaviour().focusWithoutExit(ednome_);
    });
  for (QWidget *f : {static_cast<QWidget *>(mecpf_), static_cast<QWidget *>(edrg_), static_cast<QWidget *>(meorgao_)})
    behaviour().onEnter(f, [this] {
      if (state() == State::Edit && isCompany()) behaviour().focusWithoutExit(ednome_);
    });
  behaviour().onEnter(EdCodigo_, [this] {
    if (state() == State::Edit) behaviour().focusWithoutExit(ednome_);
  });
  behaviour().onExit(cbtipo_, [this] { return cbtipoExit(); });
  behaviour().onExit(mecgc_, [this] { return mecgcExit(); });
  behaviour().onExit(mecpf_, [this] { return mecpfExit(); });
  behaviour().onExit(EdFuncao_, [this] { return EdFuncaoExit(); });
}

QString TFrmCadFornecedores::reportTitle(const QString &caption) {
  return caption == kProdutores ? QStringLiteral("Relatório de Produtores/Vendedores")
                                : QStringLiteral("Relatório de Fornecedores");
}

bool TFrmCadFornecedores::isCompany() const { return cbtipo_->code() == QLatin1String("J"); }
bool TFrmCadFornecedores::isPerson() const { return cbtipo_->code() == QLatin1String("F"); }

std::optional<int> TFrmCadFornecedores::shownCode() const {
  if (state() != State::Browse || !hasRecord()) return std::nullopt;
  return shownKey().toInt();
}

// ---- showing ----

void TFrmCadFornecedores::openScreen() {
  caption_ = windowTitle();
  QSqlQuery q(dm().database());
  QList<QPair<QVariant, QString>> companies;
  if (q.exec(QStringLiteral("select codigo, apelido from fornecedores where tipo = 'J' and coalesce(apelido, '') <> '' "
                            "order by apelido, codigo"))) {
    while (q.next()) companies.append({q.value(0), q.value(1).toString()});
  } else {
    Messages::error(serverText(q.lastError()));
  }
  cbfilial_->setItems(companies);
  movements_->setCompanies(companies);

  const bool seesPay = Rights::level(QStringLiteral("rh")) == QLatin1String("5");
  setConfidential(!seesPay);
  movements_->setLoansVisible(seesPay);
  RecordScreen::openScreen();
  if (auto *option = findChild<QRadioButton *>(seesPay ? QStringLiteral("rbnome") : QStringLiteral("rbfantasia")))
    option->setChecked(true);
  behaviour().focusWithoutExit(searchField());
}

void TFrmCadFornecedores::setConfidential(bool confidential) {
  confidential_ = confidential;
  for (AmountEdit *e : {edsalario_, edpremio_}) e->setEchoMode(confidential ? QLineEdit::Password : QLineEdit::Normal);
}

void TFrmCadFornecedores::showFields(const QSqlRecord &row) {
  const bool seesPay = Rights::level(QStringLiteral("rh")) == QLatin1String("5");
  setConfidential(!seesPay);
  movements_->setLoansVisible(seesPay);
  RecordScreen::showFields(row);
  movements_->showPerson();
}

void TFrmCadFornecedores::clearFields() {
  RecordScreen::clearFields();
  for (QCheckBox *c : {chtipocc_, chpagarvital_, chDebencargos_}) c->setChecked(false);
  unlistedCompany_ = QVariant();
  movements_->showPerson();
}

void TFrmCadFornecedores::clearForNew() {
  clearFields();
  const bool seesPay = Rights::level(QStringLiteral("rh")) == QLatin1String("5");
  setConfidential(!seesPay);
  if (seesPay) cbtipo_->setCode(QStringLiteral("F"));
  setFirstField(Mode::Insert, seesPay ? static_cast<QWidget *>(mecpf_) : static_cast<QWidget *>(cbtipo_));
}

void TFrmCadFornecedores::stateChanged(State state) {
  const bool browsing = state == State::Browse;
  for (QPushButton *b : {btcliente_, btavisoprevio_}) b->setEnabled(browsing);
  movements_->setEnabled(browsing);
  if (browsing) movements_->showPerson();
}

// ---- the fields' own rules ----

bool TFrmCadFornecedores::cbtipoExit() {
  // Going on from the kind leads to the document of that kind.
  if (state() == State::Edit && focusWidget() == mecgc_ && !isCompany()) behaviour().focusWithoutExit(mecpf_);
  return true;
}

bool TFrmCadFornecedores::documentExit(MaskedEdit *field, bool company) {
  if (state() != State::Edit) return true;
  // A row being changed keeps the documents it has: the checks are for new rows only.
  if (mode() != Mode::Insert) return true;
  const QString digits = field->isBlank() ? QString() : field->value().trimmed();
  if (!digits.isEmpty()) {
    if (!digitsPass(digits, company)) {
      Messages::error(company ? QStringLiteral("CNPJ inválido") : QStringLiteral("C.P.F. inválido"));
      return false;
    }
    if (!ednome_->text().trimmed().isEmpty()) return true;
    QSqlQuery q(dm().database());
    q.prepare(company ? QStringLiteral("SELECT codigo FROM fornecedores WHERE cnpj = ?")
                      : QStringLiteral("SELECT codigo FROM fornecedores WHERE cpf = ?"));
    q.addBindValue(digits);
    if (!q.exec()) {
      Messages::error(serverText(q.lastError()));
      return false;
    }
    if (!q.next()) return true;
    Messages::information(QStringLiteral("Registro já cadastrado!"));
    btcancelarClick();
    return false;  // the edit is over: whatever was pressed to leave does not run
  }
  if (!(company ? isCompany() : isPerson())) return true;
  // Cancelling the new row needs no question about its document.
  if (focusWidget() == buttonBar()->button(ButtonBar::Cancel)) return true;
  if (Messages::ask(QStringLiteral("Deseja prosseguir?"),
                    company ? QStringLiteral("CNPJ não Informado") : QStringLiteral("CPF não Informado"),
                    QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes) == QMessageBox::Yes)
    return true;
  btcancelarClick();
  return false;
}

bool TFrmCadFornecedores::mecgcExit() { return documentExit(mecgc_, true); }
bool TFrmCadFornecedores::mecpfExit() { return documentExit(mecpf_, false); }

bool TFrmCadFornecedores::EdFuncaoExit() {
  if (state() != State::Edit || !EdFuncao_->text().trimmed().startsWith(QLatin1String("VEND")) ||
      !edapelido_->text().trimmed().isEmpty())
    return true;
  // Leaving for a button: "Gravar" checks the nickname itself, "Cancelar" needs none.
  if (qobject_cast<QAbstractButton *>(focusWidget())) return true;
  Messages::information(QStringLiteral("Preencha o Apelido do Vendedor(a)!"));
  behaviour().focusWithoutExit(edapelido_);
  return true;
}

// ---- saving ----

QVariant TFrmCadFornecedores::moneyValue(AmountEdit *edit, const QString &column, Mode mode) const {
  if (!edit->text().trimmed().isEmpty()) {
    try {
      return edit->value();
    } catch (const Routines::ConversionError &) {
      return QVariant(0.0);  // beforeSave refuses it first
    }
  }
  // A user who may not see the amount was shown an empty field: the stored amount stays.
  if (mode == Mode::Change && confidential_) return shownRecord().value(column);
  return QVariant(0.0);
}

bool TFrmCadFornecedores::beforeSave() {
  for (AmountEdit *e : {edsalario_, edpremio_}) {
    if (e->text().trimmed().isEmpty()) continue;
    try {
      e->value();
    } catch (const Routines::ConversionError &error) {
      Messages::error(QString::fromUtf8(error.what()));
      focusField(e);
      return false;
    }
  }
  return true;
}

// ---- the commands ----

void TFrmCadFornecedores::btalterarClick() {
  if (pages()->currentWidget() != employeeBar_->parentWidget()) {
    RecordScreen::btalterarClick();
    return;
  }
  if (state() != State::Browse) return;
  if (!hasRecord()) {
    Messages::information(QStringLiteral("Consulte um Registro"));
    pages()->setCurrentIndex(0);
    behaviour().focusWithoutExit(searchField());
    return;
  }
  RecordScreen::btalterarClick();
  focusField(cbfilial_);
}

void TFrmCadFornecedores::btclienteClick() {
  const auto code = shownCode();
  if (!code) {
    Messages::information(QStringLiteral("Selecione um Fornecedor"));
    return;
  }
  if (Messages::ask(QStringLiteral("Deseja Inserir o Fornecedor em Cliente?"), QStringLiteral("Velmora"),
                    QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes) != QMessageBox::Yes)
    return;
  QString error;
  switch (FornecedorCommands::copyToClients(*code, &error)) {
    case FornecedorCommands::CopyResult::Copied:
      break;
    case FornecedorCommands::CopyResult::AlreadyClient:
      Messages::information(QStringLiteral("Cliente já Inserido"));
      break;
    case FornecedorCommands::CopyResult::NotFound:
      Messages::information(QStringLiteral("Selecione um Fornecedor"));
      break;
    case FornecedorCommands::CopyResult::Failed:
      Messages::error(error);
      break;
  }
}

void TFrmCadFornecedores::DBGrid1KeyF12() {
  int inserted = 0;
  QString error;
  if (!FornecedorCommands::importBrokers(&inserted, &error)) {
    Messages::error(error);
    return;
  }
  Messages::information(QStringLiteral("FIM"));
}

void TFrmCadFornecedores::btconectarClick() { dm().conectarBD(); }

void TFrmCadFornecedores::btavisoprevioClick() {
  const auto code = shownCode();
  QSqlRecord person;
  if (code) {
    QSqlQuery q(dm().database());
    q.prepare(QStringLiteral("select * from fornecedores where codigo = ?"));
    q.addBindValue(*code);
    if (!q.exec()) {
      Messages::error(serverText(q.lastError()));
      return;
    }
    if (q.next()) person = q.record();
  }
  if (person.isEmpty()) {
    Messages::information(QStringLiteral("Consulte um Funcionário(a)!"));
    pages()->setCurrentIndex(0);
    behaviour().focusWithoutExit(searchField());
    return;
  }
  Report::preview(EmployeeReports::resignationNotice(person, EmployeeReports::employer(), QDate::currentDate()),
                  QStringLiteral("Aviso Prévio"), this);
}

void TFrmCadFornecedores::report() {
  const QString title = reportTitle(caption_);
  if (QDialog *listing = Screens::create(QStringLiteral("TFrmRelFornecedor"), this)) {
    listing->setWindowTitle(title);
    Screens::open(listing);
    return;
  }
  Messages::information(QStringLiteral("Relatório ainda não disponível nesta versão."));
}
