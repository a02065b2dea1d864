#include "informa.h"

#include "dialogparts.h"

#include "emblem.h"
#include "extrafonts.h"
#include "model/textrules.h"
#include "settings/installation.h"
#include "settings/programfiles.h"
#include "settings/settings.h"
#include "ui/core/modulopondra.h"

#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QSysInfo>

namespace pondra {

namespace {

constexpr int DesignWidth = 480;
constexpr int DesignHeight = 318;

QLabel* makeLabel(QWidget* parent, const QRect& geometry, const QFont& font, const QString& text = {})
{
    return plainLabel(parent, geometry, font, text, Qt::AlignLeft | Qt::AlignVCenter);
}

// The year of a dd/mm/yy date text, two-digit years read in the window 1930-2029.
int yearOfDateText(const QString& date)
{
    const QString last = date.section(u'/', -1).trimmed();
    const int year = last.toInt();
    if (last.size() > 2) {
        return year;
    }
    return year < 30 ? 2000 + year : 1900 + year;
}

// The system the program runs on, named as its users know it.
QString systemLine()
{
#if defined(Q_OS_WIN)
    const QString system = QStringLiteral("Windows");
#elif defined(Q_OS_MACOS)
    const QString system = QStringLiteral("macOS");
#elif defined(Q_OS_LINUX)
    const QString system = QStringLiteral("Linux");
#else
    const QString system = QSysInfo::kernelType();
#endif
    return QStringLiteral("per sistemi ") + system + QStringLiteral(" a ") +
           QString::number(QSysInfo::WordSize) + QStringLiteral(" bit ");
}

} // namespace

informa::informa(ModuloPondra& module) : MakerWindow(DesignWidth, DesignHeight), m_module(module)
{
    const MakerData maker = makerData(m_module.environment().settings());
    const int inner = innerWidth();

    m_icon = new QLabel(this);
    m_icon->setGeometry(Margin, Margin, 56, 56);
    m_icon->setPixmap(balanceEmblem(56, qApp->devicePixelRatio()));

    m_programName = makeLabel(this, {88, 12, 376, 44}, programNameFont(32));
    m_description = makeLabel(this, {88, 58, 376, 20}, textFont(13, false, true));
    addRule(84);
    m_brand = makeLabel(this, {Margin, 94, inner, 30}, brandFont(22), maker.Brand);
    m_edition = makeLabel(this, {Margin, 126, inner, 20}, textFont(13));
    m_systemInfo = makeLabel(this, {Margin, 146, inner, 20}, textFont(13), systemLine());
    addRule(172);
    // The music's credit has a band of its own only when the music is there.
    const bool music = startupMusicInstalled();
    m_musicCredit = makeLabel(this, {Margin, 180, inner, 20}, textFont(12, false, true),
                              music ? maker.MusicCredit : QString());
    m_musicCredit->setVisible(music);
    if (music) {
        addRule(204);
    }
    m_copyrightNotice =
        makeLabel(this, {Margin, music ? 212 : 180, inner, 52}, textFont(11),
                  QStringLiteral("Attenzione: questo programma è protetto dalle leggi sul diritto "
                                 "d'autore. La riproduzione o la distribuzione non autorizzata del "
                                 "programma, o di una sua parte%1, sarà "
                                 "perseguita a norma di legge.")
                      .arg(music ? QStringLiteral(", file audio compresi") : QString()));
    m_copyrightNotice->setWordWrap(true);
    m_copyrightNotice->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    m_cmdOK = addOkButton(DesignHeight - Margin - 32 + 4);
    connect(m_cmdOK, &QPushButton::clicked, this, &informa::cmdOK_Click);

    Form_Load();
}

QString informa::editionLine(const QString& version, const QString& versionDate, const QString& build)
{
    return QStringLiteral("edizione professionale - versione ") + version + QStringLiteral("  ") +
           signBlankText(yearOfDateText(versionDate)) + QStringLiteral("- 20") + build.right(2);
}

void informa::Form_Load()
{
    const IdentityTexts& identity = m_module.identity();
    setWindowTitle(QStringLiteral("Informazioni su ") + identity.ProgramName);
    m_programName->setText(identity.ProgramName);
    m_description->setText(identity.ProgramDescription);
    m_edition->setText(editionLine(identity.ProgramVersion, identity.ProgramDate, identity.ProgramBuild));
}

void informa::cmdOK_Click()
{
    hide();
}

} // namespace pondra
