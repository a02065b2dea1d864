// Feeds arbitrary bytes as the user's settings file (INI) and reads from it what the program
// does: the recent files and the menu that lists them, the report's options and the
// installation's texts; then opens a study, as it were, which writes the recent files back
// into the same file.
//
// What must hold:
//  - reading the same file twice gives the same values;
//  - the menu lists at most RecentFiles::Capacity files, none empty, in the order stored, each
//    entry "&N name" with every "&" of the name doubled;
//  - adding a study puts its full path first, once, and the list stays within its capacity;
//  - writing the list keeps everything else: the report's options and the installation's
//    texts read again from the file as before, and the list as written.
// Any breach aborts with a short description on stderr.

#include "archive/regularfile.h"
#include "model/textrules.h"
#include "settings/installation.h"
#include "settings/settings.h"
#include "ui/core/plaintext.h"
#include "ui/core/recentfiles.h"
#include "ui/core/seams.h"

#include <QByteArray>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <vector>

using namespace pondra;

namespace {

// One file for the whole run, in a folder that goes with the process.
QTemporaryDir& folder()
{
    static QTemporaryDir folder(QDir::tempPath() + QStringLiteral("/pondra-fuzz-settings-XXXXXX"));
    return folder;
}

const QString& settingsFile()
{
    static const QString file = folder().filePath(QStringLiteral("Pondra.ini"));
    return file;
}

[[noreturn]] void breach(const char* what, const QString& detail = {})
{
    std::fprintf(stderr, "pondra fuzz: %s%s%s\n", what, detail.isEmpty() ? "" : ": ", qPrintable(detail));
    std::fflush(stderr);
    // The abort skips the destructors; the input is saved by the fuzzer, not here.
    folder().remove();
    std::abort();
}

// The settings the recent files are kept in, and nothing else of the outside.
class FileEnvironment : public Environment {
public:
    explicit FileEnvironment(const QString& iniFile) : m_settings(std::make_unique<Settings>(iniFile)) {}
    QDate today() const override { return QDate(2026, 1, 1); }
    bool openUrl(const QUrl&) override { return false; }
    Settings& settings() const override { return *m_settings; }
    QString userDataFolder() const override { return {}; }

private:
    std::unique_ptr<Settings> m_settings;
};

struct Read {
    QStringList recent;
    bool robustness = false;
    bool weighting = false;
    std::vector<QString> installation;

    bool operator==(const Read&) const = default;
};

constexpr int InstallationKeys = int(Settings::Installation::OwnerEmail) + 1;

Read readAll(const Settings& settings)
{
    Read r{
        settings.recentFiles(), settings.reportIncludesRobustness(), settings.reportIncludesWeighting(), {}};
    for (int key = 0; key < InstallationKeys; ++key) {
        r.installation.push_back(settings.installation(Settings::Installation(key)));
    }
    return r;
}

void writeFile(const QByteArray& bytes)
{
    QFile file(settingsFile());
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size()) {
        breach("il file delle impostazioni non si scrive", settingsFile());
    }
    file.close();
    // QSettings keeps what it read of a file while its size and time stay the same: every input
    // gets a time of its own, so none is taken for the one before.
    static qint64 stamp = 1'000'000'000;
    file.setFileTime(QDateTime::fromSecsSinceEpoch(++stamp), QFileDevice::FileModificationTime);
}

void checkMenu(const QStringList& stored, const QStringList& paths)
{
    if (paths.size() > RecentFiles::Capacity) {
        breach("file recenti", QStringLiteral("%1 nel menu").arg(paths.size()));
    }
    QStringList expected = stored;
    expected.removeAll(QString());
    if (paths != expected.mid(0, RecentFiles::Capacity)) {
        breach("file recenti", QStringLiteral("il menu non segue l'elenco salvato"));
    }
    for (int i = 0; i < paths.size(); ++i) {
        const QString text = RecentFiles::menuText(i + 1, paths.at(i));
        const QString prefix = QStringLiteral("&%1 ").arg(i + 1);
        QString name = text.mid(prefix.size());
        if (!text.startsWith(prefix) || name.remove(QStringLiteral("&&")).contains(u'&')) {
            breach("file recenti", QStringLiteral("voce del menu «%1»").arg(text));
        }
        if (plainToolTip(shownFileName(paths.at(i))).isEmpty()) {
            breach("file recenti", QStringLiteral("voce n. %1 senza suggerimento").arg(i + 1));
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    writeFile(QByteArray(reinterpret_cast<const char*>(data), qsizetype(size)));

    Read before;
    {
        FileEnvironment environment(settingsFile());
        const Settings& settings = environment.settings();
        before = readAll(settings);
        if (!(readAll(settings) == before)) {
            breach("le impostazioni lette due volte differiscono");
        }
        const MakerData maker = makerData(settings);
        const OwnerData owner = ownerData(settings);
        using Key = Settings::Installation;
        if (maker.Brand != before.installation[int(Key::MakerBrand)] ||
            maker.PurchaseUrl != before.installation[int(Key::MakerPurchaseUrl)] ||
            owner.OwnerStudioName != before.installation[int(Key::OwnerStudioName)] ||
            owner.OwnerAddress != before.installation[int(Key::OwnerAddress)]) {
            breach("i dati dell'installazione differiscono dalle impostazioni");
        }
        checkMenu(before.recent, RecentFiles(environment).paths());
    }

    // Opening a study: the list, with it first, goes back into the file.
    const QString study = QDir::tempPath() + QStringLiteral("/Pondra-dati-prova.txt");
    QStringList written;
    {
        FileEnvironment environment(settingsFile());
        RecentFiles recent(environment);
        recent.add(study);
        written = recent.paths();
        if (written.value(0) != study || written.count(study) != 1 ||
            written.size() > RecentFiles::Capacity) {
            breach("file recenti", QStringLiteral("dopo l'apertura: %1").arg(written.join(u'|')));
        }
    }
    FileEnvironment again(settingsFile());
    Read after = readAll(again.settings());
    if (after.recent != written) {
        breach("file recenti", QStringLiteral("riletti: %1").arg(after.recent.join(u'|')));
    }
    if (after.robustness != before.robustness || after.weighting != before.weighting) {
        breach("salvare i file recenti cambia le opzioni della relazione");
    }
    for (int key = 0; key < InstallationKeys; ++key) {
        if (after.installation[key] != before.installation[key]) {
            breach("salvare i file recenti cambia un testo dell'installazione",
                   QStringLiteral("n. %1, «%2» diventa «%3»")
                       .arg(key)
                       .arg(printableText(before.installation[key]), printableText(after.installation[key])));
        }
    }
    return 0;
}
