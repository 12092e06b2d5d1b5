#include "common/amountwords.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <stdexcept>

namespace Routines {

namespace {

constexpr double minimumAmount = 0.01;
constexpr double maximumAmount = 4294967295.99;

const char *const unitWords[19] = {"Um",     "Dois",      "Tres",      "Quatro",  "Cinco",   "Seis",  "Sete",
                                   "Oito",   "Nove",      "Dez",       "Onze",    "Doze",    "Treze", "Quatorze",
                                   "Quinze", "Dezesseis", "Dezessete", "Dezoito", "Dezenove"};
const char *const tensWords[9] = {"Dez",      "Vinte",   "Trinta",  "Quarenta", "Cinquenta",
                                  "Sessenta", "Setenta", "Oitenta", "Noventa"};
const char *const hundredsWords[9] = {"Cem",        "Duzentos",   "Trezentos",  "Quatrocentos", "Quinhentos",
                                      "Seiscentos", "Setecentos", "Oitocentos", "Novecentos"};

// Each piece brings its own blanks; nothing is trimmed or joined afterwards.
QString words(std::uint32_t n) {
  if (n == 0) return {};
  if (n <= 19) return QString::fromUtf8(unitWords[n - 1]);
  if (n <= 99) {
    const QString tens = QString::fromUtf8(tensWords[n / 10 - 1]);
    return n % 10 == 0 ? tens + u' ' : tens + QStringLiteral(" e ") + words(n % 10);
  }
  if (n == 100) return QStringLiteral("Cem ");
  if (n <= 199) return QStringLiteral(" cento e ") + words(n % 100);
  if (n <= 999) {
    const QString hundreds = QString::fromUtf8(hundredsWords[n / 100 - 1]);
    return n % 100 == 0 ? hundreds + u' ' : hundreds + QStringLiteral(" e ") + words(n % 100);
  }
  if (n <= 999999) return words(n / 1000) + QStringLiteral(" mil ") + words(n % 1000);
  if (n <= 1999999) return words(n / 1000000) + QStringLiteral(" milhão ") + words(n % 1000000);
  if (n <= 999999999) return words(n / 1000000) + QStringLiteral(" milhões ") + words(n % 1000000);
  if (n <= 1999999999) return words(n / 1000000000) + QStringLiteral(" bilhão ") + words(n % 1000000000);
  return words(n / 1000000000) + QStringLiteral(" bilhões ") + words(n % 1000000000);
}

}  // namespace

QString amountInWords(double amount) {
  // Written so that NaN is refused as well.
  if (!(amount >= minimumAmount && amount <= maximumAmount)) {
    char message[128];
    std::snprintf(message, sizeof message, "%g Valor fora da faixa %g..%g", amount, minimumAmount, maximumAmount);
    throw std::range_error(message);
  }
  // Whole cents first: the fraction of a double (0.29 is 0.28999...) would give wrong cents, and
  // 1.999 must read as 2 reais, not 1 real and 100 centavos.
  const auto totalCents = static_cast<std::uint64_t>(std::llround(amount * 100.0));
  const auto integerPart = static_cast<std::uint32_t>(totalCents / 100);
  const auto cents = static_cast<std::uint32_t>(totalCents % 100);

  QString result = words(integerPart);
  if (integerPart == 1)
    result += QStringLiteral(" real");
  else if (integerPart > 1)
    result += QStringLiteral(" reais");
  if (cents != 0) {
    if (integerPart != 0) result += QStringLiteral(" e ");
    result += words(cents);
    result += cents == 1 ? QStringLiteral(" centavo") : QStringLiteral(" centavos");
  }
  return result;
}

}  // namespace Routines
