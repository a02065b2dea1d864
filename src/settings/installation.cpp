#include "installation.h"

#include "settings.h"

#include <utility>

namespace pondra {

MakerData makerData(const Settings& settings)
{
    using Key = Settings::Installation;
    const auto get = [&](Key key) { return settings.installation(key); };
    MakerData m;
    m.Brand = get(Key::MakerBrand);
    m.CompanyName = get(Key::MakerCompanyName);
    m.Address = get(Key::MakerAddress);
    m.Telephone = get(Key::MakerTelephone);
    m.Fax = get(Key::MakerFax);
    m.Email = get(Key::MakerEmail);
    m.WebSite = get(Key::MakerWebSite);
    m.CatalogueUrl = get(Key::MakerCatalogueUrl);
    m.PurchaseUrl = get(Key::MakerPurchaseUrl);
    m.OfficeHours = get(Key::MakerOfficeHours);
    m.StartYear = get(Key::MakerStartYear);
    m.MusicCredit = get(Key::MakerMusicCredit);
    return m;
}

namespace {

using OwnerField = QString OwnerData::*;
constexpr std::pair<Settings::Installation, OwnerField> OwnerFields[] = {
    {Settings::Installation::OwnerStudioName, &OwnerData::OwnerStudioName},
    {Settings::Installation::OwnerQualification, &OwnerData::OwnerQualification},
    {Settings::Installation::OwnerAddress, &OwnerData::OwnerAddress},
    {Settings::Installation::OwnerTelephone, &OwnerData::OwnerTelephone},
    {Settings::Installation::OwnerEmail, &OwnerData::OwnerEmail},
};

} // namespace

OwnerData ownerData(const Settings& settings)
{
    OwnerData owner;
    for (const auto& [key, field] : OwnerFields) {
        owner.*field = settings.installation(key);
    }
    return owner;
}

void setOwnerData(Settings& settings, const OwnerData& owner)
{
    for (const auto& [key, field] : OwnerFields) {
        settings.setInstallation(key, owner.*field);
    }
}

} // namespace pondra
