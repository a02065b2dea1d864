#include "recoveryfile.h"

#include "datafilereader.h"
#include "datafilewriter.h"
#include "filewriting.h"
#include "regularfile.h"

#include <QFile>

#include <algorithm>
#include <memory>

namespace pondra {

namespace {

const QByteArray FileLine = "Pondra-recupero,";

int lastSlotInUse(const Study& study)
{
    for (int h = MaxHypotheses; h >= 1; --h) {
        if (!(study.hypothesis(h) == Hypothesis{})) {
            return h;
        }
    }
    return 0;
}

// The name on one line whatever it holds: "%" and control characters as %XX.
QByteArray oneLine(const QString& path)
{
    QByteArray line;
    for (const char c : path.toUtf8()) {
        if (c == '%' || uchar(c) < 0x20 || c == 0x7f) {
            line += '%' + QByteArray::number(uchar(c), 16).rightJustified(2, '0').toUpper();
        } else {
            line += c;
        }
    }
    return line;
}

// The file named on the last line, if the last line names one.
QString studyFileIn(const QByteArray& bytes)
{
    QByteArrayView rest(bytes);
    if (rest.endsWith("\r\n")) {
        rest.chop(2);
    }
    const QByteArrayView last = rest.sliced(rest.lastIndexOf('\n') + 1);
    // No file name is longer than the system's limit of 4,096 bytes, even written with %XX.
    if (!last.startsWith(FileLine) || last.size() > FileLine.size() + 3 * 4096) {
        return {};
    }
    return QString::fromUtf8(QByteArray::fromPercentEncoding(last.sliced(FileLine.size()).toByteArray()));
}

} // namespace

bool writeRecoveryFile(const QString& path, const Study& study, const TitlePage& titlePage,
                       const QString& studyFile, QString* error)
{
    const QString prefix = QStringLiteral("Il file «%1» non si può salvare: ").arg(shownFileName(path));
    DataFileWriter writer;
    writer.setUtf8(true);
    // Every slot in use, named or not: what is kept is what was typed.
    writer.setHypothesisCount(std::max(study.countNamedHypotheses(), lastSlotInUse(study)));
    std::optional<QByteArray> data = writer.compose(study, titlePage);
    if (!data) {
        if (error) {
            *error = prefix + writer.errorString();
        }
        return false;
    }
    // The mark makes any reader take it as UTF-8, even when the study holds no accented letter.
    const QByteArray bytes = "\xEF\xBB\xBF" + *data + FileLine + oneLine(studyFile) + "\r\n";
    QString reason;
    if (!saveWholeFile(path, bytes, &reason)) {
        if (error) {
            *error = prefix + reason;
        }
        return false;
    }
    // The first write makes the file as the system's defaults say; later ones keep what is set here.
    QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    return true;
}

bool readRecoveryFile(const QString& path, Study& study, TitlePage& titlePage, QString* studyFile,
                      QString* error)
{
    const QString prefix = QStringLiteral("Il file «%1» non si può aprire: ").arg(shownFileName(path));
    QFile file(path);
    QString reason;
    if (!openRegularFile(file, &reason)) {
        if (error) {
            *error = prefix + reason;
        }
        return false;
    }
    auto read = std::make_unique<Study>();
    TitlePage page;
    DataFileReader reader;
    if (!reader.read(&file, *read, page)) {
        if (error) {
            *error = prefix + reader.errorString();
        }
        return false;
    }
    study = std::move(*read);
    titlePage = std::move(page);
    if (studyFile) {
        // The name is on the last line, well within the file's last bytes.
        file.seek(std::max<qint64>(0, file.size() - 64 * 1024));
        *studyFile = studyFileIn(file.readAll());
    }
    return true;
}

} // namespace pondra
