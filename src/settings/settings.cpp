#include "settings.h"

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

struct Entry {
    const char* name;
    QVariant fallback;
};

Entry entryOf(int key)
{
    // In the order of Settings::Key.
    static const Entry entries[] = {
        {"FileRecenti", QStringList()},
        {"Relazione/IncludiSolidita", false},
        {"Relazione/IncludiPesi", false},
        {"DatiStudioProposti", false},
    };
    return entries[key];
}

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

Settings::Settings()
{
    const QString name = userFilePlaces().settingsOrganisation;
    m_store = std::make_unique<QSettings>(SettingsFormat, QSettings::UserScope, name, name);
}

Settings::Settings(const QString& iniFile)
    : m_store(std::make_unique<QSettings>(iniFile, QSettings::IniFormat))
{
}

Settings::~Settings() = default;

QVariant Settings::value(Key key) const
{
    const Entry entry = entryOf(int(key));
    return m_store->value(QString::fromLatin1(entry.name), entry.fallback);
}

void Settings::setValue(Key key, const QVariant& value)
{
    m_store->setValue(QString::fromLatin1(entryOf(int(key)).name), value);
}

QStringList Settings::recentFiles() const
{
    // Every running program shares the list: what another one wrote counts.
    m_store->sync();
    return value(Key::RecentFiles).toStringList();
}

void Settings::setRecentFiles(const QStringList& paths)
{
    setValue(Key::RecentFiles, paths);
    m_store->sync();
}

bool Settings::reportIncludesRobustness() const
{
    return value(Key::ReportIncludesRobustness).toBool();
}

void Settings::setReportIncludesRobustness(bool include)
{
    setValue(Key::ReportIncludesRobustness, include);
}

bool Settings::reportIncludesWeighting() const
{
    return value(Key::ReportIncludesWeighting).toBool();
}

void Settings::setReportIncludesWeighting(bool include)
{
    setValue(Key::ReportIncludesWeighting, include);
}

bool Settings::ownerDataOffered() const
{
    return value(Key::OwnerDataOffered).toBool();
}

void Settings::setOwnerDataOffered(bool offered)
{
    setValue(Key::OwnerDataOffered, offered);
}

QString Settings::installation(Installation key) const
{
    const QString name = QString::fromLatin1(InstallationKeys[int(key)]);
    const QVariant value = m_store->contains(name) ? m_store->value(name) : shipped().value(name);
    // A value written without quotes and holding a comma comes back as a list; once saved again
    // with a NUL in one of its parts, as a list of variants.
    if (value.typeId() == QMetaType::QStringList || value.typeId() == QMetaType::QVariantList) {
        return value.toStringList().join(QStringLiteral(", "));
    }
    return value.toString();
}

void Settings::setInstallation(Installation key, const QString& value)
{
    m_store->setValue(QString::fromLatin1(InstallationKeys[int(key)]), value);
    m_store->sync();
}

} // namespace pondra
