#include "support/scriptedmodule.h"
#include "ui/core/pictures.h"
#include "ui/main/classifica.h"
#include "ui/main/frontespizio.h"
#include "ui/main/requisiti.h"
#include "ui/shell/shell.h"

#include <QAction>
#include <QFile>
#include <QGuiApplication>
#include <QSet>
#include <QTest>
#include <QToolBar>

using namespace pondra;

namespace {

QImage picture(const QIcon& icon)
{
    return icon.pixmap(QSize(20, 20)).toImage();
}

} // namespace

// The toolbar's pictures are Pondra's own, from its resources: the program looks the same with
// or without a desktop icon theme.
class tst_Pictures : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void everyToolbarPosition_hasOurOwnPicture()
    {
        const QSet<int> separators{5, 7, 11, 13, 18};
        QSet<QString> paths;
        for (int b = 1; b <= 21; ++b) {
            const QString path = toolbarIconPath(b);
            QCOMPARE(path.isEmpty(), separators.contains(b));
            if (!path.isEmpty()) {
                QVERIFY2(path.startsWith(QStringLiteral(":/pondra/icons/")) && QFile::exists(path),
                         qPrintable(path));
                QVERIFY2(!svgIcon(path).isNull(), qPrintable(path));
                paths << path;
            }
        }
        QCOMPARE(paths.size(), 16); // one picture for each button
        QCOMPARE(toolbarIconPath(19), QStringLiteral(":/pondra/icons/check-abc.svg"));
        QVERIFY(toolbarIconPath(0).isEmpty() && toolbarIconPath(22).isEmpty());

        testsupport::ScriptedModule s;
        installShell(*s.module);
        for (QMainWindow* window : std::initializer_list<QMainWindow*>{s.module->window<requisiti>(),
                                                                       s.module->window<classifica>(),
                                                                       s.module->window<frontespizio>()}) {
            const QList<QAction*> actions = window->findChild<QToolBar*>()->actions();
            QCOMPARE(actions.size(), 21);
            for (int b = 1; b <= 21; ++b) {
                QAction* action = actions.at(b - 1);
                if (separators.contains(b)) {
                    QVERIFY(action->isSeparator());
                    continue;
                }
                QCOMPARE(action->objectName(), QStringLiteral("Toolbar1_%1").arg(b));
                const QImage shown = picture(action->icon());
                QVERIFY(!shown.isNull());
                QCOMPARE(shown, picture(svgIcon(toolbarIconPath(b))));
            }
        }
    }

    void program_hasItsIconAndDesktopName()
    {
        identifyOnDesktop();
        QCOMPARE(QGuiApplication::desktopFileName(), QStringLiteral("pondra"));
        QVERIFY(!QGuiApplication::windowIcon().isNull());
        QCOMPARE(picture(QGuiApplication::windowIcon()),
                 picture(svgIcon(QStringLiteral(":/pondra/icons/pondra.svg"))));
    }
};

QTEST_MAIN(tst_Pictures)
#include "tst_pictures.moc"
