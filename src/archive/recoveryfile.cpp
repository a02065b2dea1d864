#include "recoveryfile.h"

#include "cp1252.h"
#include "datafile.h"

#include <memory>

namespace pondra {

namespace {

void makeStorable(QString& text)
{
    if (cp1252::encode(text)) {
        return;
    }
    for (QChar& c : text) {
        if (!cp1252::encode(QStringView(&c, 1))) {
            c = u'?';
        }
    }
}

void makeStorable(Value& value)
{
    if (value.isText()) {
        QString text = value.textValue();
        makeStorable(text);
        value = Value::text(text);
    }
}

int lastSlotInUse(const Study& study)
{
    for (int h = MaxHypotheses; h >= 1; --h) {
        if (!(study.hypothesis(h) == Hypothesis{})) {
            return h;
        }
    }
    return 0;
}

} // namespace

bool writeRecoveryFile(const QString& path, const Study& study, const TitlePage& titlePage, QString* error)
{
    auto kept = std::make_unique<Study>(study);
    // Every slot in use, named or not: what is kept is what was typed.
    const int slots = std::max(study.countNamedHypotheses(), lastSlotInUse(study));
    for (int h = 1; h <= slots; ++h) {
        Hypothesis& hyp = kept->hypothesis(h);
        makeStorable(hyp.name);
        makeStorable(hyp.OverallJudgement);
        for (int r = 1; r <= kept->lastNamedRowOf(h); ++r) {
            CharacteristicEntry& row = hyp.rows.at(std::size_t(r));
            for (Value* v : {&row.ticked, &row.name, &row.judgement, &row.judgementNumber, &row.coefficient,
                             &row.weight}) {
                makeStorable(*v);
            }
        }
    }
    TitlePage page = titlePage;
    for (int i = 0; i < TitlePage::FieldCount; ++i) {
        makeStorable(page.field(i));
    }
    return saveStudyFile(path, *kept, page, error, slots);
}

bool readRecoveryFile(const QString& path, Study& study, TitlePage& titlePage, QString* error)
{
    return loadStudyFile(path, study, titlePage, error);
}

} // namespace pondra
