#include "registries/frmprodutos.h"

#include <QBoxLayout>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>

#include "app/record/dataset.h"
#include "app/record/fields.h"
#include "app/record/recordgrid.h"
#include "app/record/screenbehaviour.h"
#include "common/routines.h"

namespace {

// The commission last typed with F11, offered again at the next F11 until the program ends.
QString &lastCommission() {
  static QString text;
  return text;
}

}  // namespace

TFrmProdutos::TFrmProdutos(QWidget *parent)
    : RecordScreen(parent, Family::Grid, QStringLiteral("Cadastro de Produtos"),
                   ButtonBar::New | ButtonBar::Save | ButtonBar::Change | ButtonBar::Delete | ButtonBar::Report |
                       ButtonBar::Cancel) {
  auto *form = new QFormLayout(fieldsPanel());
  cbseguradora_ =
      Fields::query(fieldsPanel(), QStringLiteral("cbseguradora"), QStringLiteral("Seguradora não Cadastrada!"));
  Fields::applyRule(cbseguradora_->lineEdit(), Fields::Case::Upper);
  form->addRow(Fields::label(fieldsPanel(), QStringLiteral("Seguradora"), cbseguradora_), cbseguradora_);
  ednome_ = Fields::upper(fieldsPanel(), QStringLiteral("ednome"), 40);
  form->addRow(Fields::label(fieldsPanel(), QStringLiteral("Nome"), ednome_), ednome_);

  setTable(QStringLiteral("produtos"));
  // The insurer's trade name comes with each product; a code below 1 names no insurer.
  setListing(
      QStringLiteral("select p.*, c.fantasia as fantasia_seguradora from produtos p "
                     "left join clientes c on c.codigo = p.seguradora and p.seguradora >= 1 "
                     "order by p.codigo"));
  bind(cbseguradora_, QStringLiteral("seguradora"));
  bind(ednome_, QStringLiteral("nome"));
  grid()->setColumns({{QStringLiteral("codigo"), QStringLiteral("Id")},
                      {QStringLiteral("fantasia_seguradora"), QStringLiteral("Seguradora")},
                      {QStringLiteral("nome"), QStringLiteral("Nome")},
                      {QStringLiteral("ativo"), QStringLiteral("Ativo")}});

  // A change of a product leaves no audit row; an insert names the insurer in the remark.
  setAudit(
      QStringLiteral("PRODUTOS"),
      [this](AuditEntry &entry, const QVariant &) {
        if (entry.operacao == u'I') {
          entry.historico = ednome_->text();
          entry.obs = cbseguradora_->currentText();
        } else {
          entry.historico = shownRecord().value(QStringLiteral("nome")).toString();
        }
      },
      QStringLiteral("IE"));
  addInUse(QStringLiteral("select 1 from seguros where produto = ? limit 1"),
           QStringLiteral("Produto com Movimentação no Seguro"), Messages::Icon::Information,
           QStringLiteral("Operação Impossível"));
  setDeleteQuestion(QStringLiteral("Deseja excluir o registro?"), QStringLiteral("Velmora"));

  // A click shows the row clicked, even the one the list already stands on (the fields may be empty).
  connect(grid(), &RecordGrid::rowClicked, this, [this] {
    if (state() == State::Browse) showCurrent();
  });
  grid()->addCommand(QKeyCombination(Qt::Key_F11), {}, [this] { DBGrid1KeyF11(); });
  grid()->addCommand(QKeyCombination(Qt::Key_F12), {}, [this] { DBGrid1KeyF12(); });
  if (auto *root = qobject_cast<QBoxLayout *>(layout())) {
    auto *f11 = new QLabel(QStringLiteral("Pressione: F11 para adicionar comissão"), this);
    f11->setObjectName(QStringLiteral("lbF11"));
    auto *f12 = new QLabel(QStringLiteral("Pressione: F12 para Ativar/Desativar"), this);
    f12->setObjectName(QStringLiteral("lbF12"));
    root->addWidget(f11);
    root->addWidget(f12);
  }
}

void TFrmProdutos::openScreen() {
  QString error;
  if (!cbseguradora_->load(QStringLiteral("select codigo, fantasia from clientes"), {}, &error)) Messages::error(error);
  RecordScreen::openScreen();
}

bool TFrmProdutos::beforeSave() {
  // Without an insurer and a name there is nothing to save, and nothing is said.
  return !cbseguradora_->currentText().isEmpty() && !ednome_->text().isEmpty();
}

void TFrmProdutos::afterSave(Mode) {
  // The list stands on the saved product; the fields are left empty for the next one.
  {
    ScreenBehaviour::Quiet quiet(behaviour());
    clearFields();
  }
  behaviour().focusWithoutExit(buttonBar()->button(ButtonBar::New));
}

void TFrmProdutos::btalterarClick() {
  // A product is changed from its fields: with none shown there is nothing to change.
  if (ednome_->text().isEmpty()) return;
  RecordScreen::btalterarClick();
}

void TFrmProdutos::btcancelarClick() {
  const bool editing = state() == State::Edit;
  RecordScreen::btcancelarClick();
  if (!editing) return;
  ScreenBehaviour::Quiet quiet(behaviour());
  clearFields();
}

void TFrmProdutos::updateCurrent(const QString &sql, const QVariant &value) {
  const QVariant code = dataset()->value(QStringLiteral("codigo"));
  QString error;
  if (!execStatement(sql, {value, code}, &error)) {
    Messages::error(error);
    return;
  }
  if (dataset()->openOrShow()) dataset()->locate(QStringLiteral("codigo"), code);
}

void TFrmProdutos::DBGrid1KeyF11() {
  if (state() != State::Browse || dataset()->row() < 0) return;
  const auto typed =
      Messages::prompt(QStringLiteral("Digite a Comissão"), QStringLiteral("Alterar Comissão"), lastCommission());
  if (!typed) return;
  lastCommission() = *typed;
  const QString text = typed->trimmed();
  double commission = 0;
  if (!text.isEmpty()) {
    bool ok = false;
    commission = QLocale().toDouble(text, &ok);
    if (!ok) {
      Messages::error(QString::fromStdString(Routines::ConversionError(*typed).what()));
      return;
    }
  }
  updateCurrent(QStringLiteral("update produtos set comissao = ? where codigo = ?"), commission);
}

void TFrmProdutos::DBGrid1KeyF12() {
  if (state() != State::Browse || dataset()->row() < 0) return;
  const bool active = dataset()->value(QStringLiteral("ativo")).toString() == QLatin1String("S");
  updateCurrent(QStringLiteral("update produtos set ativo = ? where codigo = ?"),
                active ? QStringLiteral("N") : QStringLiteral("S"));
}
