#pragma once

#include <QAbstractTableModel>
#include <QColor>
#include <QHash>
#include <QKeyCombination>
#include <QList>
#include <QPointer>
#include <QSqlRecord>
#include <QTableView>
#include <functional>

class Dataset;

// One column of a grid: the dataset column it shows (or a value computed from the row), its title
// and how it is shown.
struct GridColumn {
  enum class Format {
    Text,    // as stored
    Amount,  // "#,##0.00", right-aligned
    Date,    // dd/MM/yyyy, blank for no date
    Mask,    // the stored characters laid into `mask` ("999.999.999-99")
    Codes,   // a code shown as its long text from `texts` ("M" as "MASCULINO")
  };
  GridColumn() = default;
  GridColumn(QString column, QString title, Format format = Format::Text, int width = 0)
      : column(std::move(column)), title(std::move(title)), format(format), width(width) {}

  QString column;
  QString title;
  Format format = Format::Text;
  int width = 0;  // pixels; 0 leaves it to the grid
  QString mask;
  QHash<QString, QString> texts;
  std::function<QVariant(const QSqlRecord &)> compute;  // a column the table does not hold
};

// The grid of a record or list screen: read-only rows of a Dataset, one selected row following the
// dataset's position, column titles and display masks, an optional font colour per row (status
// colours), and commands run by an F-key or from the grid's pop-up menu on the current row (or on
// all listed rows, as the command itself decides).
class RecordGrid : public QTableView {
  Q_OBJECT
 public:
  explicit RecordGrid(QWidget *parent = nullptr, const QString &name = QStringLiteral("DBGrid1"));

  void setDataset(Dataset *dataset);
  Dataset *dataset() const { return dataset_; }
  void setColumns(const QList<GridColumn> &columns);
  void setRowColour(std::function<QColor(const QSqlRecord &)> colour);

  // `key` over the grid runs `action`; with a caption the command is also in the pop-up menu.
  void addCommand(QKeyCombination key, const QString &caption, std::function<void()> action);
  // A pop-up menu entry without a key.
  void addMenuCommand(const QString &caption, std::function<void()> action);

  // The text a cell shows.
  QString cellText(int row, int column) const;
  QSqlRecord currentRecord() const;

 signals:
  // A row was clicked or double-clicked (the dataset already stands on it).
  void rowClicked(int row);
  void rowDoubleClicked(int row);

 protected:
  void keyPressEvent(QKeyEvent *event) override;
  void contextMenuEvent(QContextMenuEvent *event) override;

 private:
  struct Command {
    QKeyCombination key;
    bool hasKey;
    QString caption;
    std::function<void()> action;
  };
  void followDataset(int row);

  class Model;
  Model *model_;
  QPointer<Dataset> dataset_;
  QList<Command> commands_;
  bool following_ = false;
};
