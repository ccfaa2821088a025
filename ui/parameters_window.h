#pragma once
// The parameters window: the forty parameters of the catchment grouped by source, bound live
// to the one ParameterSet, with Open, Save and Standart for parameters files and the standard set.

#include "ui/modal.h"

#include <QHash>
#include <QString>

#include <string>

class QLineEdit;
class QPushButton;

namespace nutrient {

class FileDialogs;
class Messages;
class ParameterSet;

class TForm2 : public LazyDialog {
    Q_OBJECT
public:
    TForm2(ParameterSet& parameters, Messages& messages, FileDialogs& dialogs, QWidget* parent = nullptr);
    ~TForm2() override;

    // Recomputes the two derived fields, then puts the focus on the close button.
    void FormShow();
    // The closing checks; false when a text is not a number and the window must stay open.
    bool FormClose();
    void BitBtn2Click();  // "&Open"
    void BitBtn3Click();  // "&Save"
    void BitBtn4Click();  // "&Standart"

    // Esc closes through close(), so that the closing checks run and can keep the window open.
    void reject() override;

protected:
    // The forty fields with their captions, built on first showing from the current texts.
    void build() override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    QLineEdit* makeField(const char* field, QWidget* panel);
    void buildPanels();
    QWidget* buildButtonRow();
    void setKeyboardOrder();
    void fieldEdited(const char* field, const QString& text);
    void showFieldText(const std::string& field);

    ParameterSet& parameters_;
    Messages& messages_;
    FileDialogs& dialogs_;
    QHash<QString, QLineEdit*> fields_;
    QPushButton* BitBtn1 = nullptr;  // close
    QPushButton* BitBtn2 = nullptr;  // "&Open"
    QPushButton* BitBtn3 = nullptr;  // "&Save"
    QPushButton* BitBtn4 = nullptr;  // "&Standart"
};

}  // namespace nutrient
