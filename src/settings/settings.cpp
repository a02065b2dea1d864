#include "settings.h"

#include "settingsfile.h"
#include "userfiles.h"

#include <QSettings>

// The resources are compiled into a static library: nothing references them, so the linker
// would drop them unless someone asks for them by name.
static void initShippedResources()
{
    Q_INIT_RESOURCE(resources);
}

namespace pondra {

namespace {

// The names of the user's settings in the file.
const QString RecentFilesKey = QStringLiteral("FileRecenti");
const QString RobustnessKey = QStringLiteral("Relazione/IncludiSolidita");
const QString WeightingKey = QStringLiteral("Relazione/IncludiPesi");
const QString OwnerDataOfferedKey = QStringLiteral("DatiStudioProposti");

// The installation's keys, in the order of Settings::Installation.
constexpr const char* InstallationKeys[] = {
    "Maker/Brand",     "Maker/CompanyName", "Maker/Address",      "Maker/Telephone",   "Maker/Fax",
    "Maker/Email",     "Maker/WebSite",     "Maker/CatalogueUrl", "Maker/PurchaseUrl", "Maker/OfficeHours",
    "Maker/StartYear", "Maker/MusicCredit", "Owner/StudioName",   "Owner/Address",     "Owner/Qualification",
    "Owner/Telephone", "Owner/Email",
};

const QSettings& shipped()
{
    static const bool initialised = (initShippedResources(), true);
    Q_UNUSED(initialised);
    static const QSettings defaults(QStringLiteral(":/pondra/installation.ini"), QSettings::IniFormat);
    return defaults;
}

} // namespace

Settings::Settings() : Settings(userFilePlaces().settingsFile) {}

Settings::Settings(const QString& iniFile) : m_file(std::make_unique<SettingsFile>(iniFile)) {}

Settings::~Settings() = default;

QStringList Settings::recentFiles() const
{
    // Every running program shares the list: what another one wrote counts.
    m_file->reload();
    return m_file->texts(RecentFilesKey).value_or(QStringList());
}

void Settings::setRecentFiles(const QStringList& paths)
{
    m_file->setTexts(RecentFilesKey, paths);
}

bool Settings::reportIncludesRobustness() const
{
    return m_file->flag(RobustnessKey).value_or(false);
}

void Settings::setReportIncludesRobustness(bool include)
{
    m_file->setFlag(RobustnessKey, include);
}

bool Settings::reportIncludesWeighting() const
{
    return m_file->flag(WeightingKey).value_or(false);
}

void Settings::setReportIncludesWeighting(bool include)
{
    m_file->setFlag(WeightingKey, include);
}

bool Settings::ownerDataOffered() const
{
    return m_file->flag(OwnerDataOfferedKey).value_or(false);
}

void Settings::setOwnerDataOffered(bool offered)
{
    m_file->setFlag(OwnerDataOfferedKey, offered);
}

QString Settings::installation(Installation key) const
{
    const QString name = QString::fromLatin1(InstallationKeys[int(key)]);
    // The shipped defaults are the program's own, compiled in.
    return m_file->text(name).value_or(shipped().value(name).toString());
}

void Settings::setInstallation(Installation key, const QString& value)
{
    m_file->setTexts(QString::fromLatin1(InstallationKeys[int(key)]), {value});
}

} // namespace pondra
