#pragma once

#include <QString>
#include <QStringList>
#include <QValidator>

#include "app/record/combos.h"
#include "app/record/maskededit.h"
#include "app/record/memoedit.h"
#include "app/record/passwordedit.h"
#include "common/amountedit.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QWidget;

// Builders for the recurring kinds of record field. Each gives the control its objectName (the name
// tests and handlers know it by) and the typing rules of its kind.
namespace Fields {

enum class Case { AsTyped, Upper, Lower };

// Forces the case of what is typed (and of a value the screen shows).
class TextRule : public QValidator {
 public:
  TextRule(Case textCase, QObject *parent);
  State validate(QString &input, int &pos) const override;

 private:
  Case case_;
};

// Names of persons and companies refuse, key by key, the digits, the symbols
// < > ! # $ % ¨ & * ( ) _ - + = { } [ ] ? ; : , . | / @, the quote characters and every letter
// outside A to Z (accented letters and Ç): such a key does nothing.
bool refusedInName(QChar c);
void refuseNameCharacters(QWidget *edit);

// Applies a TextRule to an edit (or an editable combo's edit).
void applyRule(QLineEdit *edit, Case textCase);

QLineEdit *edit(QWidget *parent, const QString &name, Case textCase = Case::Upper, int maxLength = 0);
QLineEdit *upper(QWidget *parent, const QString &name, int maxLength = 0);
QLineEdit *lower(QWidget *parent, const QString &name, int maxLength = 0);
// Upper case and the name rule.
QLineEdit *personName(QWidget *parent, const QString &name, int maxLength = 0);
// `mask` as the screens give it: "99.999.999;0;_" (see MaskedEdit).
MaskedEdit *masked(QWidget *parent, const QString &name, const QString &mask);
DateEdit *date(QWidget *parent, const QString &name, bool todayOnEnter = false);
AmountEdit *amount(QWidget *parent, const QString &name);
// A combo of fixed items; with freeText any text may be typed (in the given case).
QComboBox *combo(QWidget *parent, const QString &name, const QStringList &items, bool freeText = false,
                 Case textCase = Case::Upper);
// One-letter codes shown as their long texts ("M" as "MASCULINO").
CodeCombo *codes(QWidget *parent, const QString &name, const QList<CodeCombo::Item> &items);
// Names from a query that yield codes; `unknownMessage` is shown when it is left holding a text
// that is no item's (empty: no check).
QueryCombo *query(QWidget *parent, const QString &name, const QString &unknownMessage = {});
MemoEdit *memo(QWidget *parent, const QString &name, int maxLength = 0, Case textCase = Case::AsTyped);
PasswordEdit *password(QWidget *parent, const QString &name, int maxLength = 6);
QLabel *label(QWidget *parent, const QString &text, QWidget *buddy = nullptr);

}  // namespace Fields
