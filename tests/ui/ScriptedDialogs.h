// Scripted stand-in for every modal dialog: records what would have been
// shown and answers from queues, so no test ever waits on a dialog.
#pragma once

#include "ui/Dialogs.h"

#include <QDialog>
#include <QStringList>
#include <QUrl>

#include <deque>
#include <functional>
#include <optional>
#include <vector>

class TScriptedDialogs final : public IDialogs {
public:
    std::deque<std::optional<QString>> openAnswers;
    std::deque<std::optional<TSaveFileResult>> saveAnswers;
    std::deque<std::optional<QString>> folderAnswers;
    std::deque<std::optional<QColor>> colorAnswers;
    // Runs instead of a modal dialog and returns its result code; without
    // one the dialog counts as cancelled.
    std::function<int(QDialog&)> onExec;
    // What the desktop answers to an opened URL.
    bool openUrlAnswer = true;
    // Answers to "変更を保存しますか？"; without one the question is cancelled.
    std::deque<TSaveAnswer> saveQuestionAnswers;
    QStringList saveQuestions;
    // The progress box cancels once work reports this percentage.
    int cancelAtPercent = 101;

    std::deque<TOpenFileRequest> openRequests;
    std::deque<TSaveFileRequest> saveRequests;
    QStringList messages;   // plain messages
    QStringList errors;     // the error dialog
    QStringList exceptions; // the default error display
    int execCount = 0;
    QList<QUrl> openedUrls;
    QStringList folderTitles;
    // The colour each colour dialog started at, and its title.
    QList<QColor> colorsShown;
    QStringList colorTitles;
    QStringList progressTitles;
    std::vector<int> progressSeen; // every percentage reported
    // The parent each message, error and file dialog was given, in order.
    QList<QWidget*> parents;

    std::optional<QString> OpenFile(QWidget* parent, const TOpenFileRequest& request) override
    {
        parents << parent;
        openRequests.push_back(request);
        return Next(openAnswers);
    }
    std::optional<TSaveFileResult> SaveFile(QWidget* parent, const TSaveFileRequest& request) override
    {
        parents << parent;
        saveRequests.push_back(request);
        return Next(saveAnswers);
    }
    std::optional<QString> BrowseFolder(QWidget*, const QString& title, const QString&) override
    {
        folderTitles << title;
        return Next(folderAnswers);
    }
    std::optional<QColor> PickColor(QWidget* parent, const QColor& initial, const QString& title) override
    {
        parents << parent;
        colorsShown << initial;
        colorTitles << title;
        return Next(colorAnswers);
    }
    void Message(QWidget* parent, const QString& text) override
    {
        parents << parent;
        messages << text;
    }
    void Error(QWidget* parent, const QString& text) override
    {
        parents << parent;
        errors << text;
    }
    void ShowException(QWidget* parent, const QString& text) override
    {
        parents << parent;
        exceptions << text;
    }
    TSaveAnswer AskToSave(QWidget* parent, const QString& text) override
    {
        parents << parent;
        saveQuestions << text;
        if (saveQuestionAnswers.empty()) return TSaveAnswer::Cancel;
        const TSaveAnswer answer = saveQuestionAnswers.front();
        saveQuestionAnswers.pop_front();
        return answer;
    }
    int Exec(QDialog& dialog) override
    {
        ++execCount;
        return onExec ? onExec(dialog) : static_cast<int>(QDialog::Rejected);
    }
    bool OpenUrl(const QUrl& url) override
    {
        openedUrls << url;
        return openUrlAnswer;
    }

    void RunWithProgress(QWidget* parent, const QString& title, const TProgressWork& work) override
    {
        parents << parent;
        progressTitles << title;
        work([this](int percent) {
            progressSeen.push_back(percent);
            return percent < cancelAtPercent;
        });
    }

private:
    template <class T>
    static std::optional<T> Next(std::deque<std::optional<T>>& answers)
    {
        if (answers.empty()) return std::nullopt;
        std::optional<T> answer;
        answer.swap(answers.front());
        answers.pop_front();
        return answer;
    }
};
