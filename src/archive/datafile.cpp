#include "datafile.h"

#include "datafilereader.h"
#include "datafilewriter.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <memory>

namespace pondra {

namespace {

void setError(QString* error, const QString& text)
{
    if (error) {
        *error = text;
    }
}

QString shownName(const QString& path)
{
    return QDir::toNativeSeparators(path);
}

} // namespace

bool loadStudyFile(const QString& path, Study& study, TitlePage& titlePage, QString* error)
{
    const QString prefix = QStringLiteral("Il file «%1» non si può aprire: ").arg(shownName(path));
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        const QFileInfo info(path);
        setError(error, prefix + (!info.exists()  ? QStringLiteral("non esiste.")
                                  : info.isDir() ? QStringLiteral("è una cartella.")
                                                 : QStringLiteral("non si hanno i permessi per leggerlo.")));
        return false;
    }
    auto fresh = std::make_unique<Study>();
    TitlePage freshPage;
    DataFileReader reader;
    if (!reader.read(&file, *fresh, freshPage)) {
        setError(error, prefix + reader.errorString());
        return false;
    }
    fresh->CurrentHypothesis = study.CurrentHypothesis;
    fresh->FirstVisibleRow = study.FirstVisibleRow;
    study = std::move(*fresh);
    titlePage = std::move(freshPage);
    return true;
}

bool saveStudyFile(const QString& path, const Study& study, const TitlePage& titlePage, QString* error)
{
    const QString prefix = QStringLiteral("Il file «%1» non si può salvare: ").arg(shownName(path));
    QSaveFile file(path);
    // Unbuffered, so a write the disk refuses fails here and not silently inside commit().
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        setError(error, prefix + QStringLiteral("la cartella non esiste o non si hanno i permessi per scriverci."));
        return false;
    }
    DataFileWriter writer;
    if (!writer.write(&file, study, titlePage)) {
        file.cancelWriting();
        setError(error, prefix + writer.errorString());
        return false;
    }
    if (!file.commit()) {
        setError(error, prefix + QStringLiteral("la scrittura non è riuscita (disco pieno o supporto non scrivibile)."));
        return false;
    }
    return true;
}

} // namespace pondra
