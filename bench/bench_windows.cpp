// Times the Data window where the user feels it: one proportional rescale of all its controls,
// and one scale click (store the judgement, rescore the hypothesis, show the figures).

#include "measure.h"
#include "model/judgementscale.h"
#include "ui/core/modulopondra.h"
#include "ui/layout/clsresize.h"
#include "ui/layout/twips.h"
#include "ui/main/requisiti.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>

using namespace pondra;

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    ModuloPondra module;
    requisiti* w = module.window<requisiti>();
    w->show();
    QApplication::processEvents();

    // A full hypothesis of 100 rows, so every click rescores the whole of it. Set up behind the
    // document's back, then shown again so that the window sees it.
    auto& study = const_cast<Study&>(module.document().study());
    for (int r = 1; r <= MaxRows; ++r) {
        CharacteristicEntry& row = study.row(1, r);
        row.ticked = Value::integer(1);
        row.name = Value::text(QStringLiteral("caratteristica %1").arg(r));
        row.judgement = Value::text(JudgementScale::adjective(3));
        row.judgementNumber = Value::integer(3);
        row.coefficient = Value::text(JudgementScale::coefficientText(3));
        row.weight = Value::text(QStringLiteral("1"));
    }
    w->HScroll1_Change();

    // A scaler of our own on the window does exactly what the window's does on every resize.
    clsResize scaler;
    scaler.setSourceForm(w);
    scaler.ReInitialise();
    const int sizes[][2] = {{9600, 6825}, {14400, 10200}, {12000, 9000}, {9000, 6750}};
    const int resizes = 2000;
    const bench::Figures resize = bench::measure(
        resizes,
        [&](int i) {
            resizeOuterTwips(w, sizes[i % 4][0], sizes[i % 4][1]);
            QApplication::processEvents();
        },
        [&] { scaler.ResizeControls(); });
    bench::report("finestra Dati, ResizeControls", resize, resizes, 2);

    const int clicks = 2000;
    const bench::Figures click = bench::measure(
        clicks, [&](int i) { w->numero_Click(1 + i % requisiti::Slots); }, [&] { w->scala_Click(2); });
    bench::report("finestra Dati, clic sulla scala (100 righe)", click, clicks, 1);
    return 0;
}
