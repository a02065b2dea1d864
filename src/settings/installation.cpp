#include "installation.h"

#include "settings.h"

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

OwnerData ownerData(const Settings& settings)
{
    return {settings.installation(Settings::Installation::OwnerStudioName),
            settings.installation(Settings::Installation::OwnerAddress)};
}

} // namespace pondra
