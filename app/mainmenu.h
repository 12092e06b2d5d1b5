#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include "app/accessgate.h"

// The main window's menu bar as data: one row per entry or separator, in the order shown. Sub-menus
// appear where their first entry stands.
struct MenuEntry {
  enum class Kind {
    Screen,  // opens `screen` modally, after the gate
    Separator,
    NoAction,         // present, does nothing
    Reconnect,        // "Conectar BD"
    EndSpreadsheets,  // "Finalizar Excel"
    Quit,             // closes the main window, with the closing question
  };

  QStringList menus;  // from the menu bar down to the menu holding the entry; empty for the bar itself
  QString caption;
  Kind kind = Kind::Screen;
  QString right;  // usuarios column checked by the gate
  AccessGate::Rule rule = AccessGate::Rule::None;
  QString screen;  // class name of the screen opened
  QString title;   // caption given to the screen before showing, when the entry decides it

  // "Produção > PME > Cadastro": how the entry is named in the tool-button table and in tests.
  QString path() const;
};

const QList<MenuEntry> &mainMenu();

// The tool buttons, left to right; each runs the menu entry named by `entryPath`.
struct ToolButtonEntry {
  QString objectName;
  QString caption;
  QString hint;
  QString entryPath;
};

const QList<ToolButtonEntry> &mainToolButtons();
