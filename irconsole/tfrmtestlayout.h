#ifndef TFRMTESTLAYOUT_H
#define TFRMTESTLAYOUT_H

// Geometry of the main form's client area, in pixels. The client area is
// 619 x 526 and scrolls to reach the chart area below the grid.

#include <QRect>

namespace FrmLayout {

constexpr int kClientWidth = 619;
constexpr int kClientHeight = 526;

inline QRect connectPanel()
{
    return {404, 2, 108, 25};
} // Panel2
inline QRect exitPanel()
{
    return {516, 2, 100, 25};
} // Panel3
inline QRect display()
{
    return {2, 30, 615, 289};
} // Panel4
inline QRect recordBar()
{
    return {1, 321, 617, 27};
} // between display and grid
inline QRect grid()
{
    return {1, 349, 617, 177};
} // DBGrid1
inline QRect chart()
{
    return {2, 530, 361, 209};
} // Chtshow
inline QRect chartBar()
{
    return {366, 530, 251, 209};
} // the chart's own buttons

constexpr int kContentHeight = 743; // the scrolled content: down to the chart's bottom

} // namespace FrmLayout

#endif // TFRMTESTLAYOUT_H
