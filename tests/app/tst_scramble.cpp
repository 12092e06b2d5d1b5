#include <QtTest>

#include "common/scramble.h"

class TestScramble : public QObject {
  Q_OBJECT
 private slots:
  void shiftsEachPosition_data();
  void shiftsEachPosition();
  void keepsTheLength();
};

// Expected texts are built from byte codes, independently of the routine's own arithmetic.
static QString fromCodes(std::initializer_list<int> codes) {
  QString s;
  for (int c : codes) s += Scramble::fromCp1252(static_cast<unsigned char>(c));
  return s;
}

void TestScramble::shiftsEachPosition_data() {
  QTest::addColumn<QString>("text");
  QTest::addColumn<QString>("expected");
  QTest::newRow("empty") << QString() << QString();
  QTest::newRow("first user") << "ADMIN"
                              << "9;C>B";
  // positions 1..15 move down by 8..22, positions 16..20 by 8..12 again
  QTest::newRow("twenty characters") << QString(20, u'Z') << fromCodes({82, 81, 80, 79, 78, 77, 76, 75, 74, 73,
                                                                        72, 71, 70, 69, 68, 82, 81, 80, 79, 78});
  // codes below the shift wrap around the byte
  QTest::newRow("wrap below zero") << fromCodes({5, 0x20, 7}) << fromCodes({253, 0x20 - 9, 253});
  QTest::newRow("accented letter") << QString(u'É') << fromCodes({0xC9 - 8});
}

void TestScramble::shiftsEachPosition() {
  QFETCH(QString, text);
  QFETCH(QString, expected);
  QCOMPARE(Scramble::scramble(text), expected);
}

void TestScramble::keepsTheLength() {
  const QString text = QStringLiteral("SENHA1");
  const QString once = Scramble::scramble(text);
  QCOMPARE(once.size(), text.size());
  QVERIFY(once != text);
  // Scrambling the scrambled text again moves it further: the routine never restores clear text.
  QVERIFY(Scramble::scramble(once) != text);
}

QTEST_APPLESS_MAIN(TestScramble)
#include "tst_scramble.moc"
