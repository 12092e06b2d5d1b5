#pragma once

// Registers the registry screens (clients and insurers, producers and suppliers, products, lookup
// lists) with the screen opener.
void registerRegistryScreens();
