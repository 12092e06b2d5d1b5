#include "app/record/recordgrid.h"

#include <QContextMenuEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMenu>
#include <QSqlQueryModel>

#include "app/record/dataset.h"
#include "app/record/display.h"

class RecordGrid::Model : public QAbstractTableModel {
 public:
  using QAbstractTableModel::QAbstractTableModel;

  void setSource(QSqlQueryModel *source) {
    beginResetModel();
    if (source_) disconnect(source_, nullptr, this, nullptr);
    source_ = source;
    if (source_) {
      connect(source_, &QAbstractItemModel::modelAboutToBeReset, this, [this] { beginResetModel(); });
      connect(source_, &QAbstractItemModel::modelReset, this, [this] {
        resolve();
        endResetModel();
      });
      connect(source_, &QAbstractItemModel::rowsAboutToBeInserted, this,
              [this](const QModelIndex &, int first, int last) { beginInsertRows({}, first, last); });
      connect(source_, &QAbstractItemModel::rowsInserted, this, [this] { endInsertRows(); });
    }
    resolve();
    endResetModel();
  }

  void setColumns(const QList<GridColumn> &columns) {
    beginResetModel();
    columns_ = columns;
    resolve();
    endResetModel();
  }

  void setColour(std::function<QColor(const QSqlRecord &)> colour) {
    beginResetModel();
    colour_ = std::move(colour);
    endResetModel();
  }

  const QList<GridColumn> &columns() const { return columns_; }

  int rowCount(const QModelIndex &parent = {}) const override {
    return parent.isValid() || !source_ ? 0 : source_->rowCount();
  }
  int columnCount(const QModelIndex &parent = {}) const override { return parent.isValid() ? 0 : columns_.size(); }

  Qt::ItemFlags flags(const QModelIndex &index) const override {
    return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
  }

  QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 && section < columns_.size())
      return columns_.at(section).title;
    return QAbstractTableModel::headerData(section, orientation, role);
  }

  QString text(int row, int column) const {
    if (!source_ || column < 0 || column >= columns_.size()) return {};
    const GridColumn &c = columns_.at(column);
    QVariant v;
    if (c.compute)
      v = c.compute(source_->record(row));
    else if (sourceColumns_.value(column, -1) >= 0)
      v = source_->data(source_->index(row, sourceColumns_.at(column)));
    switch (c.format) {
      case GridColumn::Format::Amount:
        return Shown::amount(v);
      case GridColumn::Format::Date:
        return Shown::date(v);
      case GridColumn::Format::Mask:
        return Shown::masked(v.toString(), c.mask);
      case GridColumn::Format::Codes:
        return c.texts.value(v.toString(), v.toString());
      case GridColumn::Format::Text:
        break;
    }
    return v.toString();
  }

  QVariant data(const QModelIndex &index, int role) const override {
    if (!index.isValid() || !source_) return {};
    if (role == Qt::DisplayRole) return text(index.row(), index.column());
    if (role == Qt::TextAlignmentRole && columns_.at(index.column()).format == GridColumn::Format::Amount)
      return QVariant(Qt::AlignRight | Qt::AlignVCenter);
    if (role == Qt::ForegroundRole && colour_) {
      const QColor c = colour_(source_->record(index.row()));
      if (c.isValid()) return c;
    }
    return {};
  }

 private:
  void resolve() {
    sourceColumns_.clear();
    const QSqlRecord r = source_ ? source_->record() : QSqlRecord();
    for (const GridColumn &c : columns_) sourceColumns_.append(c.column.isEmpty() ? -1 : r.indexOf(c.column));
  }

  QPointer<QSqlQueryModel> source_;
  QList<GridColumn> columns_;
  QList<int> sourceColumns_;
  std::function<QColor(const QSqlRecord &)> colour_;
};

RecordGrid::RecordGrid(QWidget *parent, const QString &name) : QTableView(parent), model_(new Model(this)) {
  setObjectName(name);
  setModel(model_);
  setSelectionBehavior(QAbstractItemView::SelectRows);
  setSelectionMode(QAbstractItemView::SingleSelection);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setTabKeyNavigation(false);
  verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
  verticalHeader()->hide();
  horizontalHeader()->setStretchLastSection(true);
  connect(this, &QAbstractItemView::clicked, this, [this](const QModelIndex &index) {
    if (dataset_) dataset_->setRow(index.row());
    emit rowClicked(index.row());
  });
  connect(this, &QAbstractItemView::doubleClicked, this, [this](const QModelIndex &index) {
    if (dataset_) dataset_->setRow(index.row());
    emit rowDoubleClicked(index.row());
  });
}

void RecordGrid::setDataset(Dataset *dataset) {
  if (dataset_) disconnect(dataset_, nullptr, this, nullptr);
  dataset_ = dataset;
  model_->setSource(dataset ? dataset->model() : nullptr);
  if (!dataset) return;
  connect(dataset, &Dataset::moved, this, &RecordGrid::followDataset);
  connect(selectionModel(), &QItemSelectionModel::currentRowChanged, this, [this](const QModelIndex &current) {
    // Moving with the arrow keys moves the dataset too.
    if (!following_ && dataset_ && current.isValid() && current.row() != dataset_->row())
      dataset_->setRow(current.row());
  });
  followDataset(dataset->row());
}

void RecordGrid::setColumns(const QList<GridColumn> &columns) {
  model_->setColumns(columns);
  for (int i = 0; i < columns.size(); ++i)
    if (columns.at(i).width > 0) setColumnWidth(i, columns.at(i).width);
}

void RecordGrid::setRowColour(std::function<QColor(const QSqlRecord &)> colour) {
  model_->setColour(std::move(colour));
}

void RecordGrid::addCommand(QKeyCombination key, const QString &caption, std::function<void()> action) {
  commands_.append({key, true, caption, std::move(action)});
}

void RecordGrid::addMenuCommand(const QString &caption, std::function<void()> action) {
  commands_.append({QKeyCombination(), false, caption, std::move(action)});
}

QString RecordGrid::cellText(int row, int column) const { return model_->text(row, column); }

QSqlRecord RecordGrid::currentRecord() const { return dataset_ ? dataset_->record() : QSqlRecord(); }

void RecordGrid::followDataset(int row) {
  following_ = true;
  if (row >= 0 && row < model_->rowCount()) {
    const QModelIndex index = model_->index(row, 0);
    setCurrentIndex(index);
    scrollTo(index);
  } else {
    clearSelection();
  }
  following_ = false;
}

void RecordGrid::keyPressEvent(QKeyEvent *event) {
  const QKeyCombination key(event->modifiers() & ~Qt::KeypadModifier, Qt::Key(event->key()));
  for (const Command &c : commands_) {
    if (c.hasKey && c.key == key) {
      auto action = c.action;
      action();
      return;
    }
  }
  QTableView::keyPressEvent(event);
}

void RecordGrid::contextMenuEvent(QContextMenuEvent *event) {
  QMenu menu(this);
  for (const Command &c : commands_) {
    if (c.caption.isEmpty()) continue;
    QAction *a = menu.addAction(c.caption);
    if (c.hasKey) a->setShortcut(QKeySequence(c.key));
    auto action = c.action;
    connect(a, &QAction::triggered, this, [action] { action(); });
  }
  if (!menu.isEmpty()) menu.exec(event->globalPos());
}
