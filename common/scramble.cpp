#include "common/scramble.h"

namespace Scramble {
namespace {

// Unicode code points of the bytes 0x80..0x9F of Windows-1252; the five unassigned bytes map to the
// control characters of the same value so that every byte survives a round trip.
constexpr char16_t kHigh[32] = {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
                                0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
                                0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

}  // namespace

QChar fromCp1252(unsigned char b) {
  if (b >= 0x80 && b <= 0x9F) return QChar(kHigh[b - 0x80]);
  return QChar(char16_t(b));
}

unsigned char toCp1252(QChar c) {
  const char16_t u = c.unicode();
  if (u < 0x80 || (u >= 0xA0 && u <= 0xFF)) return static_cast<unsigned char>(u);
  for (int i = 0; i < 32; ++i)
    if (kHigh[i] == u) return static_cast<unsigned char>(0x80 + i);
  return '?';  // not representable in Windows-1252, as the single-byte text would store it
}

QString scramble(const QString &text, const QString &key, const QString &mode) {
  Q_UNUSED(mode);  // every caller scrambles ("cript"); no screen turns a password back
  const int keyLength = key.size();
  QString out;
  out.reserve(text.size());
  for (int i = 1; i <= text.size(); ++i) {
    int k = keyLength > 0 ? i % keyLength : 0;
    if (k == 0) k = keyLength;
    const int code = toCp1252(text.at(i - 1));
    out.append(fromCp1252(static_cast<unsigned char>((code - (k + 7)) & 0xFF)));
  }
  return out;
}

}  // namespace Scramble
