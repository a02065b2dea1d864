#pragma once

#include "midiplayer.h"

#include <QWidget>

#include <array>

class QFrame;
class QLabel;

namespace pondra {

class ModuloPondra;

// The window shown first, with the music, the program's name and edition: a click anywhere, Enter
// or Space starts work in the Data window, Esc or another key that types leaves the program. At the end of
// the work it comes back in its closing form.
class frmSplash : public QWidget {
    Q_OBJECT

public:
    explicit frmSplash(ModuloPondra& module);
    ~frmSplash() override;

    static constexpr int LabelCount = 8;
    // label(1) .. label(8); label(6) shows no text.
    QLabel* label(int index) const;
    QLabel* Image1() const { return m_image; }
    QFrame* Shape1() const { return m_shape; }
    MidiPlayer& MMControl1() { return m_music; }

    // Shown again when the work is done: label 2 becomes a credit line above the program's
    // name and the music plays again.
    void showClosingForm();

public Q_SLOTS:
    void Form_Click();
    void label_Click(int Index);
    void image1_Click();
    // Any key that types something, KeyAscii being its code.
    void Form_KeyPress(int KeyAscii);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void Form_Load();
    void showDataWindow();

    ModuloPondra& m_module;
    MidiPlayer m_music;
    std::array<QLabel*, LabelCount + 1> m_label{}; // slot 0 unused, as in the control array
    QLabel* m_image = nullptr;
    QFrame* m_shape = nullptr;
};

} // namespace pondra
