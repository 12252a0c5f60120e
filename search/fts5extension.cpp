#include "search/fts5extension.h"

#include <sqlite3.h>

#include <algorithm>
#include <climits>
#include <memory>
#include <set>
#include <string>
#include <vector>

namespace Fts5Extension {

namespace {

// Words shown around the first hit in an excerpt.
constexpr int WordsBefore = 6;
constexpr int WordsAfter = 14;

using TokenCallback = int (*)(void *context, int flags, const char *token, int tokenSize, int start,
                              int end);

// `text` with the German special letters spelt out; origin[i] is the offset in `text` of the
// character that gave byte i of the result, origin[result size] the size of `text`.
void fold(const char *text, int size, std::string &out, std::vector<int> &origin)
{
    out.clear();
    origin.clear();
    out.reserve(std::size_t(size) + 16);
    origin.reserve(std::size_t(size) + 17);
    for (int i = 0; i < size;) {
        const auto byte = [&](int at) {
            return at < size ? static_cast<unsigned char>(text[at]) : 0;
        };
        const char *spelt = nullptr;
        int length = 1;
        if (byte(i) == 0xC3) {
            length = 2;
            switch (byte(i + 1)) {
            case 0xA4:
                spelt = "ae";
                break;
            case 0x84:
                spelt = "Ae";
                break;
            case 0xB6:
                spelt = "oe";
                break;
            case 0x96:
                spelt = "Oe";
                break;
            case 0xBC:
                spelt = "ue";
                break;
            case 0x9C:
                spelt = "Ue";
                break;
            case 0x9F:
                spelt = "ss";
                break;
            default:
                break;
            }
        } else if (byte(i) == 0xE1 && byte(i + 1) == 0xBA && byte(i + 2) == 0x9E) {
            length = 3;
            spelt = "SS"; // capital sharp s
        }
        if (spelt == nullptr) {
            out.push_back(text[i]);
            origin.push_back(i);
            ++i;
            continue;
        }
        for (; *spelt != '\0'; ++spelt) {
            out.push_back(*spelt);
            origin.push_back(i);
        }
        i += length;
    }
    origin.push_back(size);
}

// The registration's data: SQLite's own unicode61 tokenizer, which does the real work.
struct Module
{
    fts5_tokenizer unicode{};
    void *unicodeData = nullptr;
};

struct FoldingTokenizer
{
    fts5_tokenizer unicode{};
    Fts5Tokenizer *inner = nullptr;
};

struct Forward
{
    void *context;
    TokenCallback token;
    const std::vector<int> *origin;
};

int createTokenizer(void *moduleData, const char **, int, Fts5Tokenizer **out)
{
    const auto *module = static_cast<const Module *>(moduleData);
    auto tokenizer = std::make_unique<FoldingTokenizer>();
    tokenizer->unicode = module->unicode;
    const char *arguments[] = {"remove_diacritics", "2"};
    const int code = module->unicode.xCreate(module->unicodeData, arguments, 2, &tokenizer->inner);
    if (code != SQLITE_OK)
        return code;
    *out = reinterpret_cast<Fts5Tokenizer *>(tokenizer.release());
    return SQLITE_OK;
}

void deleteTokenizer(Fts5Tokenizer *instance)
{
    auto *tokenizer = reinterpret_cast<FoldingTokenizer *>(instance);
    tokenizer->unicode.xDelete(tokenizer->inner);
    delete tokenizer;
}

int tokenize(Fts5Tokenizer *instance, void *context, int flags, const char *text, int size,
             TokenCallback token)
{
    auto *tokenizer = reinterpret_cast<FoldingTokenizer *>(instance);
    std::string folded;
    std::vector<int> origin;
    fold(text, size, folded, origin);
    Forward forward{context, token, &origin};
    return tokenizer->unicode.xTokenize(
        tokenizer->inner, &forward, flags, folded.data(), int(folded.size()),
        [](void *data, int tokenFlags, const char *word, int wordSize, int start, int end) {
            const auto *f = static_cast<const Forward *>(data);
            return f->token(f->context, tokenFlags, word, wordSize,
                            (*f->origin)[std::size_t(start)], (*f->origin)[std::size_t(end)]);
        });
}

struct Span
{
    int start;
    int end;
};

// The byte spans of the row's words from word `from` on, up to `to` (exclusive).
struct Words
{
    int from = 0;
    int to = INT_MAX;
    int index = 0;
    std::vector<Span> spans;
};

int collectWord(void *data, int flags, const char *, int, int start, int end)
{
    auto *words = static_cast<Words *>(data);
    if (flags & FTS5_TOKEN_COLOCATED)
        return SQLITE_OK;
    if (words->index >= words->from)
        words->spans.push_back({start, end});
    return ++words->index >= words->to ? SQLITE_DONE : SQLITE_OK;
}

// The first and last word of each matched place in column 0.
std::vector<std::pair<int, int>> matchedPlaces(const Fts5ExtensionApi *api, Fts5Context *fts)
{
    int count = 0;
    std::vector<std::pair<int, int>> places;
    if (api->xInstCount(fts, &count) != SQLITE_OK)
        return places;
    for (int i = 0; i < count; ++i) {
        int phrase = 0;
        int column = 0;
        int offset = 0;
        if (api->xInst(fts, i, &phrase, &column, &offset) == SQLITE_OK && column == 0)
            places.emplace_back(offset, offset + std::max(1, api->xPhraseSize(fts, phrase)) - 1);
    }
    return places;
}

bool readWords(const Fts5ExtensionApi *api, Fts5Context *fts, Words &words, const char **text,
               int *size)
{
    if (api->xColumnText(fts, 0, text, size) != SQLITE_OK || *text == nullptr)
        return false;
    const int code = api->xTokenize(fts, *text, *size, &words, collectWord);
    return code == SQLITE_OK || code == SQLITE_DONE;
}

bool isBlank(char c)
{
    return c == ' ' || c == '\n' || c == '\r' || c == '\t' || c == PageSeparator;
}

// Appends text between two words, every run of blanks and line breaks as one blank.
void appendGap(std::string &out, const char *from, const char *to)
{
    bool blank = false;
    for (const char *c = from; c < to; ++c) {
        if (isBlank(*c)) {
            blank = true;
            continue;
        }
        if (blank && !out.empty())
            out.push_back(' ');
        blank = false;
        out.push_back(*c);
    }
    if (blank && !out.empty())
        out.push_back(' ');
}

void hitInfo(const Fts5ExtensionApi *api, Fts5Context *fts, sqlite3_context *result, int,
             sqlite3_value **)
{
    const std::vector<std::pair<int, int>> places = matchedPlaces(api, fts);
    std::string out = std::to_string(places.size()) + FieldSeparator;
    int first = INT_MAX;
    for (const auto &place : places)
        first = std::min(first, place.first);
    Words words;
    words.from = std::max(0, first - WordsBefore);
    // One word more than shown tells whether the text goes on.
    words.to = first == INT_MAX ? 0 : first + WordsAfter + 2;
    const char *text = nullptr;
    int size = 0;
    if (places.empty() || !readWords(api, fts, words, &text, &size) ||
        std::size_t(first - words.from) >= words.spans.size()) {
        out += "0";
        out += FieldSeparator;
        sqlite3_result_text(result, out.data(), int(out.size()), SQLITE_TRANSIENT);
        return;
    }
    const int firstStart = words.spans[std::size_t(first - words.from)].start;
    out += std::to_string(std::count(text, text + firstStart, PageSeparator)) + FieldSeparator;
    const bool more = int(words.spans.size()) == words.to - words.from;
    if (more)
        words.spans.pop_back();
    if (words.from > 0)
        out += "… ";
    int previous = words.spans.front().start;
    for (std::size_t i = 0; i < words.spans.size(); ++i) {
        const Span span = words.spans[i];
        const int word = words.from + int(i);
        const bool hit = std::any_of(places.begin(), places.end(), [word](const auto &place) {
            return word >= place.first && word <= place.second;
        });
        appendGap(out, text + previous, text + span.start);
        if (hit)
            out.push_back(HitStart);
        out.append(text + span.start, std::size_t(span.end - span.start));
        if (hit)
            out.push_back(HitEnd);
        previous = span.end;
    }
    // The punctuation after the last word, up to the next blank.
    while (previous < size && !isBlank(text[previous]))
        out.push_back(text[previous++]);
    if (more)
        out += " …";
    sqlite3_result_text(result, out.data(), int(out.size()), SQLITE_TRANSIENT);
}

void hitPlaces(const Fts5ExtensionApi *api, Fts5Context *fts, sqlite3_context *result, int,
               sqlite3_value **)
{
    const std::vector<std::pair<int, int>> places = matchedPlaces(api, fts);
    Words words;
    for (const auto &place : places)
        words.to = words.to == INT_MAX ? place.second + 1 : std::max(words.to, place.second + 1);
    const char *text = nullptr;
    int size = 0;
    std::set<std::string> distinct;
    if (!places.empty() && readWords(api, fts, words, &text, &size)) {
        for (const auto &[first, last] : places) {
            if (std::size_t(last) >= words.spans.size())
                continue;
            std::string place;
            appendGap(place, text + words.spans[std::size_t(first)].start,
                      text + words.spans[std::size_t(last)].end);
            distinct.insert(place);
        }
    }
    std::string out;
    for (const std::string &place : distinct) {
        if (!out.empty())
            out.push_back('\n');
        out += place;
    }
    sqlite3_result_text(result, out.data(), int(out.size()), SQLITE_TRANSIENT);
}

fts5_api *fts5Of(sqlite3 *db)
{
    fts5_api *api = nullptr;
    sqlite3_stmt *statement = nullptr;
    if (sqlite3_prepare_v2(db, "SELECT fts5(?1)", -1, &statement, nullptr) == SQLITE_OK) {
        sqlite3_bind_pointer(statement, 1, static_cast<void *>(&api), "fts5_api_ptr", nullptr);
        sqlite3_step(statement);
    }
    sqlite3_finalize(statement);
    return api;
}

} // namespace

bool registerOn(sqlite3 *db)
{
    fts5_api *api = fts5Of(db);
    if (api == nullptr)
        return false;
    auto module = std::make_unique<Module>();
    if (api->xFindTokenizer(api, "unicode61", &module->unicodeData, &module->unicode) != SQLITE_OK)
        return false;
    fts5_tokenizer folding{createTokenizer, deleteTokenizer, tokenize};
    if (api->xCreateTokenizer(api, TokenizerName, module.get(), &folding,
                              [](void *data) { delete static_cast<Module *>(data); }) != SQLITE_OK)
        return false;
    module.release();
    return api->xCreateFunction(api, "kbinfo", nullptr, hitInfo, nullptr) == SQLITE_OK &&
           api->xCreateFunction(api, "kbplaces", nullptr, hitPlaces, nullptr) == SQLITE_OK;
}

} // namespace Fts5Extension
