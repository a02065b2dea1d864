#include "datistudio.h"

#include "settings/installation.h"
#include "settings/settings.h"
#include "ui/core/modulopondra.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace pondra {

namespace {

struct FieldDesign {
    const char16_t* caption;
    const char16_t* example; // shown in the empty box
    QString OwnerData::*value;
};

constexpr std::array<FieldDesign, datistudio::FieldCount> Fields{{
    {u"Studio o &tecnico:", u"Studio tecnico Rossi", &OwnerData::OwnerStudioName},
    {u"Titolo e &iscrizione:", u"geom. Mario Rossi, iscritto al Collegio dei Geometri di Parma al n. 1234",
     &OwnerData::OwnerQualification},
    {u"I&ndirizzo:", u"Via Roma, 1 - 43121 Parma (PR)", &OwnerData::OwnerAddress},
    {u"Tele&fono:", u"0521 123456", &OwnerData::OwnerTelephone},
    {u"&E-mail:", u"studio@esempio.it", &OwnerData::OwnerEmail},
}};

} // namespace

datistudio::datistudio(ModuloPondra& module) : m_module(module)
{
    setWindowTitle(QStringLiteral("Pondra: dati dello studio"));
    setWindowFlag(Qt::Dialog);
    auto* layout = new QVBoxLayout(this);
    auto* intro = new QLabel(
        QStringLiteral("Lo studio (o il tecnico) che firma le relazioni: compare nel frontespizio, "
                       "sotto «il perito» e come autore dei documenti PDF. Finché manca il "
                       "nome, le relazioni lasciano righe vuote da compilare a mano."),
        this);
    intro->setWordWrap(true);
    layout->addWidget(intro);
    auto* form = new QFormLayout;
    for (std::size_t i = 0; i < Fields.size(); ++i) {
        auto* box = new QLineEdit(this);
        box->setPlaceholderText(QString::fromUtf16(Fields[i].example));
        box->setMinimumWidth(box->fontMetrics().horizontalAdvance(box->placeholderText()) + 20);
        auto* caption = new QLabel(QString::fromUtf16(Fields[i].caption), this);
        caption->setBuddy(box);
        box->setAccessibleName(caption->text().remove(u'&').remove(u':'));
        form->addRow(caption, box);
        m_fields[i] = box;
    }
    layout->addLayout(form);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    m_save = new QPushButton(QStringLiteral("&Salva"), this);
    m_save->setDefault(true);
    m_cancel = new QPushButton(QStringLiteral("&Annulla"), this);
    buttons->addWidget(m_save);
    buttons->addWidget(m_cancel);
    layout->addLayout(buttons);
    connect(m_save, &QPushButton::clicked, this, &datistudio::cmdSalva_Click);
    connect(m_cancel, &QPushButton::clicked, this, &QWidget::close);
    Form_Load();
}

void datistudio::Form_Load()
{
    const OwnerData owner = ownerData(m_module.environment().settings());
    for (std::size_t i = 0; i < Fields.size(); ++i) {
        m_fields[i]->setText(owner.*Fields[i].value);
    }
}

OwnerData datistudio::typed() const
{
    OwnerData owner;
    for (std::size_t i = 0; i < Fields.size(); ++i) {
        owner.*Fields[i].value = m_fields[i]->text().trimmed();
    }
    return owner;
}

void datistudio::cmdSalva_Click()
{
    setOwnerData(m_module.environment().settings(), typed());
    close();
    Q_EMIT ownerDataSaved();
}

bool OfferOwnerData(ModuloPondra& module)
{
    Settings& settings = module.environment().settings();
    if (ownerData(settings).isSet() || settings.ownerDataOffered()) {
        return false;
    }
    settings.setOwnerDataOffered(true);
    datistudio* window = module.window<datistudio>();
    window->show();
    window->raise();
    return true;
}

} // namespace pondra
