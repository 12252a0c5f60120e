#include "list/recordrestriction.h"

using namespace Qt::StringLiterals;

QString RecordRestriction::description() const
{
    // The form of the column filters' entries, "Marke = 'Fox'".
    return u"Volltext = '"_s + query + u'\'';
}
