#include "app/record/progress.h"

#include <QCoreApplication>
#include <QLabel>
#include <QProgressBar>

Progress::Progress(QLabel *text, QProgressBar *gauge) : text_(text), gauge_(gauge) {}

void Progress::start(int total, const QString &text) {
  done_ = 0;
  if (gauge_) {
    gauge_->setRange(0, qMax(0, total));
    gauge_->setValue(0);
  }
  if (!text.isNull()) setText(text);
  keepAlive();
}

void Progress::step(const QString &text) {
  ++done_;
  if (gauge_) gauge_->setValue(qMin(done_, gauge_->maximum()));
  if (!text.isNull() && text_) text_->setText(text);
  keepAlive();
}

void Progress::setText(const QString &text) {
  if (text_) text_->setText(text);
  keepAlive();
}

void Progress::finish(const QString &text) {
  if (gauge_) gauge_->setValue(gauge_->maximum());
  if (!text.isNull() && text_) text_->setText(text);
  keepAlive();
}

void Progress::keepAlive() {
  // User input waits: a key typed during the run must not start a second command inside it.
  QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}
