#pragma once

#include <QDialog>

class AmountEdit;
class Dataset;
class DateEdit;
class QComboBox;
class QLineEdit;
class QPushButton;
class QStatusBar;
class RecordGrid;
class ScreenBehaviour;

// "Auditoria": filters the audit trail by period, operator, routine, operation, history, remark and
// amount, lists the rows and prints them grouped by operator and date. Every filter value reaches
// the server as a bound parameter, so any character typed is just that character.
class TFrmRastro : public QDialog {
  Q_OBJECT
 public:
  explicit TFrmRastro(QWidget *parent = nullptr);

  // The rows of the last filter, as the grid and the report show them.
  Dataset *rastro() const { return rastro_; }

 public slots:
  void btfiltrarClick();
  void btrelatorioClick();
  bool medatafinalExit();

 private:
  void buildControls();
  void fillOperators();
  // Runs a date's checks as if it were left; on failure the focus goes back to it.
  bool dateAccepted(DateEdit *edit);

  ScreenBehaviour *behaviour_ = nullptr;
  Dataset *rastro_ = nullptr;
  DateEdit *medatainicial = nullptr;
  DateEdit *medatafinal = nullptr;
  QComboBox *cboperador = nullptr;
  QComboBox *cboperacao = nullptr;
  QLineEdit *edrotina = nullptr;
  QLineEdit *edhistorico = nullptr;
  AmountEdit *edvalor = nullptr;
  QLineEdit *edobs = nullptr;
  QPushButton *btfiltrar = nullptr;
  QPushButton *btrelatorio = nullptr;
  RecordGrid *DBGrid1 = nullptr;
  QStatusBar *StatusBar1 = nullptr;
};
