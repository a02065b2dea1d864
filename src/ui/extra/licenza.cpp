#include "licenza.h"

#include "documentwindow.h"
#include "extrafonts.h"
#include "reports/termsofuse.h"
#include "reports/textdocumentbuilder.h"
#include "settings/programfiles.h"
#include "ui/core/modulopondra.h"
#include "ui/layout/clsresize.h"
#include "ui/layout/twips.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTextDocument>

namespace pondra {

namespace {

QPushButton* makeButton(QWidget* parent, const QString& caption, const QString& tip, int left)
{
    auto* button = new QPushButton(caption, parent);
    button->setToolTip(tip);
    placeTwips(button, left, 6060, 1650, 510);
    return button;
}

} // namespace

licenza::licenza(ModuloPondra& module) : m_module(module)
{
    setWindowTitle(QStringLiteral("LICENZA D'USO"));

    m_programName = new QLabel(this);
    m_programName->setAlignment(Qt::AlignCenter);
    m_programName->setFont(programNameFont(26));
    placeTwips(m_programName, 120, 120, 5400, 600);

    m_text1 = new QPlainTextEdit(this);
    m_text1->setReadOnly(true);
    m_text1->setAccessibleName(QStringLiteral("testo della licenza d'uso"));
    m_text1->verticalScrollBar()->setAccessibleName(QStringLiteral("barra del testo della licenza"));
    m_text1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_text1->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    m_text1->setFont(textFont(13));
    m_text1->setPlainText(termsOfUseText(startupMusicInstalled()));
    placeTwips(m_text1, 120, 840, 5400, 5040);

    // Stampa, Sommario, Chiudi: the order of the help pages and the price list.
    m_cmdstampa = makeButton(this, QStringLiteral("S&tampa"),
                             QStringLiteral("cliccare per stampare la LICENZA D'USO"), 120);
    m_cmdSommario = makeButton(this, QStringLiteral("&Sommario"),
                               QStringLiteral("cliccare per visualizzare il sommario della guida"), 1995);
    m_cmdchiudi = makeButton(this, QStringLiteral("&Chiudi"),
                             QStringLiteral("cliccare per chiudere la finestra LICENZA D'USO"), 3870);
    m_cmdchiudi->setDefault(true);
    connect(m_cmdSommario, &QPushButton::clicked, this, &licenza::cmdSommario_Click);
    connect(m_cmdstampa, &QPushButton::clicked, this, &licenza::cmdstampa_Click);
    connect(m_cmdchiudi, &QPushButton::clicked, this, &licenza::cmdchiudi_Click);

    Form_Load();
}

licenza::~licenza() = default;

void licenza::Form_Load()
{
    m_programName->setText(m_module.identity().ProgramName);

    m_resize = std::make_unique<clsResize>();
    LoadProportionalLayout(*m_resize, this, DesignWidth, DesignHeight, DesignLeft);
}

void licenza::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    if (m_resize) {
        m_resize->ResizeControls();
    }
}

void licenza::printTerms(DocumentBuilder& builder) const
{
    printTermsOfUse(builder, m_module.identity(), m_text1->toPlainText());
}

void licenza::cmdchiudi_Click()
{
    hide();
}

void licenza::cmdstampa_Click()
{
    TextDocumentBuilder builder;
    printTerms(builder);
    showDocument(m_module, builder.takeDocument(),
                 m_module.identity().ProgramName.trimmed() + QStringLiteral(": licenza d'uso"));
}

void licenza::cmdSommario_Click()
{
    if (showContents) {
        showContents();
    }
}

} // namespace pondra
