#pragma once

#include <QList>
#include <QtGlobal>

#include <utility>

// A small seeded generator (splitmix64) whose sequence is the same on every platform and
// compiler, unlike the distributions of <random>; the demo catalogue must come out
// byte-identical for the same seed.
class DemoRandom
{
public:
    explicit DemoRandom(quint64 seed)
        : m_state(seed)
    {
    }

    // A generator for one part of the catalogue (one data sheet, say), independent of how
    // many numbers other parts drew, so the parts can be made in any order or in parallel.
    static DemoRandom forPart(quint64 seed, quint64 part)
    {
        DemoRandom mixer(seed ^ (part * 0x9E3779B97F4A7C15ull));
        return DemoRandom(mixer.next());
    }

    quint64 next()
    {
        quint64 z = (m_state += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }

    // 0 <= result < n; the bias of the modulo is far below anything the demo could show.
    int below(int n) { return n <= 1 ? 0 : int(next() % quint64(n)); }
    // from <= result <= to
    int between(int from, int to) { return from + below(to - from + 1); }
    // 0 <= result < 1
    double unit() { return double(next() >> 11) * (1.0 / 9007199254740992.0); }
    double between(double from, double to) { return from + unit() * (to - from); }
    bool chance(double probability) { return unit() < probability; }

    template<typename T>
    const T &pick(const QList<T> &items)
    {
        return items[below(int(items.size()))];
    }

    // An index drawn with the given relative weights (all >= 0, not all 0).
    int weighted(const QList<int> &weights)
    {
        int total = 0;
        for (int w : weights)
            total += w;
        int r = below(total);
        for (int i = 0; i < weights.size(); ++i) {
            if (r < weights[i])
                return i;
            r -= weights[i];
        }
        return int(weights.size()) - 1;
    }

    // Fisher-Yates over any container with size() and operator[].
    template<typename Container>
    void shuffle(Container &items)
    {
        for (qsizetype i = qsizetype(items.size()) - 1; i > 0; --i)
            std::swap(items[i], items[below(int(i + 1))]);
    }

private:
    quint64 m_state;
};
