#pragma once

#include "app/config.h"

// velmora --instalar-banco: installs the schema onto the shared server named in velmora.ini, asking for
// the first user on the terminal. Returns the program's exit code.
int installOnSharedServer(const AppConfig &config);
