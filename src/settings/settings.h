#pragma once

#include <QString>
#include <QStringList>

#include <memory>

namespace pondra {

class SettingsFile;

// Everything the program keeps in the user's settings, each under a name of its own with its
// default: what the user chose once, and the installation's texts, which fall back key by key
// to the defaults shipped with the program. The windows read it through the environment; the
// command line reads only the installation.
class Settings {
public:
    // The installation's texts: the maker of the program, shipped, and the studio that owns it,
    // which only the user sets.
    enum class Installation {
        MakerBrand,
        MakerCompanyName,
        MakerAddress,
        MakerTelephone,
        MakerFax,
        MakerEmail,
        MakerWebSite,
        MakerCatalogueUrl,
        MakerPurchaseUrl,
        MakerOfficeHours,
        MakerStartYear,
        MakerMusicCredit,
        OwnerStudioName,
        OwnerAddress,
        OwnerQualification,
        OwnerTelephone,
        OwnerEmail,
    };

    // The user's own settings (on Linux ~/.config/pondra/pondra.conf), read as data: a value of
    // another type than the one expected is ignored and its default taken.
    Settings();
    // Settings in a file of their own, never the user's: a test's.
    explicit Settings(const QString& iniFile);
    ~Settings();
    Settings(const Settings&) = delete;
    Settings& operator=(const Settings&) = delete;

    // The studies last opened or saved, newest first.
    QStringList recentFiles() const;
    void setRecentFiles(const QStringList& paths);

    // Whether the estimate report carries section C, the chart and the solidity of the ranking.
    // Off until the user asks for it.
    bool reportIncludesRobustness() const;
    void setReportIncludesRobustness(bool include);
    // Whether it carries section D, the pairwise comparisons the weights came from. Off until
    // the user asks for it.
    bool reportIncludesWeighting() const;
    void setReportIncludesWeighting(bool include);

    // Whether the window of the studio's data has been offered once, at a start without them.
    bool ownerDataOffered() const;
    void setOwnerDataOffered(bool offered);

    QString installation(Installation key) const;
    // Kept in the user's settings, in the place of the shipped value.
    void setInstallation(Installation key, const QString& value);

private:
    std::unique_ptr<SettingsFile> m_file;
};

} // namespace pondra
