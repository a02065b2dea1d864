#include "pdfstructure.h"

#include "pdffile.h"

namespace pondra {

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
        QByteArray kids;
        for (const Kid& kid : element.kids) {
            kids += kid.element >= 0 ? pdfReference(objects[std::size_t(kid.element)])
                    : kid.page == first
                        ? QByteArray::number(kid.mcid)
                        : "<< /Type /MCR /Pg " + pdfReference(pages[std::size_t(kid.page)]) + " /MCID " +
                              QByteArray::number(kid.mcid) + " >>";
            kids += ' ';
        }
        kids.chop(1);
        const int parent = element.parent < 0 ? root : objects[std::size_t(element.parent)];
        const QByteArray page = first < 0 ? QByteArray() : " /Pg " + pdfReference(pages[std::size_t(first)]);
        file.write(objects[e], "<< /Type /StructElem /S /" + element.role + " /P " + pdfReference(parent) + page +
                                   element.extra + " /K [" + kids + "] >>");
    }
    QByteArray numbers;
    for (std::size_t p = 0; p < pages.size(); ++p) {
        numbers += QByteArray::number(qsizetype(p)) + " [";
        if (p < m_marks.size()) {
            for (int element : m_marks[p]) {
                numbers += pdfReference(objects[std::size_t(element)]) + ' ';
            }
        }
        numbers += "] ";
    }
    file.write(parentTree, "<< /Nums [" + numbers + "] >>");
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
