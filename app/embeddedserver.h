#pragma once

#include <QString>
#include <QStringList>

#include "app/connection.h"

// The private MariaDB server the program runs in the user's data folder when no shared server is
// configured: initialised on first use, reachable only through a Unix socket, stopped when the program
// ends. A second copy of the program that finds the server of the first running attaches to it instead
// of starting another one over the same files.
class EmbeddedServer {
 public:
  explicit EmbeddedServer(const QString &folder, const QString &socketPath = {});

  // $XDG_DATA_HOME/velmora, else ~/.local/share/velmora.
  static QString defaultFolder();

  // The folders searched for the server programs instead of PATH and the usual system folders (tests
  // use it to show what happens on a machine without MariaDB). Empty: the usual search.
  static void setProgramFolders(const QStringList &folders);

  // Server options added to the standard ones (tests use them to trade durability for speed).
  void setExtraArguments(const QStringList &arguments) { extraArguments_ = arguments; }

  // Makes the server answer: attaches to a running one, or initialises and starts it. False with a
  // Portuguese message in *error when MariaDB is missing, the folder cannot be written or the server fails.
  bool start(QString *error);
  // Stops the server running on the folder, whoever started it. True when no server is left running.
  bool stop(QString *error);
  // Stops the server only when this object started it; leaves an attached one running for its owner.
  bool stopIfStartedHere(QString *error);

  bool answers() const;
  bool startedHere() const { return startedHere_; }
  QString folder() const { return folder_; }
  QString socketPath() const { return socketPath_; }
  QString errorLogPath() const;
  // Settings for a connection through the socket as the operating-system user (socket authentication).
  ConnectionSettings connectionSettings(const QString &database = {}) const;

 private:
  QString dataPath() const;
  QString pidPath() const;
  QString tmpPath() const;  // its own temporary folder: servers sharing /tmp clean up each other's files
  qint64 runningPid() const;
  bool initialise(const QString &installDb, QString *error);
  bool waitUntilAnswering(qint64 pid, int seconds, QString *error);
  QString errorLogTail() const;

  QString folder_;
  QString socketPath_;
  QStringList extraArguments_;
  bool startedHere_ = false;
};
