#pragma once

#include <QString>

#include <algorithm>
#include <vector>

// Repeated measurements of one thing, reported as minimum, median and maximum.
class Samples
{
public:
    void add(double value) { m_values.push_back(value); }
    bool isEmpty() const { return m_values.empty(); }

    // "min 1.2 / median 1.5 / max 3.0 <unit> (n runs)"
    QString summary(const char *unit, int decimals = 1) const
    {
        std::vector<double> v = m_values;
        std::sort(v.begin(), v.end());
        const double median =
            v.empty()
                ? 0
                : (v.size() % 2 ? v[v.size() / 2] : (v[v.size() / 2 - 1] + v[v.size() / 2]) / 2);
        return QStringLiteral("min %1 / median %2 / max %3 %4 (%5 runs)")
            .arg(v.empty() ? 0 : v.front(), 0, 'f', decimals)
            .arg(median, 0, 'f', decimals)
            .arg(v.empty() ? 0 : v.back(), 0, 'f', decimals)
            .arg(QString::fromLatin1(unit))
            .arg(v.size());
    }

private:
    std::vector<double> m_values;
};
