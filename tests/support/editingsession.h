#pragma once

#include "ui/core/modulopondra.h"
#include "ui/main/frontespizio.h"
#include "ui/main/requisiti.h"
#include "ui/main/weightarrows.h"
#include "windowcontrols.h"

#include <QTest>

#include <functional>

// An afternoon's editing as a user makes it through the windows, always the same: the title
// page, then hypothesis after hypothesis, each named, with rows ticked, named, judged and
// weighted by arrow clicks. `afterStep(k)` runs after each step, counted from 1; it returns
// false to stop the session there.
namespace testsupport {

inline void runEditingSession(pondra::ModuloPondra& module, const std::function<bool(int)>& afterStep,
                              int hypotheses = 20, int rows = 8)
{
    using namespace pondra;
    const DataControls data(module.window<requisiti>());
    const TitleControls title(module.window<frontespizio>());
    int step = 0;
    const auto done = [&] { return !afterStep(++step); };

    QTest::keyClicks(title.progetto, QStringLiteral("Scelta della sede"));
    if (done()) {
        return;
    }
    for (int h = 1; h <= hypotheses; ++h) {
        data.HScroll1->setValue(h);
        if (done()) {
            return;
        }
        QTest::keyClicks(data.ipotesi, QStringLiteral("Ipotesi %1").arg(h));
        if (done()) {
            return;
        }
        for (int r = 1; r <= rows; ++r) {
            data.Check[r]->click();
            if (done()) {
                return;
            }
            data.requisito[r]->setEditText(QStringLiteral("requisito %1 à").arg(r));
            if (done()) {
                return;
            }
            data.scala[(h + r) % 11 + 1]->click();
            if (done()) {
                return;
            }
            for (int click = 0; click <= (h + r) % 3; ++click) {
                data.scroll[r]->stepUp();
                if (done()) {
                    return;
                }
            }
        }
    }
}

} // namespace testsupport
