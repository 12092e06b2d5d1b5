#pragma once

#include "app/record/recordscreen.h"

class AmountEdit;
class CodeCombo;
class DateEdit;
class EmployeeTabs;
class MaskedEdit;
class MemoEdit;
class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;
class QueryCombo;

// "Cadastro de Produtores/Vendedores" and "Cadastro de Fornecedores": everyone the brokerage pays
// (producers and sellers, suppliers, employees), one row of `fornecedores` each. The menu names the
// use by the caption it sets before showing the screen; the caption decides the report's title.
// "Dados Gerais" holds the record, "Dados Funcionário" the employment data saved with it, and the
// movement tabs the person's loans, absences and overtime. The browse state is graded by the
// user's `cadastro` right; salary, bonus and loans are shown only to users whose `rh` right is "5".
// It also serves as the supplier look-up of the payables and the payee look-up of the receipts.
class TFrmCadFornecedores : public RecordScreen {
  Q_OBJECT
 public:
  explicit TFrmCadFornecedores(QWidget *parent = nullptr);

  static QString reportTitle(const QString &caption);

 public slots:
  void btalterarClick() override;
  void btclienteClick();
  void btconectarClick();
  void btavisoprevioClick();
  void DBGrid1KeyF12();
  bool cbtipoExit();
  bool mecgcExit();
  bool mecpfExit();
  bool EdFuncaoExit();

 protected:
  void openScreen() override;
  void showFields(const QSqlRecord &row) override;
  void clearFields() override;
  void clearForNew() override;
  bool beforeSave() override;
  void report() override;

 private:
  void buildGeneral();
  void buildEmployee();
  void declareRecord();
  void stateChanged(State state);
  bool isCompany() const;
  bool isPerson() const;
  // The document fields' check on leaving: check digits, then (new rows) the duplicate search or
  // the question for a missing document.
  bool documentExit(MaskedEdit *field, bool company);
  // Shows the salary and bonus to users with `rh` "5"; others see them empty and type in "*".
  void setConfidential(bool confidential);
  QVariant moneyValue(AmountEdit *edit, const QString &column, Mode mode) const;
  std::optional<int> shownCode() const;

  QString caption_;
  bool confidential_ = true;
  QVariant unlistedCompany_;  // a stored `empresa` the "Repasse" list has no nickname for

  CodeCombo *cbtipo_;
  MaskedEdit *mecgc_, *mecpf_, *meorgao_, *mecep_, *mefone1_, *mefone2_, *mefone3_;
  QLineEdit *edie_, *edim_, *edrg_, *EdCodigo_, *ednome_, *edfantasia_, *EdContato_, *EdEndereco_, *EdBairro_,
      *EdCidade_, *Edemail_, *edhome_, *edapelido_, *EdFuncao_, *edbanco_, *edagencia_, *edcc_, *edplanoconta_;
  QComboBox *cbestado_;
  CodeCombo *cbsituacao_, *cbsexo_;
  QCheckBox *chtipocc_, *chpagarvital_, *chDebencargos_;
  DateEdit *medtnasc_;
  MemoEdit *Memo1_;
  QPushButton *btcliente_, *btconectar_;

  QueryCombo *cbfilial_;
  QLineEdit *edinss_, *eddepartamento_, *edpai_, *edmae_, *Edcnh_, *Edfilhos_, *Eddependentes_, *EdPsaude_, *Edctps_;
  DateEdit *medtadmissao_, *medtdemissao_, *medtcnh_;
  AmountEdit *edsalario_, *edpremio_;
  ButtonBar *employeeBar_;
  QPushButton *btconectar2_, *btavisoprevio_;

  EmployeeTabs *movements_;
};
