#pragma once

struct sqlite3;

// What SQLite's full-text index FTS5 needs for the search's matching rules, registered on a
// connection before the index is used:
// - the tokenizer "kbfold": SQLite's unicode61 (letters and digits make words, case and
//   accents do not count) on the text with ä, ö, ü, ß written as ae, oe, ue, ss, so that
//   either spelling finds the other; offsets stay those of the original text;
// - kbinfo(table): "hits \x1f page \x1f excerpt" of a matching row: the number of matched
//   places, the page (from 0, pages are separated by "\f") of the first one, and the text
//   around it with every matched word between \x01 and \x02;
// - kbplaces(table): every distinct matched text of the row, one per line, blanks and line
//   breaks written as one blank.
namespace Fts5Extension {

// False when this SQLite has no FTS5.
[[nodiscard]] bool registerOn(sqlite3 *db);

inline constexpr char TokenizerName[] = "kbfold";
inline constexpr char FieldSeparator = '\x1f';
inline constexpr char HitStart = '\x01';
inline constexpr char HitEnd = '\x02';
inline constexpr char PageSeparator = '\f';

} // namespace Fts5Extension
