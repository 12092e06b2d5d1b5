#include "common/report/source.h"

#include <QAbstractItemModel>

namespace Report {

ModelSource::ModelSource(QAbstractItemModel &model, const QStringList &fields) : m_model(&model) {
  // A model whose fetch adds no rows (a query model never given a query says it can still fetch)
  // must not keep the loop going.
  while (model.canFetchMore(QModelIndex())) {
    const int before = model.rowCount();
    model.fetchMore(QModelIndex());
    if (model.rowCount() == before) break;
  }
  const int columns = model.columnCount();
  for (int c = 0; c < columns; ++c) {
    const QString name = c < fields.size() ? fields.at(c) : model.headerData(c, Qt::Horizontal).toString();
    if (!m_columns.contains(name.toLower())) m_columns.insert(name.toLower(), c);
  }
}

int ModelSource::rowCount() const { return m_model->rowCount(); }

QVariant ModelSource::value(int row, const QString &field) const {
  const auto it = m_columns.constFind(field.toLower());
  if (it == m_columns.constEnd()) return {};
  return m_model->data(m_model->index(row, it.value()), Qt::EditRole);
}

}  // namespace Report
