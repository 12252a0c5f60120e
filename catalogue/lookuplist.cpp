#include "catalogue/lookuplist.h"

#include "platform/cp1252.h"

#include <QString>

void LookupList::Add(QByteArrayView key, QByteArrayView name)
{
    m_lines.append(key.toByteArray() + '=' + name.toByteArray());
}

QByteArray LookupList::NameOf(QByteArrayView key) const
{
    const QString wanted = Cp1252::toUnicode(key);
    for (auto it = m_lines.crbegin(); it != m_lines.crend(); ++it) {
        const qsizetype equals = it->indexOf('=');
        if (Cp1252::toUnicode(QByteArrayView(*it).first(equals))
                .compare(wanted, Qt::CaseInsensitive) == 0) {
            return it->mid(equals + 1);
        }
    }
    return {};
}
