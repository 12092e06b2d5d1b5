// The amount edit: alignment that shows at once, and the "#,##0.00" form on leaving the field.

#include "common/amountedit.h"
#include "common/routines.h"

#include <QImage>
#include <QLineEdit>
#include <QTest>
#include <QVBoxLayout>
#include <QWidget>

class TstAmountEdit : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase();
  void rightAlignedByDefault();
  void alignmentShowsAtOnce_data();
  void alignmentShowsAtOnce();
  void leavingFormats_data();
  void leavingFormats();
  void value_data();
  void value();
  void valueOfUnreadableText();
  void setValueFormats();
};

namespace {

// Horizontal centre of the dark (text) pixels inside the frame, as a fraction of the width.
double inkCentre(QWidget &widget) {
  const QImage image = widget.grab().toImage();
  const int margin = 5;
  long sum = 0;
  long count = 0;
  for (int x = margin; x < image.width() - margin; ++x)
    for (int y = image.height() / 3; y < image.height() * 2 / 3; ++y)
      if (qGray(image.pixel(x, y)) < 100) {
        sum += x;
        ++count;
      }
  return count == 0 ? -1.0 : double(sum) / count / image.width();
}

}  // namespace

void TstAmountEdit::initTestCase() {
  // As the program does with its configured locale.
  QLocale::setDefault(QLocale(QLocale::Portuguese, QLocale::Brazil));
}

void TstAmountEdit::rightAlignedByDefault() {
  AmountEdit edit;
  QCOMPARE(edit.textAlignment(), AmountEdit::Alignment::Right);
  QVERIFY(edit.alignment() & Qt::AlignRight);
}

void TstAmountEdit::alignmentShowsAtOnce_data() {
  QTest::addColumn<AmountEdit::Alignment>("alignment");
  QTest::addColumn<int>("qtAlignment");
  QTest::addColumn<double>("minCentre");
  QTest::addColumn<double>("maxCentre");
  QTest::newRow("left") << AmountEdit::Alignment::Left << int(Qt::AlignLeft) << 0.0 << 0.25;
  QTest::newRow("centre") << AmountEdit::Alignment::Centre << int(Qt::AlignHCenter) << 0.4 << 0.6;
  QTest::newRow("right") << AmountEdit::Alignment::Right << int(Qt::AlignRight) << 0.75 << 1.0;
}

void TstAmountEdit::alignmentShowsAtOnce() {
  QFETCH(AmountEdit::Alignment, alignment);
  QFETCH(int, qtAlignment);
  QFETCH(double, minCentre);
  QFETCH(double, maxCentre);

  AmountEdit edit;
  edit.resize(240, edit.sizeHint().height());
  edit.setText(QStringLiteral("88"));
  // Start from another alignment, already on screen, and switch through the property.
  edit.setTextAlignment(alignment == AmountEdit::Alignment::Left ? AmountEdit::Alignment::Right
                                                                 : AmountEdit::Alignment::Left);
  edit.show();
  QVERIFY(QTest::qWaitForWindowExposed(&edit));
  const double before = inkCentre(edit);

  QVERIFY(edit.setProperty("textAlignment", QVariant::fromValue(alignment)));
  QCOMPARE(edit.textAlignment(), alignment);
  QCOMPARE(int(edit.alignment() & Qt::AlignHorizontal_Mask), qtAlignment);
  const double after = inkCentre(edit);
  QVERIFY2(after >= minCentre && after <= maxCentre,
           qPrintable(QStringLiteral("text centred at %1 of the width, was %2").arg(after).arg(before)));
}

void TstAmountEdit::leavingFormats_data() {
  QTest::addColumn<QString>("typed");
  QTest::addColumn<QString>("shown");
  QTest::newRow("thousands and cents") << "1234,5"
                                       << "1.234,50";
  QTest::newRow("currency symbol") << "R$ 1.234,56"
                                   << "1.234,56";
  QTest::newRow("millions, rounded") << "1234567,891"
                                     << "1.234.567,89";
  QTest::newRow("negative") << "-5"
                            << "-5,00";
  QTest::newRow("below one") << "0,5"
                             << "0,50";
  QTest::newRow("last comma wins") << "1,5,0"
                                   << "15,00";
  QTest::newRow("unreadable kept as typed") << "abc"
                                            << "abc";
  QTest::newRow("empty stays empty") << ""
                                     << "";
}

void TstAmountEdit::leavingFormats() {
  QFETCH(QString, typed);
  QFETCH(QString, shown);

  QWidget window;
  auto *layout = new QVBoxLayout(&window);
  auto *edit = new AmountEdit(&window);
  auto *next = new QLineEdit(&window);
  layout->addWidget(edit);
  layout->addWidget(next);
  window.show();
  QVERIFY(QTest::qWaitForWindowActive(&window));

  edit->setFocus();
  QTRY_VERIFY(edit->hasFocus());
  edit->setText(typed);
  QCOMPARE(edit->text(), typed);  // nothing happens while the field has the focus
  next->setFocus();
  QTRY_VERIFY(next->hasFocus());
  QCOMPARE(edit->text(), shown);
}

void TstAmountEdit::value_data() {
  QTest::addColumn<QString>("text");
  QTest::addColumn<double>("expected");
  QTest::newRow("empty counts as 0") << "" << 0.0;
  QTest::newRow("formatted") << "1.234,56" << 1234.56;
  QTest::newRow("as typed") << "R$ 12,5" << 12.5;
}

void TstAmountEdit::value() {
  QFETCH(QString, text);
  QFETCH(double, expected);
  AmountEdit edit;
  edit.setText(text);
  QCOMPARE(edit.value(), expected);
}

void TstAmountEdit::valueOfUnreadableText() {
  AmountEdit edit;
  edit.setText(QStringLiteral("abc"));
  QVERIFY_THROWS_EXCEPTION(Routines::ConversionError, edit.value());
}

void TstAmountEdit::setValueFormats() {
  AmountEdit edit;
  edit.setValue(1234567.5);
  QCOMPARE(edit.text(), QStringLiteral("1.234.567,50"));
  edit.setValue(-0.0);
  QCOMPARE(edit.text(), QStringLiteral("0,00"));
}

QTEST_MAIN(TstAmountEdit)
#include "tst_amountedit.moc"
