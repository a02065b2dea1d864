#include "seams.h"

#include <QColorDialog>
#include <QDesktopServices>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QSettings>
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
    if (request.buttons == MessageButtons::Ok) {
        box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
        box.exec();
        return MessageAnswer::Ok;
    }
    QPushButton* yes = box.addButton(QStringLiteral("&Sì"), QMessageBox::YesRole);
    QPushButton* no = box.addButton(QStringLiteral("&No"), QMessageBox::NoRole);
    box.setDefaultButton(request.defaultAnswer == MessageAnswer::No ? no : yes);
    box.setEscapeButton(no);
    box.exec();
    return box.clickedButton() == no ? MessageAnswer::No : MessageAnswer::Yes;
}

QString QtDialogs::openFileName(QWidget* parent, const QString& title, const QString& filters,
                                const QString& selectedFilter)
{
    QString selected = selectedFilter;
    return QFileDialog::getOpenFileName(parent, title, QString(), filters, &selected);
}

QString QtDialogs::saveFileName(QWidget* parent, const QString& title, const QString& filters,
                                const QString& selectedFilter)
{
    QString selected = selectedFilter;
    // The program itself asks nothing before replacing a file; the dialog's own question stays.
    return QFileDialog::getSaveFileName(parent, title, QString(), filters, &selected);
}

std::optional<QColor> QtDialogs::color(QWidget* parent, const QColor& initial)
{
    const QColor chosen = QColorDialog::getColor(initial, parent);
    return chosen.isValid() ? std::optional<QColor>(chosen) : std::nullopt;
}

QDate SystemEnvironment::today() const
{
    return QDate::currentDate();
}

bool SystemEnvironment::openUrl(const QUrl& url)
{
    return QDesktopServices::openUrl(url);
}

std::unique_ptr<QSettings> SystemEnvironment::userSettings() const
{
    return std::make_unique<QSettings>(QStringLiteral("Pondra"), QStringLiteral("Pondra"));
}

QString SystemEnvironment::userDataFolder() const
{
    return QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation);
}

} // namespace pondra
