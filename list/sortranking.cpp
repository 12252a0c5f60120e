#include "list/sortranking.h"

#include "catalogue/tkennblattliste.h"
#include "list/sortorder.h"
#include "platform/textrules.h"

#include <QHash>

#include <algorithm>
#include <numeric>

namespace {

// The first eight upper-cased bytes of a text as a big-endian number, zero-padded. For texts
// of at most eight bytes, (number, length) orders exactly as the texts do.
quint64 prefixOf(QByteArrayView text)
{
    quint64 value = 0;
    for (qsizetype b = 0; b < 8; ++b) {
        const char c = b < text.size() ? TextRules::upperAscii(text[b]) : '\0';
        value = (value << 8) | static_cast<unsigned char>(c);
    }
    return value;
}

// Texts that all fit the eight-byte key (numbers, lookup keys, the change mark): sort the
// keys, then number the distinct ones.
quint32 rankShortTexts(const std::vector<QByteArrayView> &texts, std::vector<quint32> &rank)
{
    struct Key
    {
        quint64 prefix;
        quint32 length;
        quint32 record;
        bool operator<(const Key &other) const
        {
            return prefix != other.prefix ? prefix < other.prefix : length < other.length;
        }
        bool sameText(const Key &other) const
        {
            return prefix == other.prefix && length == other.length;
        }
    };
    std::vector<Key> keys(texts.size());
    for (std::size_t i = 0; i < texts.size(); ++i)
        keys[i] = {prefixOf(texts[i]), quint32(texts[i].size()), quint32(i)};
    std::sort(keys.begin(), keys.end());
    quint32 ranks = 0;
    for (std::size_t i = 0; i < keys.size(); ++i) {
        if (i > 0 && !keys[i - 1].sameText(keys[i]))
            ++ranks;
        rank[keys[i].record] = ranks;
    }
    return keys.empty() ? 0 : ranks + 1;
}

// Longer texts (brands): many records share one, so the distinct texts are ranked once.
quint32 rankLongTexts(const std::vector<QByteArrayView> &texts, std::vector<quint32> &rank)
{
    QHash<QByteArrayView, quint32> idOf;
    idOf.reserve(qsizetype(texts.size()) / 4);
    std::vector<QByteArrayView> distinct;
    for (std::size_t i = 0; i < texts.size(); ++i) {
        auto it = idOf.constFind(texts[i]);
        if (it == idOf.cend()) {
            it = idOf.insert(texts[i], quint32(distinct.size()));
            distinct.push_back(texts[i]);
        }
        rank[i] = *it; // the text's id for now
    }
    std::vector<std::pair<quint64, quint32>> byText(distinct.size());
    for (std::size_t id = 0; id < distinct.size(); ++id)
        byText[id] = {prefixOf(distinct[id]), quint32(id)};
    const auto compare = [&distinct](const auto &a, const auto &b) {
        if (a.first != b.first)
            return a.first < b.first ? -1 : 1;
        return TextRules::compareUpperAscii(distinct[a.second], distinct[b.second]);
    };
    std::sort(byText.begin(), byText.end(),
              [&compare](const auto &a, const auto &b) { return compare(a, b) < 0; });
    std::vector<quint32> rankOfId(distinct.size());
    quint32 ranks = 0;
    for (std::size_t r = 0; r < byText.size(); ++r) {
        if (r > 0 && compare(byText[r - 1], byText[r]) != 0)
            ++ranks;
        rankOfId[byText[r].second] = ranks;
    }
    for (quint32 &r : rank)
        r = rankOfId[r];
    return distinct.empty() ? 0 : ranks + 1;
}

} // namespace

SortRanking::SortRanking(const TKennblattListe &catalogue, int column)
    : m_column(column)
    , m_rank(std::size_t(catalogue.Count()))
{
    std::vector<QByteArrayView> texts(m_rank.size());
    bool allShort = true;
    for (std::size_t i = 0; i < texts.size(); ++i) {
        texts[i] = rowText(catalogue.Get(qint32(i)), column);
        allShort = allShort && texts[i].size() <= 8;
    }
    m_ranks = allShort ? rankShortTexts(texts, m_rank) : rankLongTexts(texts, m_rank);
}

const std::vector<qint32> &SortRanking::order(bool ascending) const
{
    std::vector<qint32> &order = ascending ? m_ascending : m_descending;
    if (order.size() == m_rank.size())
        return order;
    // A stable counting sort by rank keeps catalogue order within equal texts.
    std::vector<qint32> start(std::size_t(m_ranks) + 1, 0);
    const auto bucket = [&](quint32 rank) {
        return ascending ? rank : m_ranks - 1 - rank;
    };
    for (quint32 rank : m_rank)
        ++start[bucket(rank) + 1];
    std::partial_sum(start.begin(), start.end(), start.begin());
    order.resize(m_rank.size());
    for (std::size_t record = 0; record < m_rank.size(); ++record)
        order[std::size_t(start[bucket(m_rank[record])]++)] = qint32(record);
    return order;
}
