#pragma once

#include <QMainWindow>

#include <memory>

class QFocusFrame;
class QLabel;
class QTimer;

namespace pondra {

class Announcer;
class ModuloPondra;
class clsResize;

// What the Data, Results and Title-page windows share: the application module, their design
// size and the proportional layout that keeps their controls in scale.
class MainWindow : public QMainWindow {
    Q_OBJECT

public:
    static constexpr int DesignWidth = 9600;  // twips
    static constexpr int DesignHeight = 6825; // twips

    ~MainWindow() override;

    // The window's own title, followed by the name of the study's file when there is one.
    void showFileName(const QString& fileName);
    // The same for the file that holds the study now.
    void showDocumentFileName();

    // The hint line at the foot of the window, which suggests the next step. A new step puts
    // away the note.
    void showStep(const QString& text);
    QString stepText() const;

    // A note just above the hint line that does not stop the user: it goes by itself after a
    // while, at a click on it, or with the next step.
    void showNote(const QString& text);

protected:
    explicit MainWindow(ModuloPondra& module);

    // Records the layout at design size, sizes the window to 75 % of the screen and brings it
    // back to its design size. Menus and toolbar must already be in place.
    void setUpProportionalLayout();

    void resizeEvent(QResizeEvent* event) override;
    // Closing the last main window leaves the study with no window: that is leaving the
    // program, which asks first. Any other main window just unloads.
    void closeEvent(QCloseEvent* event) override;

    // Tells a screen reader a change it would not hear otherwise: a figure or the hint line.
    void announce(const QString& text);

    ModuloPondra& m_module;
    QLabel* passo = nullptr; // the hint line, made by each window

private:
    std::unique_ptr<clsResize> m_resize;
    QFocusFrame* m_focusRing = nullptr;
    Announcer* m_announcer = nullptr;
    QMetaObject::Connection m_followFocus;
    QLabel* m_note = nullptr;
    QTimer* m_noteTimer = nullptr;
    QString m_caption; // the title the window was built with
};

} // namespace pondra
