#pragma once
// The window tests' hands and eyes: a button found and pressed by its object name, text typed
// key by key, the fields of the parameters and results windows found through the tables'
// object-name column, the recorded boxes as the lines a test compares, and parameter edits as
// a column of a test's table.

#include "model_fixture.h"

#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

Q_DECLARE_METATYPE(Boxes)
Q_DECLARE_METATYPE(Edits)

// A named child the test cannot go on without.
template <class Widget>
Widget* namedChild(const QWidget& window, const char* name) {
    auto* found = window.findChild<Widget*>(QLatin1String(name));
    if (!found)
        qFatal("no %s named %s in %s", Widget::staticMetaObject.className(), name, qPrintable(window.objectName()));
    return found;
}

inline QPushButton* button(const QWidget& window, const char* name) { return namedChild<QPushButton>(window, name); }

// Presses the window's button as the user does: it has to be on screen.
inline void click(const QWidget& window, const char* name) {
    QPushButton* pressed = button(window, name);
    QVERIFY2(pressed->isVisible(), name);
    pressed->click();
}

// The parameters window's field of a parameter, once the window is built.
inline QLineEdit* field(const QWidget& window, nutrient::Parameter parameter) {
    return namedChild<QLineEdit>(window, nutrient::info(parameter).field);
}

// The results window's field of a result, once the window is built.
inline QLineEdit* field(const QWidget& window, nutrient::Quantity quantity, nutrient::Nutrient nutrient) {
    return namedChild<QLineEdit>(window, nutrient::resultField(quantity, nutrient));
}

// Types the text key by key: ASCII as key clicks, any other character (QTest has no key for
// a Cyrillic letter) as a press and a release carrying its text.
inline void typeKeys(QWidget* widget, const QString& text) {
    for (QChar c : text) {
        if (c.unicode() < 128) {
            QTest::keyClick(widget, char(c.unicode()));
        } else {
            QTest::sendKeyEvent(QTest::Press, widget, Qt::Key_unknown, QString(c), Qt::NoModifier);
            QTest::sendKeyEvent(QTest::Release, widget, Qt::Key_unknown, QString(c), Qt::NoModifier);
        }
    }
}

// Selects the field's whole text and types over it.
inline void typeOver(QLineEdit* field, const QString& text) {
    QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
    typeKeys(field, text);
}

// A box as a test compares it: "kind: text".
inline QString boxLine(const char* kind, const std::string& text) {
    return QString::fromStdString(kind + (": " + text));
}

// The recorded boxes in order; `asShown`: failures with the "." their box adds.
inline QStringList boxLines(const Recorder& recorder, bool asShown = false) {
    QStringList lines;
    for (const RecordedBox& box : recorder.boxes)
        lines << boxLine(box.kind.c_str(),
                         asShown && box.kind == "failure" ? nutrient::shownFailureText(box.text) : box.text);
    return lines;
}
