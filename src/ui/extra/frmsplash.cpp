#include "frmsplash.h"

#include "prodotti.h"

#include "emblem.h"
#include "extrafonts.h"
#include "settings/installation.h"
#include "settings/programfiles.h"
#include "settings/settings.h"
#include "ui/core/modulopondra.h"
#include "ui/main/requisiti.h"

#include <QCloseEvent>
#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QLinearGradient>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QShortcut>

namespace pondra {

namespace {

// Design size in device-independent pixels; the window is not resizable.
constexpr int DesignWidth = 560;
constexpr int DesignHeight = 360;
constexpr int ImageSize = 140;

QLabel* makeLabel(QWidget* parent, const QRect& geometry, const QFont& font, const QColor& color,
                  Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter)
{
    auto* label = new QLabel(parent);
    label->setTextFormat(Qt::PlainText);
    label->setGeometry(geometry);
    label->setFont(font);
    label->setAlignment(alignment);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, color);
    label->setPalette(palette);
    return label;
}

bool isLeftClick(const QEvent* event)
{
    return static_cast<const QMouseEvent*>(event)->button() == Qt::LeftButton;
}

} // namespace

frmSplash::frmSplash(ModuloPondra& module) : m_module(module)
{
    setFixedSize(DesignWidth, DesignHeight);
    setFocusPolicy(Qt::StrongFocus);
    // Closing it from the title bar unloads it, like a key press.
    setAttribute(Qt::WA_DeleteOnClose);
    // Without a mouse, Enter or Space starts as a click does (Ctrl+1 too, the key that shows the
    // Data window from the other windows); Esc and any other key that types closes the program.
    auto* toData = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_1), this);
    connect(toData, &QShortcut::activated, this, &frmSplash::showDataWindow);
    setAccessibleName(QStringLiteral("Pondra"));
    setAccessibleDescription(QStringLiteral("un clic o Invio per iniziare, Esc per uscire"));

    const QColor navy(20, 40, 110);
    const QColor ink(40, 40, 40);
    const QColor brandRed(140, 20, 20);

    m_shape = new QFrame(this);
    m_shape->setFrameShape(QFrame::Box);
    m_shape->setLineWidth(2);
    m_shape->setGeometry(8, 8, DesignWidth - 16, DesignHeight - 16);
    QPalette framePalette = m_shape->palette();
    framePalette.setColor(QPalette::WindowText, navy);
    m_shape->setPalette(framePalette);
    // The frame is drawn over the background only: clicks inside it belong to the window.
    m_shape->setAttribute(Qt::WA_TransparentForMouseEvents);

    m_label[1] = makeLabel(this, {24, 18, 512, 42}, brandFont(30), brandRed);
    m_label[2] = makeLabel(this, {24, 60, 512, 24}, textFont(15, false, true), ink);
    m_label[3] = makeLabel(this, {184, 94, 352, 80}, programNameFont(58), navy, Qt::AlignCenter);
    m_label[4] = makeLabel(this, {184, 180, 352, 24}, textFont(14, false, true), ink, Qt::AlignCenter);
    m_label[5] = makeLabel(this, {24, 246, 512, 24}, textFont(14, true), navy, Qt::AlignCenter);
    m_label[6] = makeLabel(this, {24, 246, 1, 1}, textFont(12), ink);
    m_label[6]->hide();
    m_label[7] = makeLabel(this, {80, 276, 400, 36}, textFont(12), ink, Qt::AlignCenter);
    m_label[7]->setWordWrap(true);
    m_label[8] = makeLabel(this, {24, 316, 512, 22}, textFont(12, false, true), ink, Qt::AlignCenter);

    m_label[1]->setText(makerData(m_module.environment().settings()).Brand);
    m_label[2]->setText(QString(24, u' ') + QStringLiteral("presenta"));
    m_label[8]->setText(QStringLiteral("(un clic o Invio per iniziare, Esc per uscire)"));

    m_image = new QLabel(this);
    m_image->setGeometry(32, 100, ImageSize, ImageSize);
    m_image->setPixmap(balanceEmblem(ImageSize, qApp->devicePixelRatio()));

    for (int i = 1; i <= LabelCount; ++i) {
        m_label[i]->installEventFilter(this);
    }
    m_image->installEventFilter(this);

    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        move(screen->availableGeometry().center() - rect().center());
    }

    Form_Load();
}

frmSplash::~frmSplash() = default;

QLabel* frmSplash::label(int index) const
{
    Q_ASSERT(index >= 1 && index <= LabelCount);
    return m_label[index];
}

void frmSplash::Form_Load()
{
    m_music.setFileName(QLatin1String(StartupMusicFileName));
    m_label[7]->setText(m_music.open()
                            ? QStringLiteral("Avviso: ogni abuso del presente software, compreso il "
                                             "file audio, sarà perseguito a norma di legge")
                            : QStringLiteral("Avviso: ogni abuso del presente software sarà "
                                             "perseguito a norma di legge"));
    m_music.play();
    m_module.InitGlobals();
    const IdentityTexts& identity = m_module.identity();
    setWindowTitle(identity.ProgramName + QStringLiteral("- ") + identity.ProgramDescription);
    m_label[3]->setText(identity.ProgramName);
    m_label[4]->setText(identity.ProgramDescription);
    m_label[5]->setText(QStringLiteral("EDIZIONE PROFESSIONALE - VERSIONE ") + identity.ProgramVersion);
}

void frmSplash::showClosingForm()
{
    m_label[2]->setText(QString(7, u' ') + QStringLiteral("elaborazione eseguita con"));
    if (!m_music.isOpen()) {
        m_music.open();
    }
    m_music.play();
    show();
    raise();
    activateWindow();
}

void frmSplash::Form_Click()
{
    showDataWindow();
}

void frmSplash::label_Click(int Index)
{
    Q_UNUSED(Index);
    showDataWindow();
}

void frmSplash::image1_Click()
{
    showDataWindow();
}

void frmSplash::showDataWindow()
{
    m_music.pause();
    requisiti* data = m_module.window<requisiti>();
    data->show();
    data->raise();
    data->activateWindow();
}

void frmSplash::Form_KeyPress(int KeyAscii)
{
    Q_UNUSED(KeyAscii);
    m_music.close();
    m_module.unloadWindow<prodotti>();
    // Closed, not only hidden: with no other window shown, closing the last one ends the
    // program.
    close();
}

bool frmSplash::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::MouseButtonRelease || !isLeftClick(event)) {
        return QWidget::eventFilter(watched, event);
    }
    auto* widget = qobject_cast<QWidget*>(watched);
    const QPoint position = static_cast<QMouseEvent*>(event)->position().toPoint();
    if (!widget || !widget->rect().contains(position)) {
        return QWidget::eventFilter(watched, event);
    }
    if (widget == m_image) {
        image1_Click();
        return true;
    }
    for (int i = 1; i <= LabelCount; ++i) {
        if (widget == m_label[i]) {
            label_Click(i);
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void frmSplash::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) {
        Form_Click();
        return;
    }
    QWidget::mouseReleaseEvent(event);
}

void frmSplash::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter || event->key() == Qt::Key_Space) {
        showDataWindow();
        return;
    }
    // A key that types nothing (a lone Shift, Alt to switch windows) is not a request to leave.
    if (event->text().isEmpty()) {
        QWidget::keyPressEvent(event);
        return;
    }
    Form_KeyPress(event->text().front().unicode());
}

void frmSplash::closeEvent(QCloseEvent* event)
{
    m_music.close();
    event->accept();
}

void frmSplash::paintEvent(QPaintEvent* event)
{
    Q_UNUSED(event);
    QPainter painter(this);
    QLinearGradient background(QPointF(0, 0), QPointF(0, height()));
    background.setColorAt(0.0, QColor(255, 255, 255));
    background.setColorAt(1.0, QColor(214, 226, 242));
    painter.fillRect(rect(), background);
}

} // namespace pondra
