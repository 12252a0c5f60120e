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

    double min() const
    {
        return m_values.empty() ? 0 : *std::min_element(m_values.begin(), m_values.end());
    }

    double median() const
    {
        const std::vector<double> v = sorted();
        if (v.empty())
            return 0;
        const std::size_t middle = v.size() / 2;
        return v.size() % 2 ? v[middle] : (v[middle - 1] + v[middle]) / 2;
    }

    // "min 1.2 / median 1.5 / max 3.0 <unit> (n runs)"
    QString summary(const char *unit, int decimals = 1) const
    {
        const std::vector<double> v = sorted();
        return QStringLiteral("min %1 / median %2 / max %3 %4 (%5 runs)")
            .arg(v.empty() ? 0 : v.front(), 0, 'f', decimals)
            .arg(median(), 0, 'f', decimals)
            .arg(v.empty() ? 0 : v.back(), 0, 'f', decimals)
            .arg(QString::fromLatin1(unit))
            .arg(v.size());
    }

private:
    std::vector<double> sorted() const
    {
        std::vector<double> v = m_values;
        std::sort(v.begin(), v.end());
        return v;
    }

    std::vector<double> m_values;
};
