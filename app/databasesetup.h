#pragma once

#include <QString>

#include "app/connection.h"

class EmbeddedServer;

// The name of the database the embedded server holds.
inline constexpr const char *kEmbeddedDatabase = "velmora";

// Starts the embedded server (or attaches to the running one) and, on first use, creates its database
// with the schema, the first rows and the first user ADMIN / ADMIN. On success *settings reaches it.
bool prepareEmbeddedDatabase(EmbeddedServer &server, ConnectionSettings *settings, QString *error);

// Installs the schema onto a configured server: creates the database when missing, applies every script
// and, when there is no user yet, adds the first user with the given name and password.
bool installSchema(const ConnectionSettings &settings, const QString &firstUser, const QString &password,
                   QString *error);
