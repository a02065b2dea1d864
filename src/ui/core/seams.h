#pragma once

#include "model/message.h"

#include <QColor>
#include <QDate>
#include <QString>
#include <QUrl>

#include <memory>
#include <optional>

class QSettings;
class QWidget;

namespace pondra {

// Which buttons a message box offers; the answer says which one was pressed.
enum class MessageButtons { Ok, YesNo };
enum class MessageAnswer { Ok, Yes, No };

// A message box with no icon is a plain question.
struct MessageRequest {
    QString text;
    QString title;
    std::optional<MessageIcon> icon;
    MessageButtons buttons = MessageButtons::Ok;
    // The button that Enter presses in a question.
    MessageAnswer defaultAnswer = MessageAnswer::Yes;
};

// Every place where the program asks the person something goes through here.
class Dialogs {
public:
    virtual ~Dialogs() = default;
    virtual MessageAnswer message(QWidget* parent, const MessageRequest& request) = 0;
    // Empty when cancelled. Filters use Qt's syntax, ";;" between them.
    virtual QString openFileName(QWidget* parent, const QString& title, const QString& filters,
                                 const QString& selectedFilter) = 0;
    virtual QString saveFileName(QWidget* parent, const QString& title, const QString& filters,
                                 const QString& selectedFilter) = 0;
    // Nothing when cancelled.
    virtual std::optional<QColor> color(QWidget* parent, const QColor& initial) = 0;
};

// Every place where the program reaches outside itself.
class Environment {
public:
    virtual ~Environment() = default;
    virtual QDate today() const = 0;
    // A web page, a new e-mail or a finished document, with the desktop's own program.
    virtual bool openUrl(const QUrl& url) = 0;
    // What the program keeps for this user between runs (the recent files).
    virtual std::unique_ptr<QSettings> userSettings() const = 0;
    // The folder for the user's own files that are not documents (the recovery of an unsaved
    // study); it may not exist yet.
    virtual QString userDataFolder() const = 0;
};

// The real ones: Qt's message boxes with Italian buttons, Qt's file and colour dialogs, the
// system clock and the desktop services.
class QtDialogs : public Dialogs {
public:
    MessageAnswer message(QWidget* parent, const MessageRequest& request) override;
    QString openFileName(QWidget* parent, const QString& title, const QString& filters,
                         const QString& selectedFilter) override;
    QString saveFileName(QWidget* parent, const QString& title, const QString& filters,
                         const QString& selectedFilter) override;
    std::optional<QColor> color(QWidget* parent, const QColor& initial) override;
};

class SystemEnvironment : public Environment {
public:
    QDate today() const override;
    bool openUrl(const QUrl& url) override;
    std::unique_ptr<QSettings> userSettings() const override;
    QString userDataFolder() const override;
};

} // namespace pondra
