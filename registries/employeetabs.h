#pragma once

#include <QObject>
#include <functional>
#include <optional>

#include "registries/employeemovements.h"

class AmountEdit;
class DateEdit;
class Dataset;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTabWidget;
class QWidget;
class QueryCombo;
class RecordGrid;
class ScreenBehaviour;

// The movement tabs of the producers and suppliers registry: "Empréstimo", "Faltas" and "Horas
// Extras" work on the person shown on the record tabs (and do nothing while none is shown);
// "Funcionário/Filial" assigns sellers one after another to the company their commissions are
// passed on through.
class EmployeeTabs : public QObject {
  Q_OBJECT
 public:
  using PersonFn = std::function<std::optional<EmployeeMovements::Person>()>;

  EmployeeTabs(QTabWidget *pages, ScreenBehaviour &behaviour, PersonFn person, QObject *parent);

  // Re-states the three movement lists for the person shown now (empties them when none is).
  void showPerson();
  // The loans grid and statement are for users with the `rh` right "5" only.
  void setLoansVisible(bool visible);
  // The companies a seller's commissions may be passed on through (codes and nicknames).
  void setCompanies(const QList<QPair<QVariant, QString>> &companies);
  // The movement tabs take no input while a record is being edited.
  void setEnabled(bool enabled);

 public slots:
  bool edvalorEExit();
  void DBGridEDblClick();
  void btrelatorioEClick();
  bool edqtdFExit();
  bool edobsFExit();
  void DBGridFDblClick();
  bool edqtdHEExit();
  void DBGridHEDblClick();
  void rbgeralFFClick();
  void btatualizarClick();

 signals:
  // One of the tabs' "Sair" buttons.
  void closeRequested();

 private:
  struct Movement {
    QWidget *page = nullptr;
    QLabel *code = nullptr;
    QLabel *name = nullptr;
    Dataset *rows = nullptr;
    RecordGrid *grid = nullptr;
  };
  Movement makePage(QTabWidget *pages, const QString &caption, const QString &suffix);
  void reopen(Movement &m, const QString &statement);
  // Asks the deletion question and runs `remove` on the grid's row.
  void deleteRow(Movement &m, const QString &statement,
                 const std::function<bool(const EmployeeMovements::Person &, int, QString *)> &remove);
  // The quantity typed, or nothing (a message said why) when it cannot be read.
  std::optional<double> quantity(QLineEdit *edit);
  bool dateReady(DateEdit *date) const;

  ScreenBehaviour &behaviour_;
  PersonFn person_;
  QList<QWidget *> pages_;

  Movement loans_, absences_, overtime_;
  DateEdit *medataE_, *medatafalta_, *medataHE_;
  QRadioButton *rbcreditoE_, *rbdebitoE_, *rbfalta_, *rbfaltajust_;
  AmountEdit *edvalorE_;
  QLineEdit *edqtdF_, *edobsF_, *edqtdHE_;
  QPushButton *btrelatorioE_;
  bool loansVisible_ = false;

  Dataset *sellers_;
  RecordGrid *DBGridFF_;
  QRadioButton *rbgeralFF_;
  QueryCombo *cbfilialFF_;
};
