#include "search/searchquery.h"

#include <QStringList>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace SearchQuery {

namespace {

bool searchable(QStringView term)
{
    return std::any_of(term.begin(), term.end(), [](QChar c) { return c.isLetterOrNumber(); });
}

void addTerm(QStringList &terms, QStringView term, bool phrase)
{
    if (!searchable(term))
        return;
    // Inside a string only the quote itself needs escaping, by doubling.
    const QString quoted = u'"' + term.toString().replace(u'"', u"\"\""_s) + u'"';
    terms.append(phrase ? quoted : quoted + u'*');
}

} // namespace

QString matchExpression(const QString &input)
{
    // In the index's form: a typed "a" with a combining diaeresis is "ä".
    const QString text = input.normalized(QString::NormalizationForm_KC);
    QStringList terms;
    qsizetype at = 0;
    while (at < text.size()) {
        if (text.at(at).isSpace()) {
            ++at;
            continue;
        }
        if (text.at(at) == u'"') {
            const qsizetype close = text.indexOf(u'"', at + 1);
            const qsizetype end = close < 0 ? text.size() : close;
            addTerm(terms, QStringView(text).mid(at + 1, end - at - 1), true);
            at = end + 1;
            continue;
        }
        qsizetype end = at;
        while (end < text.size() && !text.at(end).isSpace() && text.at(end) != u'"')
            ++end;
        addTerm(terms, QStringView(text).mid(at, end - at), false);
        at = end;
    }
    return terms.join(u' ');
}

} // namespace SearchQuery
