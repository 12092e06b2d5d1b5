#include "app/record/recordscreen.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSqlError>
#include <QSqlQuery>
#include <QTabBar>
#include <QTabWidget>
#include <QVBoxLayout>

#include "app/record/dataset.h"
#include "app/record/fields.h"
#include "app/record/recordgrid.h"
#include "app/record/screenbehaviour.h"
#include "app/connection.h"
#include "app/tdm.h"
#include "common/routines.h"

namespace {

bool isInside(const QWidget *area, const QWidget *w) {
  for (const QWidget *p = w; p; p = p->parentWidget())
    if (p == area) return true;
  return false;
}

// The text a required-field check looks at, trimmed.
QString filledText(QWidget *w) {
  if (auto *d = qobject_cast<MaskedEdit *>(w)) return d->isBlank() ? QString() : d->value().trimmed();
  if (auto *e = qobject_cast<QLineEdit *>(w)) return e->text().trimmed();
  if (auto *c = qobject_cast<QComboBox *>(w)) return c->currentText().trimmed();
  if (auto *m = qobject_cast<QPlainTextEdit *>(w)) return m->toPlainText().trimmed();
  return {};
}

}  // namespace

RecordScreen::RecordScreen(QWidget *parent, Family family, const QString &caption, ButtonBar::Buttons buttons)
    : QDialog(parent), family_(family), behaviour_(new ScreenBehaviour(this)), dataset_(new Dataset(this)) {
  setWindowTitle(caption);
  if (family == Family::Tabbed)
    buildTabbed(buttons);
  else
    buildGrid(buttons);
  connect(dataset_, &Dataset::moved, this, &RecordScreen::onMoved);
}

RecordScreen::~RecordScreen() = default;

void RecordScreen::buildTabbed(ButtonBar::Buttons buttons) {
  auto *root = new QVBoxLayout(this);
  pages_ = new QTabWidget(this);
  pages_->setObjectName(QStringLiteral("PageControl1"));
  pages_->tabBar()->setFocusPolicy(Qt::NoFocus);
  root->addWidget(pages_);

  auto *search = new QWidget(pages_);
  search->setObjectName(QStringLiteral("tsConsulta"));
  auto *searchLayout = new QVBoxLayout(search);
  options_ = new QGroupBox(QStringLiteral("Opção"), search);
  options_->setObjectName(QStringLiteral("rgopcao"));
  new QHBoxLayout(options_);
  optionGroup_ = new QButtonGroup(this);
  searchLayout->addWidget(options_);
  edpesquisa_ = Fields::upper(search, QStringLiteral("edpesquisa"));
  searchLayout->addWidget(edpesquisa_);
  grid_ = new RecordGrid(search);
  grid_->setDataset(dataset_);
  searchLayout->addWidget(grid_, 1);
  auto *sair = new QPushButton(QStringLiteral("Sair"), search);
  sair->setObjectName(QStringLiteral("btsair"));
  sair->setAutoDefault(false);
  auto *sairRow = new QHBoxLayout;
  sairRow->addStretch();
  sairRow->addWidget(sair);
  searchLayout->addLayout(sairRow);
  connect(sair, &QPushButton::clicked, this, [this] {
    if (!behaviour_->clickRefused(sender())) reject();
  });
  pages_->addTab(search, QStringLiteral("Consulta"));

  auto *record = new QWidget(pages_);
  record->setObjectName(QStringLiteral("tsCadastro"));
  auto *recordLayout = new QVBoxLayout(record);
  auto *panel = new QWidget(record);
  panel->setObjectName(QStringLiteral("P_dados"));
  recordLayout->addWidget(panel, 1);
  auto *bar = new ButtonBar(record, buttons);
  recordLayout->addWidget(bar);
  panels_ << panel;
  bars_ << bar;
  connectBar(bar);
  pages_->addTab(record, QStringLiteral("Cadastro"));

  behaviour_->onExit(edpesquisa_, [this] {
    edpesquisaExit();
    return true;
  });
  for (Qt::Key key : {Qt::Key_Return, Qt::Key_Enter})
    behaviour_->addKey(
        QKeyCombination(key), [this] { gridEnter(); }, grid_);
  connect(grid_, &RecordGrid::rowDoubleClicked, this, [this] { DBGrid1DblClick(); });
}

void RecordScreen::buildGrid(ButtonBar::Buttons buttons) {
  auto *root = new QVBoxLayout(this);
  auto *panel = new QWidget(this);
  panel->setObjectName(QStringLiteral("P_dados"));
  root->addWidget(panel);
  auto *bar = new ButtonBar(this, buttons);
  root->addWidget(bar);
  grid_ = new RecordGrid(this);
  grid_->setDataset(dataset_);
  root->addWidget(grid_, 1);
  panels_ << panel;
  bars_ << bar;
  connectBar(bar);
  // Enter in the grid chooses the row when the screen is a look-up; otherwise it moves on.
  for (Qt::Key key : {Qt::Key_Return, Qt::Key_Enter})
    behaviour_->addKey(
        QKeyCombination(key), [this] { gridEnter(); }, grid_);
  connect(grid_, &RecordGrid::rowDoubleClicked, this, [this] { DBGrid1DblClick(); });
}

RecordScreen::RecordPage RecordScreen::addRecordPage(const QString &caption, ButtonBar::Buttons buttons,
                                                     const QString &suffix) {
  RecordPage result{nullptr, nullptr, nullptr};
  if (!pages_) return result;
  auto *page = new QWidget(pages_);
  auto *layout = new QVBoxLayout(page);
  auto *panel = new QWidget(page);
  panel->setObjectName(QStringLiteral("P_dados") + suffix);
  layout->addWidget(panel, 1);
  auto *bar = new ButtonBar(page, buttons, suffix);
  layout->addWidget(bar);
  pages_->addTab(page, caption);
  panels_ << panel;
  bars_ << bar;
  connectBar(bar);
  bar->setBrowse(lastAllowed_);
  panel->setEnabled(state_ == State::Edit);
  return {page, panel, bar};
}

void RecordScreen::connectBar(ButtonBar *bar) {
  connect(bar, &ButtonBar::clicked, this, [this, bar](ButtonBar::Button b) { dispatch(bar, b); });
}

void RecordScreen::dispatch(ButtonBar *bar, ButtonBar::Button button) {
  if (behaviour_->clickRefused(bar->button(button))) return;
  switch (button) {
    case ButtonBar::First:
      btprimeiroClick();
      break;
    case ButtonBar::Prior:
      btanteriorClick();
      break;
    case ButtonBar::Next:
      btproximoClick();
      break;
    case ButtonBar::Last:
      btultimoClick();
      break;
    case ButtonBar::New:
      btnovoClick();
      break;
    case ButtonBar::Save:
      btgravarClick();
      break;
    case ButtonBar::Change:
      btalterarClick();
      break;
    case ButtonBar::Delete:
      btexcluirClick();
      break;
    case ButtonBar::Report:
      btrelatorioClick();
      break;
    case ButtonBar::Cancel:
      btcancelarClick();
      break;
  }
}

// ---- declaration ----

void RecordScreen::setTable(const QString &table, const QString &key) {
  table_ = table;
  key_ = key;
}

void RecordScreen::setListing(const QString &sql, const QVariantList &values) {
  listing_ = sql;
  listingValues_ = values;
}

RecordScreen::Binding &RecordScreen::bind(QWidget *field, const QString &column) {
  auto b = std::make_unique<Binding>();
  b->field = field;
  b->column = column;
  bindings_.push_back(std::move(b));
  if (!firstInsert_) firstInsert_ = field;
  if (!firstChange_) firstChange_ = field;
  return *bindings_.back();
}

RecordScreen::Binding &RecordScreen::bindValue(const QString &column, std::function<QVariant(Mode)> value) {
  auto b = std::make_unique<Binding>();
  b->column = column;
  b->value = std::move(value);
  b->shown = false;
  bindings_.push_back(std::move(b));
  return *bindings_.back();
}

void RecordScreen::setFirstField(Mode mode, QWidget *field) {
  if (mode == Mode::Insert)
    firstInsert_ = field;
  else
    firstChange_ = field;
}

void RecordScreen::addCheck(QWidget *field, std::function<bool()> passes, const QString &message, const QString &title,
                            Messages::Icon icon) {
  checks_.append({field, std::move(passes), message, title, icon});
}

void RecordScreen::requireFilled(QWidget *field, const QString &message) {
  addCheck(
      field, [field] { return !filledText(field).isEmpty(); }, message);
}

void RecordScreen::setAudit(const QString &rotina, std::function<void(AuditEntry &, const QVariant &)> fill,
                            const QString &operations) {
  rotina_ = rotina;
  auditFill_ = std::move(fill);
  auditedOperations_ = operations;
}

void RecordScreen::addInUse(const QString &sql, const QString &message, Messages::Icon icon, const QString &title) {
  inUse_.append({sql, message, icon, title});
}

void RecordScreen::setDeleteQuestion(const QString &text, const QString &title, Messages::Buttons buttons,
                                     Messages::Button defaultButton) {
  deleteText_ = text;
  deleteTitle_ = title;
  deleteButtons_ = buttons;
  deleteDefault_ = defaultButton;
}

QRadioButton *RecordScreen::addSearchOption(const QString &caption, SearchBy by, const QString &column,
                                            const QString &objectName, bool selected) {
  if (!options_) return nullptr;
  auto *rb = new QRadioButton(caption, options_);
  rb->setObjectName(objectName);
  options_->layout()->addWidget(rb);
  optionGroup_->addButton(rb);
  if (selected) rb->setChecked(true);
  const SearchOption option{rb, by, column};
  searchOptions_.append(option);
  connect(rb, &QRadioButton::toggled, this, [this, option](bool on) {
    if (on && opened_) searchOptionChosen(option);
  });
  return rb;
}

void RecordScreen::useAsLookup(Choose choose) { lookup_ = std::move(choose); }

// ---- showing ----

void RecordScreen::showEvent(QShowEvent *event) {
  QDialog::showEvent(event);
  if (opened_) return;
  opened_ = true;
  // Enter walks the record fields in the order they were made, then the bar (and the grid).
  QList<QWidget *> order;
  for (int i = 0; i < panels_.size(); ++i) {
    QWidget *panel = panels_.at(i);
    for (QWidget *w = panel->nextInFocusChain(); w && w != panel; w = w->nextInFocusChain()) {
      if (!isInside(panel, w)) continue;
      if (order.contains(w)) break;
      if ((w->focusPolicy() & Qt::TabFocus) && !w->focusProxy()) order << w;
    }
    for (QObject *child : bars_.at(i)->children())
      if (auto *b = qobject_cast<QPushButton *>(child)) order << b;
  }
  if (family_ == Family::Grid) order << grid_;
  for (int i = 1; i < order.size(); ++i) setTabOrder(order.at(i - 1), order.at(i));
  openScreen();
}

void RecordScreen::openScreen() {
  if (family_ == Family::Grid) {
    if (listing_.isEmpty()) listing_ = QStringLiteral("select * from %1 order by %2").arg(table_, generalOrder_);
    dataset_->setStatement(listing_, listingValues_);
    dataset_->openOrShow();
    setState(State::Browse);
    showCurrent();
    return;
  }
  pages_->setCurrentIndex(0);
  dataset_->close();
  setState(State::Browse);
  behaviour_->focusWithoutExit(edpesquisa_);
}

void RecordScreen::showFields(const QSqlRecord &row) {
  for (const auto &b : bindings_) {
    if (!b->shown || !b->field) continue;
    const QVariant v = row.value(b->column);
    if (b->show) {
      b->show(v);
      continue;
    }
    QWidget *w = b->field;
    if (auto *p = qobject_cast<PasswordEdit *>(w))
      p->setStored(v.toString());
    else if (auto *d = qobject_cast<DateEdit *>(w))
      d->setStored(v);
    else if (auto *m = qobject_cast<MaskedEdit *>(w))
      m->setValue(v.toString());
    else if (auto *a = qobject_cast<AmountEdit *>(w))
      a->setValue(v.isNull() ? 0.0 : v.toDouble());
    else if (auto *e = qobject_cast<QLineEdit *>(w))
      e->setText(v.toString());
    else if (auto *cc = qobject_cast<CodeCombo *>(w))
      cc->setCode(v.toString());
    else if (auto *qc = qobject_cast<QueryCombo *>(w))
      qc->setCode(v);
    else if (auto *c = qobject_cast<QComboBox *>(w)) {
      c->setCurrentIndex(c->findText(v.toString()));
      if (c->isEditable()) c->setEditText(v.toString());
    } else if (auto *t = qobject_cast<QPlainTextEdit *>(w))
      t->setPlainText(v.toString());
  }
}

void RecordScreen::clearFields() {
  for (const auto &b : bindings_) {
    QWidget *w = b->field;
    if (!w) continue;
    if (auto *p = qobject_cast<PasswordEdit *>(w))
      p->setStored(QString());
    else if (auto *m = qobject_cast<MaskedEdit *>(w))
      m->setText(QString());
    else if (auto *e = qobject_cast<QLineEdit *>(w))
      e->clear();
    else if (auto *qc = qobject_cast<QueryCombo *>(w))
      qc->clearText();
    else if (auto *c = qobject_cast<QComboBox *>(w)) {
      c->setCurrentIndex(-1);
      if (c->isEditable()) c->setEditText(QString());
    } else if (auto *t = qobject_cast<QPlainTextEdit *>(w))
      t->clear();
  }
}

void RecordScreen::showCurrent() {
  ScreenBehaviour::Quiet quiet(*behaviour_);
  const QSqlRecord row = dataset_->record();
  if (row.isEmpty()) {
    shownKey_ = QVariant();
    shownRecord_ = QSqlRecord();
    clearFields();
    return;
  }
  shownRecord_ = row;
  shownKey_ = row.value(key_);
  showFields(row);
}

void RecordScreen::onMoved(int row) {
  Q_UNUSED(row);
  if (state_ == State::Browse && (family_ == Family::Grid || onRecordPage())) showCurrent();
}

bool RecordScreen::onRecordPage() const { return pages_ && pages_->currentIndex() > 0; }

void RecordScreen::focusField(QWidget *field) {
  if (!field) return;
  if (pages_) {
    for (int i = 0; i < pages_->count(); ++i)
      if (isInside(pages_->widget(i), field)) pages_->setCurrentIndex(i);
  }
  behaviour_->focusWithoutExit(field);
}

ButtonBar::Buttons RecordScreen::browseButtons() {
  if (grade_) {
    QString error;
    if (const auto allowed = grade_->buttonsFor(Rights::level(grade_->column(), &error)))
      lastAllowed_ = *allowed | ButtonBar::Cancel;
    if (!error.isEmpty()) Messages::error(error);
  }
  return lastAllowed_;
}

void RecordScreen::setState(State state) {
  ScreenBehaviour::Quiet quiet(*behaviour_);
  state_ = state;
  const bool editing = state == State::Edit;
  const ButtonBar::Buttons allowed = editing ? ButtonBar::Buttons() : browseButtons();
  for (QWidget *panel : panels_) panel->setEnabled(editing);
  for (ButtonBar *bar : bars_) {
    if (editing)
      bar->setEdit();
    else
      bar->setBrowse(allowed);
  }
  // While a record is being typed nothing may move the dataset under it.
  if (family_ == Family::Grid) grid_->setEnabled(!editing);
  if (pages_) pages_->setTabEnabled(0, !editing);
  emit stateChanged(state);
}

// ---- the buttons ----

void RecordScreen::btprimeiroClick() {
  if (state_ == State::Browse) dataset_->first();
}
void RecordScreen::btanteriorClick() {
  if (state_ == State::Browse) dataset_->prior();
}
void RecordScreen::btproximoClick() {
  if (state_ == State::Browse) dataset_->next();
}
void RecordScreen::btultimoClick() {
  if (state_ == State::Browse) dataset_->last();
}

void RecordScreen::btnovoClick() {
  if (state_ != State::Browse) return;
  mode_ = Mode::Insert;
  {
    ScreenBehaviour::Quiet quiet(*behaviour_);
    clearForNew();
  }
  setState(State::Edit);
  focusField(firstInsert_);
}

void RecordScreen::btalterarClick() {
  if (state_ != State::Browse) return;
  if (!hasRecord()) {
    if (!selectMessage_.isEmpty()) Messages::information(selectMessage_);
    return;
  }
  mode_ = Mode::Change;
  setState(State::Edit);
  focusField(firstChange_);
}

bool RecordScreen::runChecks() {
  for (const Check &c : checks_) {
    if (!c.passes()) {
      Messages::current().box(c.icon, c.title, c.message, QMessageBox::Ok, QMessageBox::Ok);
      focusField(c.field);
      return false;
    }
  }
  // The field kinds' own rules: a mistyped date or amount is never stored as blank or 0.
  for (const auto &b : bindings_) {
    QWidget *w = b->field;
    if (!w || b->value) continue;
    if (auto *own = dynamic_cast<ExitChecked *>(w); own && !own->checkOnExit()) {
      focusField(w);
      return false;
    }
    if (auto *a = qobject_cast<AmountEdit *>(w); a && !a->text().trimmed().isEmpty()) {
      try {
        a->value();
      } catch (const Routines::ConversionError &e) {
        Messages::error(QString::fromStdString(e.what()));
        focusField(w);
        return false;
      }
    }
  }
  return true;
}

QVariant RecordScreen::fieldValue(const Binding &b, Mode mode) const {
  if (b.value) return b.value(mode);
  QWidget *w = b.field;
  const bool emptyNull = mode == Mode::Insert ? b.emptyNullOnInsert : b.emptyNullOnChange;
  const auto text = [emptyNull](const QString &t) -> QVariant {
    if (t.isEmpty() && emptyNull) return QVariant();
    return t.isNull() ? QStringLiteral("") : t;
  };
  if (auto *p = qobject_cast<PasswordEdit *>(w)) return text(p->scrambled());
  if (auto *d = qobject_cast<DateEdit *>(w)) return d->dateValue();
  if (auto *m = qobject_cast<MaskedEdit *>(w)) return text(m->isBlank() ? QString() : m->value());
  if (auto *a = qobject_cast<AmountEdit *>(w)) {
    if (a->text().trimmed().isEmpty()) return emptyNull ? QVariant() : QVariant(0.0);
    try {
      return a->value();
    } catch (const Routines::ConversionError &) {
      return emptyNull ? QVariant() : QVariant(0.0);  // runChecks refuses it first
    }
  }
  if (auto *e = qobject_cast<QLineEdit *>(w)) return text(e->text());
  if (auto *cc = qobject_cast<CodeCombo *>(w)) return text(cc->code());
  if (auto *qc = qobject_cast<QueryCombo *>(w)) return qc->code();  // an empty or unknown text: NULL
  if (auto *c = qobject_cast<QComboBox *>(w)) return text(c->currentText());
  if (auto *t = qobject_cast<QPlainTextEdit *>(w)) return text(t->toPlainText());
  return {};
}

bool RecordScreen::execStatement(const QString &sql, const QVariantList &values, QString *error, QVariant *insertId) {
  QSqlQuery q(dm().database());
  if (!execBound(q, sql, values, error)) return false;
  if (insertId) *insertId = q.lastInsertId();
  return true;
}

bool RecordScreen::writeRecord(Mode mode, QVariant *key, QString *error) {
  QStringList columns;
  QVariantList values;
  for (const auto &b : bindings_) {
    if (b->column.isEmpty() || !(mode == Mode::Insert ? b->onInsert : b->onChange)) continue;
    columns << b->column;
    values << fieldValue(*b, mode);
  }
  if (mode == Mode::Insert) {
    QStringList marks;
    for (int i = 0; i < columns.size(); ++i) marks << QStringLiteral("?");
    QVariant id;
    if (!execStatement(QStringLiteral("insert into %1 (%2) values (%3)")
                           .arg(table_, columns.join(QStringLiteral(", ")), marks.join(QStringLiteral(", "))),
                       values, error, &id))
      return false;
    *key = id;
    if (!id.isValid() || id.isNull()) {
      // a key typed by the user rather than given by the server
      const int at = columns.indexOf(key_);
      if (at >= 0) *key = values.at(at);
    }
    return true;
  }
  *key = shownKey_;
  if (columns.isEmpty()) return true;
  QStringList sets;
  for (const QString &c : columns) sets << c + QStringLiteral(" = ?");
  values << shownKey_;
  return execStatement(
      QStringLiteral("update %1 set %2 where %3 = ?").arg(table_, sets.join(QStringLiteral(", ")), key_), values,
      error);
}

bool RecordScreen::deleteRecord(const QVariant &key, QString *error) {
  return execStatement(QStringLiteral("delete from %1 where %2 = ?").arg(table_, key_), {key}, error);
}

bool RecordScreen::writeAudit(QChar operacao, const QVariant &key, QString *error) {
  if (!auditFill_ || !auditedOperations_.contains(operacao)) return true;
  AuditEntry entry;
  entry.operacao = operacao;
  entry.rotina = rotina_;
  auditFill_(entry, key);
  return Audit::write(entry, error, dm().database());
}

void RecordScreen::reread(const QVariant &key) {
  if (family_ == Family::Tabbed) {
    dataset_->setStatement(QStringLiteral("select * from %1 where %2 = ?").arg(table_, key_), {key});
    dataset_->openOrShow();
  } else {
    dataset_->setStatement(listing_, listingValues_);
    if (dataset_->openOrShow()) dataset_->locate(key_, key);
  }
  showCurrent();
}

void RecordScreen::btgravarClick() {
  if (state_ != State::Edit) return;
  if (!runChecks()) return;
  if (!beforeSave()) return;
  QString error;
  QVariant key;
  const bool inserting = mode_ == Mode::Insert;
  if (!inTransaction(
          [&](QString *err) { return writeRecord(mode_, &key, err) && writeAudit(inserting ? u'I' : u'A', key, err); },
          &error)) {
    Messages::error(error);
    return;  // still editing, the fields as typed
  }
  const Mode saved = mode_;
  {
    ScreenBehaviour::Quiet quiet(*behaviour_);
    reread(key);
  }
  setState(State::Browse);
  if (!savedMessage_.isEmpty()) Messages::plain(savedMessage_);
  afterSave(saved);
}

void RecordScreen::btcancelarClick() {
  if (state_ == State::Browse) {
    reject();
    return;
  }
  {
    ScreenBehaviour::Quiet quiet(*behaviour_);
    // Nothing typed is kept: a tabbed screen empties its fields, a grid screen shows its row again.
    if (family_ == Family::Tabbed) {
      clearFields();
      shownKey_ = QVariant();
      shownRecord_ = QSqlRecord();
    }
  }
  setState(State::Browse);
  if (family_ == Family::Grid) showCurrent();
}

void RecordScreen::btexcluirClick() {
  if (state_ != State::Browse) return;
  if (!hasRecord()) {
    if (!selectMessage_.isEmpty()) {
      Messages::information(selectMessage_);
      if (pages_) {
        pages_->setCurrentIndex(0);
        behaviour_->focusWithoutExit(edpesquisa_);
      }
    }
    return;
  }
  const QVariant key = shownKey_;
  if (refusedInUse(inUse_, key)) return;
  if (Messages::ask(deleteText_, deleteTitle_, deleteButtons_, deleteDefault_) != QMessageBox::Yes) return;

  QString error;
  // The audit row goes first, while the row it names still exists.
  if (!inTransaction([&](QString *err) { return writeAudit(u'E', key, err) && deleteRecord(key, err); }, &error)) {
    Messages::error(error);
    return;
  }
  ScreenBehaviour::Quiet quiet(*behaviour_);
  const int row = dataset_->row();
  dataset_->openOrShow();
  if (family_ == Family::Tabbed) {
    clearFields();
    shownKey_ = QVariant();
    shownRecord_ = QSqlRecord();
  } else {
    dataset_->setRow(qMin(row, dataset_->rowCount() - 1));
    showCurrent();
  }
  setState(State::Browse);
}

void RecordScreen::btrelatorioClick() {
  if (state_ == State::Browse) report();
}

// ---- the search tab and the look-up use ----

void RecordScreen::searchOptionChosen(const SearchOption &option) {
  if (option.by == SearchBy::General) {
    QString sql = QStringLiteral("select * from %1").arg(table_);
    if (!generalOrder_.isEmpty()) sql += QStringLiteral(" order by ") + generalOrder_;
    dataset_->setStatement(sql);
    dataset_->openOrShow();
    behaviour_->focusWithoutExit(grid_);
    return;
  }
  dataset_->close();
  edpesquisa_->clear();
  behaviour_->focusWithoutExit(edpesquisa_);
}

void RecordScreen::edpesquisaExit() {
  if (!edpesquisa_) return;
  const QString text = edpesquisa_->text();
  if (text.isEmpty()) return;
  const SearchOption *option = nullptr;
  for (const SearchOption &o : searchOptions_)
    if (o.button->isChecked()) option = &o;
  if (!option || option->by == SearchBy::General) return;
  QString sql = QStringLiteral("select * from %1 where %2 ").arg(table_, option->column);
  QVariant value = text;
  if (option->by == SearchBy::Contains) {
    sql += QStringLiteral("like ?");
    value = QStringLiteral("%") + text + QStringLiteral("%");
  } else {
    sql += QStringLiteral("= ?");
  }
  if (!searchOrder_.isEmpty()) sql += QStringLiteral(" order by ") + searchOrder_;
  dataset_->setStatement(sql, {value});
  dataset_->openOrShow();
}

void RecordScreen::gridEnter() {
  if (lookup_) {
    choose();
    return;
  }
  if (family_ == Family::Tabbed)
    DBGrid1DblClick();
  else
    behaviour_->focusNext(true);
}

void RecordScreen::DBGrid1DblClick() {
  if (lookup_ && lookupOnDoubleClick_) {
    choose();
    return;
  }
  if (family_ != Family::Tabbed || dataset_->row() < 0 || state_ != State::Browse) return;
  pages_->setCurrentIndex(1);
  showCurrent();
}

void RecordScreen::choose() {
  if (dataset_->row() < 0) return;
  const QSqlRecord row = dataset_->record();
  Choose chosen = lookup_;
  chosen(row);
  accept();
}
