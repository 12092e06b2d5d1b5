#pragma once

#include <QPointer>
#include <QString>

class QLabel;
class QProgressBar;

// The progress text and gauge of a long run in the user's thread. Each step shows where the run is
// and lets the window process what is pending (painting, the clock), so the screen stays alive.
// Either control may be absent.
class Progress {
 public:
  Progress(QLabel *text, QProgressBar *gauge);

  void start(int total, const QString &text = {});
  // One step done; a text replaces the one shown.
  void step(const QString &text = {});
  void setText(const QString &text);
  void finish(const QString &text = {});
  int done() const { return done_; }

 private:
  void keepAlive();
  QPointer<QLabel> text_;
  QPointer<QProgressBar> gauge_;
  int done_ = 0;
};
