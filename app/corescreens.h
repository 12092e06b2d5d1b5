#pragma once

// Registers the screens of the application core (users, parameters, audit trail, password change) with
// the screen opener.
void registerCoreScreens();
