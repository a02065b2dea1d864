#include "sommario.h"

#include "helpguide.h"
#include "helppage.h"
#include "ui/layout/sidebyside.h"

#include "reports/helppages.h"
#include "reports/textdocumentbuilder.h"
#include "ui/core/modulopondra.h"
#include "ui/extra/documentwindow.h"
#include "ui/extra/licenza.h"
#include "ui/layout/clsresize.h"
#include "ui/layout/twips.h"
#include "ui/main/clickablelabel.h"

#include <QDir>
#include <QEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QTextDocument>

namespace pondra {

namespace {

constexpr int DesignWidth = 3975;  // twips
constexpr int DesignHeight = 6825; // twips
constexpr int Margin = 120;
constexpr int HeadingTop = 150;
constexpr int HeadingHeight = 390;
constexpr int FirstTopicTop = 690;
constexpr int TopicStep = 450;
constexpr int TopicHeight = 345;
// Between the help pages (1-7) and the other windows (8-10).
constexpr int GroupGap = 300;
constexpr int ArrowWidth = 480;
constexpr int LabelLeft = Margin + ArrowWidth + 75;
constexpr int ButtonHeight = 420;
constexpr int ButtonGap = 90;
// The buttons stand clear of the bottom, where the window's frame may take some room.
constexpr int ButtonTop = DesignHeight - 420 - ButtonHeight;

int topicTop(int index)
{
    return FirstTopicTop + (index - 1) * TopicStep + (index > 7 ? GroupGap : 0);
}

void setBorder(QLabel* label, bool line)
{
    label->setFrameShape(line ? QFrame::Box : QFrame::NoFrame);
}

} // namespace

QString sommario::topicCaption(int index)
{
    switch (index) {
    case 1:
        return QStringLiteral("  Manuale d'uso rapido");
    case 2:
        return QStringLiteral("  Funzionamento del programma");
    case 3:
        return QStringLiteral("  Archivio dati");
    case 4:
        return QStringLiteral(" Stampa");
    case 5:
        return QStringLiteral(" Finestra DATI");
    case 6:
        return QStringLiteral(" Finestra GRADUATORIA");
    case 7:
        return QStringLiteral(" Finestra FRONTESPIZIO");
    case 8:
        return QStringLiteral("  Suggerimento del giorno");
    case 9:
        return QStringLiteral("  Licenza d'uso di \" Pondra\"");
    case 10:
        return QStringLiteral("  altri prodotti Software Borealis");
    default:
        return {};
    }
}

sommario::sommario(ModuloPondra& module) : m_module(module)
{
    guideFolders = defaultGuideFolders();
    setWindowTitle(QStringLiteral("Pondra: guida in linea"));
    // Moves over the background clear the highlight.
    setMouseTracking(true);
    resizeOuterTwips(this, DesignWidth, DesignHeight);

    const int inner = DesignWidth - 2 * Margin;
    Label1 = new QLabel(QStringLiteral("Argomenti della guida"), this);
    Label1->setAlignment(Qt::AlignCenter);
    QFont headingFont = Label1->font();
    headingFont.setBold(true);
    headingFont.setPointSizeF(headingFont.pointSizeF() * 1.2);
    Label1->setFont(headingFont);
    placeTwips(Label1, Margin, HeadingTop, inner, HeadingHeight);

    for (int i = 1; i <= TopicCount; ++i) {
        puls[std::size_t(i)] = new QPushButton(QStringLiteral("--->"), this);
        placeTwips(puls[std::size_t(i)], Margin, topicTop(i), ArrowWidth, TopicHeight);
        connect(puls[std::size_t(i)], &QPushButton::clicked, this, [this, i] { puls_Click(i); });

        auto* label = new ClickableLabel(this);
        label->setText(topicCaption(i));
        label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        label->setCursor(Qt::PointingHandCursor);
        setBorder(label, true);
        placeTwips(label, LabelLeft, topicTop(i), DesignWidth - Margin - LabelLeft, TopicHeight);
        label->installEventFilter(this);
        connect(label, &ClickableLabel::clicked, this, [this, i] { lbl_MouseDown(i); });
        connect(label, &ClickableLabel::hovered, this, [this, i] { lbl_MouseMove(i); });
        lbl[std::size_t(i)] = label;
    }

    const int buttonWidth = (inner - 2 * ButtonGap) / 3;
    cmdstampa = new QPushButton(QStringLiteral("&Stampa"), this);
    cmdstampa->setToolTip(QStringLiteral("cliccare per avere la copia su carta del sommario"));
    placeTwips(cmdstampa, Margin, ButtonTop, buttonWidth, ButtonHeight);
    cmdchiudi = new QPushButton(QStringLiteral("&Chiudi"), this);
    cmdchiudi->setToolTip(QStringLiteral("cliccare per chiudere la finestra"));
    placeTwips(cmdchiudi, Margin + buttonWidth + ButtonGap, ButtonTop, buttonWidth, ButtonHeight);
    cmduscita = new QPushButton(QStringLiteral("&USCITA"), this);
    cmduscita->setToolTip(QStringLiteral("cliccare per uscire da Pondra"));
    placeTwips(cmduscita, Margin + 2 * (buttonWidth + ButtonGap), ButtonTop, buttonWidth, ButtonHeight);
    connect(cmdstampa, &QPushButton::clicked, this, &sommario::cmdstampa_Click);
    connect(cmdchiudi, &QPushButton::clicked, this, &sommario::cmdchiudi_Click);
    connect(cmduscita, &QPushButton::clicked, this, &sommario::cmduscita_Click);

    m_resize = std::make_unique<clsResize>();
    LoadProportionalLayout(*m_resize, this, DesignWidth, DesignHeight);
}

sommario::~sommario() = default;

void sommario::openTopic(int index)
{
    if (index >= int(AncillaryTopic::TipOfTheDay) && index <= int(AncillaryTopic::PriceList)) {
        const auto topic = AncillaryTopic(index);
        // The terms window, like the help pages, opens beside the contents.
        if (topic == AncillaryTopic::TermsOfUse && openAncillary) {
            if (licenza* terms = m_module.window<licenza>(); !terms->isVisible()) {
                placeBeside(terms, this);
            }
        }
        if (openAncillary) {
            openAncillary(topic);
        }
        return;
    }
    // 1-7, and anything out of range, which falls back to the manual.
    openHelpPage(m_module, index);
}

void sommario::puls_Click(int index)
{
    openTopic(index);
}

void sommario::lbl_MouseDown(int index)
{
    if (index >= 1 && index <= TopicCount) {
        setBorder(lbl[std::size_t(index)], false);
    }
    openTopic(index);
}

void sommario::lbl_MouseUp(int index)
{
    if (index >= 1 && index <= TopicCount) {
        setBorder(lbl[std::size_t(index)], true);
    }
}

void sommario::lbl_MouseMove(int index)
{
    for (int i = 1; i <= TopicCount; ++i) {
        setBold(i, i == index);
    }
}

void sommario::Form_MouseMove()
{
    for (int i = 1; i <= TopicCount; ++i) {
        setBold(i, false);
    }
}

void sommario::setBold(int index, bool bold)
{
    ClickableLabel* label = lbl[std::size_t(index)];
    // Only a real change touches the font: moves come many a second.
    if (label->font().bold() == bold) {
        return;
    }
    QFont font = label->font();
    font.setBold(bold);
    label->setFont(font);
}

void sommario::cmdstampa_Click()
{
    TextDocumentBuilder builder;
    printHelpContents(builder, m_module.identity());
    QString error;
    const QString saved =
        saveHelpGuide(*builder.document(), helpGuideFileName(m_module.identity()), guideFolders, &error);
    // The title says which file was written, so the user can find it again.
    const QString title = m_module.identity().ProgramName.trimmed() + QStringLiteral(": guida in linea");
    showDocument(m_module, builder.takeDocument(),
                 saved.isEmpty() ? title : QDir::toNativeSeparators(saved) + QStringLiteral(" - ") + title);
    if (saved.isEmpty()) {
        m_module.showMessage(this, {error, MessageIcon::Critical}, m_module.identity().ProgramName.trimmed());
    }
}

void sommario::cmdchiudi_Click()
{
    hide();
}

void sommario::cmduscita_Click()
{
    if (exitProgram) {
        exitProgram();
    }
}

void sommario::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    if (m_resize) {
        m_resize->ResizeControls();
    }
}

void sommario::mouseMoveEvent(QMouseEvent* event)
{
    Form_MouseMove();
    QWidget::mouseMoveEvent(event);
}

bool sommario::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseButtonRelease) {
        for (int i = 1; i <= TopicCount; ++i) {
            if (watched == lbl[std::size_t(i)]) {
                lbl_MouseUp(i);
                break;
            }
        }
    }
    return QWidget::eventFilter(watched, event);
}

sommario* showHelpContents(ModuloPondra& module)
{
    sommario* contents = module.window<sommario>();
    contents->show();
    contents->raise();
    contents->activateWindow();
    return contents;
}

namespace {

// A page made now goes back to the contents when asked.
template <class T> HelpPage* load(ModuloPondra& module)
{
    const bool made = !module.loadedWindow<T>();
    T* page = module.window<T>();
    if (made) {
        QObject::connect(page, &HelpPage::contentsRequested, page, [&module] { showHelpContents(module); });
    }
    return page;
}

} // namespace

HelpPage* loadHelpPage(ModuloPondra& module, int topic)
{
    switch (topic) {
    case 2:
        return load<guidafunzionamento>(module);
    case 3:
        return load<guidaarchivio>(module);
    case 4:
        return load<guidastampa>(module);
    case 5:
        return load<guidacaratteristiche>(module);
    case 6:
        return load<guidagraduatoria>(module);
    case 7:
        return load<guidafrontespizio>(module);
    case 8:
        return load<guidaconfronto>(module);
    default:
        return load<manuale>(module);
    }
}

HelpPage* openHelpPage(ModuloPondra& module, int topic)
{
    HelpPage* page = loadHelpPage(module, topic);
    // A page opening while the contents is on screen stands beside it, never over it.
    if (!page->isVisible()) {
        placeBeside(page, module.loadedWindow<sommario>());
    }
    page->show();
    page->raise();
    page->activateWindow();
    return page;
}

} // namespace pondra
