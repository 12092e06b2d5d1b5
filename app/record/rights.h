#pragma once

#include <QMap>
#include <QString>
#include <optional>

#include "app/record/buttonbar.h"

// The logged-in user's rights as the screens grade their buttons by them. A right is a level "0"
// (no access) to "5" (full access) in one of the eleven right columns of usuarios.
namespace Rights {

// The right columns of usuarios, in the user screen's order.
const QStringList &columns();

// How a user's right was read: the value (an empty text for NULL), no row for that user, or a failure.
enum class Read { Value, NoRow, Failed };
// `user`'s right in `column` (one of columns()), read afresh; user names match exactly as stored.
// On a failure *error (when given) holds the server's text.
Read read(const QString &column, const QString &user, QString *value, QString *error = nullptr);

// The logged-in user's level in `column`, read afresh: an empty text for an empty right, for a user
// without a row, for a column that is no right, or when the read fails (*error then holds the
// server's text).
QString level(const QString &column, QString *error = nullptr);

// A browse state graded by one right: which buttons each level leaves on. A level the table does
// not name keeps the buttons as they are (std::nullopt).
class Grade {
 public:
  Grade(QString column, QMap<QString, ButtonBar::Buttons> levels)
      : column_(std::move(column)), levels_(std::move(levels)) {}
  const QString &column() const { return column_; }
  std::optional<ButtonBar::Buttons> buttonsFor(const QString &level) const;
  // The buttons for the logged-in user, read afresh.
  std::optional<ButtonBar::Buttons> current() const { return buttonsFor(level(column_)); }

 private:
  QString column_;
  QMap<QString, ButtonBar::Buttons> levels_;
};

}  // namespace Rights
