#include "frmtip.h"

#include "archive/regularfile.h"
#include "archive/tipsfile.h"
#include "emblem.h"
#include "extrafonts.h"
#include "settings/programfiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>

namespace pondra {

namespace {

constexpr int DesignWidth = 480;
constexpr int DesignHeight = 262;
constexpr int Margin = 12;
constexpr int ButtonWidth = 104;
constexpr int ButtonHeight = 30;

} // namespace

frmTip::frmTip(ModuloPondra& module) : frmTip(module, programFile(QString::fromLatin1(TipsFileName))) {}

frmTip::frmTip(ModuloPondra& module, const QString& tipsFile)
{
    Q_UNUSED(module);
    setWindowTitle(QStringLiteral("Suggerimento del giorno"));
    setFixedSize(DesignWidth, DesignHeight);

    // The white card the hint is written on, as a note on the desk.
    auto* card = new QFrame(this);
    card->setGeometry(Margin, Margin, DesignWidth - 2 * Margin, DesignHeight - 3 * Margin - ButtonHeight);
    card->setFrameShape(QFrame::StyledPanel);
    card->setFrameShadow(QFrame::Sunken);
    card->setAutoFillBackground(true);
    QPalette cardPalette = card->palette();
    cardPalette.setColor(QPalette::Window, Qt::white);
    cardPalette.setColor(QPalette::WindowText, Qt::black);
    card->setPalette(cardPalette);

    m_picture1 = new QLabel(card);
    m_picture1->setGeometry(12, 12, 48, 48);
    m_picture1->setPixmap(balanceEmblem(48, qApp->devicePixelRatio()));

    m_heading = new QLabel(QStringLiteral("Non tutti sanno che..."), card);
    m_heading->setGeometry(72, 12, card->width() - 84, 32);
    m_heading->setFont(textFont(18, true));

    // The hints are the user's text, of any length: a long one scrolls on the card.
    m_tipArea = new QScrollArea(card);
    m_tipArea->setGeometry(72, 52, card->width() - 78, card->height() - 58);
    m_tipArea->setFrameShape(QFrame::NoFrame);
    m_tipArea->setWidgetResizable(true);
    m_tipArea->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_tipArea->setAccessibleName(QStringLiteral("suggerimento"));
    m_tipArea->viewport()->setAutoFillBackground(false);
    m_lblTipText = new QLabel;
    // Never read as rich text.
    m_lblTipText->setTextFormat(Qt::PlainText);
    m_lblTipText->setFont(textFont(14));
    m_lblTipText->setWordWrap(true);
    m_lblTipText->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_lblTipText->setContentsMargins(0, 0, 6, 6);
    m_tipArea->setWidget(m_lblTipText);
    m_lblTipText->setAutoFillBackground(false);

    const int buttonTop = DesignHeight - Margin - ButtonHeight;
    auto makeButton = [&](const QString& caption, int right) {
        auto* button = new QPushButton(caption, this);
        button->setGeometry(right - ButtonWidth, buttonTop, ButtonWidth, ButtonHeight);
        return button;
    };
    const int right = DesignWidth - Margin;
    m_cmdOK = makeButton(QStringLiteral("&Chiudi"), right);
    m_cmdNextTip = makeButton(QStringLiteral("&Successivo"), right - ButtonWidth - 8);
    m_cmdprecedente = makeButton(QStringLiteral("&Precedente"), right - 2 * (ButtonWidth + 8));
    m_cmdNextTip->setDefault(true);
    setTabOrder(m_cmdprecedente, m_cmdNextTip);
    setTabOrder(m_cmdNextTip, m_cmdOK);
    connect(m_cmdprecedente, &QPushButton::clicked, this, &frmTip::cmdprecedente_Click);
    connect(m_cmdNextTip, &QPushButton::clicked, this, &frmTip::cmdNextTip_Click);
    connect(m_cmdOK, &QPushButton::clicked, this, &frmTip::cmdOK_Click);

    Form_Load(tipsFile);
}

QString frmTip::missingFileMessage()
{
    const QString name = QString::fromLatin1(TipsFileName);
    return QStringLiteral("Impossibile trovare il file ") + name + QStringLiteral("\r\n\r\n") +
           QStringLiteral("Creare un file di testo denominato ") + name +
           QStringLiteral(" utilizzando un editor di testo e inserendo un suggerimento per ogni riga. ") +
           QStringLiteral("Inserire il file nella cartella ") + QDir::toNativeSeparators(userDataFolder()) +
           QStringLiteral(". ");
}

void frmTip::Form_Load(const QString& tipsFile)
{
    if (!LoadTips(tipsFile)) {
        m_lblTipText->setText(m_refusal.isEmpty() ? missingFileMessage() : m_refusal);
    }
}

bool frmTip::LoadTips(const QString& tipsFile)
{
    if (tipsFile.isEmpty()) {
        return false;
    }
    QStringList tips;
    QString error;
    if (!loadTips(tipsFile, tips, &error)) {
        // A file that is there but cannot be read (a FIFO, a device, no permission, too large)
        // says so; a missing one, or a folder of that name, gets the usual hint.
        const QFileInfo info(tipsFile);
        if (info.exists() && !info.isDir()) {
            m_refusal = error;
        }
        return false;
    }
    m_tipList += tips;
    ShowNextTip();
    return true;
}

void frmTip::DisplayCurrentTip()
{
    if (m_tipIndex >= 1 && m_tipIndex <= m_tipList.size()) {
        m_lblTipText->setText(m_tipList.at(m_tipIndex - 1));
    }
}

void frmTip::ShowNextTip()
{
    ++m_tipIndex;
    if (m_tipIndex > m_tipList.size()) {
        m_tipIndex = 1;
    }
    DisplayCurrentTip();
}

void frmTip::cmdNextTip_Click()
{
    // Without a file read there is nothing to step through: the message stays.
    if (m_tipList.isEmpty()) {
        return;
    }
    ShowNextTip();
}

void frmTip::cmdprecedente_Click()
{
    if (m_tipIndex > 1) {
        --m_tipIndex;
        DisplayCurrentTip();
    }
}

void frmTip::cmdOK_Click()
{
    hide();
}

void frmTip::reject()
{
    m_cmdOK->click();
}

} // namespace pondra
