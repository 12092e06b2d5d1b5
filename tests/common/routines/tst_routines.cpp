// The shared routines: amount reading, CPF/CNPJ check digits, calendar helpers, the date-format
// test, folder listings and the amount in words.

#include "common/amountwords.h"
#include "common/routines.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <stdexcept>

using namespace Routines;

class TstRoutines : public QObject {
  Q_OBJECT

 private slots:
  void readNumber_data();
  void readNumber();
  void readNumberFails_data();
  void readNumberFails();

  void sqlNumberText_data();
  void sqlNumberText();

  void removeAccents_data();
  void removeAccents();

  void cpf_data();
  void cpf();
  void cnpj_data();
  void cnpj();
  void checkDigitsRefuseOtherCharacters_data();
  void checkDigitsRefuseOtherCharacters();

  void lastPositionOf_data();
  void lastPositionOf();

  void leapYear_data();
  void leapYear();
  void daysInMonth_data();
  void daysInMonth();
  void daysInMonthRefusesBadMonth();

  void dateFormatIsValid_data();
  void dateFormatIsValid();

  void filesOfFolder_data();
  void filesOfFolder();

  void amountInWords_data();
  void amountInWords();
  void amountInWordsOutOfRange_data();
  void amountInWordsOutOfRange();
};

void TstRoutines::readNumber_data() {
  QTest::addColumn<QString>("text");
  QTest::addColumn<QString>("separator");
  QTest::addColumn<double>("expected");

  QTest::newRow("currency and thousands") << "R$ 1.234,56"
                                          << "," << 1234.56;
  QTest::newRow("last comma is the decimal point") << "1,234,56"
                                                   << "," << 1234.56;
  QTest::newRow("earlier commas dropped") << "1,5,0"
                                          << "," << 15.0;
  QTest::newRow("leading minus") << "-5"
                                 << "," << -5.0;
  QTest::newRow("trailing minus dropped") << "5-"
                                          << "," << 5.0;
  QTest::newRow("leading plus") << "+7,5"
                                << "," << 7.5;
  QTest::newRow("sign after a blank dropped") << " -5"
                                              << "," << 5.0;
  QTest::newRow("point is a thousands separator") << "1.000"
                                                  << "," << 1000.0;
  QTest::newRow("no integer digits") << ",5"
                                     << "," << 0.5;
  QTest::newRow("letters between digits") << "1a2b"
                                          << "," << 12.0;
  QTest::newRow("point as decimal separator") << "1,234.56"
                                              << "." << 1234.56;
  QTest::newRow("point separator, last point wins") << "1.2.5"
                                                    << "." << 12.5;
}

void TstRoutines::readNumber() {
  QFETCH(QString, text);
  QFETCH(QString, separator);
  QFETCH(double, expected);
  QCOMPARE(Routines::readNumber(text, separator.at(0)), expected);
}

void TstRoutines::readNumberFails_data() {
  QTest::addColumn<QString>("text");
  QTest::newRow("empty") << "";
  QTest::newRow("letters") << "abc";
  QTest::newRow("sign only") << "-";
  QTest::newRow("separator only") << ",";
  QTest::newRow("currency only") << "R$ ";
}

void TstRoutines::readNumberFails() {
  QFETCH(QString, text);
  try {
    Routines::readNumber(text);
    QFAIL("no ConversionError");
  } catch (const ConversionError &e) {
    QCOMPARE(QString::fromUtf8(e.what()), QStringLiteral("'%1' não é um valor numérico válido").arg(text));
  }
}

void TstRoutines::sqlNumberText_data() {
  QTest::addColumn<QString>("text");
  QTest::addColumn<QString>("expected");
  QTest::newRow("pt-BR amount") << "1.234,56"
                                << "1234.56";
  QTest::newRow("millions") << "1.234.567,8"
                            << "1234567.8";
  QTest::newRow("negative") << "-1,5"
                            << "-1.5";
  QTest::newRow("other characters stay") << "R$ 1,5"
                                         << "R$ 1.5";
  QTest::newRow("whole number") << "1234"
                                << "1234";
  QTest::newRow("empty") << ""
                         << "";
}

void TstRoutines::sqlNumberText() {
  QFETCH(QString, text);
  QFETCH(QString, expected);
  QCOMPARE(Routines::sqlNumberText(text), expected);
}

void TstRoutines::removeAccents_data() {
  QTest::addColumn<QString>("text");
  QTest::addColumn<QString>("expected");
  QTest::newRow("city") << "São Paulo"
                        << "Sao Paulo";
  QTest::newRow("upper case") << "CONCEIÇÃO DO ARAGUAIA"
                              << "CONCEICAO DO ARAGUAIA";
  QTest::newRow("lower case, every form") << "áàâäã éèêë íìîï óòôöõ úùûü ç"
                                          << "aaaaa eeee iiii ooooo uuuu c";
  QTest::newRow("upper case, every form") << "ÁÀÂÄÃ ÉÈÊË ÍÌÎÏ ÓÒÔÖÕ ÚÙÛÜ Ç"
                                          << "AAAAA EEEE IIII OOOOO UUUU C";
  QTest::newRow("letters outside the list stay") << "Ñandú-1"
                                                 << "Ñandu-1";
  QTest::newRow("empty") << ""
                         << "";
}

void TstRoutines::removeAccents() {
  QFETCH(QString, text);
  QFETCH(QString, expected);
  QCOMPARE(Routines::removeAccents(text), expected);
}

void TstRoutines::cpf_data() {
  QTest::addColumn<QString>("text");
  QTest::addColumn<bool>("valid");
  QTest::newRow("with punctuation") << "529.982.247-25" << true;
  QTest::newRow("11 digits") << "52998224725" << true;
  QTest::newRow("last digit changed") << "52998224726" << false;
  QTest::newRow("last digit changed, punctuated") << "529.982.247-24" << false;
  QTest::newRow("first digit changed") << "629.982.247-25" << false;
  QTest::newRow("digits swapped") << "259.982.247-25" << false;
  QTest::newRow("first check digit 0") << "123.456.789-09" << true;
  QTest::newRow("both check digits 0") << "98765432100" << true;
  QTest::newRow("all digits equal") << "111.111.111-11" << true;
  QTest::newRow("all zeros") << "00000000000" << true;
  QTest::newRow("letters as check digits") << "529982247ab" << false;
  QTest::newRow("empty") << "" << false;
}

void TstRoutines::cpf() {
  QFETCH(QString, text);
  QFETCH(bool, valid);
  QCOMPARE(cpfIsValid(text), valid);
}

void TstRoutines::cnpj_data() {
  QTest::addColumn<QString>("text");
  QTest::addColumn<bool>("valid");
  QTest::newRow("with punctuation") << "11.222.333/0001-81" << true;
  QTest::newRow("14 digits") << "11222333000181" << true;
  QTest::newRow("last digit changed") << "11222333000182" << false;
  QTest::newRow("last digit changed, punctuated") << "11.222.333/0001-80" << false;
  QTest::newRow("branch digit changed") << "11.222.333/0002-81" << false;
  QTest::newRow("first digit changed") << "21.222.333/0001-81" << false;
  QTest::newRow("another valid") << "60.370.123/0001-46" << true;
  QTest::newRow("leading zeros") << "00.000.000/0001-91" << true;
  QTest::newRow("all zeros") << "00000000000000" << true;
  QTest::newRow("a CPF is not a CNPJ") << "52998224725" << false;
}

void TstRoutines::cnpj() {
  QFETCH(QString, text);
  QFETCH(bool, valid);
  QCOMPARE(cnpjIsValid(text), valid);
}

void TstRoutines::checkDigitsRefuseOtherCharacters_data() {
  QTest::addColumn<QString>("text");
  QTest::newRow("letter in a CPF") << "529.98a.247-25";
  QTest::newRow("blank in a CPF") << "529 982 247 25";
  QTest::newRow("letter in a CNPJ") << "11.2A2.333/0001-81";
  QTest::newRow("comma in a CNPJ") << "11,222,333/0001-81";
}

void TstRoutines::checkDigitsRefuseOtherCharacters() {
  QFETCH(QString, text);
  QVERIFY_THROWS_EXCEPTION(ConversionError, cpfIsValid(text));
  QVERIFY_THROWS_EXCEPTION(ConversionError, cnpjIsValid(text));
}

void TstRoutines::lastPositionOf_data() {
  QTest::addColumn<QString>("ch");
  QTest::addColumn<QString>("text");
  QTest::addColumn<int>("expected");
  QTest::newRow("last of several") << "/"
                                   << "a/b/c" << 4;
  QTest::newRow("first character") << "a"
                                   << "abc" << 1;
  QTest::newRow("last character") << "."
                                  << "arquivo.xls." << 12;
  QTest::newRow("absent") << "x"
                          << "abc" << 0;
  QTest::newRow("empty text") << "a"
                              << "" << 0;
  QTest::newRow("case matters") << "A"
                                << "banana" << 0;
}

void TstRoutines::lastPositionOf() {
  QFETCH(QString, ch);
  QFETCH(QString, text);
  QFETCH(int, expected);
  QCOMPARE(Routines::lastPositionOf(ch.at(0), text), expected);
}

void TstRoutines::leapYear_data() {
  QTest::addColumn<int>("year");
  QTest::addColumn<bool>("leap");
  QTest::newRow("2000, divisible by 400") << 2000 << true;
  QTest::newRow("1900, divisible by 100") << 1900 << false;
  QTest::newRow("2024") << 2024 << true;
  QTest::newRow("2023") << 2023 << false;
  QTest::newRow("2100") << 2100 << false;
  QTest::newRow("2400") << 2400 << true;
}

void TstRoutines::leapYear() {
  QFETCH(int, year);
  QFETCH(bool, leap);
  QCOMPARE(isLeapYear(year), leap);
}

void TstRoutines::daysInMonth_data() {
  QTest::addColumn<int>("year");
  QTest::addColumn<int>("month");
  QTest::addColumn<int>("days");
  QTest::newRow("February 2000") << 2000 << 2 << 29;
  QTest::newRow("February 1900") << 1900 << 2 << 28;
  QTest::newRow("February 2024") << 2024 << 2 << 29;
  QTest::newRow("February 2023") << 2023 << 2 << 28;
  QTest::newRow("January") << 2023 << 1 << 31;
  QTest::newRow("April") << 2024 << 4 << 30;
  QTest::newRow("July") << 2023 << 7 << 31;
  QTest::newRow("August") << 2023 << 8 << 31;
  QTest::newRow("September") << 2023 << 9 << 30;
  QTest::newRow("November") << 2023 << 11 << 30;
  QTest::newRow("December") << 2023 << 12 << 31;
}

void TstRoutines::daysInMonth() {
  QFETCH(int, year);
  QFETCH(int, month);
  QFETCH(int, days);
  QCOMPARE(Routines::daysInMonth(year, month), days);
}

void TstRoutines::daysInMonthRefusesBadMonth() {
  QVERIFY_THROWS_EXCEPTION(std::out_of_range, Routines::daysInMonth(2024, 0));
  QVERIFY_THROWS_EXCEPTION(std::out_of_range, Routines::daysInMonth(2024, 13));
}

void TstRoutines::dateFormatIsValid_data() {
  QTest::addColumn<QString>("locale");
  QTest::addColumn<bool>("valid");
  QTest::newRow("pt_BR") << "pt_BR" << true;
  QTest::newRow("en_GB, also day first") << "en_GB" << true;
  QTest::newRow("en_US, month first") << "en_US" << false;
  QTest::newRow("sv_SE, year first") << "sv_SE" << false;
  QTest::newRow("ja_JP, year first with slashes") << "ja_JP" << false;
  QTest::newRow("de_DE, points") << "de_DE" << false;
}

void TstRoutines::dateFormatIsValid() {
  QFETCH(QString, locale);
  QFETCH(bool, valid);
  QCOMPARE(Routines::dateFormatIsValid(QLocale(locale)), valid);
}

void TstRoutines::filesOfFolder_data() {
  QTest::addColumn<QString>("wildcard");
  QTest::addColumn<QStringList>("expected");
  const QStringList all{".oculto.xlsx", "ANTIGOS", "RESUMO.XLSX", "extrato.xlsx", "notas.txt"};
  QTest::newRow("by extension, any case, hidden too")
      << "*.xlsx" << QStringList{".oculto.xlsx", "RESUMO.XLSX", "extrato.xlsx"};
  QTest::newRow("everything, folders too") << "*" << all;
  QTest::newRow("*.* is everything") << "*.*" << all;
  QTest::newRow("by name") << "extrato.*" << QStringList{"extrato.xlsx"};
  QTest::newRow("no match") << "*.pdf" << QStringList{};
  QTest::newRow("missing folder") << "nada/*.xlsx" << QStringList{};
}

void TstRoutines::filesOfFolder() {
  QFETCH(QString, wildcard);
  QFETCH(QStringList, expected);

  QTemporaryDir dir;
  QVERIFY(dir.isValid());
  for (const char *name : {"extrato.xlsx", "RESUMO.XLSX", "notas.txt", ".oculto.xlsx"}) {
    QFile file(dir.filePath(QString::fromLatin1(name)));
    QVERIFY(file.open(QIODevice::WriteOnly));
  }
  QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("ANTIGOS")));

  QStringList found = Routines::filesOfFolder(dir.path() + u'/' + wildcard);
  found.sort();
  expected.sort();
  QCOMPARE(found, expected);
}

void TstRoutines::amountInWords_data() {
  QTest::addColumn<double>("amount");
  QTest::addColumn<QString>("words");
  QTest::newRow("1") << 1.0 << "Um real";
  QTest::newRow("2,50") << 2.50 << "Dois reais e Cinquenta  centavos";
  QTest::newRow("0,01") << 0.01 << "Um centavo";
  QTest::newRow("0,29") << 0.29 << "Vinte e Nove centavos";
  QTest::newRow("0,07") << 0.07 << "Sete centavos";
  QTest::newRow("10") << 10.0 << "Dez reais";
  QTest::newRow("19,10") << 19.10 << "Dezenove reais e Dez centavos";
  QTest::newRow("21") << 21.0 << "Vinte e Um reais";
  QTest::newRow("100") << 100.0 << "Cem  reais";
  QTest::newRow("101") << 101.0 << " cento e Um reais";
  QTest::newRow("150") << 150.0 << " cento e Cinquenta  reais";
  QTest::newRow("200") << 200.0 << "Duzentos  reais";
  QTest::newRow("999,99") << 999.99 << "Novecentos e Noventa e Nove reais e Noventa e Nove centavos";
  QTest::newRow("1000") << 1000.0 << "Um mil  reais";
  QTest::newRow("1101") << 1101.0 << "Um mil  cento e Um reais";
  QTest::newRow("1234,56") << 1234.56 << "Um mil Duzentos e Trinta e Quatro reais e Cinquenta e Seis centavos";
  QTest::newRow("3000") << 3000.0 << "Tres mil  reais";
  QTest::newRow("1000000") << 1000000.0 << "Um milhão  reais";
  QTest::newRow("1000001") << 1000001.0 << "Um milhão Um reais";
  QTest::newRow("2000000") << 2000000.0 << "Dois milhões  reais";
  QTest::newRow("1000000000") << 1000000000.0 << "Um bilhão  reais";
  QTest::newRow("2000000000") << 2000000000.0 << "Dois bilhões  reais";
  QTest::newRow("upper limit") << 4294967295.99
                               << "Quatro bilhões Duzentos e Noventa e Quatro milhões Novecentos e "
                                  "Sessenta e Sete mil Duzentos e Noventa e Cinco reais e Noventa e Nove "
                                  "centavos";
  QTest::newRow("fraction rounding to a whole real") << 1.999 << "Dois reais";
}

void TstRoutines::amountInWords() {
  QFETCH(double, amount);
  QFETCH(QString, words);
  QCOMPARE(Routines::amountInWords(amount), words);
}

void TstRoutines::amountInWordsOutOfRange_data() {
  QTest::addColumn<double>("amount");
  QTest::addColumn<QString>("message");
  QTest::newRow("0") << 0.0 << "0 Valor fora da faixa 0.01..4.29497e+09";
  QTest::newRow("below a cent") << 0.009 << "0.009 Valor fora da faixa 0.01..4.29497e+09";
  QTest::newRow("negative") << -5.0 << "-5 Valor fora da faixa 0.01..4.29497e+09";
  QTest::newRow("4294967296") << 4294967296.0 << "4.29497e+09 Valor fora da faixa 0.01..4.29497e+09";
  QTest::newRow("not a number") << qQNaN() << "nan Valor fora da faixa 0.01..4.29497e+09";
}

void TstRoutines::amountInWordsOutOfRange() {
  QFETCH(double, amount);
  QFETCH(QString, message);
  try {
    Routines::amountInWords(amount);
    QFAIL("no range error");
  } catch (const std::range_error &e) {
    QCOMPARE(QString::fromUtf8(e.what()), message);
  }
}

QTEST_APPLESS_MAIN(TstRoutines)
#include "tst_routines.moc"
