#pragma once

#include "app/record/recordscreen.h"

class QLineEdit;
class QueryCombo;

// "Cadastro de Produtos": the plans and insurance products each insurer or operator sells, kept
// on one page (fields, button bar, grid). F11 in the grid types the product's commission, F12
// turns it on or off; a product some sale uses cannot be deleted.
class TFrmProdutos : public RecordScreen {
  Q_OBJECT
 public:
  explicit TFrmProdutos(QWidget *parent = nullptr);

 public slots:
  void btalterarClick() override;
  void btcancelarClick() override;
  void DBGrid1KeyF11();
  void DBGrid1KeyF12();

 protected:
  void openScreen() override;
  bool beforeSave() override;
  void afterSave(Mode mode) override;

 private:
  // Runs one update of the current product and shows the list again standing on it.
  void updateCurrent(const QString &sql, const QVariant &value);

  QueryCombo *cbseguradora_;
  QLineEdit *ednome_;
};
