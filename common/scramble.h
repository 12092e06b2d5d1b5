#pragma once

#include <QString>

// The password scramble stored in usuarios.senha. Every character moves down by k + 7 byte codes of its
// Windows-1252 form, k running 1..15 over the positions; only the key's length takes part.
namespace Scramble {

// The key the program passes; its letters are never used, only its length.
inline constexpr const char *kKey = "VELMORACORRETOR";

QString scramble(const QString &text, const QString &key = QString::fromLatin1(kKey),
                 const QString &mode = QStringLiteral("cript"));

// Windows-1252 conversions of one byte, shared with whatever else stores single-byte texts.
unsigned char toCp1252(QChar c);
QChar fromCp1252(unsigned char b);

}  // namespace Scramble
