#pragma once

#include <QList>
#include <QString>
#include <QVariant>

#include "app/messages.h"

// A statement with one placeholder for a record's key: any row it returns means other rows still refer
// to the record, which may then not be deleted. An empty message refuses without a word.
struct InUseCheck {
  QString sql;
  QString message;
  Messages::Icon icon = Messages::Icon::Information;
  QString title = QStringLiteral("Atenção");
};

// Runs the checks in order on the program's connection. True when one of them refuses the deletion
// (its message shown) or cannot run (the server's text shown).
bool refusedInUse(const QList<InUseCheck> &checks, const QVariant &key);
