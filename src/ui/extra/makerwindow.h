#pragma once

#include <QDialog>

class QPushButton;

namespace pondra {

// What the About and Support windows share: a fixed design size with a margin all round, rules
// from margin to margin, and an OK button that hides the window. Escape and the title bar's close
// button press OK too, so the one instance is kept and reopens unchanged.
class MakerWindow : public QDialog {
    Q_OBJECT

public:
    // Presses OK.
    void reject() override;

protected:
    static constexpr int Margin = 16;

    MakerWindow(int designWidth, int designHeight);

    int innerWidth() const { return width() - 2 * Margin; }
    // A sunken rule from margin to margin.
    void addRule(int y);
    // The default button, at the right margin; the window connects it to its own slot.
    QPushButton* addOkButton(int top);

private:
    QPushButton* m_ok = nullptr;
};

} // namespace pondra
