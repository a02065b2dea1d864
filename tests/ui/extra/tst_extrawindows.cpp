#include "settings/installation.h"
#include "settings/settings.h"
#include "support/isolatedsettings.h"
#include "support/scriptedseams.h"
#include "ui/core/modulopondra.h"
#include "ui/extra/datistudio.h"
#include "ui/extra/frmsplash.h"
#include "ui/extra/informa.h"
#include "ui/extra/midiplayer.h"
#include "ui/extra/supportoclienti.h"
#include "ui/main/requisiti.h"

#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <functional>
#include <memory>

using namespace pondra;

namespace {

// These windows ask nothing and reach nowhere: every call is counted so a test can say so.
struct SeamCalls {
    int asked = 0;
    int opened = 0;
};

class CountingDialogs : public Dialogs {
public:
    explicit CountingDialogs(SeamCalls& calls) : m_calls(calls) {}
    MessageAnswer message(QWidget*, const MessageRequest&) override
    {
        ++m_calls.asked;
        return MessageAnswer::Ok;
    }
    QString openFileName(QWidget*, const QString&, const QString&, const QString&) override
    {
        ++m_calls.asked;
        return {};
    }
    QString deleteFileName(QWidget*, const QString&, const QString&, const QString&) override
    {
        ++m_calls.asked;
        return {};
    }
    QString saveFileName(QWidget*, const QString&, const QString&, QString*, const QString&,
                         std::optional<int>) override
    {
        ++m_calls.asked;
        return {};
    }
    std::optional<QColor> color(QWidget*, const QColor&) override
    {
        ++m_calls.asked;
        return std::nullopt;
    }

private:
    SeamCalls& m_calls;
};

class CountingEnvironment : public testsupport::ScriptedEnvironment {
public:
    explicit CountingEnvironment(SeamCalls& calls) : m_calls(calls) {}
    bool openUrl(const QUrl&) override
    {
        ++m_calls.opened;
        return true;
    }

private:
    SeamCalls& m_calls;
};

std::unique_ptr<ModuloPondra> makeModule(SeamCalls& calls)
{
    return std::make_unique<ModuloPondra>(std::make_unique<CountingDialogs>(calls),
                                          std::make_unique<CountingEnvironment>(calls));
}

// Sets an environment variable for one scope.
class ScopedVariable {
public:
    ScopedVariable(const char* name, const QByteArray& value)
        : m_name(name), m_wasSet(qEnvironmentVariableIsSet(name)), m_old(qgetenv(name))
    {
        qputenv(name, value);
    }
    ~ScopedVariable()
    {
        if (m_wasSet) {
            qputenv(m_name, m_old);
        } else {
            qunsetenv(m_name);
        }
    }

private:
    const char* m_name;
    bool m_wasSet;
    QByteArray m_old;
};

// A player that makes no sound and lasts long enough to be stopped.
const QByteArray SleepingPlayer = "sh -c \"exec sleep 30\"";

MidiPlayerCommand sleepingPlayer()
{
    return {QStringLiteral("sh"), {QStringLiteral("-c"), QStringLiteral("exec sleep 30")}};
}

bool processAlive(qint64 pid)
{
    return pid > 0 && QFileInfo::exists(QStringLiteral("/proc/%1").arg(pid));
}

int dataWindowCount()
{
    int count = 0;
    for (QWidget* w : QApplication::topLevelWidgets()) {
        count += qobject_cast<requisiti*>(w) ? 1 : 0;
    }
    return count;
}

bool writeFile(const QString& path, const QByteArray& content)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(content) == content.size();
}

} // namespace

class TestExtraWindows : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void cleanupTestCase();

    void installation_shippedDefaults();
    void installation_userValuesOverride();
    void ownerData_offeredOnceWhileUnset_savedForLaterRuns();

    void midiPlayer_playPauseClose();
    void midiPlayer_passesTheFileToThePlayer();
    void midiPlayer_staysSilent_data();
    void midiPlayer_staysSilent();
    void midiPlayer_findsPlayer_data();
    void midiPlayer_findsPlayer();

    void splash_texts();
    void splash_clickShowsDataWindowOnce_data();
    void splash_clickShowsDataWindowOnce();
    void splash_enterStarts_otherKeysUnload_data();
    void splash_enterStarts_otherKeysUnload();
    void splash_lonelyModifierKeepsIt();
    void splash_closingForm();

    void about_texts();
    void about_editionLine_data();
    void about_editionLine();
    void support_texts();
    void okHidesAndKeepsTheWindow_data();
    void okHidesAndKeepsTheWindow();

    void windows_textsFitTheirBoxes_data();
    void windows_textsFitTheirBoxes();

private:
    QTemporaryDir m_settings;
    QString m_musicBesideProgram;
    std::unique_ptr<ScopedVariable> m_player;
};

void TestExtraWindows::initTestCase()
{
    QVERIFY(m_settings.isValid());
    testsupport::keepSettingsIn(m_settings);
    m_player = std::make_unique<ScopedVariable>(MidiPlayer::PlayerVariable, SleepingPlayer);
    // The music lies beside the program.
    const QString music = QCoreApplication::applicationDirPath() + QStringLiteral("/Internet.mid");
    if (!QFileInfo::exists(music)) {
        QVERIFY(writeFile(music, "MThd"));
        m_musicBesideProgram = music;
    }
}

void TestExtraWindows::cleanupTestCase()
{
    if (!m_musicBesideProgram.isEmpty()) {
        QFile::remove(m_musicBesideProgram);
    }
    m_player.reset();
}

// ---- installation settings

void TestExtraWindows::installation_shippedDefaults()
{
    const Settings empty(m_settings.filePath(QStringLiteral("empty.ini")));
    const MakerData maker = makerData(empty);
    QCOMPARE(maker.Brand, QStringLiteral("software BOREALIS"));
    QCOMPARE(maker.CompanyName, QStringLiteral("Software Borealis"));
    // The comma inside the quoted value survives.
    QCOMPARE(maker.Address, QStringLiteral("Via dei Tigli, 14 - 40127 Bologna (BO)"));
    QCOMPARE(maker.Email, QStringLiteral("info@softwareborealis.example"));
    QCOMPARE(maker.WebSite, QStringLiteral("www.softwareborealis.example"));
    QCOMPARE(maker.StartYear, QStringLiteral("1987"));
    QCOMPARE(maker.MusicCredit, QStringLiteral("musica d'avvio: «Internet», di Lorenzo Vialli"));
    for (const QString& field : {maker.Telephone, maker.Fax, maker.OfficeHours}) {
        QVERIFY(!field.isEmpty());
    }
    // No studio is shipped.
    QCOMPARE(ownerData(empty), OwnerData());

    // With nothing of the user's, the installation reads the same.
    QCOMPARE(makerData(Settings()).WebSite, maker.WebSite);
    QVERIFY(!ownerData(Settings()).isSet());
}

void TestExtraWindows::installation_userValuesOverride()
{
    const QString path = m_settings.filePath(QStringLiteral("override.ini"));
    QVERIFY(writeFile(path, "[Maker]\nTelephone=\"0000 111\"\n"
                            "[Owner]\nStudioName=\"Studio Rossi\"\nAddress=Via Roma 1, Parma\n"));
    const Settings user(path);
    QCOMPARE(makerData(user).Telephone, QStringLiteral("0000 111"));
    QCOMPARE(makerData(user).Brand, QStringLiteral("software BOREALIS"));
    QCOMPARE(ownerData(user).OwnerStudioName, QStringLiteral("Studio Rossi"));
    // Written without quotes the comma splits the value; it reads back whole.
    QCOMPARE(ownerData(user).OwnerAddress, QStringLiteral("Via Roma 1, Parma"));

    {
        QSettings installation(QStringLiteral("pondra"), QStringLiteral("pondra"));
        installation.setValue(QStringLiteral("Owner/StudioName"), QStringLiteral("Studio Bianchi"));
    }
    QCOMPARE(ownerData(Settings()).OwnerStudioName, QStringLiteral("Studio Bianchi"));
    QCOMPARE(makerData(Settings()).Brand, QStringLiteral("software BOREALIS"));
    QSettings(QStringLiteral("pondra"), QStringLiteral("pondra")).clear();
}

void TestExtraWindows::ownerData_offeredOnceWhileUnset_savedForLaterRuns()
{
    SeamCalls calls;
    const auto module = makeModule(calls);
    QVERIFY(OfferOwnerData(*module));
    datistudio* window = module->window<datistudio>();
    QVERIFY(window->isVisible());
    window->close();
    // Offered once: the next start, still unset, does not ask again.
    QVERIFY(!OfferOwnerData(*module));

    const QStringList typed{
        QStringLiteral("Studio tecnico Rossi"),
        QStringLiteral("geom. Mario Rossi, iscritto al Collegio dei Geometri di Parma al n. 1234"),
        QStringLiteral("Via Roma, 1 - 43121 Parma (PR)"), QStringLiteral("0521 123456"),
        QStringLiteral("studio@rossi.example")};
    for (int i = 0; i < datistudio::FieldCount; ++i) {
        window->field(i)->setText(QStringLiteral(" ") + typed.at(i));
    }
    QSignalSpy saved(window, &datistudio::ownerDataSaved);
    window->cmdSalva_Click();
    QCOMPARE(saved.size(), 1);
    const OwnerData owner = ownerData(module->environment().settings());
    QCOMPARE(owner, (OwnerData{typed[0], typed[1], typed[2], typed[3], typed[4]}));
    QCOMPARE(owner.contactLine(), QStringLiteral("tel. 0521 123456 - e-mail studio@rossi.example"));

    // Annulla keeps what was saved; opening again shows it.
    window->field(0)->setText(QStringLiteral("altro"));
    window->close();
    window->Form_Load();
    QCOMPARE(window->field(0)->text(), typed[0]);
    QCOMPARE(calls.asked, 0);
}

// ---- music

void TestExtraWindows::midiPlayer_playPauseClose()
{
    QTemporaryDir folder;
    QVERIFY(writeFile(folder.filePath(QStringLiteral("Internet.mid")), "MThd"));
    MidiPlayer player;
    player.setMusicFolders({folder.filePath(QStringLiteral("missing")), folder.path()});
    player.setPlayerCommand(sleepingPlayer());
    player.setFileName(QStringLiteral("Internet.mid"));
    QVERIFY(player.open());
    QCOMPARE(player.filePath(), folder.filePath(QStringLiteral("Internet.mid")));

    player.play();
    QVERIFY(player.isPlaying());
    const qint64 first = player.processId();
    QTRY_VERIFY(processAlive(first));
    player.play();
    QCOMPARE(player.processId(), first); // already playing: no second player

    player.pause();
    QVERIFY(!player.isPlaying());
    QVERIFY(player.isOpen());
    QTRY_VERIFY(!processAlive(first));
    player.pause(); // pausing again is harmless

    player.play();
    QVERIFY(player.isPlaying());
    const qint64 second = player.processId();
    QVERIFY(second != first);
    player.close();
    QVERIFY(!player.isPlaying());
    QVERIFY(!player.isOpen());
    QTRY_VERIFY(!processAlive(second));
    player.play(); // closed: nothing
    QVERIFY(!player.isPlaying());
}

void TestExtraWindows::midiPlayer_passesTheFileToThePlayer()
{
    QTemporaryDir folder;
    const QString music = folder.filePath(QStringLiteral("brano.mid"));
    const QString received = folder.filePath(QStringLiteral("received"));
    QVERIFY(writeFile(music, "MThd"));
    MidiPlayer player;
    player.setPlayerCommand(
        MidiPlayerCommand{QStringLiteral("sh"),
                          {QStringLiteral("-c"), QStringLiteral("printf %s \"$0\" > '%1'").arg(received)}});
    player.setFileName(music); // an absolute path is used as it is
    QVERIFY(player.open());
    player.play();
    QTRY_VERIFY(QFileInfo(received).size() > 0);
    QFile file(received);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(QString::fromUtf8(file.readAll()), music);
    QTRY_VERIFY(!player.isPlaying()); // the music ended by itself
}

void TestExtraWindows::midiPlayer_staysSilent_data()
{
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<bool>("hasPlayer");
    QTest::addColumn<QString>("program");
    QTest::addColumn<bool>("opens");

    QTest::newRow("missing file") << QStringLiteral("Assente.mid") << true << QStringLiteral("sh") << false;
    QTest::newRow("no file name") << QString() << true << QStringLiteral("sh") << false;
    QTest::newRow("no player") << QStringLiteral("Internet.mid") << false << QString() << true;
    QTest::newRow("player that cannot start")
        << QStringLiteral("Internet.mid") << true << QStringLiteral("/nonexistent/midiplayer") << true;
}

void TestExtraWindows::midiPlayer_staysSilent()
{
    QFETCH(QString, fileName);
    QFETCH(bool, hasPlayer);
    QFETCH(QString, program);
    QFETCH(bool, opens);

    QTemporaryDir folder;
    QVERIFY(writeFile(folder.filePath(QStringLiteral("Internet.mid")), "MThd"));
    MidiPlayer player;
    player.setMusicFolders({folder.path()});
    player.setPlayerCommand(hasPlayer ? std::optional(MidiPlayerCommand{program, sleepingPlayer().arguments})
                                      : std::nullopt);
    player.setFileName(fileName);
    QCOMPARE(player.open(), opens);
    player.play();
    QTRY_VERIFY(!player.isPlaying());
    player.pause();
    player.close();
    QVERIFY(!player.isOpen());
}

void TestExtraWindows::midiPlayer_findsPlayer_data()
{
    QTest::addColumn<QByteArray>("variable");
    QTest::addColumn<bool>("variableSet");
    QTest::addColumn<bool>("timidityOnPath");
    QTest::addColumn<QString>("program");
    QTest::addColumn<QStringList>("arguments");

    QTest::newRow("named by the variable")
        << SleepingPlayer << true << true << QStringLiteral("sh")
        << QStringList{QStringLiteral("-c"), QStringLiteral("exec sleep 30")};
    QTest::newRow("empty variable silences") << QByteArray() << true << true << QString() << QStringList();
    QTest::newRow("timidity on PATH")
        << QByteArray() << false << true << QStringLiteral("timidity") << QStringList();
    QTest::newRow("nothing on PATH") << QByteArray() << false << false << QString() << QStringList();
}

void TestExtraWindows::midiPlayer_findsPlayer()
{
    QFETCH(QByteArray, variable);
    QFETCH(bool, variableSet);
    QFETCH(bool, timidityOnPath);
    QFETCH(QString, program);
    QFETCH(QStringList, arguments);

    QTemporaryDir bin;
    if (timidityOnPath) {
        const QString fake = bin.filePath(QStringLiteral("timidity"));
        QVERIFY(writeFile(fake, "#!/bin/sh\n"));
        QVERIFY(QFile::setPermissions(fake, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
    }
    const ScopedVariable path("PATH", bin.path().toLocal8Bit());
    const ScopedVariable ports("ALSA_OUTPUT_PORTS", QByteArray());
    qunsetenv("ALSA_OUTPUT_PORTS");
    const ScopedVariable player(MidiPlayer::PlayerVariable, variable);
    if (!variableSet) {
        qunsetenv(MidiPlayer::PlayerVariable);
    }

    const std::optional<MidiPlayerCommand> found = MidiPlayer::findPlayerCommand();
    QCOMPARE(found.has_value(), !program.isEmpty());
    if (found) {
        QCOMPARE(QFileInfo(found->program).fileName(), program);
        QCOMPARE(found->arguments, arguments);
    }
}

// ---- splash window

void TestExtraWindows::splash_texts()
{
    SeamCalls calls;
    auto module = makeModule(calls);
    frmSplash* splash = module->window<frmSplash>();
    QCOMPARE(splash->label(1)->text(), QStringLiteral("software BOREALIS"));
    QCOMPARE(splash->label(2)->text(), QStringLiteral("                        presenta"));
    QCOMPARE(splash->label(2)->text().indexOf(u'p'), 24);
    QCOMPARE(splash->label(3)->text(), QStringLiteral("Pondra "));
    QCOMPARE(splash->label(4)->text(), QStringLiteral("valutazioni qualsiasi mediante confronto"));
    QCOMPARE(splash->label(5)->text(), QStringLiteral("EDIZIONE PROFESSIONALE - VERSIONE 3.04.05"));
    QVERIFY(splash->label(6)->text().isEmpty());
    QCOMPARE(splash->label(7)->text(), QStringLiteral("Avviso: ogni abuso del presente software, compreso il "
                                                      "file audio, sarà perseguito a norma di legge"));
    QCOMPARE(splash->label(8)->text(), QStringLiteral("(un clic o Invio per iniziare, Esc per uscire)"));
    QVERIFY(!splash->Image1()->pixmap().isNull());
    // Loading starts the music found beside the program.
    QVERIFY(splash->MMControl1().isOpen());
    QVERIFY(splash->MMControl1().isPlaying());
    QCOMPARE(QFileInfo(splash->MMControl1().filePath()).fileName(), QStringLiteral("Internet.mid"));
    QCOMPARE(module->identity().ProgramName, QStringLiteral("Pondra "));
    QVERIFY(!module->loadedWindow<requisiti>());
}

void TestExtraWindows::splash_clickShowsDataWindowOnce_data()
{
    QTest::addColumn<int>("target"); // 0 background, 1..8 label, -1 image
    QTest::addColumn<bool>("music");

    QTest::newRow("background") << 0 << true;
    QTest::newRow("background, silent") << 0 << false;
    for (int i : {1, 2, 3, 4, 5, 7, 8}) {
        QTest::addRow("label %d", i) << i << true;
    }
    QTest::newRow("image") << -1 << true;
    QTest::newRow("image, silent") << -1 << false;
}

void TestExtraWindows::splash_clickShowsDataWindowOnce()
{
    QFETCH(int, target);
    QFETCH(bool, music);

    const ScopedVariable player(MidiPlayer::PlayerVariable, music ? SleepingPlayer : QByteArray());
    SeamCalls calls;
    auto module = makeModule(calls);
    frmSplash* splash = module->window<frmSplash>();
    splash->show();
    QVERIFY(QTest::qWaitForWindowExposed(splash));
    QCOMPARE(splash->MMControl1().isPlaying(), music);
    const qint64 pid = splash->MMControl1().processId();

    QWidget* widget = splash;
    QPoint position(20, 200);
    if (target > 0) {
        widget = splash->label(target);
        position = widget->rect().center();
    } else if (target < 0) {
        widget = splash->Image1();
        position = widget->rect().center();
    } else {
        QVERIFY(!splash->childAt(position)); // really the background
    }

    QTest::mouseClick(widget, Qt::LeftButton, {}, position);
    requisiti* data = module->loadedWindow<requisiti>();
    QVERIFY(data);
    QVERIFY(data->isVisible());
    QVERIFY(!splash->MMControl1().isPlaying());
    QVERIFY(splash->MMControl1().isOpen()); // paused, not closed
    if (music) {
        QTRY_VERIFY(!processAlive(pid));
    }
    // The splash stays loaded behind the Data window.
    QCOMPARE(module->loadedWindow<frmSplash>(), splash);
    QVERIFY(splash->isVisible());

    QTest::mouseClick(widget, Qt::LeftButton, {}, position);
    QCOMPARE(module->loadedWindow<requisiti>(), data);
    QCOMPARE(dataWindowCount(), 1);
    QVERIFY(!splash->MMControl1().isPlaying());
    QCOMPARE(calls.asked, 0);
    QCOMPARE(calls.opened, 0);
}

void TestExtraWindows::splash_enterStarts_otherKeysUnload_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<bool>("starts");
    QTest::newRow("letter") << int(Qt::Key_X) << false;
    QTest::newRow("Escape") << int(Qt::Key_Escape) << false;
    QTest::newRow("space") << int(Qt::Key_Space) << true;
    QTest::newRow("Return") << int(Qt::Key_Return) << true;
    QTest::newRow("keypad Enter") << int(Qt::Key_Enter) << true;
}

void TestExtraWindows::splash_enterStarts_otherKeysUnload()
{
    QFETCH(int, key);
    QFETCH(bool, starts);

    SeamCalls calls;
    auto module = makeModule(calls);
    QPointer<frmSplash> splash = module->window<frmSplash>();
    splash->show();
    QVERIFY(QTest::qWaitForWindowExposed(splash));
    const qint64 pid = splash->MMControl1().processId();
    QVERIFY(processAlive(pid));

    QTest::keyClick(splash.data(), Qt::Key(key));
    if (starts) {
        QVERIFY(module->loadedWindow<requisiti>()->isVisible());
        QCOMPARE(module->loadedWindow<frmSplash>(), splash.data());
        QVERIFY(!splash->MMControl1().isPlaying());
        return;
    }
    QVERIFY(splash); // gone only once the key press is over
    QVERIFY(!splash->MMControl1().isOpen());
    QTRY_VERIFY(!module->loadedWindow<frmSplash>());
    QVERIFY(!splash);
    QVERIFY(!module->loadedWindow<requisiti>());
    QCOMPARE(dataWindowCount(), 0);
    QTRY_VERIFY(!processAlive(pid));
}

void TestExtraWindows::splash_lonelyModifierKeepsIt()
{
    SeamCalls calls;
    auto module = makeModule(calls);
    frmSplash* splash = module->window<frmSplash>();
    splash->show();
    QVERIFY(QTest::qWaitForWindowExposed(splash));
    QTest::keyClick(splash, Qt::Key_Shift);
    QTest::qWait(20);
    QCOMPARE(module->loadedWindow<frmSplash>(), splash);
    QVERIFY(splash->MMControl1().isPlaying());
}

void TestExtraWindows::splash_closingForm()
{
    SeamCalls calls;
    auto module = makeModule(calls);
    frmSplash* splash = module->window<frmSplash>();
    splash->show();
    QTest::mouseClick(splash, Qt::LeftButton, {}, QPoint(20, 200));
    QVERIFY(!splash->MMControl1().isPlaying());
    splash->hide();

    // The work is over: the Data window goes, the splash comes back with its credit line.
    module->unloadWindow<requisiti>();
    splash->showClosingForm();
    QCOMPARE(splash->label(2)->text(), QStringLiteral("       elaborazione eseguita con"));
    QCOMPARE(splash->label(3)->text(), QStringLiteral("Pondra "));
    QVERIFY(splash->isVisible());
    QVERIFY(splash->MMControl1().isPlaying());

    // A click from the closing form starts work again in a new Data window.
    QTest::mouseClick(splash->label(3), Qt::LeftButton);
    QVERIFY(module->loadedWindow<requisiti>());
    QVERIFY(!splash->MMControl1().isPlaying());
}

// ---- About and Support windows

void TestExtraWindows::about_texts()
{
    SeamCalls calls;
    auto module = makeModule(calls);
    informa* about = module->window<informa>();
    QCOMPARE(about->windowTitle(), QStringLiteral("Informazioni su Pondra "));
    QCOMPARE(about->programName()->text(), QStringLiteral("Pondra "));
    QCOMPARE(about->description()->text(), QStringLiteral("valutazioni qualsiasi mediante confronto"));
    QCOMPARE(about->brand()->text(), QStringLiteral("software BOREALIS"));
    QCOMPARE(about->edition()->text(),
             QStringLiteral("edizione professionale - versione 3.04.05   1999- 2011"));
    QVERIFY(about->systemInfo()->text().startsWith(QStringLiteral("per sistemi ")));
    QVERIFY(about->systemInfo()->text().endsWith(QStringLiteral(" bit ")));
    QCOMPARE(about->musicCredit()->text(), makerData(Settings()).MusicCredit);
    QVERIFY(about->copyrightNotice()->text().contains(QStringLiteral("a norma di legge")));
    QCOMPARE(about->cmdOK()->text(), QStringLiteral("OK"));
    QVERIFY(!about->icon()->pixmap().isNull());
}

void TestExtraWindows::about_editionLine_data()
{
    QTest::addColumn<QString>("version");
    QTest::addColumn<QString>("date");
    QTest::addColumn<QString>("build");
    QTest::addColumn<QString>("expected");

    QTest::newRow("program") << QStringLiteral("3.04.05") << QStringLiteral("10/03/99")
                             << QStringLiteral("281211")
                             << QStringLiteral("edizione professionale - versione 3.04.05   1999- 2011");
    QTest::newRow("two-digit year after 2000")
        << QStringLiteral("4.00.00") << QStringLiteral("01/02/05") << QStringLiteral("150320")
        << QStringLiteral("edizione professionale - versione 4.00.00   2005- 2020");
    QTest::newRow("last year read after 2000")
        << QStringLiteral("2.1") << QStringLiteral("15/06/29") << QStringLiteral("150629")
        << QStringLiteral("edizione professionale - versione 2.1   2029- 2029");
    QTest::newRow("first year read before 2000")
        << QStringLiteral("1.0") << QStringLiteral("31/12/30") << QStringLiteral("010131")
        << QStringLiteral("edizione professionale - versione 1.0   1930- 2031");
    QTest::newRow("four-digit year") << QStringLiteral("3.05") << QStringLiteral("12/05/2003")
                                     << QStringLiteral("120503")
                                     << QStringLiteral("edizione professionale - versione 3.05   2003- 2003");
}

void TestExtraWindows::about_editionLine()
{
    QFETCH(QString, version);
    QFETCH(QString, date);
    QFETCH(QString, build);
    QFETCH(QString, expected);
    QCOMPARE(informa::editionLine(version, date, build), expected);
}

void TestExtraWindows::support_texts()
{
    SeamCalls calls;
    auto module = makeModule(calls);
    supportoclienti* support = module->window<supportoclienti>();
    const MakerData maker = makerData(Settings());
    QCOMPARE(support->windowTitle(), QStringLiteral("Servizi di supporto ai clienti"));
    QCOMPARE(support->brand()->text(), QStringLiteral("software BOREALIS"));
    QCOMPARE(support->address()->text(), maker.Address);
    for (const QString& part : {maker.Telephone, maker.Fax, maker.Email}) {
        QVERIFY2(support->contacts()->text().contains(part), qPrintable(part));
    }
    QCOMPARE(support->webSite()->text(),
             QStringLiteral("sito internet: www.softwareborealis.example - info@softwareborealis.example"));
    QVERIFY(support->howToAsk()->text().contains(maker.OfficeHours));
    QVERIFY(support->howToAsk()->text().contains(QStringLiteral("fax")));
    QVERIFY(support->adaptations()->text().contains(QStringLiteral("suggerimenti")));
    QVERIFY(support->inBusinessSince()->text().contains(QStringLiteral("1987")));
    QCOMPARE(support->okButton()->text(), QStringLiteral("OK"));
}

void TestExtraWindows::okHidesAndKeepsTheWindow_data()
{
    QTest::addColumn<bool>("about");
    QTest::addColumn<QString>("how");
    for (const bool about : {true, false}) {
        for (const char* how : {"OK", "Return", "Enter", "Escape", "close"}) {
            QTest::addRow("%s, %s", about ? "About" : "Support", how) << about << QString::fromLatin1(how);
        }
    }
}

void TestExtraWindows::okHidesAndKeepsTheWindow()
{
    QFETCH(bool, about);
    QFETCH(QString, how);

    SeamCalls calls;
    auto module = makeModule(calls);
    const std::function<QDialog*()> open = [&]() -> QDialog* {
        if (about) {
            return module->window<informa>();
        }
        return module->window<supportoclienti>();
    };
    const auto loaded = [&]() -> QDialog* {
        if (about) {
            return module->loadedWindow<informa>();
        }
        return module->loadedWindow<supportoclienti>();
    };
    QPointer<QDialog> window = open();
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window));
    const QString title = window->windowTitle();
    auto* ok = window->findChild<QPushButton*>();
    QVERIFY(ok);

    if (how == QLatin1String("OK")) {
        QTest::mouseClick(ok, Qt::LeftButton);
    } else if (how == QLatin1String("Return")) {
        QTest::keyClick(window.data(), Qt::Key_Return);
    } else if (how == QLatin1String("Enter")) {
        QTest::keyClick(window.data(), Qt::Key_Enter);
    } else if (how == QLatin1String("Escape")) {
        QTest::keyClick(window.data(), Qt::Key_Escape);
    } else {
        QVERIFY(window->close());
    }
    QTest::qWait(0);
    QVERIFY(window); // hidden, not destroyed
    QVERIFY(window->isHidden());
    QCOMPARE(loaded(), window.data());

    QCOMPARE(open(), window.data());
    window->show();
    QVERIFY(window->isVisible());
    QCOMPARE(window->windowTitle(), title);
    QCOMPARE(calls.asked, 0);
}

// ---- layout

void TestExtraWindows::windows_textsFitTheirBoxes_data()
{
    QTest::addColumn<QString>("window");
    QTest::newRow("splash") << QStringLiteral("splash");
    QTest::newRow("splash, closing form") << QStringLiteral("closing");
    QTest::newRow("About") << QStringLiteral("about");
    QTest::newRow("Support") << QStringLiteral("support");
}

void TestExtraWindows::windows_textsFitTheirBoxes()
{
    QFETCH(QString, window);

    const ScopedVariable silent(MidiPlayer::PlayerVariable, QByteArray());
    SeamCalls calls;
    auto module = makeModule(calls);
    QWidget* w = nullptr;
    if (window == QLatin1String("about")) {
        w = module->window<informa>();
    } else if (window == QLatin1String("support")) {
        w = module->window<supportoclienti>();
    } else {
        auto* splash = module->window<frmSplash>();
        if (window == QLatin1String("closing")) {
            splash->showClosingForm();
        }
        w = splash;
    }
    w->show();
    QVERIFY(QTest::qWaitForWindowExposed(w));
    QCOMPARE(w->minimumSize(), w->maximumSize()); // a fixed design size

    QList<QWidget*> boxes;
    for (QLabel* label : w->findChildren<QLabel*>()) {
        if (!label->isVisible()) {
            continue;
        }
        boxes.append(label);
        const QString text = label->text();
        QVERIFY2(w->rect().contains(label->geometry()), qPrintable(text));
        if (text.isEmpty()) {
            continue;
        }
        const QRect inside = label->contentsRect();
        if (label->wordWrap()) {
            QVERIFY2(label->heightForWidth(label->width()) <= label->height(), qPrintable(text));
        } else {
            const QFontMetrics metrics(label->font());
            QVERIFY2(metrics.horizontalAdvance(text) <= inside.width(), qPrintable(text));
            QVERIFY2(metrics.height() <= inside.height(), qPrintable(text));
        }
    }
    for (QPushButton* button : w->findChildren<QPushButton*>()) {
        boxes.append(button);
        QVERIFY(button->sizeHint().width() <= button->width());
        QVERIFY(w->rect().contains(button->geometry()));
    }
    const auto describe = [](QWidget* box) {
        if (auto* label = qobject_cast<QLabel*>(box)) {
            return label->text().isEmpty() ? QStringLiteral("(picture)") : label->text();
        }
        return static_cast<QPushButton*>(box)->text();
    };
    for (qsizetype i = 0; i < boxes.size(); ++i) {
        for (qsizetype j = i + 1; j < boxes.size(); ++j) {
            QVERIFY2(!boxes[i]->geometry().intersects(boxes[j]->geometry()),
                     qPrintable(describe(boxes[i]) + QStringLiteral(" / ") + describe(boxes[j])));
        }
    }
}

QTEST_MAIN(TestExtraWindows)
#include "tst_extrawindows.moc"
