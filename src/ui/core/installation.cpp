#include "installation.h"

#include <QSettings>
#include <QStringList>

// The resources are compiled into a static library: nothing references them, so the linker
// would drop them unless someone asks for them by name.
static void initShippedResources()
{
    Q_INIT_RESOURCE(resources);
}

namespace pondra {

namespace {

QString setting(const QSettings& user, const QSettings& shipped, const QString& key)
{
    const QVariant value = user.contains(key) ? user.value(key) : shipped.value(key);
    // A value written without quotes and holding a comma comes back as a list.
    if (value.typeId() == QMetaType::QStringList) {
        return value.toStringList().join(QStringLiteral(", "));
    }
    return value.toString();
}

} // namespace

QString shippedInstallationPath()
{
    static const bool initialised = (initShippedResources(), true);
    Q_UNUSED(initialised);
    return QStringLiteral(":/pondra/installation.ini");
}

MakerData makerData(const QSettings& user)
{
    const QSettings shipped(shippedInstallationPath(), QSettings::IniFormat);
    const auto get = [&](const QString& key) {
        return setting(user, shipped, QStringLiteral("Maker/") + key);
    };
    MakerData m;
    m.Brand = get(QStringLiteral("Brand"));
    m.CompanyName = get(QStringLiteral("CompanyName"));
    m.Address = get(QStringLiteral("Address"));
    m.Telephone = get(QStringLiteral("Telephone"));
    m.Fax = get(QStringLiteral("Fax"));
    m.Email = get(QStringLiteral("Email"));
    m.WebSite = get(QStringLiteral("WebSite"));
    m.CatalogueUrl = get(QStringLiteral("CatalogueUrl"));
    m.PurchaseUrl = get(QStringLiteral("PurchaseUrl"));
    m.OfficeHours = get(QStringLiteral("OfficeHours"));
    m.StartYear = get(QStringLiteral("StartYear"));
    m.MusicCredit = get(QStringLiteral("MusicCredit"));
    return m;
}

OwnerData ownerData(const QSettings& user)
{
    const QSettings shipped(shippedInstallationPath(), QSettings::IniFormat);
    OwnerData o;
    o.OwnerStudioName = setting(user, shipped, QStringLiteral("Owner/StudioName"));
    o.OwnerAddress = setting(user, shipped, QStringLiteral("Owner/Address"));
    return o;
}

MakerData makerData()
{
    const QSettings user(QStringLiteral("Pondra"), QStringLiteral("Pondra"));
    return makerData(user);
}

OwnerData ownerData()
{
    const QSettings user(QStringLiteral("Pondra"), QStringLiteral("Pondra"));
    return ownerData(user);
}

} // namespace pondra
