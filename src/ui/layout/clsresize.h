#pragma once

#include <QPointer>
#include <QString>
#include <QWidget>

#include <optional>
#include <vector>

namespace pondra {

// Name of the dynamic property (a QString) by which a control limits what follows the window.
inline constexpr char TagProperty[] = "Tag";

// Name of the dynamic property (a bool) by which a widget of its own kind says its children are
// controls of the window, to keep in proportion like those of a plain container.
inline constexpr char HoldsControls[] = "HoldsControls";

// Which of a control's measures follow the window: left (or X1 of a line), top (Y1),
// width (X2) and height (Y2).
struct ScaleDirective {
    bool left = true;
    bool top = true;
    bool width = true;
    bool height = true;

    friend bool operator==(const ScaleDirective&, const ScaleDirective&) = default;
};

// An empty tag, or one not starting with '@', scales all four; otherwise each of the letters
// L, T, W, H present in it, in either case, scales its measure.
ScaleDirective scaleDirective(const QString& tag);

// Where one control stood when the base was recorded, in twips of its parent's coordinates;
// for a Line the four fields hold X1, Y1, X2, Y2.
struct ControlLayout {
    QPointer<QWidget> Control;
    int Left = 0;
    int Top = 0;
    int Width = 0;
    int Height = 0;
};

// Keeps the controls of one window in proportion to its client area: the layout seen the first
// time it is asked is the base, and every later size scales that base, never the current layout,
// so no rounding error builds up however often the window is resized.
class clsResize {
public:
    QWidget* SourceForm() const { return m_sourceForm; }
    // A different window has other controls, so its base is recorded afresh when next needed.
    void setSourceForm(QWidget* form);

    // Makes the window's current layout the new base.
    void ReInitialise();
    // Centres the window on its screen at percent of the screen's available width and height,
    // then scales the controls to the new client area.
    void SizeFormToScreen(int percent);
    // Scales every recorded control to the window's current client size.
    void ResizeControls();

    bool needsRecording() const { return NeedsRecording; }
    int baseWidth() const { return BaseWidth; }
    int baseHeight() const { return BaseHeight; }
    const std::vector<ControlLayout>& layouts() const { return Layouts; }

private:
    void RecordBaseLayout();

    QPointer<QWidget> m_sourceForm;
    bool NeedsRecording = true;
    // Client size at recording time, twips.
    int BaseWidth = 0;
    int BaseHeight = 0;
    std::vector<ControlLayout> Layouts;
};

// How every resizable window loads: its controls, placed for the design size, are recorded at
// that size; the window opens at 75 % of the screen, then settles at its design size and, where
// one is given, its design left edge, keeping the top the centring gave it. Sizes in twips.
void LoadProportionalLayout(clsResize& layout, QWidget* form, int width, int height,
                            std::optional<int> left = std::nullopt);

} // namespace pondra
