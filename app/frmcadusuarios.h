#pragma once

#include <QList>

#include "app/record/recordscreen.h"

class QLabel;
class QLineEdit;
class PasswordEdit;

// "Cadastro de Usuários": the users of the system, their scrambled password and their eleven access
// rights, each a level "0" to "5" of which some rights admit only "0" or "5". The stored password is
// always the scramble of the clear password: typing replaces it, passing through the field keeps it.
// "Novo" empties the password, and no user is saved without one.
class TFrmCadUsuarios : public RecordScreen {
  Q_OBJECT
 public:
  explicit TFrmCadUsuarios(QWidget *parent = nullptr);

  // The right edits in tab order.
  const QList<QLineEdit *> &rightEdits() const { return rights_; }

 public slots:
  void edsenhaExit();
  // Entering a right lights the levels it admits in the legend.
  void rightEnter(QLineEdit *edit);
  // Leaving a right: empty becomes "0"; a level it does not admit is refused.
  bool rightExit(QLineEdit *edit);

 protected:
  void clearForNew() override;
  bool hasRecord() const override;
  bool beforeSave() override;
  bool deleteRecord(const QVariant &key, QString *error) override;
  void afterSave(Mode mode) override;

 private:
  struct Right {
    const char *column;
    const char *label;
    const char *edit;
    bool allLevels;     // admits "0" to "5" (else "0" or "5")
    bool fullLegend;    // the legend shows all six levels while it is entered
    bool emptiedByNew;  // "Novo" empties it
  };
  static const Right kRights[11];
  bool admits(const QLineEdit *edit, const QString &level) const;
  // Other rows with exactly this name than the one shown.
  bool nameTaken(const QString &name, QString *error) const;

  QLineEdit *ednome = nullptr;
  PasswordEdit *edsenha = nullptr;
  QList<QLineEdit *> rights_;
  QList<QLabel *> legend_;
};
