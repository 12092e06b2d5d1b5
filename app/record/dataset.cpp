#include "app/record/dataset.h"

#include <QSqlError>
#include <QSqlQuery>

#include "app/connection.h"
#include "app/messages.h"
#include "app/tdm.h"

Dataset::Dataset(QObject *parent) : QObject(parent), model_(new QSqlQueryModel(this)) {}

void Dataset::setStatement(const QString &sql, const QVariantList &values) {
  sql_ = sql;
  values_ = values;
}

bool Dataset::open(QString *error) {
  QSqlQuery q(dm().database());
  bool ok = q.prepare(sql_);
  if (ok) {
    for (const QVariant &v : values_) q.addBindValue(v);
    ok = q.exec();
  }
  if (!ok) {
    if (error) {
      *error = serverText(q.lastError());
    }
    close();
    return false;
  }
  model_->setQuery(std::move(q));
  // Record screens hold a few hundred rows at most; having them all makes row counts and the
  // last-row button exact.
  while (model_->canFetchMore()) model_->fetchMore();
  open_ = true;
  row_ = rowCount() > 0 ? 0 : -1;
  emit moved(row_);
  return true;
}

bool Dataset::openOrShow() {
  QString error;
  if (open(&error)) return true;
  Messages::error(error);
  return false;
}

void Dataset::close() {
  model_->clear();
  open_ = false;
  row_ = -1;
  emit moved(row_);
}

bool Dataset::setRow(int row) {
  if (row < 0 || row >= rowCount()) return false;
  row_ = row;
  emit moved(row_);
  return true;
}

void Dataset::first() {
  if (rowCount() > 0) setRow(0);
}

void Dataset::prior() {
  if (rowCount() > 0) setRow(qMax(0, row_ - 1));
}

void Dataset::next() {
  if (rowCount() > 0) setRow(qMin(rowCount() - 1, row_ + 1));
}

void Dataset::last() {
  if (rowCount() > 0) setRow(rowCount() - 1);
}

QSqlRecord Dataset::record(int row) const {
  if (row < 0 || row >= rowCount()) return QSqlRecord();
  return model_->record(row);
}

bool Dataset::locate(const QString &column, const QVariant &value) {
  const int col = model_->record().indexOf(column);
  if (col < 0) return false;
  const QString wanted = value.toString();
  for (int r = 0; r < rowCount(); ++r) {
    if (model_->data(model_->index(r, col)).toString() == wanted) return setRow(r);
  }
  return false;
}
