#include "frmtip.h"

#include "archive/cp1252.h"
#include "archive/regularfile.h"
#include "emblem.h"
#include "extrafonts.h"
#include "ui/core/programfiles.h"

#include <QFile>
#include <QFileInfo>
#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>

namespace pondra {

namespace {

constexpr int DesignWidth = 480;
constexpr int DesignHeight = 262;
constexpr int Margin = 12;
constexpr int ButtonWidth = 104;
constexpr int ButtonHeight = 30;

// One tip a line: CR LF or LF ends a line, and a final line end does not add an empty tip.
QStringList tipLines(const QByteArray& bytes) {
    QStringList lines = cp1252::decode(bytes).split(u'\n');
    if (lines.last().isEmpty()) {
        lines.removeLast();
    }
    for (QString& line : lines) {
        if (line.endsWith(u'\r')) {
            line.chop(1);
        }
    }
    return lines;
}

} // namespace

frmTip::frmTip(ModuloPondra& module) : frmTip(module, programFile(QString::fromLatin1(TipsFileName))) {}

frmTip::frmTip(ModuloPondra& module, const QString& tipsFile) {
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

    m_label1 = new QLabel(QStringLiteral("Non tutti sanno che..."), card);
    m_label1->setGeometry(72, 12, card->width() - 84, 32);
    m_label1->setFont(textFont(18, true));

    m_lblTipText = new QLabel(card);
    m_lblTipText->setGeometry(72, 52, card->width() - 84, card->height() - 64);
    // The hints are the user's text: never read as rich text.
    m_lblTipText->setTextFormat(Qt::PlainText);
    m_lblTipText->setFont(textFont(14));
    m_lblTipText->setWordWrap(true);
    m_lblTipText->setAlignment(Qt::AlignLeft | Qt::AlignTop);

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

QString frmTip::missingFileMessage() {
    const QString name = QString::fromLatin1(TipsFileName);
    return QStringLiteral("Impossibile trovare il file ") + name + QStringLiteral("\r\n\r\n") +
           QStringLiteral("Creare un file di testo denominato ") + name +
           QStringLiteral(" utilizzando il Blocco note e inserendo un suggerimento per ogni riga. ") +
           QStringLiteral("Inserire il file nella stessa directory dell'applicazione. ");
}

void frmTip::Form_Load(const QString& tipsFile) {
    if (!LoadTips(tipsFile)) {
        m_lblTipText->setText(m_refusal.isEmpty() ? missingFileMessage() : m_refusal);
    }
}

bool frmTip::LoadTips(const QString& sFile) {
    if (sFile.isEmpty()) {
        return false;
    }
    QFile file(sFile);
    QString reason;
    if (!openRegularFile(file, &reason)) {
        // A file that is there but cannot be read (a FIFO, a device, no permission) says so;
        // a missing one, or a folder of that name, gets the usual hint.
        const QFileInfo info(sFile);
        if (info.exists() && !info.isDir()) {
            m_refusal = QStringLiteral("Il file «%1» non si può leggere: %2").arg(shownFileName(sFile), reason);
        }
        return false;
    }
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        return false;
    }
    file.close();
    if (!bytes.isEmpty()) {
        m_tipList += tipLines(bytes);
    }
    ShowNextTip();
    return true;
}

void frmTip::DisplayCurrentTip() {
    if (m_tipIndex >= 1 && m_tipIndex <= m_tipList.size()) {
        m_lblTipText->setText(m_tipList.at(m_tipIndex - 1));
    }
}

void frmTip::ShowNextTip() {
    ++m_tipIndex;
    if (m_tipIndex > m_tipList.size()) {
        m_tipIndex = 1;
    }
    DisplayCurrentTip();
}

void frmTip::cmdNextTip_Click() {
    // Without a file read there is nothing to step through: the message stays.
    if (m_tipList.isEmpty()) {
        return;
    }
    ShowNextTip();
}

void frmTip::cmdprecedente_Click() {
    if (m_tipIndex > 1) {
        --m_tipIndex;
        DisplayCurrentTip();
    }
}

void frmTip::cmdOK_Click() {
    hide();
}

void frmTip::reject() {
    m_cmdOK->click();
}

} // namespace pondra
