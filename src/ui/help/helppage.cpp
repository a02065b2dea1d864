#include "helppage.h"

#include "reports/helppages.h"
#include "reports/textdocumentbuilder.h"
#include "ui/core/modulopondra.h"
#include "ui/extra/documentwindow.h"
#include "ui/layout/clsresize.h"
#include "ui/layout/twips.h"

#include <QCloseEvent>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTextDocument>

namespace pondra {

namespace {

constexpr int DesignHeight = 6825; // twips, every page
constexpr int ManualWidth = 9600;  // twips
constexpr int PageWidth = 5640;    // twips, the pages beside the window they explain
constexpr int PageLeft = 5467;     // twips
constexpr int Margin = 180;
constexpr int TitleTop = 150;
constexpr int TitleHeight = 450;
constexpr int TextTop = 720;
constexpr int ButtonHeight = 450;
// The buttons stand clear of the bottom, where the window's frame may take some room.
constexpr int ButtonTop = DesignHeight - 420 - ButtonHeight;
constexpr int ButtonGap = 150;

} // namespace

HelpPage::HelpPage(ModuloPondra& module, int topic) : m_module(module), m_topic(topic)
{
    const HelpPageText& page = helpPage(topic);
    const bool manual = topic == 1;
    const int width = manual ? ManualWidth : PageWidth;
    setWindowTitle(QStringLiteral("Guida in linea"));
    resizeOuterTwips(this, width, DesignHeight);

    const int inner = width - 2 * Margin;
    Label1 = new QLabel(page.title, this);
    Label1->setAlignment(Qt::AlignCenter);
    QFont titleFont = Label1->font();
    titleFont.setBold(true);
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.3);
    Label1->setFont(titleFont);
    placeTwips(Label1, Margin, TitleTop, inner, TitleHeight);

    textArea = new QScrollArea(this);
    textArea->setFrameShape(QFrame::StyledPanel);
    textArea->setWidgetResizable(true);
    textArea->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    textArea->setAccessibleName(QStringLiteral("testo della guida"));
    textArea->verticalScrollBar()->setAccessibleName(QStringLiteral("barra del testo della guida"));
    Label2 = new QLabel(page.text);
    Label2->setWordWrap(true);
    Label2->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Label2->setTextInteractionFlags(Qt::TextSelectableByMouse);
    Label2->setContentsMargins(6, 6, 6, 6);
    textArea->setWidget(Label2);
    placeTwips(textArea, Margin, TextTop, inner, ButtonTop - ButtonGap - TextTop);

    const int buttonWidth = (inner - 2 * ButtonGap) / 3;
    cmdstampa = new QPushButton(QStringLiteral("S&tampa"), this);
    placeTwips(cmdstampa, Margin, ButtonTop, buttonWidth, ButtonHeight);
    cmdSommario = new QPushButton(QStringLiteral("&Sommario"), this);
    placeTwips(cmdSommario, Margin + buttonWidth + ButtonGap, ButtonTop, buttonWidth, ButtonHeight);
    cmdchiudi = new QPushButton(QStringLiteral("&Chiudi"), this);
    placeTwips(cmdchiudi, Margin + 2 * (buttonWidth + ButtonGap), ButtonTop, buttonWidth, ButtonHeight);
    if (manual) {
        cmdchiudi->setToolTip(QStringLiteral("cliccare per chiudere la finestra"));
        cmdstampa->setToolTip(
            QStringLiteral("cliccare per avere la copia su carta del MANUALE D'USO RAPIDO"));
        cmdSommario->setToolTip(QStringLiteral("cliccare per tornare al sommario"));
    }
    connect(cmdstampa, &QPushButton::clicked, this, &HelpPage::cmdstampa_Click);
    connect(cmdchiudi, &QPushButton::clicked, this, &HelpPage::cmdchiudi_Click);
    connect(cmdSommario, &QPushButton::clicked, this, &HelpPage::cmdSommario_Click);

    m_resize = std::make_unique<clsResize>();
    // Beside the main window it explains, but for the manual, which is as wide as that window.
    LoadProportionalLayout(*m_resize, this, width, DesignHeight,
                           manual ? std::nullopt : std::optional<int>(PageLeft));
}

HelpPage::~HelpPage() = default;

void HelpPage::cmdstampa_Click()
{
    TextDocumentBuilder builder;
    printHelpPage(builder, m_module.identity(), Label1->text(), Label2->text());
    showDocument(m_module, builder.takeDocument(),
                 m_module.identity().ProgramName.trimmed() + QStringLiteral(": ") + Label1->text());
}

void HelpPage::cmdchiudi_Click()
{
    m_module.unloadWindow(QByteArray(metaObject()->className()));
}

void HelpPage::cmdSommario_Click()
{
    Q_EMIT contentsRequested();
}

void HelpPage::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    if (m_resize) {
        m_resize->ResizeControls();
    }
}

void HelpPage::closeEvent(QCloseEvent* event)
{
    // The title bar's close unloads the page as its Chiudi button does.
    event->accept();
    cmdchiudi_Click();
}

} // namespace pondra
