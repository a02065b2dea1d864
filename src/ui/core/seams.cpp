#include "seams.h"

#include "settings/programfiles.h"
#include "settings/settings.h"

#include <QColorDialog>
#include <QDesktopServices>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>
#include <QStandardPaths>

namespace pondra {

namespace {

QMessageBox::Icon boxIcon(std::optional<MessageIcon> icon)
{
    if (!icon) {
        return QMessageBox::NoIcon;
    }
    switch (*icon) {
    case MessageIcon::Critical:
        return QMessageBox::Critical;
    case MessageIcon::Question:
        return QMessageBox::Question;
    case MessageIcon::Exclamation:
        return QMessageBox::Warning;
    case MessageIcon::Information:
        return QMessageBox::Information;
    }
    return QMessageBox::NoIcon;
}

} // namespace

MessageAnswer QtDialogs::message(QWidget* parent, const MessageRequest& request)
{
    QMessageBox box(boxIcon(request.icon), request.title, request.text, QMessageBox::NoButton, parent);
    // Messages quote file names and what files hold: never read as markup.
    box.setTextFormat(Qt::PlainText);
    if (request.buttons == MessageButtons::Ok) {
        box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
        box.exec();
        return MessageAnswer::Ok;
    }
    if (request.buttons == MessageButtons::SaveDiscardCancel) {
        QPushButton* save = box.addButton(QStringLiteral("&Salva"), QMessageBox::AcceptRole);
        QPushButton* discard = box.addButton(request.discardText, QMessageBox::DestructiveRole);
        QPushButton* cancel = box.addButton(QStringLiteral("Annulla"), QMessageBox::RejectRole);
        box.setDefaultButton(request.defaultAnswer == MessageAnswer::Discard  ? discard
                             : request.defaultAnswer == MessageAnswer::Cancel ? cancel
                                                                              : save);
        // Esc and the close button of the box change nothing.
        box.setEscapeButton(cancel);
        box.exec();
        return box.clickedButton() == save      ? MessageAnswer::Save
               : box.clickedButton() == discard ? MessageAnswer::Discard
                                                : MessageAnswer::Cancel;
    }
    if (request.buttons == MessageButtons::YesSaveAsCancel) {
        QPushButton* yes = box.addButton(QStringLiteral("&Sì"), QMessageBox::YesRole);
        QPushButton* saveAs = box.addButton(QStringLiteral("Salva con &nome..."), QMessageBox::ActionRole);
        QPushButton* cancel = box.addButton(QStringLiteral("Annulla"), QMessageBox::RejectRole);
        box.setDefaultButton(request.defaultAnswer == MessageAnswer::SaveAs ? saveAs : yes);
        box.setEscapeButton(cancel);
        box.exec();
        return box.clickedButton() == yes      ? MessageAnswer::Yes
               : box.clickedButton() == saveAs ? MessageAnswer::SaveAs
                                               : MessageAnswer::Cancel;
    }
    QPushButton* yes = box.addButton(QStringLiteral("&Sì"), QMessageBox::YesRole);
    QPushButton* no = box.addButton(QStringLiteral("&No"), QMessageBox::NoRole);
    box.setDefaultButton(request.defaultAnswer == MessageAnswer::No ? no : yes);
    QAbstractButton* closed = no;
    if (request.tellsClosed) {
        // A button of its own that ✕ and Esc press, never shown.
        closed = box.addButton(QMessageBox::Cancel);
        closed->hide();
    }
    box.setEscapeButton(closed);
    box.exec();
    if (box.clickedButton() == yes) {
        return MessageAnswer::Yes;
    }
    return box.clickedButton() == no || !request.tellsClosed ? MessageAnswer::No : MessageAnswer::Closed;
}

QString QtDialogs::openFileName(QWidget* parent, const QString& title, const QString& filters,
                                const QString& selectedFilter)
{
    QString selected = selectedFilter;
    return QFileDialog::getOpenFileName(parent, title, QString(), filters, &selected);
}

QString QtDialogs::deleteFileName(QWidget* parent, const QString& title, const QString& filters,
                                  const QString& selectedFilter)
{
    QFileDialog dialog(parent, title);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setNameFilters(filters.split(QStringLiteral(";;")));
    dialog.selectNameFilter(selectedFilter);
    dialog.setLabelText(QFileDialog::Accept, QStringLiteral("Elimina"));
    if (dialog.exec() != QDialog::Accepted) {
        return {};
    }
    return dialog.selectedFiles().value(0);
}

QString QtDialogs::saveFileName(QWidget* parent, const QString& title, const QString& filters,
                                QString* selectedFilter, const QString& proposedName,
                                std::optional<int> cursorAt)
{
    QFileDialog dialog(parent, title);
    // The cursor is placed in Qt's own dialog; a desktop's dialog would select the name its way.
    if (cursorAt) {
        dialog.setOption(QFileDialog::DontUseNativeDialog);
    }
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setNameFilters(filters.split(QStringLiteral(";;")));
    dialog.selectNameFilter(*selectedFilter);
    // The dialog adds the extension itself, so that its question about replacing a file is
    // about the file that will be written.
    dialog.setDefaultSuffix(filterExtension(*selectedFilter));
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog,
                     [&dialog](const QString& filter) { dialog.setDefaultSuffix(filterExtension(filter)); });
    if (!proposedName.isEmpty()) {
        dialog.selectFile(proposedName);
    }
    if (cursorAt) {
        // Once the dialog is shown, which selects the whole name on its own.
        QMetaObject::invokeMethod(
            &dialog,
            [&dialog, at = *cursorAt] {
                if (auto* name = dialog.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))) {
                    const int end = int(name->text().size());
                    name->setCursorPosition(end);
                    name->cursorBackward(true, end - at);
                }
            },
            Qt::QueuedConnection);
    }
    if (dialog.exec() != QDialog::Accepted) {
        return {};
    }
    *selectedFilter = dialog.selectedNameFilter();
    return dialog.selectedFiles().value(0);
}

std::optional<QColor> QtDialogs::color(QWidget* parent, const QColor& initial)
{
    const QColor chosen = QColorDialog::getColor(initial, parent);
    return chosen.isValid() ? std::optional<QColor>(chosen) : std::nullopt;
}

QString filterExtension(const QString& filter)
{
    static const QRegularExpression patterns(QStringLiteral("\\(([^()]*)\\)\\s*$"));
    static const QRegularExpression extension(QStringLiteral("^\\*\\.(\\w+)$"));
    const QStringList list = patterns.match(filter).captured(1).split(u' ', Qt::SkipEmptyParts);
    for (const QString& pattern : list) {
        if (const QRegularExpressionMatch m = extension.match(pattern); m.hasMatch()) {
            return m.captured(1);
        }
    }
    return {};
}

QDate SystemEnvironment::today() const
{
    return QDate::currentDate();
}

bool SystemEnvironment::openUrl(const QUrl& url)
{
    return QDesktopServices::openUrl(url);
}

SystemEnvironment::SystemEnvironment() : m_settings(std::make_unique<Settings>()) {}

SystemEnvironment::~SystemEnvironment() = default;

QString SystemEnvironment::userDataFolder() const
{
    return pondra::userDataFolder();
}

} // namespace pondra
