#include "app/record/lookuplist.h"

#include <QLabel>
#include <QLineEdit>
#include <QSqlError>
#include <QSqlQuery>
#include <QVBoxLayout>

#include "app/audit.h"
#include "app/record/dataset.h"
#include "app/record/fields.h"
#include "app/record/recordgrid.h"
#include "app/record/screenbehaviour.h"
#include "app/connection.h"
#include "app/tdm.h"

LookupListScreen::LookupListScreen(const LookupListDeclaration &declaration, QWidget *parent)
    : QDialog(parent), d_(declaration), behaviour_(new ScreenBehaviour(this)), dataset_(new Dataset(this)) {
  setWindowTitle(d_.caption);
  auto *layout = new QVBoxLayout(this);
  ednome_ = Fields::upper(this, QStringLiteral("ednome"), d_.nameLength);
  layout->addWidget(Fields::label(this, d_.nameLabel, ednome_));
  layout->addWidget(ednome_);
  grid_ = new RecordGrid(this);
  grid_->setDataset(dataset_);
  QList<GridColumn> columns;
  const QStringList names{QStringLiteral("codigo"), QStringLiteral("nome"), QStringLiteral("ativo")};
  for (int i = 0; i < names.size(); ++i) columns.append({names.at(i), d_.columnTitles.value(i)});
  grid_->setColumns(columns);
  layout->addWidget(grid_, 1);
  auto *hint = new QLabel(d_.hint, this);
  hint->setObjectName(QStringLiteral("lbF12"));
  layout->addWidget(hint);

  behaviour_->setSwallowCtrlDelete(d_.swallowCtrlDelete);
  behaviour_->onExit(ednome_, [this] { return ednomeExit(); });
  behaviour_->addKey(
      QKeyCombination(Qt::Key_F12), [this] { DBGrid1KeyF12(); }, grid_);
  for (Qt::Key key : {Qt::Key_Return, Qt::Key_Enter}) {
    behaviour_->addKey(
        QKeyCombination(key),
        [this] {
          if (lookup_ && dataset_->row() >= 0) {
            Choose chosen = lookup_;
            chosen(dataset_->record());
            accept();
          } else {
            behaviour_->focusNext(true);
          }
        },
        grid_);
  }
  connect(grid_, &RecordGrid::rowDoubleClicked, this, [this] { DBGrid1DblClick(); });
}

void LookupListScreen::showEvent(QShowEvent *event) {
  QDialog::showEvent(event);
  if (opened_) return;
  opened_ = true;
  reopen();
  behaviour_->focusWithoutExit(ednome_);
}

void LookupListScreen::reopen(const QVariant &standOn) {
  dataset_->setStatement(QStringLiteral("select * from %1 order by nome").arg(d_.table));
  if (dataset_->openOrShow() && standOn.isValid()) dataset_->locate(QStringLiteral("codigo"), standOn);
}

bool LookupListScreen::ednomeExit() {
  const QString name = ednome_->text();
  // a name of blanks only is no entry
  if (name.trimmed().isEmpty()) return true;
  QSqlQuery q(dm().database());
  q.prepare(QStringLiteral("select nome from %1 where nome = ?").arg(d_.table));
  q.addBindValue(name);
  if (!q.exec()) {
    Messages::error(serverText(q.lastError()));
    return true;
  }
  // The server's comparison ignores case, accents and trailing blanks; entries differ by any of them.
  while (q.next())
    if (q.value(0).toString() == name) return true;

  QString error;
  const bool ok = inTransaction(
      [&](QString *err) {
        if (d_.auditOnAdd) {
          AuditEntry entry;
          entry.operacao = u'I';
          entry.rotina = d_.rotina;
          entry.historico = name;
          if (!Audit::write(entry, err, dm().database())) return false;
        }
        return execBound(dm().database(), QStringLiteral("insert into %1 (nome) values (?)").arg(d_.table), {name},
                         err);
      },
      &error);
  if (!ok) {
    Messages::error(error);
    return false;
  }
  reopen();
  ScreenBehaviour::Quiet quiet(*behaviour_);
  ednome_->clear();
  behaviour_->focusWithoutExit(ednome_);
  return false;  // the focus stays in the name field for the next entry
}

void LookupListScreen::DBGrid1KeyF12() {
  if (dataset_->row() < 0) return;
  const QVariant code = dataset_->value(QStringLiteral("codigo"));
  const QString flag = dataset_->value(QStringLiteral("ativo")).toString();
  QString error;
  if (!execBound(dm().database(), QStringLiteral("update %1 set ativo = ? where codigo = ?").arg(d_.table),
                 {flag == QLatin1String("S") ? QStringLiteral("N") : QStringLiteral("S"), code}, &error)) {
    Messages::error(error);
    return;
  }
  // Stays on the entry, so a second F12 turns the same one back.
  reopen(code);
}

void LookupListScreen::DBGrid1DblClick() {
  if (dataset_->row() < 0) return;
  const QVariant code = dataset_->value(QStringLiteral("codigo"));
  const QString name = dataset_->value(QStringLiteral("nome")).toString();
  if (refusedInUse(d_.inUse, code)) return;
  if (Messages::ask(d_.deleteText, d_.deleteTitle, d_.deleteButtons, d_.deleteDefault) != QMessageBox::Yes) return;
  QString error;
  const bool ok = inTransaction(
      [&](QString *err) {
        AuditEntry entry;
        entry.operacao = u'E';
        entry.rotina = d_.rotina;
        entry.historico = name;
        return Audit::write(entry, err, dm().database()) &&
               execBound(dm().database(), QStringLiteral("delete from %1 where codigo = ?").arg(d_.table), {code}, err);
      },
      &error);
  if (!ok) {
    Messages::error(error);
    return;
  }
  reopen();
  ScreenBehaviour::Quiet quiet(*behaviour_);
  if (d_.emptyNameAfterDelete) ednome_->clear();
  behaviour_->focusWithoutExit(ednome_);
}
