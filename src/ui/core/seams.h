#pragma once

#include "model/message.h"

#include <QColor>
#include <QDate>
#include <QString>
#include <QUrl>

#include <memory>
#include <optional>

class QWidget;

namespace pondra {

class Settings;

// Which buttons a message box offers; the answer says which one was pressed, or Closed for a
// question closed with ✕ or Esc that tells closing apart. SaveDiscardCancel asks whether to
// save before going on: Salva, a button that goes on without saving, Annulla (also Esc and the
// window's close button). YesSaveAsCancel asks whether to save where proposed: Sì, Salva con
// nome..., Annulla (also Esc and the close button).
enum class MessageButtons { Ok, YesNo, SaveDiscardCancel, YesSaveAsCancel };
enum class MessageAnswer { Ok, Yes, No, Closed, Save, Discard, Cancel, SaveAs };

// A message box with no icon is a plain question. Its text is shown as plain text, as it stands.
struct MessageRequest {
    QString text;
    QString title;
    std::optional<MessageIcon> icon;
    MessageButtons buttons = MessageButtons::Ok;
    // The button that Enter presses in a question; Yes stands for Salva in a save question.
    MessageAnswer defaultAnswer = MessageAnswer::Yes;
    // What the button that goes on without saving says ("Esci senza salvare").
    QString discardText = {};
    // ✕ and Esc answer Closed ("ask me later") instead of pressing No.
    bool tellsClosed = false;
};

// Every place where the program asks the person something goes through here.
class Dialogs {
public:
    virtual ~Dialogs() = default;
    virtual MessageAnswer message(QWidget* parent, const MessageRequest& request) = 0;
    // Empty when cancelled. Filters use Qt's syntax, ";;" between them.
    virtual QString openFileName(QWidget* parent, const QString& title, const QString& filters,
                                 const QString& selectedFilter) = 0;
    // An open dialog whose accept button reads "Elimina": the file chosen is to be deleted.
    virtual QString deleteFileName(QWidget* parent, const QString& title, const QString& filters,
                                   const QString& selectedFilter) = 0;
    // `selectedFilter` comes in preselected and goes out as the filter chosen; `proposedName`
    // (a name or a path, possibly empty) is what the dialog starts with. With `cursorAt` the
    // cursor stands at that place of the proposed file name, and what follows it is selected,
    // ready to be typed over. A name typed without an extension takes the one of the chosen
    // filter, if it has one, before the dialog asks about replacing an existing file.
    virtual QString saveFileName(QWidget* parent, const QString& title, const QString& filters,
                                 QString* selectedFilter, const QString& proposedName,
                                 std::optional<int> cursorAt = std::nullopt) = 0;
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
    // What the program keeps for this user between runs.
    virtual Settings& settings() const = 0;
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
    QString deleteFileName(QWidget* parent, const QString& title, const QString& filters,
                           const QString& selectedFilter) override;
    QString saveFileName(QWidget* parent, const QString& title, const QString& filters,
                         QString* selectedFilter, const QString& proposedName,
                         std::optional<int> cursorAt) override;
    std::optional<QColor> color(QWidget* parent, const QColor& initial) override;
};

// The extension a file-dialog filter stands for, that of its first pattern that has one: "pdf" for
// "Documento PDF (*.pdf)", "txt" for "File di dati (Pondra-dati-* *.txt)"; empty when none has.
QString filterExtension(const QString& filter);

class SystemEnvironment : public Environment {
public:
    SystemEnvironment();
    ~SystemEnvironment() override;
    QDate today() const override;
    bool openUrl(const QUrl& url) override;
    Settings& settings() const override { return *m_settings; }
    QString userDataFolder() const override;

private:
    std::unique_ptr<Settings> m_settings;
};

} // namespace pondra
