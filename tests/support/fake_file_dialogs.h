#pragma once
// File dialogs answered from lists instead of shown: for tests that open and save files.  The
// print dialog is answered with a target; a printer then prints into a PDF file, so that
// nothing reaches a real one.

#include "no_file_dialogs.h"

#include <QPrinter>
#include <QStringList>

#include <new>

// Answers the dialogs from queues; an empty answer, or none left, is a cancel.
class FakeDialogs : public NoFileDialogs {
public:
    QString openFileName(QWidget* parent) override { return answer(openAnswers, parent); }
    QString saveFileName(QWidget* parent) override { return answer(saveAnswers, parent); }
    void rememberSaveName(const QString& name) override { rememberedSaveNames << name; }
    nutrient::CsvFileChoice resultsFile(QWidget* parent) override {
        return {answer(resultsAnswers, parent), resultsDialect};
    }
    QString pictureFileName(QWidget* parent) override { return answer(pictureAnswers, parent); }
    QString openRangesFileName(QWidget* parent) override { return answer(openRangesAnswers, parent); }
    QString saveRangesFileName(QWidget* parent) override { return answer(saveRangesAnswers, parent); }
    nutrient::ReportTarget reportTarget(QWidget* parent, QPrinter& printer) override {
        ++shown;
        lastParent = parent;
        offeredPdf = printer.outputFileName();
        if (report.kind == nutrient::ReportTarget::Kind::Printer) printer.setOutputFileName(printedTo);
        return report;
    }

    QStringList openAnswers;
    QStringList saveAnswers;
    QStringList rememberedSaveNames;
    QStringList resultsAnswers;
    nutrient::CsvDialect resultsDialect = nutrient::kRfc4180Csv;  // the file type chosen with them
    QStringList pictureAnswers;
    QStringList openRangesAnswers;
    QStringList saveRangesAnswers;
    nutrient::ReportTarget report;  // the print dialog's answer
    QString printedTo;              // the file a printer prints into
    QString offeredPdf;             // the PDF file the print dialog was offered
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
