#pragma once
// The parameters window: the forty parameters of the catchment grouped by source, bound live
// to the one ParameterSet, with Open, Save and Standart for parameters files and the standard set.

#include "model/parameter_set.h"
#include "ui/lazy_dialog.h"

#include <QString>

#include <array>

class QLineEdit;
class QPushButton;

namespace nutrient {

class FileDialogs;

class ParametersWindow : public LazyDialog {
    Q_OBJECT
public:
    ParametersWindow(ParameterSet& parameters, Messages& messages, FileDialogs& dialogs, QWidget* parent = nullptr);
    ~ParametersWindow() override;

    // Recomputes the two derived fields, then puts the focus on the close button.
    void refresh() override;
    // The closing checks; false when a text is not a number and the window must stay open.
    bool passesClosingChecks();
    void openParametersFile();
    // What "&Open" does with the name the user chose.
    void loadParametersFile(const std::string& fileName);
    // "&Save": the save dialog over dialogParent, then the file.  True when the file was written.
    bool saveParametersFile(QWidget* dialogParent);
    void restoreStandard();
    // The parameters file last opened or saved, while the texts are unchanged from it; empty
    // once one of them changes, after Standart, or when there was none.
    QString fileOfTexts() const;
    // Before the program ends: when the texts differ from those last opened, saved or restored,
    // asks whether to save them.  True when the program may end: nothing unsaved, "Нет", or "Да"
    // and the set saved (the save dialog over dialogParent).
    bool settleUnsavedChanges(Questions& questions, QWidget* dialogParent);

    // Esc closes through close(), so that the closing checks run and can keep the window open.
    void reject() override;

protected:
    // The forty fields with their captions, built on first showing from the current texts.
    void build() override;
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    QLineEdit* makeField(Parameter parameter, QWidget* panel);
    void buildPanels();
    QWidget* buildButtonRow();
    void setKeyboardOrder();
    void fieldEdited(Parameter parameter, const QString& text);
    void showFieldText(Parameter parameter);

    ParameterSet& parameters_;
    Messages& messages_;
    FileDialogs& dialogs_;
    std::array<QLineEdit*, kParameterCount> fields_ = {};
    QString fileName_;  // the parameters file last opened or saved
    QPushButton* closeButton_ = nullptr;
    QPushButton* openButton_ = nullptr;
    QPushButton* saveButton_ = nullptr;
    QPushButton* standardButton_ = nullptr;
};

}  // namespace nutrient
