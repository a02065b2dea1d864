#include "accessibletable.h"

#include "ui/layout/clsresize.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QEvent>
#include <QLabel>

#include <utility>

namespace pondra {

namespace {

// Null once the table is being taken down: its children go after it, and may still be asked.
const LabelTable* tableOf(const QWidget* widget)
{
    return widget ? dynamic_cast<const LabelTable*>(widget) : nullptr;
}

QString shownText(const QWidget* widget)
{
    const auto* label = qobject_cast<const QLabel*>(widget);
    return label ? label->text() : QString();
}

QAccessibleInterface* accessibleOf(QWidget* widget)
{
    return widget ? QAccessible::queryAccessibleInterface(widget) : nullptr;
}

// A heading over a column, or a cell of a row: what the label shows, unless the window gave it
// a name of its own to be read by (as a row's Tab stop reads its whole row). Which of the two
// is asked each time: a label is already heard as it is made, before the grid knows it.
class CellAccessible : public QAccessibleWidget, public QAccessibleTableCellInterface {
public:
    explicit CellAccessible(QLabel* label) : QAccessibleWidget(label, QAccessible::Cell) {}

    QAccessible::Role role() const override
    {
        const LabelTable* grid = gridOf();
        const int column = columnIndex();
        return grid && column >= 0 && grid->heading(column) == widget() ? QAccessible::ColumnHeader
                                                                        : QAccessible::Cell;
    }

    QString text(QAccessible::Text t) const override
    {
        // A cell's tooltip tells what its column holds, or the text the cell cuts: a screen reader
        // reading the row would say it after every row. Only a description given for it is read,
        // as in Qt's own tables.
        if (t == QAccessible::Description && role() == QAccessible::Cell) {
            return widget()->accessibleDescription();
        }
        QString text = QAccessibleWidget::text(t);
        if (t == QAccessible::Name && text.isEmpty()) {
            text = shownText(widget());
            // Headings wrap over two lines, and some end in a blank.
            if (role() == QAccessible::ColumnHeader) {
                text = text.simplified();
            }
        }
        return text;
    }

    void* interface_cast(QAccessible::InterfaceType type) override
    {
        if (type == QAccessible::TableCellInterface && role() == QAccessible::Cell) {
            return static_cast<QAccessibleTableCellInterface*>(this);
        }
        return QAccessibleWidget::interface_cast(type);
    }

    bool isSelected() const override { return false; }
    QList<QAccessibleInterface*> columnHeaderCells() const override
    {
        const LabelTable* grid = gridOf();
        QAccessibleInterface* heading = grid ? accessibleOf(grid->heading(columnIndex())) : nullptr;
        return heading ? QList<QAccessibleInterface*>{heading} : QList<QAccessibleInterface*>{};
    }
    QList<QAccessibleInterface*> rowHeaderCells() const override { return {}; }
    int columnIndex() const override { return place().second; }
    int rowIndex() const override { return place().first; }
    int columnExtent() const override { return 1; }
    int rowExtent() const override { return 1; }
    QAccessibleInterface* table() const override { return accessibleOf(widget()->parentWidget()); }

private:
    const LabelTable* gridOf() const { return tableOf(widget()->parentWidget()); }

    std::pair<int, int> place() const
    {
        int row = -1;
        int column = -1;
        if (const LabelTable* grid = gridOf()) {
            grid->locate(widget(), &row, &column);
        }
        return {row, column};
    }
};

// The grid itself: the headings first, then the cells of the rows read, row by row, as Qt's own
// tables number their children.
class TableAccessible : public QAccessibleWidget, public QAccessibleTableInterface {
public:
    explicit TableAccessible(LabelTable* table) : QAccessibleWidget(table, QAccessible::Table) {}

    void* interface_cast(QAccessible::InterfaceType type) override
    {
        if (type == QAccessible::TableInterface) {
            return static_cast<QAccessibleTableInterface*>(this);
        }
        return QAccessibleWidget::interface_cast(type);
    }

    int childCount() const override { return columnCount() * (1 + rowCount()); }

    QAccessibleInterface* child(int index) const override
    {
        const LabelTable* grid = table();
        const int columns = columnCount();
        if (!grid || index < 0 || columns == 0) {
            return nullptr;
        }
        if (index < columns) {
            return accessibleOf(grid->heading(index));
        }
        return cellAt(index / columns - 1, index % columns);
    }

    int indexOfChild(const QAccessibleInterface* child) const override
    {
        const LabelTable* grid = table();
        auto* widget = child ? qobject_cast<QWidget*>(child->object()) : nullptr;
        int row = -1;
        int column = -1;
        if (!grid || !widget || !grid->locate(widget, &row, &column)) {
            return -1;
        }
        if (child->role() == QAccessible::ColumnHeader) {
            return column;
        }
        return row < 0 ? -1 : (row + 1) * columnCount() + column;
    }

    // Where the headings and the rows read are, not the whole client area the widget lies over.
    QRect rect() const override
    {
        QRect area;
        for (int i = 0; i < childCount(); ++i) {
            if (QAccessibleInterface* c = child(i)) {
                area |= c->rect();
            }
        }
        return area.isNull() ? QAccessibleWidget::rect() : area;
    }

    QAccessibleInterface* caption() const override { return nullptr; }
    QAccessibleInterface* summary() const override { return nullptr; }

    QAccessibleInterface* cellAt(int row, int column) const override
    {
        const LabelTable* grid = table();
        return grid ? accessibleOf(grid->cell(row, column)) : nullptr;
    }

    QString columnDescription(int column) const override
    {
        const LabelTable* grid = table();
        return grid ? shownText(grid->heading(column)).simplified() : QString();
    }
    QString rowDescription(int) const override { return {}; }
    int columnCount() const override
    {
        const LabelTable* grid = table();
        return grid ? grid->columnCount() : 0;
    }
    int rowCount() const override
    {
        const LabelTable* grid = table();
        return grid ? grid->rowCount() : 0;
    }

    // Read only: nothing is selected, nothing can be.
    int selectedCellCount() const override { return 0; }
    QList<QAccessibleInterface*> selectedCells() const override { return {}; }
    int selectedColumnCount() const override { return 0; }
    int selectedRowCount() const override { return 0; }
    QList<int> selectedColumns() const override { return {}; }
    QList<int> selectedRows() const override { return {}; }
    bool isColumnSelected(int) const override { return false; }
    bool isRowSelected(int) const override { return false; }
    bool selectRow(int) override { return false; }
    bool selectColumn(int) override { return false; }
    bool unselectRow(int) override { return false; }
    bool unselectColumn(int) override { return false; }
    // Nothing kept to bring up to date: everything is read from the labels when asked.
    void modelChange(QAccessibleTableModelChangeEvent*) override {}

private:
    const LabelTable* table() const { return tableOf(widget()); }
};

QAccessibleInterface* labelTableFactory(const QString&, QObject* object)
{
    if (!object || !object->isWidgetType()) {
        return nullptr;
    }
    auto* widget = static_cast<QWidget*>(object);
    if (auto* table = qobject_cast<LabelTable*>(widget)) {
        return new TableAccessible(table);
    }
    auto* label = qobject_cast<QLabel*>(widget);
    return label && tableOf(widget->parentWidget()) ? new CellAccessible(label) : nullptr;
}

} // namespace

LabelTable::LabelTable(QWidget* parent, const QString& spokenName) : QWidget(parent)
{
    static const bool factoryInstalled = [] {
        QAccessible::installFactory(labelTableFactory);
        return true;
    }();
    Q_UNUSED(factoryInstalled);
    setAccessibleName(spokenName);
    // Its cells are the window's own, placed by hand: they keep in proportion with the window.
    setProperty(HoldsControls, true);
}

void LabelTable::setHeadings(std::vector<QWidget*> headings)
{
    m_headings = std::move(headings);
    follow(m_headings);
}

void LabelTable::addRow(std::vector<QWidget*> cells)
{
    cells.resize(m_headings.size(), nullptr);
    m_rows.push_back(std::move(cells));
    follow(m_rows.back());
}

void LabelTable::follow(const std::vector<QWidget*>& widgets)
{
    for (QWidget* widget : widgets) {
        if (widget) {
            widget->installEventFilter(this);
        }
    }
    updateMask();
}

bool LabelTable::eventFilter(QObject* watched, QEvent* event)
{
    // The window's layout moves the labels as it is resized.
    if (event->type() == QEvent::Move || event->type() == QEvent::Resize) {
        updateMask();
    }
    return QWidget::eventFilter(watched, event);
}

void LabelTable::updateMask()
{
    QRegion area;
    for (const QWidget* heading : m_headings) {
        area += heading ? heading->geometry() : QRect();
    }
    for (const auto& cells : m_rows) {
        for (const QWidget* cell : cells) {
            area += cell ? cell->geometry() : QRect();
        }
    }
    // An empty mask would be none at all, the whole client area.
    setMask(area.isEmpty() ? QRegion(0, 0, 1, 1) : area);
}

bool LabelTable::rowShown(const std::vector<QWidget*>& row) const
{
    const QWidget* key = std::size_t(m_keyColumn) < row.size() ? row[std::size_t(m_keyColumn)] : nullptr;
    return key && !key->isHidden() && (!qobject_cast<const QLabel*>(key) || !shownText(key).isEmpty());
}

int LabelTable::rowCount() const
{
    int count = 0;
    for (const auto& row : m_rows) {
        count += rowShown(row) ? 1 : 0;
    }
    return count;
}

QWidget* LabelTable::heading(int column) const
{
    return column >= 0 && column < columnCount() ? m_headings[std::size_t(column)] : nullptr;
}

QWidget* LabelTable::cell(int row, int column) const
{
    if (row < 0 || column < 0 || column >= columnCount()) {
        return nullptr;
    }
    for (const auto& cells : m_rows) {
        if (rowShown(cells) && row-- == 0) {
            return cells[std::size_t(column)];
        }
    }
    return nullptr;
}

bool LabelTable::locate(const QWidget* widget, int* row, int* column) const
{
    *row = -1;
    *column = -1;
    if (!widget) {
        return false;
    }
    for (std::size_t c = 0; c < m_headings.size(); ++c) {
        if (m_headings[c] == widget) {
            *column = int(c);
            return true;
        }
    }
    int shown = 0;
    for (const auto& cells : m_rows) {
        const bool read = rowShown(cells);
        for (std::size_t c = 0; c < cells.size(); ++c) {
            if (cells[c] == widget) {
                *column = int(c);
                *row = read ? shown : -1;
                return true;
            }
        }
        shown += read ? 1 : 0;
    }
    return false;
}

void LabelTable::rowsRefilled()
{
    const int rows = rowCount();
    const int before = m_rowsTold;
    m_rowsTold = rows;
    if (before < 0 || rows == before || !QAccessible::isActive()) {
        return;
    }
    QAccessibleTableModelChangeEvent reset(this, QAccessibleTableModelChangeEvent::ModelReset);
    QAccessible::updateAccessibility(&reset);
    // What Qt passes on to AT-SPI: the children of the table are to be read again.
    QAccessibleEvent reorder(this, QAccessible::ObjectReorder);
    QAccessible::updateAccessibility(&reorder);
}

} // namespace pondra
