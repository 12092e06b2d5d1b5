#pragma once

#include <QSqlDatabase>
#include <QString>
#include <functional>

#include "app/connection.h"

// The shared data module: owns the program's one database connection (Qt's default connection), the
// settings it is opened with, and the two commands of the "Ferramentas" menu that belong to it.
// Screens state their own queries on this connection; none relies on what another screen left open.
class Tdm {
 public:
  static Tdm &instance();

  void setSettings(const ConnectionSettings &settings) { settings_ = settings; }
  const ConnectionSettings &settings() const { return settings_; }
  // Run before every connection attempt; the embedded default uses it to bring its server back up.
  void setBeforeConnect(std::function<bool(QString *error)> step) { beforeConnect_ = std::move(step); }

  QSqlDatabase database() const;
  bool isConnected() const;

  // Closes the connection, sets it up again from the settings and opens it. On failure *error holds
  // the server's text; nothing is shown.
  bool connect(QString *error = nullptr);
  void disconnect();

  // "Conectar BD": reconnects; on failure shows the out-of-service box and the program goes on
  // running disconnected, so the user may try again.
  bool conectarBD();
  // "Finalizar Excel": ends the spreadsheet processes this program started.
  void finalizarExcel();

  // "Tente Novamente" / "Atenção! Sistema Fora do Ar", OK, no icon.
  static void showOutOfService();

 private:
  Tdm() = default;
  ConnectionSettings settings_;
  std::function<bool(QString *)> beforeConnect_;
};

// The single data module of the process.
inline Tdm &dm() { return Tdm::instance(); }

// Runs `work` inside one transaction on the program's connection: commits when it returns true, rolls
// back otherwise, so a command is written whole or not at all. *error holds the server's text of
// whatever failed (or the work's own message). Nothing is shown.
bool inTransaction(const std::function<bool(QString *error)> &work, QString *error);
