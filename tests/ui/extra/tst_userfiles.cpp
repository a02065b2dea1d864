#include "support/scriptedmodule.h"

#include "settings/programfiles.h"
#include "ui/extra/frmtip.h"
#include "ui/extra/prodotti.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QTemporaryDir>
#include <QTest>

using namespace pondra;

namespace {

bool writeFile(const QString& path, const QByteArray& content)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(content) == content.size();
}

} // namespace

// The tips file and the price list: the user's copy first, then the installed one. The user's
// data folder and the system's are temporary folders, as a fresh home and installation.
class tst_UserFiles : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void cleanup();
    void programFile_userCopyThenInstalledThenWhereItGoes_data();
    void programFile_userCopyThenInstalledThenWhereItGoes();
    void windows_readTheUserCopy();
    void missingTips_sayWhereTheUserCopyGoes();

private:
    QTemporaryDir m_root;
    QString m_user;
    QString m_installed;
};

void tst_UserFiles::initTestCase()
{
    QVERIFY(m_root.isValid());
    qputenv("XDG_DATA_HOME", QFile::encodeName(m_root.filePath(QStringLiteral("home/.local/share"))));
    qputenv("XDG_DATA_DIRS", QFile::encodeName(m_root.filePath(QStringLiteral("usr/share"))));
    m_user = m_root.filePath(QStringLiteral("home/.local/share/pondra"));
    m_installed = m_root.filePath(QStringLiteral("usr/share/pondra"));
    QCOMPARE(userDataFolder(), m_user);
    QCOMPARE(programFolders().first(), m_user);
    QVERIFY(programFolders().contains(m_installed));
}

void tst_UserFiles::cleanup()
{
    QDir(m_user).removeRecursively();
    QDir(m_installed).removeRecursively();
}

void tst_UserFiles::programFile_userCopyThenInstalledThenWhereItGoes_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("userCopy");
    QTest::addColumn<bool>("installedCopy");
    QTest::addColumn<bool>("expectUser");
    for (const QString& name : {QStringLiteral("SuggerimentiPondra.TXT"), QStringLiteral("listino.txt")}) {
        const QByteArray n = name.toLatin1();
        QTest::addRow("%s: both", n.constData()) << name << true << true << true;
        QTest::addRow("%s: user only", n.constData()) << name << true << false << true;
        QTest::addRow("%s: installed only", n.constData()) << name << false << true << false;
        QTest::addRow("%s: none", n.constData()) << name << false << false << true;
    }
}

void tst_UserFiles::programFile_userCopyThenInstalledThenWhereItGoes()
{
    QFETCH(QString, name);
    QFETCH(bool, userCopy);
    QFETCH(bool, installedCopy);
    QFETCH(bool, expectUser);
    if (userCopy) {
        QVERIFY(writeFile(QDir(m_user).filePath(name), "x\r\n"));
    }
    if (installedCopy) {
        QVERIFY(writeFile(QDir(m_installed).filePath(name), "x\r\n"));
    }
    QCOMPARE(programFile(name), QDir(expectUser ? m_user : m_installed).filePath(name));
}

void tst_UserFiles::windows_readTheUserCopy()
{
    QVERIFY(
        writeFile(QDir(m_installed).filePath(QStringLiteral("SuggerimentiPondra.TXT")), "installato\r\n"));
    QVERIFY(writeFile(QDir(m_user).filePath(QStringLiteral("SuggerimentiPondra.TXT")), "mio\r\n"));
    QVERIFY(writeFile(QDir(m_installed).filePath(QStringLiteral("listino.txt")), "\"2025\",0\r\n"));
    QVERIFY(writeFile(QDir(m_user).filePath(QStringLiteral("listino.txt")),
                      "\"2030\",1\r\n\"Prova\",\"collaudo\",10,8\r\n"));
    testsupport::ScriptedModule s;
    frmTip tip(*s.module);
    QCOMPARE(tip.lblTipText()->text(), QStringLiteral("mio"));
    prodotti prices(*s.module);
    QCOMPARE(prices.Label10->text(), QStringLiteral("2030"));
    QCOMPARE(prices.list().entries.size(), std::size_t(1));
}

void tst_UserFiles::missingTips_sayWhereTheUserCopyGoes()
{
    testsupport::ScriptedModule s;
    frmTip tip(*s.module);
    const QString text = tip.lblTipText()->text();
    QCOMPARE(text, frmTip::missingFileMessage());
    QVERIFY(text.startsWith(QStringLiteral("Impossibile trovare il file SuggerimentiPondra.TXT\r\n\r\n")));
    QVERIFY(text.endsWith(QStringLiteral("Inserire il file nella cartella ") +
                          QDir::toNativeSeparators(m_user) + QStringLiteral(". ")));
}

QTEST_MAIN(tst_UserFiles)
#include "tst_userfiles.moc"
