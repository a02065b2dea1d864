#include "documentcontent.h"

#include "pagesetup.h"

#include <algorithm>

namespace pondra {

int Paragraph::styleAt(int position) const
{
    const auto after = std::upper_bound(spans.begin(), spans.end(), position,
                                        [](int p, const StyleSpan& span) { return p < span.start; });
    return after == spans.begin() ? markStyle : std::prev(after)->style;
}

double Paragraph::chartHeight() const
{
    return evaluationChartHeight(points(TextWidthTwips), int(chart.size()));
}

void Paragraph::append(const QString& more, int style)
{
    if (more.isEmpty()) {
        return;
    }
    if (spans.empty() || spans.back().style != style) {
        spans.push_back({int(text.size()), style});
    }
    text += more;
}

int DocumentContent::styleIndex(const TextStyle& style)
{
    const auto found = std::find(styles.begin(), styles.end(), style);
    if (found != styles.end()) {
        return int(found - styles.begin());
    }
    styles.push_back(style);
    return int(styles.size() - 1);
}

} // namespace pondra
