#pragma once

#include <QString>

#include "app/connection.h"

// A database of its own for one test program, on the private server of the test run.
class TestDatabase {
 public:
  // The run's server (from VELMORA_TEST_SOCKET), as the operating-system user, without a database.
  static ConnectionSettings serverSettings();
  // Drops and creates the database `name`, applies the schema and opens it as the default connection.
  // An empty name is taken from the test program's name.
  static bool openFresh(const QString &name, QString *error);
  static bool openFresh(QString *error) { return openFresh({}, error); }
};
