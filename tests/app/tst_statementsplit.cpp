#include <QtTest>

#include "app/schemainstaller.h"

class TestStatementSplit : public QObject {
  Q_OBJECT
 private slots:
  void splits_data();
  void splits();
  void bundledScriptsAreOrdered();
};

void TestStatementSplit::splits_data() {
  QTest::addColumn<QString>("sql");
  QTest::addColumn<QStringList>("expected");
  QTest::newRow("two statements") << "CREATE TABLE a (x INT);\nINSERT INTO a VALUES (1);\n"
                                  << QStringList{"CREATE TABLE a (x INT)", "INSERT INTO a VALUES (1)"};
  QTest::newRow("delimiter inside quotes")
      << "INSERT INTO a VALUES ('x;y', \"p;q\", 'it''s;');\nSELECT 1;"
      << QStringList{"INSERT INTO a VALUES ('x;y', \"p;q\", 'it''s;')", "SELECT 1"};
  QTest::newRow("escaped quote") << "SELECT 'a\\';b';" << QStringList{"SELECT 'a\\';b'"};
  QTest::newRow("comments only are dropped")
      << "-- a note; still a note\n# another; note\n/* block; note */\nSELECT 2;\n-- trailing"
      << QStringList{"-- a note; still a note\n# another; note\n/* block; note */\nSELECT 2"};
  QTest::newRow("delimiter blocks")
      << "DELIMITER $$\nCREATE PROCEDURE p()\nBEGIN\n  SELECT 1;\n  SELECT 2;\nEND$$\nDELIMITER ;\nSELECT 3;"
      << QStringList{"CREATE PROCEDURE p()\nBEGIN\n  SELECT 1;\n  SELECT 2;\nEND", "SELECT 3"};
  QTest::newRow("double dash without blank is code") << "SELECT 1--1;" << QStringList{"SELECT 1--1"};
  QTest::newRow("last statement without delimiter") << "SELECT 1;\nSELECT 2" << QStringList{"SELECT 1", "SELECT 2"};
}

void TestStatementSplit::splits() {
  QFETCH(QString, sql);
  QFETCH(QStringList, expected);
  QCOMPARE(SchemaInstaller::splitStatements(sql), expected);
}

void TestStatementSplit::bundledScriptsAreOrdered() {
  const auto scripts = SchemaInstaller::bundledScripts();
  QVERIFY(!scripts.isEmpty());
  QStringList names;
  for (const auto &s : scripts) {
    names << s.name;
    QVERIFY2(!SchemaInstaller::splitStatements(s.text).isEmpty(), qPrintable(s.name));
  }
  QStringList sorted = names;
  sorted.sort();
  QCOMPARE(names, sorted);
  QVERIFY(names.contains(QStringLiteral("900_first_rows.sql")));
}

QTEST_APPLESS_MAIN(TestStatementSplit)
#include "tst_statementsplit.moc"
