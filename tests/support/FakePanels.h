#pragma once

#include "gui/kit/Panels.h"

#include <QQueue>

namespace velmora::test {

/// Answers file panels from a queue instead of showing them; an empty queue is a cancelled panel.
class FakePanels : public Panels {
public:
    QQueue<std::optional<QString>> answers;
    QStringList titles;

    std::optional<QString> chooseFolder(QWidget *, const QString &title, const QString &,
                                        const QString &prompt) override
    {
        prompts << prompt;
        return next(title);
    }
    std::optional<QString> chooseSaveFile(QWidget *, const QString &title, const QString &suggestedName,
                                          const QString &) override
    {
        suggestedNames << suggestedName;
        return next(title);
    }
    std::optional<QString> chooseOpenFile(QWidget *, const QString &title, const QString &) override
    {
        return next(title);
    }

    void showError(QWidget *, const QString &message, const QString &details) override
    {
        errors << message + QLatin1Char('\n') + details;
    }
    void showWarning(QWidget *, const QString &message, const QString &details) override
    {
        warnings << message + QLatin1Char('\n') + details;
    }

    std::optional<QString> chooseImage(QWidget *, const QString &title, const QString &prompt) override
    {
        prompts << prompt;
        return next(title);
    }

    QStringList suggestedNames;
    QStringList prompts;
    QStringList errors;
    QStringList warnings;

private:
    std::optional<QString> next(const QString &title)
    {
        titles << title;
        return answers.isEmpty() ? std::nullopt : answers.dequeue();
    }
};

} // namespace velmora::test
