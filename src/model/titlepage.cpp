#include "titlepage.h"

namespace pondra {

namespace {

constexpr std::array<QString TitlePage::*, TitlePage::FieldCount> fields{
    &TitlePage::progetto, &TitlePage::localita, &TitlePage::tipostudio, &TitlePage::committente,
    &TitlePage::luogo,    &TitlePage::data,     &TitlePage::allegati};

} // namespace

QString& TitlePage::field(int i)
{
    return this->*fields.at(std::size_t(i));
}

const QString& TitlePage::field(int i) const
{
    return this->*fields.at(std::size_t(i));
}

QString TitlePage::fieldCaption(int i)
{
    static const char16_t* const captions[TitlePage::FieldCount] = {u"perizia",
                                                                    u"località",
                                                                    u"tipologia di studio",
                                                                    u"committente",
                                                                    u"luogo elaborazione",
                                                                    u"data elaborazione",
                                                                    u"allegati alla relazione"};
    return QString::fromUtf16(captions[i]);
}

Message CheckTitlePage(const TitlePage& page)
{
    // The date is filled in by the program, so it does not count as something entered.
    if (page.progetto.isEmpty() && page.localita.isEmpty() && page.tipostudio.isEmpty() &&
        page.committente.isEmpty() && page.allegati.isEmpty()) {
        return {noDataText(), MessageIcon::Question};
    }
    // Blanks count as data; every field is required, as the failure message says.
    for (int i = 0; i < TitlePage::FieldCount; ++i) {
        if (page.field(i).isEmpty()) {
            return {QStringLiteral("Inserire dati per ogni campo."), MessageIcon::Exclamation};
        }
    }
    return {dataCorrectText(), MessageIcon::Information};
}

} // namespace pondra
