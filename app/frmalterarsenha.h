#pragma once

#include <QDialog>
#include <QVariant>

class QLineEdit;
class QPushButton;
class ScreenBehaviour;

// "Alterar Senha": the logged-in user changes his own password, after typing the current one, by
// typing the new one twice. Only the scrambled form is stored; no audit row is written.
class TFrmAlterarSenha : public QDialog {
  Q_OBJECT
 public:
  explicit TFrmAlterarSenha(QWidget *parent = nullptr);

 public slots:
  // Leaving "Senha Atual" with a text checks it against the stored password.
  bool edsenhaatualExit();
  void btconfirmarClick();

 protected:
  void showEvent(QShowEvent *event) override;

 private:
  // Stands on the logged-in user's row: its code and stored password.
  bool readUser();
  bool currentMatches();

  ScreenBehaviour *behaviour_;
  QLineEdit *edsenhaatual;
  QLineEdit *ednovasenha;
  QLineEdit *edconfirmarsenha;
  QPushButton *btconfirmar;
  QPushButton *btcancelar;
  QVariant codigo_;
  QString senha_;
  bool found_ = false;
  bool currentPassed_ = false;
  bool opened_ = false;
};
