#include "datafile.h"

#include "datafilereader.h"
#include "datafilewriter.h"
#include "filewriting.h"
#include "regularfile.h"

#include <QFile>

#include <memory>

namespace pondra {

namespace {

void setError(QString* error, const QString& text)
{
    if (error) {
        *error = text;
    }
}

} // namespace

bool loadStudyFile(const QString& path, Study& study, TitlePage& titlePage, QString* error)
{
    const QString prefix = QStringLiteral("Il file «%1» non si può aprire: ").arg(shownFileName(path));
    QFile file(path);
    QString reason;
    if (!openRegularFile(file, &reason)) {
        setError(error, prefix + reason);
        return false;
    }
    auto fresh = std::make_unique<Study>();
    TitlePage freshPage;
    DataFileReader reader;
    if (!reader.read(&file, *fresh, freshPage)) {
        setError(error, prefix + reader.errorString());
        return false;
    }
    study = std::move(*fresh);
    titlePage = std::move(freshPage);
    return true;
}

bool saveStudyFile(const QString& path, const Study& study, const TitlePage& titlePage, QString* error,
                   std::optional<int> hypotheses)
{
    const QString prefix = QStringLiteral("Il file «%1» non si può salvare: ").arg(shownFileName(path));
    DataFileWriter writer;
    if (hypotheses) {
        writer.setHypothesisCount(*hypotheses);
    }
    const std::optional<QByteArray> bytes = writer.compose(study, titlePage);
    if (!bytes) {
        setError(error, prefix + writer.errorString());
        return false;
    }
    QString reason;
    if (!saveWholeFile(path, *bytes, &reason)) {
        setError(error, prefix + reason);
        return false;
    }
    return true;
}

} // namespace pondra
