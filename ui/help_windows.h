#pragma once
// The two read-only text windows: recommendations for the user ("Помощь") and the
// description of the method with its formulas ("Описание методики").

#include "ui/lazy_dialog.h"

class QPlainTextEdit;

namespace nutrient {

// A window filled by a sunken panel holding one read-only, word-wrapped text view with a
// vertical scroll bar.  Closed through the window frame only.
class TextWindow : public LazyDialog {
    Q_OBJECT
public:
    TextWindow(const char* caption, const QString& resource, QWidget* parent);

protected:
    void build() override;

private:
    QString resource_;
    QPlainTextEdit* textView_ = nullptr;
};

// The recommendations; resizable, 696 x 480 at first.
class HelpWindow : public TextWindow {
    Q_OBJECT
public:
    explicit HelpWindow(QWidget* parent = nullptr);
};

// The method description; fixed 862 x 606.
class MethodWindow : public TextWindow {
    Q_OBJECT
public:
    explicit MethodWindow(QWidget* parent = nullptr);
};

}  // namespace nutrient
