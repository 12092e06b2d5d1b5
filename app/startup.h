#pragma once

#include <QString>
#include <memory>

#include "app/config.h"

class EmbeddedServer;
class TFrmPrincipal;

// The start of the program, in its order: the program's locale, the connection (starting the embedded
// server when no shared server is configured), the date-format check, the main window, whose first
// showing logs the user in. Leaving the program closes the connection and stops an embedded server
// started here.
class Startup {
 public:
  explicit Startup(AppConfig config);
  ~Startup();

  // Everything before the main window. False when the start ended with its message already shown.
  bool prepare();
  // prepare(), then the main window and the event loop; the program's exit code.
  int run();

  TFrmPrincipal *mainWindow() const { return mainWindow_.get(); }
  // Closes the connection and stops the embedded server if this start launched it.
  void finish();

  // A warning text when `iniPath` holds a database password and people other than its owner may read
  // it; empty otherwise.
  static QString passwordFileWarning(const AppConfig &config);

 private:
  bool connectEmbedded();

  AppConfig config_;
  std::unique_ptr<EmbeddedServer> server_;
  std::unique_ptr<TFrmPrincipal> mainWindow_;
};
