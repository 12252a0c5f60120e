#pragma once

#include <QtEndian>

// Jet keeps its numbers little-endian, at any byte offset.
namespace JetBytes {

inline quint16 u16(const unsigned char *p)
{
    return qFromLittleEndian<quint16>(p);
}

inline quint32 u32(const unsigned char *p)
{
    return qFromLittleEndian<quint32>(p);
}

} // namespace JetBytes
