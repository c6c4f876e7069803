#ifndef PLOTVALUERANGE_H
#define PLOTVALUERANGE_H

#include <QtGlobal>

#include <cmath>

class QCPGraph;

// Smallest and largest value of a graph's points, NaN values left out, kept
// up to date as points are appended so that the automatic view needs no scan
// of the whole curve after every reading. `points` counts every point
// appended (NaN included) so a caller can tell when the graph was changed
// behind the tracker's back and a rebuild is due.
class PlotValueRange
{
public:
    void reset()
    {
        m_points = 0;
        m_found = false;
        m_lower = m_upper = 0.0;
    }

    void add(double value)
    {
        ++m_points;
        if (std::isnan(value))
            return;
        if (!m_found) {
            m_lower = m_upper = value;
            m_found = true;
        } else if (value < m_lower) {
            m_lower = value;
        } else if (value > m_upper) {
            m_upper = value;
        }
    }

    // Recounts the graph's points, for use after a reload or any change that
    // did not go through add().
    void rebuild(const QCPGraph *graph);

    int points() const { return m_points; }
    bool found() const { return m_found; }
    double lower() const { return m_lower; }
    double upper() const { return m_upper; }

private:
    int m_points = 0;
    bool m_found = false;
    double m_lower = 0.0;
    double m_upper = 0.0;
};

#endif // PLOTVALUERANGE_H
