#pragma once

#include <QWidget>

#include <vector>

namespace pondra {

// The holder of a grid of labels placed by hand, a heading over each column and the cells
// below, which a screen reader then reads as a table with its column headers. Nothing of it is
// seen: it lies over the whole client area from its top left corner, so the cells keep the
// places they had on the window itself. A row counts while the cell of its key column is shown
// and says something, so the empty rows under a short list are not read; rows and texts are
// taken from the labels each time they are asked for. The pointer finds it only over its
// labels: elsewhere it reaches what lies under it, as before it was there.
class LabelTable : public QWidget {
    Q_OBJECT

public:
    // The name is what the screen reader calls the table.
    LabelTable(QWidget* parent, const QString& spokenName);

    // The headings, left to right, already children of this widget; they set the columns.
    void setHeadings(std::vector<QWidget*> headings);
    // A row of cells, as many as the headings, children of this widget; rows are added top down.
    void addRow(std::vector<QWidget*> cells);
    void setKeyColumn(int column) { m_keyColumn = column; }

    int columnCount() const { return int(m_headings.size()); }
    // The rows read: those whose key cell shows something.
    int rowCount() const;
    QWidget* heading(int column) const;
    // A cell of the rows read, counted from 0; null outside them.
    QWidget* cell(int row, int column) const;
    // Where a cell or a heading stands: its column, and its row among those read (-1 for a
    // heading, a row not read or a widget that is not in the grid).
    bool locate(const QWidget* widget, int* row, int* column) const;

    // To call when the rows have been filled again: a screen reader hears when rows come or go.
    void rowsRefilled();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool rowShown(const std::vector<QWidget*>& row) const;
    void follow(const std::vector<QWidget*>& widgets);
    void updateMask();

    std::vector<QWidget*> m_headings;
    std::vector<std::vector<QWidget*>> m_rows;
    int m_keyColumn = 0;
    int m_rowsTold = -1;
};

} // namespace pondra
