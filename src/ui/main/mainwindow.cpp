#include "mainwindow.h"

#include "clickablelabel.h"
#include "colours.h"
#include "ui/core/announcer.h"
#include "ui/core/modulopondra.h"
#include "ui/core/plaintext.h"
#include "ui/core/spoken.h"
#include "ui/layout/clsresize.h"
#include "ui/layout/twips.h"

#include <QAbstractSlider>
#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QFileInfo>
#include <QFocusFrame>
#include <QLabel>
#include <QTimer>

#include <algorithm>

namespace pondra {

MainWindow::MainWindow(ModuloPondra& module) : m_module(module)
{
    // Closing a main window unloads it; the study stays in the module.
    setAttribute(Qt::WA_DeleteOnClose);
    connect(&module.document(), &StudyDocument::fileNameChanged, this, &MainWindow::showDocumentFileName);
    // The style marks the focus of a check box without text faintly and of a scroll bar not at
    // all: a ring in the text colour shows where the keyboard is.
    m_focusRing = new QFocusFrame(this);
    m_announcer = new Announcer(this);
    m_followFocus = connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) {
        const bool unmarked = now && now->window() == this &&
                              (qobject_cast<QCheckBox*>(now) || qobject_cast<QAbstractSlider*>(now));
        m_focusRing->setWidget(unmarked ? now : nullptr);
    });
}

void MainWindow::showDocumentFileName()
{
    const QString path = m_module.document().fileName();
    showFileName(path.isEmpty() ? QString() : QFileInfo(path).fileName());
}

void MainWindow::announce(const QString& text)
{
    m_announcer->announce(text);
}

void MainWindow::showStep(const QString& text)
{
    if (passo->text() != text) {
        announce(QStringLiteral("suggerimento: ") + text);
    }
    passo->setText(text);
    // Named with what it is, for a reader that comes to it.
    setSpokenName(passo, QStringLiteral("suggerimento: ") + text);
    if (m_note) {
        m_note->hide();
    }
}

void MainWindow::showNote(const QString& text)
{
    if (!m_note) {
        auto* note = new ClickableLabel(passo->parentWidget());
        note->setObjectName(QStringLiteral("nota"));
        // It goes by itself: no stop for Tab, but heard, as an alert, when it comes.
        note->setFocusPolicy(Qt::NoFocus);
        // It quotes file names and the check's messages: never read as markup.
        note->setTextFormat(Qt::PlainText);
        note->setWordWrap(true);
        note->setFrameStyle(QFrame::Box | QFrame::Plain);
        note->setMargin(6);
        setColours(note, palette().color(QPalette::ToolTipBase), palette().color(QPalette::ToolTipText));
        connect(note, &ClickableLabel::clicked, note, &QWidget::hide);
        m_note = note;
        m_noteTimer = new QTimer(this);
        m_noteTimer->setSingleShot(true);
        m_noteTimer->setInterval(std::chrono::seconds(20));
        connect(m_noteTimer, &QTimer::timeout, note, &QWidget::hide);
    }
    m_note->setText(text);
    setSpokenName(m_note, QStringLiteral("nota: ") + text);
    // Over the controls just above the hint line, as wide as it.
    const QRect line = passo->geometry();
    const int height = m_note->heightForWidth(line.width());
    m_note->setGeometry(line.x(), std::max(0, line.y() - height - 2), line.width(), height);
    m_note->raise();
    m_note->show();
    QAccessibleEvent alert(m_note, QAccessible::Alert);
    QAccessible::updateAccessibility(&alert);
    m_noteTimer->start();
}

QString MainWindow::stepText() const
{
    return passo->text();
}

MainWindow::~MainWindow()
{
    // The controls go after this: the ring must neither follow nor hold one of them.
    disconnect(m_followFocus);
    m_focusRing->setWidget(nullptr);
}

void MainWindow::setUpProportionalLayout()
{
    m_resize = std::make_unique<clsResize>();
    LoadProportionalLayout(*m_resize, this, DesignWidth, DesignHeight);
}

void MainWindow::showFileName(const QString& fileName)
{
    if (m_caption.isEmpty()) {
        m_caption = windowTitle();
    }
    setWindowTitle(fileName.isEmpty() ? m_caption
                                      : m_caption + QStringLiteral(" - ") + plainWindowTitle(fileName));
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    const QWidgetList windows = QApplication::topLevelWidgets();
    const bool anotherShown = std::any_of(windows.begin(), windows.end(), [this](QWidget* w) {
        return w != this && qobject_cast<MainWindow*>(w) && w->isVisible();
    });
    if (anotherShown || !m_module.hasExitProcedure()) {
        QMainWindow::closeEvent(event);
        return;
    }
    // Leaving unloads this window too when confirmed; "No" keeps it open.
    event->ignore();
    m_module.ExitProgram(this);
}

void MainWindow::resizeEvent(QResizeEvent* event)
{
    QMainWindow::resizeEvent(event);
    if (m_resize) {
        m_resize->ResizeControls();
    }
}

} // namespace pondra
