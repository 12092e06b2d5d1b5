#pragma once

// A field kind whose own rule runs whenever the field is left for another control of its screen
// (a date that must be readable, a combo text that must name an item). The screen's behaviour calls
// it before the screen's own exit checks; false keeps the focus in the field.
class ExitChecked {
 public:
  virtual ~ExitChecked() = default;
  virtual bool checkOnExit() = 0;
};
