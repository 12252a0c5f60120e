#pragma once

#include <QString>

// What the user types into the search line, as a query of the full-text index (FTS5 syntax):
// every word must occur, as a word or the start of one (S355 finds S355J2); a text in double
// quotes must occur as it stands, word for word (an open quote runs to the end). Letter case,
// blanks, line breaks and the spelling of ä, ö, ü, ß as ae, oe, ue, ss are the index's
// tokenizer's matter (Fts5Extension). Empty when the text holds nothing to search for.
namespace SearchQuery {

QString matchExpression(const QString &input);

} // namespace SearchQuery
