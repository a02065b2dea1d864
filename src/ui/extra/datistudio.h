#pragma once

#include "model/ownerdata.h"

#include <QWidget>

#include <array>

class QLineEdit;
class QPushButton;

namespace pondra {

class ModuloPondra;

// "Dati dello studio": the studio or technician that signs the reports, kept in the user's
// settings for every later run. Salva keeps what is typed; Annulla leaves the settings alone.
class datistudio : public QWidget {
    Q_OBJECT

public:
    explicit datistudio(ModuloPondra& module);

    // The boxes, in screen order: name, qualification, address, telephone, e-mail.
    static constexpr int FieldCount = 5;
    QLineEdit* field(int i) const { return m_fields[std::size_t(i)]; }

public Q_SLOTS:
    // The boxes show the settings as they stand.
    void Form_Load();
    void cmdSalva_Click();

Q_SIGNALS:
    // The settings now hold what the boxes show.
    void ownerDataSaved();

private:
    OwnerData typed() const;

    ModuloPondra& m_module;
    std::array<QLineEdit*, FieldCount> m_fields{};
    QPushButton* m_save = nullptr;
    QPushButton* m_cancel = nullptr;
};

// At the first start, while no studio is set, the window is shown once, so that no report goes
// out without a signature that could be anyone's. True when it was shown.
bool OfferOwnerData(ModuloPondra& module);

} // namespace pondra
