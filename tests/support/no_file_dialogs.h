#pragma once
// File dialogs that are always cancelled: for tests that never open or save a file.

#include "ui/file_dialogs.h"

class NoFileDialogs : public nutrient::FileDialogs {
public:
    QString openFileName(QWidget*) override { return {}; }
    QString saveFileName(QWidget*) override { return {}; }
    void rememberSaveName(const QString&) override {}
};
