#pragma once
// An amount of money written in Portuguese words, as printed on receipts and vouchers.

#include <QString>

namespace Routines {

// "Dois reais e Cinquenta  centavos" for 2.50. The text keeps the blanks exactly as its pieces
// build it (double blanks included, a leading blank for 101 to 199) and printed vouchers show it
// unchanged. The amount is taken rounded to the cent. Amounts below 0.01 or above 4294967295.99
// throw std::range_error with the message "<amount> Valor fora da faixa 0.01..4.29497e+09".
QString amountInWords(double amount);

}  // namespace Routines
