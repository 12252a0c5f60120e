#pragma once

#include <QByteArrayView>

// Reads an optionally signed decimal whole number that fits into 32 bits, with blanks
// before it and nothing after it. Hexadecimal forms are not numbers here.
bool parseDecimalInt32(QByteArrayView text, qint32 &value);
