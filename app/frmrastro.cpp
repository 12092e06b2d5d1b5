#include "app/frmrastro.h"

#include "app/connection.h"
#include "app/messages.h"
#include "app/rastroreport.h"
#include "app/record/dataset.h"
#include "app/record/fields.h"
#include "app/record/recordgrid.h"
#include "app/record/screenbehaviour.h"
#include "app/tdm.h"
#include "common/report/render.h"
#include "common/report/source.h"
#include "common/routines.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSqlError>
#include <QSqlQuery>
#include <QStatusBar>
#include <QVBoxLayout>

#include <iterator>

namespace {

bool filled(const QString &text) { return !text.trimmed().isEmpty(); }

// A "contains" pattern for LIKE: the typed text anywhere, its % and _ taken as themselves.
QString containsPattern(const QString &text) {
  QString t = text;
  t.replace(u'!', QStringLiteral("!!")).replace(u'%', QStringLiteral("!%")).replace(u'_', QStringLiteral("!_"));
  return u'%' + t + u'%';
}

QString typed(const DateEdit *edit) { return edit->isBlank() ? QString() : edit->text(); }

}  // namespace

TFrmRastro::TFrmRastro(QWidget *parent)
    : QDialog(parent), behaviour_(new ScreenBehaviour(this)), rastro_(new Dataset(this)) {
  setObjectName(QStringLiteral("TFrmRastro"));
  setWindowTitle(QStringLiteral("Auditoria"));
  buildControls();
  fillOperators();
}

void TFrmRastro::buildControls() {
  medatainicial = Fields::date(this, QStringLiteral("medatainicial"), /*todayOnEnter=*/true);
  medatafinal = Fields::date(this, QStringLiteral("medatafinal"), /*todayOnEnter=*/true);
  cboperador = Fields::combo(this, QStringLiteral("cboperador"), {}, /*freeText=*/true);
  cboperacao = Fields::combo(this, QStringLiteral("cboperacao"),
                             {QStringLiteral("ALTERAÇÃO"), QStringLiteral("BAIXA"), QStringLiteral("CANCELAMENTO"),
                              QStringLiteral("EXCLUSÃO"), QStringLiteral("INCLUSÃO"), QStringLiteral("RELATÓRIO")},
                             /*freeText=*/true);
  edrotina = Fields::upper(this, QStringLiteral("edrotina"));
  edhistorico = Fields::upper(this, QStringLiteral("edhistorico"));
  edvalor = Fields::amount(this, QStringLiteral("edvalor"));
  edobs = Fields::upper(this, QStringLiteral("edobs"));
  for (DateEdit *d : {medatainicial, medatafinal}) d->setMaximumWidth(90);
  for (QComboBox *c : {cboperador, cboperacao}) c->setMinimumWidth(160);

  btfiltrar = new QPushButton(QStringLiteral("&Filtrar"), this);
  btfiltrar->setObjectName(QStringLiteral("btfiltrar"));
  btrelatorio = new QPushButton(QStringLiteral("&Relatório"), this);
  btrelatorio->setObjectName(QStringLiteral("btrelatorio"));
  for (QPushButton *b : {btfiltrar, btrelatorio}) b->setAutoDefault(false);

  DBGrid1 = new RecordGrid(this);
  DBGrid1->setDataset(rastro_);
  using F = GridColumn::Format;
  auto column = [](const QString &name, const QString &title, F format, int width) {
    GridColumn c;
    c.column = name;
    c.title = title;
    c.format = format;
    c.width = width;
    return c;
  };
  // the party's code; 0 is "no party" and shows blank
  GridColumn favorecido = column(QStringLiteral("favorecido"), QStringLiteral("Favorecido"), F::Text, 85);
  favorecido.compute = [](const QSqlRecord &r) {
    const int code = r.value(QStringLiteral("favorecido")).toInt();
    return code ? QVariant(code) : QVariant();
  };
  DBGrid1->setColumns({
      column(QStringLiteral("data"), QStringLiteral("Data"), F::Date, 90),
      column(QStringLiteral("hora"), QStringLiteral("Hora"), F::Text, 70),
      column(QStringLiteral("operador"), QStringLiteral("Operador"), F::Text, 110),
      column(QStringLiteral("rotina"), QStringLiteral("Rotina"), F::Text, 130),
      favorecido,
      column(QStringLiteral("valor"), QStringLiteral("Valor R$"), F::Amount, 85),
      column(QStringLiteral("operacao"), QStringLiteral("Op"), F::Text, 30),
      column(QStringLiteral("historico"), QStringLiteral("Histórico"), F::Text, 280),
      column(QStringLiteral("obs"), QStringLiteral("Observação"), F::Text, 200),
  });
  DBGrid1->horizontalHeader()->setStretchLastSection(true);

  StatusBar1 = new QStatusBar(this);
  StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
  StatusBar1->setSizeGripEnabled(false);
  for (const QString &panel : {QStringLiteral("Lengeda:"), QStringLiteral("A - Alteração"), QStringLiteral("B - Baixa"),
                               QStringLiteral("C - Cancelamento"), QStringLiteral("E - Exclusão"),
                               QStringLiteral("I - Inclusão"), QStringLiteral("R - Relatório")})
    StatusBar1->addWidget(new QLabel(panel, StatusBar1));

  auto *filters = new QGridLayout;
  auto *period = new QHBoxLayout;
  period->addWidget(medatainicial);
  period->addWidget(new QLabel(QStringLiteral("à"), this));
  period->addWidget(medatafinal);
  period->addStretch();
  filters->addWidget(Fields::label(this, QStringLiteral("Período"), medatainicial), 0, 0);
  filters->addLayout(period, 0, 1);
  filters->addWidget(Fields::label(this, QStringLiteral("Operador"), cboperador), 0, 2);
  filters->addWidget(cboperador, 0, 3);
  filters->addWidget(Fields::label(this, QStringLiteral("Operação"), cboperacao), 0, 4);
  filters->addWidget(cboperacao, 0, 5);
  filters->addWidget(Fields::label(this, QStringLiteral("Rotina"), edrotina), 1, 0);
  filters->addWidget(edrotina, 1, 1);
  filters->addWidget(Fields::label(this, QStringLiteral("Histórico"), edhistorico), 1, 2);
  filters->addWidget(edhistorico, 1, 3, 1, 3);
  filters->addWidget(Fields::label(this, QStringLiteral("Valor"), edvalor), 2, 0);
  filters->addWidget(edvalor, 2, 1);
  filters->addWidget(Fields::label(this, QStringLiteral("Observação"), edobs), 2, 2);
  filters->addWidget(edobs, 2, 3, 1, 3);
  auto *buttons = new QVBoxLayout;
  buttons->addWidget(btfiltrar);
  buttons->addWidget(btrelatorio);
  buttons->addStretch();
  filters->addLayout(buttons, 0, 6, 3, 1);

  auto *page = new QVBoxLayout(this);
  page->addLayout(filters);
  page->addWidget(DBGrid1, 1);
  page->addWidget(StatusBar1);

  // tab order follows the filters; the grid comes last
  QWidget *order[] = {medatainicial, medatafinal, cboperador, cboperacao,  edrotina, edhistorico,
                      edvalor,       edobs,       btfiltrar,  btrelatorio, DBGrid1};
  for (size_t i = 0; i + 1 < std::size(order); ++i) setTabOrder(order[i], order[i + 1]);

  behaviour_->onExit(medatafinal, [this] { return medatafinalExit(); });
  connect(btfiltrar, &QPushButton::clicked, this, &TFrmRastro::btfiltrarClick);
  connect(btrelatorio, &QPushButton::clicked, this, &TFrmRastro::btrelatorioClick);
  resize(1040, 600);
}

void TFrmRastro::fillOperators() {
  QSqlQuery q(dm().database());
  if (!q.exec(QStringLiteral("select nome from usuarios order by nome"))) {
    Messages::error(serverText(q.lastError()));
    return;
  }
  while (q.next()) cboperador->addItem(q.value(0).toString());
  cboperador->setCurrentIndex(-1);
}

// Leaving the final date: it may not come before the initial one. (Its own check has already
// refused an unreadable date.)
bool TFrmRastro::medatafinalExit() {
  const QDate initial = medatainicial->date(), final = medatafinal->date();
  if (initial.isValid() && final.isValid() && final < initial) {
    Messages::warning(QStringLiteral("Data inferior à data inicial de pesquisa!!"));
    return false;
  }
  return true;
}

bool TFrmRastro::dateAccepted(DateEdit *edit) {
  if (behaviour_->runExit(edit)) return true;
  behaviour_->focusWithoutExit(edit);
  return false;
}

void TFrmRastro::btfiltrarClick() {
  if (behaviour_->clickRefused(sender())) return;
  if (medatainicial->isBlank() || medatafinal->isBlank()) return;
  // pressed by its shortcut the button takes no focus, so the dates have not been left yet
  if (!dateAccepted(medatainicial) || !dateAccepted(medatafinal)) return;

  QStringList sql{
      QStringLiteral("select data, hora, operador, rotina, favorecido, valor, operacao, historico, obs from rastro"),
      QStringLiteral("where (data between ? and ?)")};
  QVariantList values{medatainicial->date(), medatafinal->date()};
  auto add = [&](const QString &line, const QVariant &value) {
    sql << line;
    values << value;
  };
  if (filled(cboperador->currentText())) add(QStringLiteral("and (operador = ?)"), cboperador->currentText());
  if (filled(edrotina->text())) add(QStringLiteral("and (rotina = ?)"), edrotina->text());
  if (filled(cboperacao->currentText()))
    add(QStringLiteral("and (operacao = ?)"), QString(cboperacao->currentText().trimmed().at(0)));
  if (filled(edhistorico->text()))
    add(QStringLiteral("and (historico like ? escape '!')"), containsPattern(edhistorico->text()));
  if (filled(edobs->text())) add(QStringLiteral("and (obs like ? escape '!')"), containsPattern(edobs->text()));
  if (filled(edvalor->text())) {
    double amount = 0;
    try {
      amount = edvalor->value();  // the shared amount reader: "1.234,50" is 1234.5
    } catch (const Routines::ConversionError &e) {
      Messages::error(QString::fromStdString(e.what()));
      behaviour_->focusWithoutExit(edvalor);
      return;
    }
    // amounts are floating-point: a row matches when it shows as the amount typed, to the centavo
    add(QStringLiteral("and (abs(valor - ?) < 0.005)"), amount);
  }
  sql << QStringLiteral("order by data, operador, hora");

  rastro_->setStatement(sql.join(u'\n'), values);
  rastro_->openOrShow();
}

void TFrmRastro::btrelatorioClick() {
  if (behaviour_->clickRefused(sender())) return;
  const QString title = RastroReport::title(typed(medatainicial), typed(medatafinal));
  const Report::Definition report = RastroReport::definition(title);
  // the rows the grid holds now, none before the first filter
  const Report::Document doc =
      rastro_->isOpen() ? report.layout(Report::ModelSource(*rastro_->model(), Report::fieldNames(*rastro_->model())))
                        : report.layout(Report::MapSource());
  Report::preview(doc, QStringLiteral("Auditoria"), this);
}
