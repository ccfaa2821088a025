#pragma once
// File dialogs and a print dialog that are always cancelled: for tests that never open or
// save a file.

#include "ui/file_dialogs.h"

class NoFileDialogs : public nutrient::FileDialogs {
public:
    QString openFileName(QWidget*) override { return {}; }
    QString saveFileName(QWidget*) override { return {}; }
    void rememberSaveName(const QString&) override {}
    nutrient::CsvFileChoice resultsFile(QWidget*) override { return {}; }
    QString pictureFileName(QWidget*) override { return {}; }
    nutrient::ReportTarget reportTarget(QWidget*, QPrinter&) override { return {}; }
    QString openRangesFileName(QWidget*) override { return {}; }
    QString saveRangesFileName(QWidget*) override { return {}; }
};
