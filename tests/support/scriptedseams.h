#pragma once

#include "settings/settings.h"
#include "ui/core/seams.h"

#include <QList>
#include <QQueue>
#include <QTemporaryDir>
#include <QUrl>

#include <memory>

// Seams that never show a dialog: they record what the program asked and answer from a script.
namespace testsupport {

class ScriptedDialogs : public pondra::Dialogs {
public:
    struct FileRequest {
        QString title;
        QString filters;
        QString selectedFilter;
        QString proposedName = {};
        std::optional<int> cursorAt = {};
    };

    QList<pondra::MessageRequest> messages;
    QList<FileRequest> fileRequests;
    // Yes when empty, Cancel for a save question; Closed (✕ or Esc) presses No in a question
    // that does not tell it apart.
    QQueue<pondra::MessageAnswer> answers;
    QQueue<QString> fileNames;             // cancelled when empty
    QQueue<QString> chosenFilters;         // the preselected one when empty
    QQueue<std::optional<QColor>> colours; // cancelled when empty

    pondra::MessageAnswer message(QWidget*, const pondra::MessageRequest& request) override
    {
        messages << request;
        if (request.buttons == pondra::MessageButtons::Ok) {
            return pondra::MessageAnswer::Ok;
        }
        if (answers.isEmpty()) {
            return request.buttons == pondra::MessageButtons::SaveDiscardCancel
                       ? pondra::MessageAnswer::Cancel
                       : pondra::MessageAnswer::Yes;
        }
        const pondra::MessageAnswer answer = answers.dequeue();
        return answer == pondra::MessageAnswer::Closed && !request.tellsClosed ? pondra::MessageAnswer::No
                                                                               : answer;
    }
    QString openFileName(QWidget*, const QString& title, const QString& filters,
                         const QString& selected) override
    {
        fileRequests << FileRequest{title, filters, selected};
        return fileNames.isEmpty() ? QString() : fileNames.dequeue();
    }
    QString deleteFileName(QWidget* parent, const QString& title, const QString& filters,
                           const QString& selected) override
    {
        return openFileName(parent, title, filters, selected);
    }
    QString saveFileName(QWidget*, const QString& title, const QString& filters, QString* selected,
                         const QString& proposedName, std::optional<int> cursorAt) override
    {
        fileRequests << FileRequest{title, filters, *selected, proposedName, cursorAt};
        if (!chosenFilters.isEmpty()) {
            *selected = chosenFilters.dequeue();
        }
        return fileNames.isEmpty() ? QString() : fileNames.dequeue();
    }
    std::optional<QColor> color(QWidget*, const QColor&) override
    {
        return colours.isEmpty() ? std::nullopt : colours.dequeue();
    }

    QStringList messageTexts() const
    {
        QStringList texts;
        for (const auto& m : messages) {
            texts << m.text;
        }
        return texts;
    }
};

class ScriptedEnvironment : public pondra::Environment {
public:
    QDate date{2026, 12, 7};
    QList<QUrl> openedUrls;

    // The user's settings and data folder, in a folder of their own for each test module, or
    // the data folder given (shared with another process).
    std::shared_ptr<QTemporaryDir> home = std::make_shared<QTemporaryDir>();
    QString dataFolder;

    QDate today() const override { return date; }
    bool openUrl(const QUrl& url) override
    {
        openedUrls << url;
        return true;
    }
    pondra::Settings& settings() const override
    {
        if (!m_settings) {
            m_settings = std::make_unique<pondra::Settings>(home->filePath(QStringLiteral("Pondra.conf")));
        }
        return *m_settings;
    }
    QString userDataFolder() const override
    {
        return dataFolder.isEmpty() ? home->filePath(QStringLiteral("dati")) : dataFolder;
    }

private:
    mutable std::unique_ptr<pondra::Settings> m_settings;
};

} // namespace testsupport
