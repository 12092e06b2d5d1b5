#pragma once

#include <QDialog>

class QueryCombo;
class ScreenBehaviour;

// "Parâmetros": the cash and bank accounts of the one parametros row, chosen by their descriptions
// and stored as their codes. F5 in either combo saves both; a combo holding a text that is no
// account's description is refused with "Conta não Cadastrada", on leaving it and on saving.
class TFrmParametros : public QDialog {
  Q_OBJECT
 public:
  explicit TFrmParametros(QWidget *parent = nullptr);

 public slots:
  // F5: saves both accounts. False when nothing was saved.
  bool save();

 protected:
  void showEvent(QShowEvent *event) override;

 private:
  void load();

  ScreenBehaviour *behaviour_;
  QueryCombo *cbcontacaixa;
  QueryCombo *cbcontabanco;
  bool opened_ = false;
};
