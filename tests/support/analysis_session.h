#pragma once
// The analysis window over a parameter set of its own, with recorded boxes and file dialogs
// answered from lists: its pages' widgets found by their object names, typed into and read.

#include "fake_file_dialogs.h"
#include "recorder.h"
#include "ui/analysis_window.h"
#include "widgets.h"

#include <QLabel>
#include <QLineEdit>
#include <QTableWidget>

struct AnalysisSession {
    Recorder recorder;
    FakeDialogs dialogs;
    nutrient::ParameterSet parameters{recorder};
    nutrient::AnalysisWindow window{parameters, recorder, dialogs};

    // The standard set with these texts typed over it; the boxes of the typing forgotten.
    explicit AnalysisSession(const Edits& edits = {}) {
        parameters.applyStandard();
        for (const auto& [parameter, text] : edits) parameters.setText(parameter, text);
        recorder.boxes.clear();
    }
    template <class Widget>
    Widget& child(const QString& name) const {
        return *namedChild<Widget>(window, qPrintable(name));
    }
    // Types over the field's text as the user does.
    void type(const QString& field, const QString& text) const { typeOver(&child<QLineEdit>(field), text); }
    QString label(const QString& name) const { return child<QLabel>(name).text(); }
    QString cell(const QString& table, int row, int column) const {
        const QTableWidgetItem* item = child<QTableWidget>(table).item(row, column);
        return item ? item->text() : QString();
    }
};
