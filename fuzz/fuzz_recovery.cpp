// Feeds arbitrary bytes as a recovery copy, its last line naming the study's file included.
//
// What must hold:
//  - refused, the message names the copy;
//  - accepted, the copy written again from what was read reads back as the same study, title
//    page and file name, whatever characters the name holds.
// Any breach aborts with a short description on stderr.

#include "breach.h"

#include "archive/recoveryfile.h"
#include "model/study.h"
#include "model/titlepage.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cstddef>
#include <cstdint>
#include <memory>

using namespace pondra;

namespace {

QTemporaryDir& folder()
{
    static QTemporaryDir folder(QDir::tempPath() + QStringLiteral("/pondra-fuzz-recovery-XXXXXX"));
    return folder;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QString path = folder().filePath(QStringLiteral("recupero-1-1-1.txt"));
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
            file.write(reinterpret_cast<const char*>(data), qint64(size)) != qint64(size)) {
            breach("file temporaneo", path);
        }
    }
    auto study = std::make_unique<Study>();
    TitlePage page;
    QString studyFile;
    QString error;
    if (!readRecoveryFile(path, *study, page, &studyFile, &error)) {
        if (!error.contains(QStringLiteral("recupero-1-1-1.txt"))) {
            breach("rifiuto senza il nome del file", error);
        }
        return 0;
    }
    const QString again = folder().filePath(QStringLiteral("recupero-2-2-2.txt"));
    if (!writeRecoveryFile(again, *study, page, studyFile, &error)) {
        breach("copia non riscritta", error);
    }
    auto reread = std::make_unique<Study>();
    TitlePage pageAgain;
    QString fileAgain;
    if (!readRecoveryFile(again, *reread, pageAgain, &fileAgain, &error)) {
        breach("copia riscritta illeggibile", error);
    }
    if (!(*reread == *study) || !(pageAgain == page) || fileAgain != studyFile) {
        breach("copia riscritta diversa", fileAgain.left(100));
    }
    return 0;
}
