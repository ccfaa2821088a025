#pragma once
// File dialogs answered from lists instead of shown: for tests that open and save files.

#include "ui/file_dialogs.h"

#include <QStringList>

#include <new>

// Answers the dialogs from queues; an empty answer, or none left, is a cancel.
class FakeDialogs : public nutrient::FileDialogs {
public:
    QString openFileName(QWidget* parent) override { return answer(openAnswers, parent); }
    QString saveFileName(QWidget* parent) override { return answer(saveAnswers, parent); }
    void rememberSaveName(const QString& name) override { rememberedSaveNames << name; }

    QStringList openAnswers;
    QStringList saveAnswers;
    QStringList rememberedSaveNames;
    int shown = 0;
    QWidget* lastParent = nullptr;  // the window the last dialog was shown over
    bool memoryRunsOut = false;     // a dialog throws std::bad_alloc instead of answering

private:
    QString answer(QStringList& answers, QWidget* parent) {
        if (memoryRunsOut) throw std::bad_alloc();
        ++shown;
        lastParent = parent;
        return answers.isEmpty() ? QString() : answers.takeFirst();
    }
};
