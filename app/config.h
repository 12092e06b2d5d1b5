#pragma once

#include <QString>
#include <QStringList>

#include "app/connection.h"

// The installation's settings from velmora.ini, searched beside the program and then in
// $XDG_CONFIG_HOME/velmora (else ~/.config/velmora). Without a [database] host or socket the program
// uses its embedded server.
struct AppConfig {
  QString iniPath;  // the file that was read; empty when none was found
  ConnectionSettings database;
  QString localeName = QStringLiteral("pt_BR");

  bool usesEmbeddedServer() const { return database.host.isEmpty() && database.socket.isEmpty(); }

  static QStringList searchPaths();
  static AppConfig load();
  static AppConfig loadFrom(const QString &path);
};
