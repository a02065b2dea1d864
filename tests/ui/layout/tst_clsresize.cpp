#include "ui/layout/clsresize.h"
#include "ui/layout/line.h"
#include "ui/layout/twips.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QMainWindow>
#include <QMenu>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QTest>
#include <QTimer>

#include <cmath>
#include <map>
#include <memory>

using namespace pondra;

Q_DECLARE_METATYPE(pondra::ScaleDirective)

class TestClsResize : public QObject {
    Q_OBJECT

private:
    // Client area of the design, pixels; every design measure below is even, so halving and
    // stretching by 1.5 give whole pixels to compare with.
    static constexpr QSize DesignClient{400, 300};

    std::unique_ptr<QMainWindow> form;
    std::map<QWidget*, QRect> design; // every control and where the design puts it
    QLabel* label = nullptr;
    QPushButton* framedButton = nullptr;
    Line* line = nullptr;
    QMenu* popup = nullptr;

    QWidget* add(QWidget* control, QRect place)
    {
        control->setGeometry(place);
        design[control] = place;
        return control;
    }

    // Shaped like the program's windows: plain controls, a combo with an editor of its own, a
    // group box and a frame holding controls, a scroll area, a line, plus things that are not
    // controls: a popup menu, a timer, and the children of a container with a layout.
    void buildWindow()
    {
        form = std::make_unique<QMainWindow>();
        auto* client = new QWidget;
        form->setCentralWidget(client);
        label = static_cast<QLabel*>(add(new QLabel(QStringLiteral("Ipotesi"), client), {20, 10, 200, 20}));
        auto* combo = new QComboBox(client);
        combo->setEditable(true);
        add(combo, {20, 40, 160, 24});
        add(new QCheckBox(QStringLiteral("Requisito"), client), {200, 40, 100, 24});
        auto* group = add(new QGroupBox(QStringLiteral("Comandi"), client), {20, 80, 240, 120});
        framedButton = static_cast<QPushButton*>(
            add(new QPushButton(QStringLiteral("Nuova"), group), {10, 20, 100, 30}));
        add(new QPushButton(QStringLiteral("Elimina"), group), {10, 60, 100, 30});
        auto* frame = add(new QFrame(client), {280, 80, 100, 100});
        add(new QLabel(QStringLiteral("Totale"), frame), {10, 10, 60, 20});
        add(new QListWidget(client), {280, 200, 100, 80});
        add(new QScrollBar(Qt::Vertical, client), {380, 0, 20, 280});
        auto* laidOut = add(new QWidget(client), {20, 220, 240, 40});
        (new QHBoxLayout(laidOut))->addWidget(new QPushButton(QStringLiteral("Interna")));
        line = new Line(300, 3600, 5700, 3600, client);
        popup = new QMenu(client);
        popup->addAction(QStringLiteral("Apri"));
        new QTimer(client);
        form->resize(DesignClient);
    }

    void showWindow()
    {
        form->show();
        QVERIFY(QTest::qWaitForWindowExposed(form.get()));
    }

    QSize client() const { return form->centralWidget()->size(); }

    static QRect scaled(QRect r, double fx, double fy)
    {
        return QRect(int(r.x() * fx), int(r.y() * fy), int(r.width() * fx), int(r.height() * fy));
    }

    void expectScaled(double fx, double fy)
    {
        for (const auto& [control, place] : design) {
            QCOMPARE(control->geometry(), scaled(place, fx, fy));
        }
        QCOMPARE(line->X1(), 300 * fx);
        QCOMPARE(line->Y1(), 3600 * fy);
        QCOMPARE(line->X2(), 5700 * fx);
        QCOMPARE(line->Y2(), 3600 * fy);
    }

private Q_SLOTS:
    void init() { buildWindow(); }
    void cleanup()
    {
        form.reset();
        design.clear();
    }

    void firstResize_recordsControlsInTwips_movesNothing()
    {
        clsResize resize;
        resize.setSourceForm(form.get());
        showWindow();
        resize.ResizeControls();

        QVERIFY(!resize.needsRecording());
        QCOMPARE(resize.baseWidth(), 400 * 15);
        QCOMPARE(resize.baseHeight(), 300 * 15);
        std::map<QWidget*, QRect> recorded;
        for (const ControlLayout& entry : resize.layouts()) {
            QVERIFY2(!recorded.count(entry.Control), "a control recorded twice");
            recorded[entry.Control] = QRect(entry.Left, entry.Top, entry.Width, entry.Height);
        }
        QCOMPARE(recorded.size(), design.size() + 1); // the line besides
        for (const auto& [control, place] : design) {
            QVERIFY2(recorded.count(control), control->metaObject()->className());
            QCOMPARE(recorded[control],
                     QRect(place.x() * 15, place.y() * 15, place.width() * 15, place.height() * 15));
        }
        QCOMPARE(recorded[line], QRect(300, 3600, 5700, 3600));
        expectScaled(1, 1);
    }

    void resize_scalesEachAxisOnItsOwn_data()
    {
        QTest::addColumn<double>("fx");
        QTest::addColumn<double>("fy");
        QTest::newRow("twice as wide") << 2.0 << 1.0;
        QTest::newRow("twice as high") << 1.0 << 2.0;
        QTest::newRow("half size") << 0.5 << 0.5;
        QTest::newRow("wider and lower") << 1.5 << 0.5;
    }
    void resize_scalesEachAxisOnItsOwn()
    {
        QFETCH(double, fx);
        QFETCH(double, fy);
        clsResize resize;
        resize.setSourceForm(form.get());
        showWindow();
        resize.ResizeControls();
        form->resize(scaled(QRect(QPoint(), DesignClient), fx, fy).size());
        resize.ResizeControls();
        expectScaled(fx, fy);
    }

    void resize_manyOddSizes_thenDesignSize_restoresDesignExactly()
    {
        clsResize resize;
        resize.setSourceForm(form.get());
        showWindow();
        resize.ResizeControls();
        for (const QSize size : {QSize(333, 217), QSize(1201, 905), QSize(17, 9), QSize(401, 299)}) {
            form->resize(size);
            resize.ResizeControls();
        }
        form->resize(DesignClient);
        resize.ResizeControls();
        expectScaled(1, 1);
    }

    void tag_decidesWhichMeasuresFollow_data()
    {
        QTest::addColumn<QString>("tag");
        QTest::addColumn<ScaleDirective>("expected");
        QTest::newRow("no tag") << QString() << ScaleDirective{true, true, true, true};
        QTest::newRow("@T,H") << QStringLiteral("@T,H") << ScaleDirective{false, true, false, true};
        QTest::newRow("lower case") << QStringLiteral("@t,h") << ScaleDirective{false, true, false, true};
        QTest::newRow("no separators") << QStringLiteral("@LW") << ScaleDirective{true, false, true, false};
        QTest::newRow("any order") << QStringLiteral("@H W T L") << ScaleDirective{true, true, true, true};
        QTest::newRow("@ alone") << QStringLiteral("@") << ScaleDirective{false, false, false, false};
        QTest::newRow("no leading @") << QStringLiteral("T,H") << ScaleDirective{true, true, true, true};
        QTest::newRow("@ not first") << QStringLiteral(" @T") << ScaleDirective{true, true, true, true};
    }
    void tag_decidesWhichMeasuresFollow()
    {
        QFETCH(QString, tag);
        QFETCH(ScaleDirective, expected);
        clsResize resize;
        resize.setSourceForm(form.get());
        showWindow();
        resize.ResizeControls();
        // Set after recording: the tag is read at every rescale.
        label->setProperty(TagProperty, tag);
        form->resize(800, 900);
        resize.ResizeControls();
        const QRect was = design[label];
        const QRect now = label->geometry();
        QCOMPARE(now.x(), expected.left ? was.x() * 2 : was.x());
        QCOMPARE(now.y(), expected.top ? was.y() * 3 : was.y());
        QCOMPARE(now.width(), expected.width ? was.width() * 2 : was.width());
        QCOMPARE(now.height(), expected.height ? was.height() * 3 : was.height());
    }

    void line_followsThroughItsEndPoints()
    {
        auto* diagonal = new Line(5700, 150, 300, 4350, form->centralWidget());
        auto* widthOnly = new Line(300, 150, 600, 300, form->centralWidget());
        widthOnly->setProperty(TagProperty, QStringLiteral("@W"));
        clsResize resize;
        resize.setSourceForm(form.get());
        showWindow();
        resize.ResizeControls();
        form->resize(800, 450);
        resize.ResizeControls();
        expectScaled(2, 1.5);
        QCOMPARE(diagonal->X1(), 11400.0);
        QCOMPARE(diagonal->Y1(), 225.0);
        QCOMPARE(diagonal->X2(), 600.0);
        QCOMPARE(diagonal->Y2(), 6525.0);
        QCOMPARE(widthOnly->X1(), 300.0);
        QCOMPARE(widthOnly->Y2(), 300.0);
        QCOMPARE(widthOnly->X2(), 1200.0);
        // Its geometry went with the points: both ends, in pixels, lie inside it.
        QVERIFY(diagonal->geometry().contains(QPoint(760, 15)));
        QVERIFY(diagonal->geometry().contains(QPoint(40, 435)));
    }

    void line_paintsBetweenItsPoints()
    {
        QWidget parent;
        parent.resize(200, 100);
        parent.setAutoFillBackground(true);
        parent.setPalette(QPalette(Qt::white));
        Line line(150, 750, 2850, 750, &parent); // (10, 50) to (190, 50) pixels
        line.setBorderColor(Qt::red);
        line.setBorderWidth(3);
        QVERIFY(line.geometry().contains(QRect(10, 49, 181, 3)));
        const QImage image = parent.grab().toImage();
        QCOMPARE(image.pixelColor(100, 50), QColor(Qt::red));
        QCOMPARE(image.pixelColor(100, 45), QColor(Qt::white));
        QCOMPARE(image.pixelColor(5, 50), QColor(Qt::white));
    }

    void minimised_leavesControls_restoredRescales()
    {
        clsResize resize;
        resize.setSourceForm(form.get());
        showWindow();
        form->showMinimized();
        // A minimised window's size is no base either.
        resize.ResizeControls();
        QVERIFY(resize.needsRecording());
        form->showNormal();
        resize.ResizeControls();
        QVERIFY(!resize.needsRecording());

        form->resize(800, 600);
        form->showMinimized();
        form->resize(100, 50);
        resize.ResizeControls();
        expectScaled(1, 1);

        form->showNormal();
        form->resize(800, 600);
        resize.ResizeControls();
        expectScaled(2, 2);
    }

    void emptyBase_isNeverRescaled_data()
    {
        QTest::addColumn<QSize>("base");
        QTest::newRow("no width") << QSize(0, 300);
        QTest::newRow("no height") << QSize(400, 0);
        QTest::newRow("nothing") << QSize(0, 0);
    }
    void emptyBase_isNeverRescaled()
    {
        QFETCH(QSize, base);
        form->resize(base);
        clsResize resize;
        resize.setSourceForm(form.get());
        resize.ResizeControls();
        QVERIFY(!resize.needsRecording());
        QCOMPARE(resize.baseWidth(), base.width() * 15);
        form->resize(800, 600);
        resize.ResizeControls();
        expectScaled(1, 1);
    }

    void controlsChanging_windowWithoutControls_deletedControl()
    {
        QMainWindow bare;
        bare.setCentralWidget(new QWidget);
        bare.resize(DesignClient);
        clsResize resize;
        resize.setSourceForm(&bare);
        resize.ResizeControls();
        QVERIFY2(resize.needsRecording(), "an empty window is not a base");

        // The first size seen with controls on it is the base.
        auto* first = new QLabel(bare.centralWidget());
        first->setGeometry(10, 10, 50, 20);
        bare.resize(500, 300);
        resize.ResizeControls();
        QCOMPARE(resize.baseWidth(), 500 * 15);

        // A control gone since recording is passed over, the others still follow.
        auto* second = new QLabel(bare.centralWidget());
        second->setGeometry(100, 100, 50, 20);
        resize.ReInitialise();
        delete first;
        bare.resize(1000, 300);
        resize.ResizeControls();
        QCOMPARE(second->geometry(), QRect(200, 100, 100, 20));
    }

    void reInitialise_andNewWindow_takeANewBase()
    {
        clsResize resize;
        resize.setSourceForm(form.get());
        showWindow();
        resize.ResizeControls();
        label->setGeometry(30, 30, 100, 10);
        resize.ReInitialise();
        form->resize(800, 300);
        resize.ResizeControls();
        QCOMPARE(label->geometry(), QRect(60, 30, 200, 10));

        QWidget other;
        resize.setSourceForm(&other);
        QVERIFY(resize.needsRecording());
        QVERIFY(resize.layouts().empty());
    }

    void sizeFormToScreen_centresAndScales_data()
    {
        QTest::addColumn<int>("percent");
        QTest::addColumn<bool>("shown");
        QTest::newRow("75%, hidden, as windows load") << 75 << false;
        QTest::newRow("75%, shown") << 75 << true;
        QTest::newRow("33%, hidden") << 33 << false;
        QTest::newRow("100%, shown") << 100 << true;
    }
    void sizeFormToScreen_centresAndScales()
    {
        QFETCH(int, percent);
        QFETCH(bool, shown);
        if (shown) {
            showWindow();
        }
        clsResize resize;
        resize.setSourceForm(form.get());
        resize.SizeFormToScreen(percent);

        const QRect screen = form->screen()->availableGeometry();
        const qint64 screenW = screen.width() * 15, screenH = screen.height() * 15;
        const qint64 w = percent * screenW / 100, h = percent * screenH / 100;
        const auto px = [](double twips) { return int(std::nearbyint(twips / 15)); };
        QCOMPARE(form->frameGeometry(),
                 QRect(screen.x() + px((screenW - w) / 2.0), screen.y() + px((screenH - h) / 2.0),
                       px(double(w)), px(double(h))));
        // The base is the design, and the controls follow the new client area.
        QCOMPARE(resize.baseWidth(), 400 * 15);
        const QRect was = design[framedButton];
        const double fx = client().width() / 400.0, fy = client().height() / 300.0;
        QCOMPARE(framedButton->geometry(), QRect(px(was.x() * 15 * fx), px(was.y() * 15 * fy),
                                                 px(was.width() * 15 * fx), px(was.height() * 15 * fy)));

        // The window then takes its fixed outer size without its corner moving.
        const QPoint corner = form->frameGeometry().topLeft();
        resizeOuterTwips(form.get(), 9600, 6825);
        QCOMPARE(form->frameGeometry(), QRect(corner, QSize(640, 455)));
    }

    void twips_roundHalvesToEven_placeInPixels_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<int>("rounded");
        QTest::newRow("0.5") << 0.5 << 0;
        QTest::newRow("1.5") << 1.5 << 2;
        QTest::newRow("2.5") << 2.5 << 2;
        QTest::newRow("2.51") << 2.51 << 3;
        QTest::newRow("-1.5") << -1.5 << -2;
        QTest::newRow("-2.5") << -2.5 << -2;
        QTest::newRow("huge") << 1e300 << std::numeric_limits<int>::max();
        QTest::newRow("not a number") << std::nan("") << 0;
    }
    void twips_roundHalvesToEven_placeInPixels()
    {
        QFETCH(double, value);
        QFETCH(int, rounded);
        QCOMPARE(roundHalfEven(value), rounded);
        QWidget control;
        placeTwips(&control, 1935, 120, 100, 7);
        QCOMPARE(control.geometry(), QRect(129, 8, 7, 0));
    }
};

QTEST_MAIN(TestClsResize)
#include "tst_clsresize.moc"
