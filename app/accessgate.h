#pragma once

#include <QString>

// The check every gated menu entry runs before its screen is created, against the logged-in user's row
// of usuarios. Rights are one-character levels from "0" (no access) to "5" (full access).
namespace AccessGate {

enum class Rule {
  None,         // not gated
  NotZero,      // refused with "Acesso não Permitido" when the right is "0"
  ExactlyFive,  // opens only for "5"; anything else opens nothing and says nothing
};

// The right columns of usuarios the menu checks.
bool isRightColumn(const QString &column);

// True when `user` may open an entry gated by `column` under `rule`. The row is read afresh every
// time, so rights changed at another workstation count at once. A user without a row is refused as
// for "0"; a database error is shown with the server's text and refuses too.
bool allows(const QString &column, Rule rule, const QString &user);
// The same for the logged-in user.
bool allows(const QString &column, Rule rule);

}  // namespace AccessGate
