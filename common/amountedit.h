#pragma once
// The edit used for every money, rate and quantity field: right-aligned by default, and on leaving
// it a typed amount is read with Routines::readNumber and shown again as "#,##0.00" (1.234,56 in
// pt-BR). Numbers follow the widget's locale, which is the program's locale unless set otherwise.

#include <QLineEdit>

class AmountEdit : public QLineEdit {
  Q_OBJECT
  Q_PROPERTY(Alignment textAlignment READ textAlignment WRITE setTextAlignment)

 public:
  enum class Alignment { Left, Right, Centre };
  Q_ENUM(Alignment)

  explicit AmountEdit(QWidget *parent = nullptr);

  Alignment textAlignment() const { return m_alignment; }
  // Takes effect at once, also on a control already shown.
  void setTextAlignment(Alignment alignment);

  // The amount shown: 0 for an empty field; throws Routines::ConversionError for a text that
  // cannot be read.
  double value() const;
  // Shows the amount as "#,##0.00".
  void setValue(double value);

  // Rewrites a readable non-empty text as "#,##0.00"; a text that cannot be read stays as typed
  // (the screen's own check reports it).
  void formatText();

 protected:
  void focusOutEvent(QFocusEvent *event) override;

 private:
  Alignment m_alignment = Alignment::Right;
};
