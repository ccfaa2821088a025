#pragma once
// The main window: what the program is for, the emblem, and the buttons that open the
// parameters, the calculation, the help and the method description.  Closing it ends the run.

#include <QDialog>

class QPushButton;

namespace nutrient {

class TForm1 : public QDialog {
    Q_OBJECT
public:
    explicit TForm1(QWidget* parent = nullptr);

    // The windows the buttons open; they live as long as this one.
    void setWindows(QDialog& parameters, QDialog& results, QDialog& help, QDialog& method);

    void BitBtn3Click();  // "&Параметры"
    void BitBtn2Click();  // "&Расчет"
    void BitBtn5Click();  // "&Описание методики"
    void BitBtn4Click();  // "&Техническая поддержка"

protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void buildAboutPanel(QWidget* client);
    void buildEmblem(QWidget* client);
    void buildActionButtons(QWidget* client);
    void setKeyboardOrder();

    QPushButton* BitBtn1 = nullptr;  // "&Выход"
    QPushButton* BitBtn2 = nullptr;  // "&Расчет"
    QPushButton* BitBtn3 = nullptr;  // "&Параметры"
    QPushButton* BitBtn4 = nullptr;  // "&Техническая поддержка"
    QPushButton* BitBtn5 = nullptr;  // "&Описание методики"

    QDialog* parameters_ = nullptr;
    QDialog* results_ = nullptr;
    QDialog* help_ = nullptr;
    QDialog* method_ = nullptr;
};

}  // namespace nutrient
