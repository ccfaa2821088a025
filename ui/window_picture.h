#pragma once
// Pictures of a chart window as the user sees it, for a document: PNG at twice the window's
// pixels, or PDF drawn as vectors, saved through the file dialog from the window's context menu.

#include <QByteArray>

class QWidget;

namespace nutrient {

class FileDialogs;
class Messages;

// The window's picture without one of its controls (the close button, which has no place in a
// document): PNG of twice the window's pixel size, or a PDF page of the window's size at the
// screen's 96 dots an inch.
QByteArray windowPicture(QWidget& window, const QWidget& leftOut, bool pdf);

// The window's context menu "Сохранить изображение…": the picture saved under the name the
// dialog gives, as PDF when it ends in ".pdf" and as PNG otherwise, replacing a file only when
// complete; a failure is shown through `messages`.
void addSavePictureAction(QWidget& window, const QWidget& leftOut, FileDialogs& dialogs, Messages& messages);

}  // namespace nutrient
