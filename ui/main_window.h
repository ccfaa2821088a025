#pragma once
// The main window: what the program is for, the emblem, and the buttons that open the
// parameters, the calculation, the help and the method description.  Closing it ends the run.

#include "ui/lazy_dialog.h"

#include <functional>

class QPushButton;

namespace nutrient {

class MainWindow : public LazyDialog {
    Q_OBJECT
public:
    explicit MainWindow(QWidget* parent = nullptr);

    // The windows the buttons open; they live as long as this one.
    void setWindows(QDialog& parameters, QDialog& results, QDialog& help, QDialog& method);
    // Asked whenever the window is about to close ("&Выход", Enter on it, the window frame),
    // which ends the program; false keeps it open.
    void setClosingCheck(std::function<bool()> check);

    void openParameters();
    void openResults();
    void openMethodDescription();
    void openHelp();

    // "&Выход" takes the focus, so Enter right after start-up ends the program.
    void refresh() override;

protected:
    // Built at once: the main window is the first thing the user sees.
    void build() override;
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void buildAboutPanel(QWidget* client);
    void buildEmblem(QWidget* client);
    void buildActionButtons(QWidget* client);
    void setKeyboardOrder();

    QPushButton* exitButton_ = nullptr;
    QPushButton* calculateButton_ = nullptr;
    QPushButton* parametersButton_ = nullptr;
    QPushButton* helpButton_ = nullptr;
    QPushButton* methodButton_ = nullptr;

    QDialog* parameters_ = nullptr;
    QDialog* results_ = nullptr;
    QDialog* help_ = nullptr;
    QDialog* method_ = nullptr;
    std::function<bool()> closingCheck_;
};

}  // namespace nutrient
