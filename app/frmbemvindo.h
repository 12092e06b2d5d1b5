#pragma once

#include <QDialog>
#include <QString>

class QLineEdit;

// The login window "Bem Vindo": user name and password, checked against usuarios. It closes only after a
// successful login (result Accepted, the login values written to the session) or when the user leaves the
// program from it (result Rejected, leftProgram() true).
class TFrmBemVindo : public QDialog {
  Q_OBJECT
 public:
  explicit TFrmBemVindo(QWidget *parent = nullptr);

  bool leftProgram() const { return leftProgram_; }

 public slots:
  void edusuarioExit();
  void edsenhaExit();
  void done(int result) override;
  void reject() override;  // closing from outside is refused

 protected:
  bool eventFilter(QObject *watched, QEvent *event) override;
  void closeEvent(QCloseEvent *event) override;
  void showEvent(QShowEvent *event) override;

 private:
  struct UserRow {
    bool found = false;
    QString senha;
  };
  // The row whose nome equals `name` exactly; false with the error shown when the database fails.
  bool lookUp(const QString &name, UserRow *row);
  void leave();
  // Moves the focus without running the exit checks of the field it leaves.
  void focusWithoutExit(QWidget *widget);

  QLineEdit *edusuario;
  QLineEdit *edsenha;
  bool redirecting_ = false;
  bool finishing_ = false;
  bool leftProgram_ = false;
};
