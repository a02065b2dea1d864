#include "pagelayout.h"

#include "pagesetup.h"

#include "model/textrules.h"

#include <algorithm>
#include <numeric>

namespace pondra {

namespace {

constexpr double Epsilon = 1e-6;

bool isWordCharacter(char32_t c)
{
    return QChar::isLetterOrNumber(c);
}

char32_t codePointAt(const QString& text, int i, int* length)
{
    const QChar c = text.at(i);
    if (c.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()) {
        *length = 2;
        return QChar::surrogateToUcs4(c, text.at(i + 1));
    }
    *length = 1;
    return c.unicode();
}

// Walks a paragraph's characters with their styles.
class StyledText {
public:
    StyledText(const Paragraph& paragraph) : m_p(paragraph) {}

    int styleAt(int i)
    {
        const auto& spans = m_p.spans;
        while (m_span + 1 < spans.size() && spans[m_span + 1].start <= i) {
            ++m_span;
        }
        return spans.empty() ? m_p.markStyle : spans[m_span].style;
    }

private:
    const Paragraph& m_p;
    std::size_t m_span = 0;
};

} // namespace

double cellTextWidth(double columnWidth)
{
    return std::max(0.0, columnWidth - 2 * points(CellPaddingTwips));
}

TextMeasurer::TextMeasurer(const DocumentContent& content) : m_content(content), m_typefaces(content.families)
{
}

Typeface& TextMeasurer::typeface(int style)
{
    return m_typefaces.get(m_content.style(style).bold);
}

double TextMeasurer::lineHeight(int style)
{
    return typeface(style).lineSpacing() * size(style);
}

double TextMeasurer::baseline(int style)
{
    return typeface(style).baseline() * size(style);
}

std::vector<TextLine> TextMeasurer::lines(const Paragraph& p, double width)
{
    std::vector<TextLine> out;
    const QString& text = p.text;
    const int n = int(text.size());
    const bool justify = p.alignment == ParagraphAlignment::Justify;

    int lineStart = 0;
    double x = 0;
    int contentEnd = 0;
    double widthAtContentEnd = 0;
    int breakAt = -1;
    int endAtBreak = 0;
    double widthAtBreak = 0;
    double xAtBreak = 0;
    StyledText styles(p);

    auto emit = [&](int end, double lineWidth, int next, bool stretched) {
        TextLine line;
        line.start = lineStart;
        line.end = std::max(end, lineStart);
        line.next = next;
        line.width = lineWidth;
        line.justified = stretched && justify;
        StyledText lineStyles(p);
        const int last = std::max(next, lineStart + 1);
        for (int i = lineStart; i < std::min(last, n);) {
            const int style = lineStyles.styleAt(i);
            line.height = std::max(line.height, lineHeight(style));
            line.baseline = std::max(line.baseline, baseline(style));
            // Jump to the next style.
            auto nextSpan = std::upper_bound(p.spans.begin(), p.spans.end(), i,
                                             [](int pos, const StyleSpan& s) { return pos < s.start; });
            i = nextSpan == p.spans.end() ? n : nextSpan->start;
        }
        if (line.height == 0) {
            line.height = lineHeight(p.markStyle);
            line.baseline = baseline(p.markStyle);
        }
        out.push_back(line);
        lineStart = next;
        contentEnd = next;
        widthAtContentEnd = 0;
        x = 0;
        breakAt = -1;
    };

    for (int i = 0; i < n;) {
        int length = 1;
        const char32_t c = codePointAt(text, i, &length);
        if (c == QChar::LineSeparator) {
            emit(contentEnd, widthAtContentEnd, i + length, false);
            i += length;
            continue;
        }
        const int style = styles.styleAt(i);
        const double advance = typeface(style).advance(c) * size(style);
        if (isBlank(c)) {
            x += advance;
            i += length;
            continue;
        }
        if (i > lineStart) {
            const char32_t before = text.at(i - 1).unicode();
            const bool afterBlank = isBlank(before);
            const bool afterHyphen = before == u'-' && i - 2 >= lineStart &&
                                     isWordCharacter(text.at(i - 2).unicode()) && isWordCharacter(c);
            if (afterBlank || afterHyphen) {
                breakAt = i;
                endAtBreak = contentEnd;
                widthAtBreak = widthAtContentEnd;
                xAtBreak = x;
            }
        }
        if (x + advance > width + Epsilon && contentEnd > lineStart) {
            if (breakAt > lineStart) {
                // The word under way moves to the new line whole.
                const double carried = x - xAtBreak;
                emit(endAtBreak, widthAtBreak, breakAt, true);
                x = carried;
                contentEnd = i;
                widthAtContentEnd = x;
            } else {
                // A word wider than the line breaks where it must.
                emit(contentEnd, widthAtContentEnd, i, true);
            }
        }
        x += advance;
        i += length;
        contentEnd = i;
        widthAtContentEnd = x;
    }
    emit(contentEnd, widthAtContentEnd, n, false);
    return out;
}

double TextMeasurer::height(const Paragraph& paragraph, double width)
{
    double total = 0;
    for (const TextLine& line : lines(paragraph, width)) {
        total += line.height;
    }
    return total;
}

double TextMeasurer::width(const Paragraph& p, int from, int to)
{
    StyledText styles(p);
    double total = 0;
    for (int i = std::max(0, from); i < std::min(to, int(p.text.size()));) {
        int length = 1;
        const char32_t c = codePointAt(p.text, i, &length);
        const int style = styles.styleAt(i);
        total += typeface(style).advance(c) * size(style);
        i += length;
    }
    return total;
}

void TextMeasurer::extent(const Paragraph& p, double* widestWord, double* oneLine)
{
    const QString& text = p.text;
    const int n = int(text.size());
    StyledText styles(p);
    double line = 0;
    double lineContent = 0;
    double word = 0;
    double widest = 0;
    double longest = 0;
    for (int i = 0; i < n;) {
        int length = 1;
        const char32_t c = codePointAt(text, i, &length);
        if (c == QChar::LineSeparator) {
            longest = std::max(longest, lineContent);
            line = lineContent = word = 0;
            i += length;
            continue;
        }
        const int style = styles.styleAt(i);
        const double advance = typeface(style).advance(c) * size(style);
        line += advance;
        if (isBlank(c)) {
            word = 0;
        } else {
            if (i > 0 && text.at(i - 1) == u'-' && isWordCharacter(c)) {
                word = 0;
            }
            word += advance;
            lineContent = line;
            widest = std::max(widest, word);
        }
        i += length;
    }
    *widestWord = widest;
    *oneLine = std::max(longest, lineContent);
}

namespace {

// One thing the pages are filled with, in order: a line of a paragraph or a row of a table.
struct Item {
    int block = 0;
    int index = 0;
    double height = 0;
    // The page may not end after it.
    bool keepWithNext = false;
    // Kept with the next within its own block (the lines of a short paragraph end, a small
    // table's rows): a chain of keeps longer than a page still never breaks there.
    bool holdsNext = false;
    bool breakBefore = false;
    // The line of an empty paragraph: where it would start a page of its own for nothing more
    // than blank lines before a page break or the end, it is left out.
    bool blank = false;
    // A table row past the header rows, which a new page shows again above it.
    bool continuesTable = false;
};

class Paginator {
public:
    explicit Paginator(PagedDocument& d) : m_d(d) {}

    void run()
    {
        collect();
        m_d.pages.clear();
        m_page.clear();
        m_y = points(PageMarginTwips);
        const std::size_t n = m_items.size();
        for (std::size_t i = 0; i < n;) {
            const Item& item = m_items[i];
            if (item.breakBefore && !m_page.empty()) {
                newPage();
            }
            if (item.blank && !fits(item.height) && onlyBlanksUntilBreak(i)) {
                // Blank lines that would make a page of their own are left out.
                ++i;
                while (i < n && m_items[i].blank && !m_items[i].breakBefore) {
                    ++i;
                }
                continue;
            }
            std::size_t last = i;
            while (m_items[last].keepWithNext && last + 1 < n && !m_items[last + 1].breakBefore) {
                ++last;
            }
            double height = 0;
            for (std::size_t k = i; k <= last; ++k) {
                height += m_items[k].height;
            }
            const double header = item.continuesTable ? headerHeight(item.block) : 0;
            if (!fits(height + (m_page.empty() ? header : 0))) {
                if (!m_page.empty() && height + header <= bodyHeight() + Epsilon) {
                    newPage();
                } else {
                    // Longer than a page: it breaks between its blocks, never inside a paragraph or
                    // a small table.
                    placeLongChain(i, last);
                    i = last + 1;
                    continue;
                }
            }
            for (std::size_t k = i; k <= last; ++k) {
                place(k);
            }
            i = last + 1;
        }
        if (!m_page.empty() || m_d.pages.empty()) {
            m_d.pages.push_back(std::move(m_page));
        }
    }

private:
    static double bodyHeight() { return points(TextHeightTwips); }
    static double bottom() { return points(PageMarginTwips + TextHeightTwips); }

    bool fits(double height) const { return m_y + height <= bottom() + Epsilon; }

    void newPage()
    {
        m_d.pages.push_back(std::move(m_page));
        m_page.clear();
        m_y = points(PageMarginTwips);
    }

    bool onlyBlanksUntilBreak(std::size_t i) const
    {
        for (std::size_t k = i; k < m_items.size(); ++k) {
            if (k > i && m_items[k].breakBefore) {
                return true;
            }
            if (!m_items[k].blank) {
                return false;
            }
        }
        return true;
    }

    double headerHeight(int block) const
    {
        const Table& table = std::get<Table>(m_d.content->blocks[std::size_t(block)]);
        const TableGeometry& g = m_d.tables[std::size_t(block)];
        double h = 0;
        for (int r = 0; r < table.headerRows(); ++r) {
            h += g.rows[std::size_t(r)];
        }
        return h;
    }

    void add(int block, int index, double height)
    {
        if (!m_page.empty()) {
            PageSlice& previous = m_page.back();
            if (previous.block == block && previous.last == index && previous.clipHeight < 0) {
                previous.last = index + 1;
                m_y += height;
                return;
            }
        }
        m_page.push_back({block, index, index + 1, m_y});
        m_y += height;
    }

    // A new page that goes on with a table shows its header rows first.
    void repeatHeader(const Item& item)
    {
        if (!m_page.empty() || !item.continuesTable) {
            return;
        }
        const Table& table = std::get<Table>(m_d.content->blocks[std::size_t(item.block)]);
        const TableGeometry& g = m_d.tables[std::size_t(item.block)];
        for (int r = 0; r < table.headerRows(); ++r) {
            add(item.block, r, g.rows[std::size_t(r)]);
        }
    }

    void place(std::size_t k)
    {
        const Item& item = m_items[k];
        repeatHeader(item);
        add(item.block, item.index, item.height);
    }

    void placeLongChain(std::size_t from, std::size_t last)
    {
        for (std::size_t k = from; k <= last;) {
            std::size_t end = k;
            double height = m_items[k].height;
            while (m_items[end].holdsNext && end < last) {
                height += m_items[++end].height;
            }
            const double header = m_items[k].continuesTable ? headerHeight(m_items[k].block) : 0;
            double rest = 0;
            for (std::size_t r = k; r <= last; ++r) {
                rest += m_items[r].height;
            }
            // The rest of the chain goes to the next page together where one page holds it: its
            // last part (a signature block) never starts a page alone, away from what it closes.
            const bool restTogether = !fits(rest) && rest + header <= bodyHeight() + Epsilon;
            if (!m_page.empty() &&
                ((!fits(height) && height + header <= bodyHeight() + Epsilon) || restTogether)) {
                newPage();
            }
            for (; k <= end; ++k) {
                if (fits(m_items[k].height + (m_page.empty() && m_items[k].continuesTable ? header : 0))) {
                    place(k);
                } else {
                    placeAlone(k);
                }
            }
        }
    }

    void placeAlone(std::size_t k)
    {
        const Item& item = m_items[k];
        if (!fits(item.height) && !m_page.empty()) {
            newPage();
        }
        repeatHeader(item);
        if (fits(item.height)) {
            add(item.block, item.index, item.height);
            return;
        }
        // Higher than what is left of a page: shown a page at a time.
        double shown = 0;
        while (shown < item.height - Epsilon) {
            if (bottom() - m_y <= Epsilon) {
                newPage();
                repeatHeader(item);
            }
            const double part = std::min(item.height - shown, bottom() - m_y);
            m_page.push_back({item.block, item.index, item.index + 1, m_y, shown, part});
            m_y += part;
            shown += part;
        }
    }

    void collect()
    {
        m_items.clear();
        const auto& blocks = m_d.content->blocks;
        for (std::size_t b = 0; b < blocks.size(); ++b) {
            if (const auto* p = std::get_if<Paragraph>(&blocks[b])) {
                const std::vector<TextLine>& lines = m_d.lines[b];
                const int count = int(lines.size());
                for (int l = 0; l < count; ++l) {
                    Item item;
                    item.block = int(b);
                    item.index = l;
                    item.height = lines[std::size_t(l)].height;
                    item.breakBefore = l == 0 && p->pageBreakBefore;
                    item.blank = p->text.isEmpty() && !p->hasChart();
                    // Never one line of a paragraph alone at the foot or the head of a page.
                    const bool orphan = l == 0 && count > 1;
                    const bool widow = l == count - 2;
                    item.holdsNext = orphan || widow;
                    item.keepWithNext = item.holdsNext || (l == count - 1 && p->keepWithNext);
                    m_items.push_back(item);
                }
            } else {
                const Table& table = std::get<Table>(blocks[b]);
                const TableGeometry& g = m_d.tables[b];
                const bool whole = table.rows <= KeptTableRows;
                for (int r = 0; r < table.rows; ++r) {
                    Item item;
                    item.block = int(b);
                    item.index = r;
                    item.height = g.rows[std::size_t(r)];
                    item.breakBefore = r == 0 && table.pageBreakBefore;
                    item.continuesTable = r >= table.headerRows() && table.headerRows() > 0;
                    item.holdsNext = r < table.rows - 1 && (whole || r < table.headerRows());
                    item.keepWithNext = item.holdsNext || (r == table.rows - 1 && table.keepWithNext);
                    m_items.push_back(item);
                }
            }
        }
    }

    PagedDocument& m_d;
    std::vector<Item> m_items;
    std::vector<PageSlice> m_page;
    double m_y = 0;
};

// Column widths from what the cells hold: every column as wide as its widest word at the least,
// as its longest text at the most, the table as wide as the text.
std::vector<double> columnWidths(TextMeasurer& measurer, const Table& table)
{
    const double total = points(TextWidthTwips);
    // A point beside the text: a word processor that measures a word a hair wider than we do
    // (its own rounding of the advances) still keeps a text on one line in a tight column. A
    // word has a tenth more room: Word sets Century Gothic where we lay out URW Gothic, and a
    // header word must not break in its wider face.
    const double padding = 2 * points(CellPaddingTwips) + 1.0;
    constexpr double WordSlack = 1.1;
    std::vector<double> least(std::size_t(table.columns), padding);
    std::vector<double> most(std::size_t(table.columns), padding);
    // What the header's words need: where not every word fits, the headers' still do.
    std::vector<double> header(std::size_t(table.columns), padding);
    for (int r = 0; r < table.rows; ++r) {
        for (int c = 0; c < table.columns; ++c) {
            for (const Paragraph& p : table.cell(r, c).paragraphs) {
                double word = 0;
                double line = 0;
                measurer.extent(p, &word, &line);
                if (r < std::max(1, table.headerRows())) {
                    header[std::size_t(c)] = std::max(header[std::size_t(c)], word * WordSlack + padding);
                }
                least[std::size_t(c)] = std::max(least[std::size_t(c)], word * WordSlack + padding);
                most[std::size_t(c)] = std::max(most[std::size_t(c)], line + padding);
            }
        }
    }
    for (std::size_t c = 0; c < most.size(); ++c) {
        most[c] = std::max(most[c], least[c]);
    }
    const double sumLeast = std::accumulate(least.begin(), least.end(), 0.0);
    const double sumMost = std::accumulate(most.begin(), most.end(), 0.0);
    const double sumHeader = std::accumulate(header.begin(), header.end(), 0.0);
    std::vector<double> widths(std::size_t(table.columns));
    for (std::size_t c = 0; c < widths.size(); ++c) {
        if (sumMost <= total) {
            widths[c] = most[c] + (total - sumMost) * most[c] / sumMost;
        } else if (sumLeast <= total) {
            const double room = sumMost - sumLeast;
            widths[c] = least[c] + (room > 0 ? (total - sumLeast) * (most[c] - least[c]) / room : 0);
        } else if (sumHeader <= total) {
            // A long word of the body breaks; the header's words stay whole.
            widths[c] = header[c] + (total - sumHeader) * (least[c] - header[c]) / (sumLeast - sumHeader);
        } else {
            widths[c] = least[c] * total / sumLeast;
        }
    }
    // Whole twips, as the DOCX holds them, adding up to the text width.
    int used = 0;
    for (std::size_t c = 0; c + 1 < widths.size(); ++c) {
        const int twips = int(std::lround(widths[c] * TwipsPerPoint));
        widths[c] = points(twips);
        used += twips;
    }
    widths.back() = points(TextWidthTwips - used);
    return widths;
}

// The decimal-aligned numbers of a column stand with their commas level: each is set in from the
// right by what its decimals fall short of the column's longest.
void decimalInsets(TextMeasurer& measurer, const Table& table, TableGeometry& g)
{
    g.insets.assign(std::size_t(table.rows) * std::size_t(table.columns), 0);
    for (int c = 0; c < table.columns; ++c) {
        std::vector<double> decimals(std::size_t(table.rows), -1);
        double widest = 0;
        for (int r = 0; r < table.rows; ++r) {
            const Paragraph& p = table.cell(r, c).paragraphs.front();
            if (p.alignment != ParagraphAlignment::Decimal) {
                continue;
            }
            const qsizetype comma = p.text.lastIndexOf(u',');
            const double w = comma < 0 ? 0 : measurer.width(p, int(comma), int(p.text.size()));
            decimals[std::size_t(r)] = w;
            widest = std::max(widest, w);
        }
        for (int r = 0; r < table.rows; ++r) {
            if (decimals[std::size_t(r)] >= 0) {
                g.insets[std::size_t(r * table.columns + c)] = widest - decimals[std::size_t(r)];
            }
        }
    }
}

void layOutTable(TextMeasurer& measurer, const Table& table, TableGeometry& g)
{
    g.columns = columnWidths(measurer, table);
    g.rows.assign(std::size_t(table.rows), 0);
    for (int r = 0; r < table.rows; ++r) {
        double content = 0;
        for (int c = 0; c < table.columns; ++c) {
            double height = 0;
            for (const Paragraph& p : table.cell(r, c).paragraphs) {
                height += measurer.height(p, cellTextWidth(g.columns[std::size_t(c)]));
            }
            content = std::max(content, height);
        }
        g.rows[std::size_t(r)] = std::max(content + points(RuleTwips), table.leastRowHeight(r));
    }
    decimalInsets(measurer, table, g);
}

// A chart stands in its paragraph as one line as high as the chart.
TextLine chartLine(const Paragraph& p)
{
    TextLine line;
    line.width = points(TextWidthTwips);
    line.height = p.chartHeight();
    line.baseline = line.height;
    return line;
}

// The field's text replaced; the styles after it move with the text.
bool setFieldText(Paragraph& p, const QString& text)
{
    if (p.text.mid(p.fieldStart, p.fieldLength) == text) {
        return false;
    }
    const int shift = int(text.size()) - p.fieldLength;
    p.text.replace(p.fieldStart, p.fieldLength, text);
    for (StyleSpan& span : p.spans) {
        if (span.start > p.fieldStart) {
            span.start += shift;
        }
    }
    p.fieldLength = int(text.size());
    return true;
}

} // namespace

// A page that ends in a page break and would run over leaves out its giving-way blank lines, a
// line at a time from the longest run of them, until it holds on one page; what is still too long
// goes on to the next.
void leaveOutGivingWay(PagedDocument& d)
{
    auto& blocks = d.content->blocks;
    const double page = points(TextHeightTwips);
    std::size_t start = 0;
    while (start < blocks.size()) {
        std::size_t end = start + 1;
        while (end < blocks.size()) {
            const auto* p = std::get_if<Paragraph>(&blocks[end]);
            if ((p && p->pageBreakBefore) || (!p && std::get<Table>(blocks[end]).pageBreakBefore)) {
                break;
            }
            ++end;
        }
        double height = 0;
        std::vector<std::vector<std::size_t>> runs(1);
        for (std::size_t b = start; b < end; ++b) {
            auto* p = std::get_if<Paragraph>(&blocks[b]);
            if (!p) {
                for (double row : d.tables[b].rows) {
                    height += row;
                }
            } else {
                for (const TextLine& line : d.lines[b]) {
                    height += line.height;
                }
            }
            if (p && p->givesWay && p->text.isEmpty()) {
                runs.back().push_back(b);
            } else if (!runs.back().empty()) {
                runs.emplace_back();
            }
        }
        while (height > page + Epsilon) {
            // The later of equally long runs, so the lines close to the top keep their place.
            auto longest = runs.begin();
            for (auto it = runs.begin(); it != runs.end(); ++it) {
                longest = it->size() >= longest->size() ? it : longest;
            }
            if (longest->empty()) {
                break;
            }
            const std::size_t b = longest->back();
            longest->pop_back();
            std::get<Paragraph>(blocks[b]).leftOut = true;
            for (const TextLine& line : d.lines[b]) {
                height -= line.height;
            }
            d.lines[b].clear();
        }
        start = end;
    }
}

QString pageFooterText(int page, int count)
{
    return QStringLiteral("pagina %1 di %2").arg(page + 1).arg(count);
}

double pageFooterTop()
{
    // Halfway down the bottom margin.
    return points(PageHeightTwips - PageMarginTwips / 2) - PageFooterPoints;
}

namespace {

void numberPages(PagedDocument& d, TextMeasurer& measurer)
{
    TextStyle look;
    look.points = PageFooterPoints;
    const int style = d.content->styleIndex(look);
    d.footers.clear();
    d.footerLines.clear();
    for (int page = 0; page < d.pageCount(); ++page) {
        Paragraph footer;
        footer.append(pageFooterText(page, d.pageCount()), style);
        footer.markStyle = style;
        footer.alignment = ParagraphAlignment::Center;
        const std::vector<TextLine> lines = measurer.lines(footer, points(TextWidthTwips));
        d.footerLines.push_back(lines.front());
        d.footers.push_back(std::move(footer));
    }
}

} // namespace

std::unique_ptr<PagedDocument> layOutPages(std::shared_ptr<DocumentContent> content)
{
    auto d = std::make_unique<PagedDocument>();
    d->content = std::move(content);
    DocumentContent& c = *d->content;
    TextMeasurer measurer(c);
    const std::size_t count = c.blocks.size();
    d->lines.assign(count, {});
    d->tables.assign(count, {});
    std::vector<std::size_t> withField;
    for (std::size_t b = 0; b < count; ++b) {
        if (auto* p = std::get_if<Paragraph>(&c.blocks[b])) {
            p->leftOut = false;
            if (p->hasField()) {
                withField.push_back(b);
            }
            d->lines[b] = p->hasChart() ? std::vector<TextLine>{chartLine(*p)}
                                        : measurer.lines(*p, points(TextWidthTwips));
        } else {
            layOutTable(measurer, std::get<Table>(c.blocks[b]), d->tables[b]);
        }
    }
    leaveOutGivingWay(*d);
    Paginator paginator(*d);
    paginator.run();
    // The count written may change the pages it counts (a longer number, a line more): a few
    // rounds settle it.
    for (int round = 0; round < 4 && !withField.empty(); ++round) {
        bool changed = false;
        const QString text = joinedSignBlankText(d->pageCount());
        for (std::size_t b : withField) {
            auto& p = std::get<Paragraph>(c.blocks[b]);
            if (setFieldText(p, text)) {
                d->lines[b] = measurer.lines(p, points(TextWidthTwips));
                changed = true;
            }
        }
        if (!changed) {
            break;
        }
        paginator.run();
    }
    const QString final = joinedSignBlankText(d->pageCount());
    for (std::size_t b : withField) {
        const auto& p = std::get<Paragraph>(c.blocks[b]);
        d->settled = d->settled && p.text.mid(p.fieldStart, p.fieldLength) == final;
    }
    numberPages(*d, measurer);
    return d;
}

bool isBlank(char32_t c)
{
    return c == u' ' || c == u'\t';
}

double TextMeasurer::placeLine(const Paragraph& p, const TextLine& l, double left, double width, double inset,
                               const std::function<void(const PlacedCharacter&)>& visit)
{
    double x = left;
    int blanks = 0;
    if (l.justified) {
        for (int i = l.start; i < l.end; ++i) {
            blanks += isBlank(p.text.at(i).unicode()) ? 1 : 0;
        }
    }
    const double stretch = blanks > 0 ? (width - l.width) / blanks : 0;
    if (!l.justified || blanks == 0) {
        if (p.alignment == ParagraphAlignment::Right) {
            x += width - l.width;
        } else if (p.alignment == ParagraphAlignment::Decimal) {
            x += width - l.width - inset;
        } else if (p.alignment == ParagraphAlignment::Center) {
            x += (width - l.width) / 2;
        }
    }
    // The style follows the spans as the line goes, rather than being looked up for each character.
    auto span = std::upper_bound(p.spans.begin(), p.spans.end(), l.start,
                                 [](int pos, const StyleSpan& s) { return pos < s.start; });
    int style = span == p.spans.begin() ? p.markStyle : std::prev(span)->style;
    int nextSpan = span == p.spans.end() ? int(p.text.size()) : span->start;
    for (int i = l.start; i < l.end;) {
        while (i >= nextSpan && span != p.spans.end()) {
            style = span->style;
            ++span;
            nextSpan = span == p.spans.end() ? int(p.text.size()) : span->start;
        }
        const QChar c = p.text.at(i);
        char32_t code = c.unicode();
        int length = 1;
        if (c.isHighSurrogate() && i + 1 < p.text.size() && p.text.at(i + 1).isLowSurrogate()) {
            code = QChar::surrogateToUcs4(c, p.text.at(i + 1));
            length = 2;
        }
        const GlyphSource& glyph = typeface(style).glyph(code);
        visit({c, code, style, &glyph, x});
        x += glyph.advance * size(style);
        if (isBlank(code)) {
            x += stretch;
        }
        i += length;
    }
    return x;
}

} // namespace pondra
