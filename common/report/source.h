#pragma once
// The rows a report runs over: a list of maps, an item model (the QSqlQueryModel behind a grid) or
// the rows of an executed query, read by row index and field name.

#include <QHash>
#include <QList>
#include <QStringList>
#include <QVariant>
#include <QVariantMap>

class QAbstractItemModel;

namespace Report {

class Source {
 public:
  virtual ~Source() = default;
  virtual int rowCount() const = 0;
  // Null for a field the rows do not have.
  virtual QVariant value(int row, const QString &field) const = 0;
};

// One row of a source, as group keys and computed texts see it.
class Row {
 public:
  Row() = default;
  Row(const Source *source, int index) : m_source(source), m_index(index) {}
  int index() const { return m_index; }
  bool isValid() const { return m_source && m_index >= 0 && m_index < m_source->rowCount(); }
  QVariant value(const QString &field) const { return isValid() ? m_source->value(m_index, field) : QVariant(); }
  QVariant operator[](const QString &field) const { return value(field); }
  double number(const QString &field) const { return value(field).toDouble(); }
  QString text(const QString &field) const { return value(field).toString(); }

 private:
  const Source *m_source = nullptr;
  int m_index = -1;
};

class MapSource : public Source {
 public:
  MapSource() = default;
  MapSource(QList<QVariantMap> rows) : m_rows(std::move(rows)) {}
  int rowCount() const override { return int(m_rows.size()); }
  QVariant value(int row, const QString &field) const override { return m_rows.at(row).value(field); }
  void append(const QVariantMap &row) { m_rows.append(row); }

 private:
  QList<QVariantMap> m_rows;
};

// The rows of an item model, fields named by column without regard to case. Every row the model can
// still fetch is fetched first, so a query model is printed whole and not only its first screenful.
// With no names given, the model's horizontal header names the columns (a QSqlQueryModel's header is
// its field names unless the screen gave its columns titles; pass fieldNames(model) then).
class ModelSource : public Source {
 public:
  explicit ModelSource(QAbstractItemModel &model, const QStringList &fields = {});
  int rowCount() const override;
  QVariant value(int row, const QString &field) const override;

 private:
  QAbstractItemModel *m_model;
  QHash<QString, int> m_columns;
};

// Field names of a QSqlQueryModel (anything with record().fieldName()), for ModelSource. A template so
// that this library need not link Qt's SQL module.
template <class SqlModel>
QStringList fieldNames(const SqlModel &model) {
  QStringList names;
  const auto record = model.record();
  for (int i = 0; i < record.count(); ++i) names << record.fieldName(i);
  return names;
}

// Copies the rows of an executed QSqlQuery from its first row on; an inactive query gives no rows.
// (The caller includes <QSqlQuery> and <QSqlRecord>.)
template <class Query>
MapSource rowsOf(Query &query) {
  MapSource rows;
  if (!query.isActive() || !query.first()) return rows;
  const auto record = query.record();
  do {
    QVariantMap row;
    for (int i = 0; i < record.count(); ++i) row.insert(record.fieldName(i), query.value(i));
    rows.append(row);
  } while (query.next());
  return rows;
}

}  // namespace Report
