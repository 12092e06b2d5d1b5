#pragma once

#include "app/record/recordscreen.h"

class AmountEdit;
class CodeCombo;
class DateEdit;
class MaskedEdit;
class MemoEdit;
class QComboBox;
class QLineEdit;

// "Cadastro de Clientes/Seguradoras": the parties that pay the brokerage (insurers, health-plan
// operators and other clients) in `clientes`. Also the client look-up of other screens: Enter on a
// row of the search grid hands that client to the calling field.
class TFrmClientes : public RecordScreen {
  Q_OBJECT
 public:
  explicit TFrmClientes(QWidget *parent = nullptr);

  // The document's edit mask for a count of digits: a CPF up to 11, a CNPJ beyond.
  static QString documentMask(int digits);

 public slots:
  void mecgcEnter();
  bool mecgcExit();
  void EdCodigoEnter();
  void EdCidadeEnter();
  bool EdCidadeExit();

 protected:
  void clearForNew() override;
  void report() override;

 private:
  void buildFields();
  void declareRecord();
  QString documentDigits() const;
  void showDocument(const QString &digits);
  void showTelephone(MaskedEdit *field, const QString &digits);

  MaskedEdit *mecgc_ = nullptr;
  QLineEdit *edie_ = nullptr;
  AmountEdit *edtaxaPME_ = nullptr;
  AmountEdit *edtaxaInd_ = nullptr;
  QLineEdit *EdCodigo_ = nullptr;
  QLineEdit *ednome_ = nullptr;
  QLineEdit *EdContato_ = nullptr;
  QLineEdit *EdFantasia_ = nullptr;
  QLineEdit *EdEndereco_ = nullptr;
  QLineEdit *EdBairro_ = nullptr;
  QLineEdit *EdCidade_ = nullptr;
  QComboBox *cbestado_ = nullptr;
  MaskedEdit *mecep_ = nullptr;
  MaskedEdit *mefone1_ = nullptr;
  MaskedEdit *mefone2_ = nullptr;
  MaskedEdit *mefone3_ = nullptr;
  CodeCombo *cbsexo_ = nullptr;
  DateEdit *medtnasc_ = nullptr;
  QLineEdit *Edemail_ = nullptr;
  QLineEdit *edhome_ = nullptr;
  MemoEdit *Memo1_ = nullptr;
};
