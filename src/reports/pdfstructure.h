#pragma once

#include <QByteArray>
#include <QString>

#include <vector>

namespace pondra {

class PdfFile;

// The logical structure of a tagged PDF: elements with standard roles (Document, H1, P, Table,
// TR, TH, TD, Figure) in reading order, each holding the marked stretches of page content that
// show it.
class PdfStructure {
public:
    PdfStructure();

    // The root element, a Document.
    static constexpr int Root = 0;

    // A new last child of parent; extra holds more entries of its dictionary (/Alt, /A).
    int add(int parent, const QByteArray& role, const QByteArray& extra = {});
    // A new stretch of the element's content on the page, by its marked-content identifier.
    int mark(int element, int page);
    const QByteArray& role(int element) const { return m_elements[std::size_t(element)].role; }

    // The tree's objects; root is numbered so, pages[i] is page i's object and its
    // /StructParents is i.
    void write(PdfFile& file, int root, const std::vector<int>& pages) const;

    // The elements indented by depth, a role a line with how many stretches it marks: what a test
    // or a reader of the file checks.
    QString outline() const;

private:
    struct Kid {
        int element = -1;
        int page = 0;
        int mcid = 0;
    };
    struct Element {
        QByteArray role;
        int parent = -1;
        QByteArray extra;
        std::vector<Kid> kids;
    };
    std::vector<Element> m_elements;
    // By page, the element each identifier marks.
    std::vector<std::vector<int>> m_marks;
};

} // namespace pondra
