#include "judgementscale.h"

#include <QtGlobal>

#include <array>
#include <cmath>

namespace pondra::JudgementScale {

namespace {

// The coefficient texts are those of (11 - n) / 10 in single precision: the shortest form,
// never 1,0 or 0,90.
constexpr std::array<JudgementStep, JudgementSteps> steps{{
    {u"eccellente", u"1 = &eccellente", u"1",
     u"è il massimo giudizio esprimibile, la migliore condizione valutabile"},
    {u"ottimo", u"2 = &ottimo", u"0,9", u"è il secondo giudizio esprimibile in ordine di qualità"},
    {u"buono", u"3 = &buono", u"0,8", u"è il terzo giudizio esprimibile in ordine di qualità"},
    {u"discreto", u"4 = &discreto", u"0,7", u"è il quarto giudizio esprimibile in ordine di qualità"},
    {u"accettabile", u"5 = a&ccettabile", u"0,6", u"è il quinto giudizio esprimibile in ordine di qualità"},
    {u"mediocre", u"6 = medioc&re", u"0,5",
     u"è il sesto giudizio esprimibile in ordine di qualità, il limite tra il positivo e il negativo"},
    {u"scadente", u"7 = &scadente", u"0,4",
     u"è il settimo giudizio in ordine di qualità, valuta una situazione che comincia ad essere negativa"},
    {u"molto scarso", u"8 = mo&lto scarso", u"0,3",
     u"è l'ottavo giudizio in ordine di qualità, la situazione viene valutata negativamente"},
    {u"pessimo", u"9 = &pessimo", u"0,2",
     u"è il nono giudizio in ordine di qualità, la situazione viene valutata in modo molto negativo"},
    {u"minimo", u"10 = m&inimo", u"0,1",
     u"è il decimo giudizio in ordine di qualità, la situazione viene valutata con requisiti appena "
     u"percepibili"},
    {u"nullo", u"11 = &nullo", u"0",
     u"è l'ultimo giudizio in ordine di qualità, il più negativo, manca qualsiasi requisito valutabile"},
}};

} // namespace

const JudgementStep& step(int n)
{
    Q_ASSERT(n >= 1 && n <= JudgementSteps);
    return steps[std::size_t(n - 1)];
}

QString adjective(int n)
{
    return QString::fromUtf16(step(n).adjective);
}

QString coefficientText(int n)
{
    return QString::fromUtf16(step(n).coefficientText);
}

int stepForWeightedCoefficient(double x)
{
    const double k = 11.0 - std::floor(10.0 * x + 0.5);
    // Far outside the scale the result only needs to stay outside 1..11.
    if (!(k >= -1000.0 && k <= 1000.0)) {
        return 0;
    }
    return int(k);
}

} // namespace pondra::JudgementScale
