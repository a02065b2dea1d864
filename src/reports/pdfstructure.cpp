#include "pdfstructure.h"

#include "pdffile.h"

namespace pondra {

namespace {

constexpr std::size_t ChildrenPerLine = 8;

} // namespace

PdfStructure::PdfStructure()
{
    m_elements.push_back({"Document", -1, {}, {}});
}

int PdfStructure::add(int parent, const QByteArray& role, const QByteArray& extra)
{
    const int element = int(m_elements.size());
    m_elements.push_back({role, parent, extra, {}});
    m_elements[std::size_t(parent)].kids.push_back({element, 0, 0});
    return element;
}

int PdfStructure::mark(int element, int page)
{
    if (int(m_marks.size()) <= page) {
        m_marks.resize(std::size_t(page) + 1);
    }
    std::vector<int>& marks = m_marks[std::size_t(page)];
    const int mcid = int(marks.size());
    marks.push_back(element);
    m_elements[std::size_t(element)].kids.push_back({-1, page, mcid});
    return mcid;
}

void PdfStructure::write(PdfFile& file, int root, const std::vector<int>& pages) const
{
    std::vector<int> objects(m_elements.size());
    for (int& o : objects) {
        o = file.reserve();
    }
    const int parentTree = file.reserve();
    // Tens of thousands in a long study's tables: each as short as it can be, built in place.
    // Written as rows of their role, children eight to a line: a table row's cells then sit
    // under the cells of the row before, and a table's rows under the rows eight before.
    QByteArray o;
    const auto ref = [&o](int object) {
        o += QByteArray::number(object);
        o += " 0 R";
    };
    for (std::size_t e = 0; e < m_elements.size(); ++e) {
        const Element& element = m_elements[e];
        // The element's page is that of its first stretch; stretches on it go by number alone.
        int first = -1;
        for (const Kid& kid : element.kids) {
            if (kid.element < 0) {
                first = kid.page;
                break;
            }
        }
        o.clear();
        o += "<</S/";
        o += element.role;
        o += "/P ";
        ref(element.parent < 0 ? root : objects[std::size_t(element.parent)]);
        if (first >= 0) {
            o += "/Pg ";
            ref(pages[std::size_t(first)]);
        }
        o += element.extra;
        // An empty table cell has no content, and no /K.
        const bool single = element.kids.size() == 1;
        if (element.kids.empty()) {
            o += ">>";
            file.writeRows(objects[e], o, element.role);
            continue;
        }
        o += single ? "/K " : "/K[";
        for (std::size_t k = 0; k < element.kids.size(); ++k) {
            const Kid& kid = element.kids[k];
            if (kid.element >= 0) {
                ref(objects[std::size_t(kid.element)]);
            } else if (kid.page == first) {
                o += QByteArray::number(kid.mcid);
            } else {
                o += "<</Type/MCR/Pg ";
                ref(pages[std::size_t(kid.page)]);
                o += "/MCID ";
                o += QByteArray::number(kid.mcid);
                o += ">>";
            }
            o += k % ChildrenPerLine == ChildrenPerLine - 1 ? '\n' : ' ';
        }
        o.chop(1);
        o += single ? ">>" : "]>>";
        file.writeRows(objects[e], o, element.role);
    }
    QByteArray numbers;
    for (std::size_t p = 0; p < pages.size(); ++p) {
        numbers += QByteArray::number(qsizetype(p)) + '[';
        if (p < m_marks.size()) {
            for (int element : m_marks[p]) {
                numbers += '\n' + pdfReference(objects[std::size_t(element)]);
            }
        }
        numbers += "]\n";
    }
    file.writeRows(parentTree, "<</Nums[\n" + numbers + "]>>", "ParentTree");
    file.write(root, "<< /Type /StructTreeRoot /K [" + pdfReference(objects[0]) + "] /ParentTree " +
                         pdfReference(parentTree) + " /ParentTreeNextKey " +
                         QByteArray::number(qsizetype(pages.size())) + " >>");
}

QString PdfStructure::outline() const
{
    QString text;
    std::vector<std::pair<int, int>> stack{{0, 0}};
    while (!stack.empty()) {
        const auto [e, depth] = stack.back();
        stack.pop_back();
        const Element& element = m_elements[std::size_t(e)];
        int marks = 0;
        for (auto it = element.kids.rbegin(); it != element.kids.rend(); ++it) {
            if (it->element >= 0) {
                stack.push_back({it->element, depth + 1});
            } else {
                ++marks;
            }
        }
        text += QString(depth * 2, u' ') + QString::fromLatin1(element.role) + u' ' + QString::number(marks) +
                (element.extra.contains("/Alt") ? QStringLiteral(" Alt") : QString()) + u'\n';
    }
    return text;
}

} // namespace pondra
