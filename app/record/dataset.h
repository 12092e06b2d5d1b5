#pragma once

#include <QObject>
#include <QSqlQueryModel>
#include <QSqlRecord>
#include <QString>
#include <QVariant>
#include <QVariantList>

// The rows a screen works on: a statement with bound values, opened into a query model, and the row
// the screen stands on. Moving past either end stays at that end. Closing empties the rows.
class Dataset : public QObject {
  Q_OBJECT
 public:
  explicit Dataset(QObject *parent = nullptr);

  // States the statement; it runs at the next open().
  void setStatement(const QString &sql, const QVariantList &values = {});
  QString statement() const { return sql_; }
  // Runs the statement and stands on the first row (or none). On failure shows nothing, leaves the
  // dataset closed and puts the server's text in *error.
  bool open(QString *error = nullptr);
  // open() that shows the server's text through Messages on failure.
  bool openOrShow();
  void close();
  bool isOpen() const { return open_; }

  int rowCount() const { return model_->rowCount(); }
  bool isEmpty() const { return rowCount() == 0; }
  int row() const { return row_; }
  // Stands on `row`; out of range stays where it is and returns false.
  bool setRow(int row);
  void first();
  void prior();
  void next();
  void last();
  bool atFirst() const { return row_ <= 0; }
  bool atLast() const { return row_ >= rowCount() - 1; }

  // The current row (empty when none) and any row.
  QSqlRecord record() const { return record(row_); }
  QSqlRecord record(int row) const;
  QVariant value(const QString &column) const { return record().value(column); }
  // Stands on the first row whose `column` equals `value` (compared as text). False when none.
  bool locate(const QString &column, const QVariant &value);

  QSqlQueryModel *model() const { return model_; }

 signals:
  // The row stood on changed (also after open and close; -1 when none).
  void moved(int row);

 private:
  QSqlQueryModel *model_;
  QString sql_;
  QVariantList values_;
  int row_ = -1;
  bool open_ = false;
};
