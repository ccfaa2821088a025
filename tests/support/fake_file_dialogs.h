#pragma once
// File dialogs answered from lists instead of shown: for tests that open and save files.

#include "no_file_dialogs.h"

#include <QStringList>

// Answers the dialogs from queues; an empty answer, or none left, is a cancel.
class FakeDialogs : public NoFileDialogs {
public:
    QString openFileName(QWidget* parent) override { return answer(openAnswers, parent); }
    QString saveFileName(QWidget* parent) override { return answer(saveAnswers, parent); }
    void rememberSaveName(const QString& name) override { rememberedSaveNames << name; }

    QStringList openAnswers;
    QStringList saveAnswers;
    QStringList rememberedSaveNames;
    int shown = 0;
    QWidget* lastParent = nullptr;  // the window the last dialog was shown over

private:
    QString answer(QStringList& answers, QWidget* parent) {
        ++shown;
        lastParent = parent;
        return answers.isEmpty() ? QString() : answers.takeFirst();
    }
};
