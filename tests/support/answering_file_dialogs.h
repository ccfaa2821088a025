#pragma once
// File dialogs answered with names set beforehand (an empty name is a cancel), and a print
// dialog answered with a target; a printer prints into a PDF file, so that nothing reaches a
// real one.  Each dialog counts its showings; the print dialog notes the PDF file it offers.

#include "no_file_dialogs.h"

#include <QPrinter>

class AnsweringFileDialogs : public NoFileDialogs {
public:
    QString resultsFileName(QWidget*) override {
        ++shown;
        return resultsName;
    }
    QString pictureFileName(QWidget*) override {
        ++shown;
        return pictureName;
    }
    nutrient::ReportTarget reportTarget(QWidget*, QPrinter& printer) override {
        ++shown;
        offeredPdf = printer.outputFileName();
        if (report.kind == nutrient::ReportTarget::Kind::Printer) printer.setOutputFileName(printedTo);
        return report;
    }

    QString resultsName;
    QString pictureName;
    nutrient::ReportTarget report;
    QString printedTo;
    QString offeredPdf;  // the PDF file the print dialog was offered
    int shown = 0;
};
