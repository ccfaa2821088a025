#pragma once
// "Бассейн": the sub-catchments of one water body from a basin file, computed upstream first.
// Per nutrient a table of the rows (sortable by any column, numbers by value), the basin's
// totals and source-share pie, and the common retention fit with its outlets; under them the
// boxes of the rows' files.  A double click opens a row's file in the parameters window.  Only
// what the user names is written: the results as CSV, the report, and the fitted parameters
// files that "Применить" writes after asking.

#include "model/basin_export.h"
#include "ui/lazy_dialog.h"
#include "ui/report_output.h"

#include <QKeySequence>
#include <QList>
#include <QString>

#include <array>
#include <functional>
#include <optional>
#include <string>

class QAction;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class QTableView;
class QTableWidget;
class QTabWidget;

namespace nutrient {

class FileDialogs;
class PieChart3D;
class BasinRowsModel;

// The entry of the main window's context menu that opens this window.
inline const QString kBasinAction = QStringLiteral("Бассейн…");
inline const QList<QKeySequence> kBasinKeys = {QKeySequence(QStringLiteral("Ctrl+Shift+B"))};

class BasinWindow : public LazyDialog {
    Q_OBJECT
public:
    BasinWindow(Messages& messages, Questions& questions, FileDialogs& dialogs, QWidget* parent = nullptr);
    ~BasinWindow() override;

    // What a double click on a row does with the row's file (the program opens it in the
    // parameters window).
    void setRowFileOpener(std::function<void(const std::string& path)> open);

    // "Открыть…": the basin file dialog, then the basin.
    void openBasinFile();
    // Reads and computes a basin file; a refused file is reported in a box naming its rows and
    // leaves the window as it was.
    void loadBasinFile(const QString& fileName);
    // Reads the basin file again and recomputes it, after its rows' files have changed.
    void recompute();
    // "Сохранить результаты…" (Ctrl+S): the basin as CSV, into the file the user names.
    void saveResults();
    // "Отчет…" (Ctrl+P): the basin's report, printed or saved as PDF.
    void makeReport();
    // "Применить": after the user agrees, the fitted a and b into new parameters files beside
    // the basin file; the names written are listed under the tables.
    void applyFit();
    // A double click on a row of either table: the row of the basin file, in file order.
    void openRowFile(std::size_t row);

    const std::optional<BasinAnalysis>& analysis() const { return analysis_; }
    const QString& basinFileName() const { return fileName_; }

protected:
    void build() override;

private:
    struct NutrientPage {
        BasinRowsModel* rows = nullptr;
        QTableView* table = nullptr;
        QLabel* totals = nullptr;
        PieChart3D* pie = nullptr;
        QLabel* fitSummary = nullptr;
        QTableWidget* outlets = nullptr;
    };
    QWidget* buildPage(Nutrient nutrient);
    QWidget* buildButtonRow(QAction& saving, QAction& reporting);
    void display(BasinAnalysis analysis, const QString& fileName);
    void showTotals(Nutrient nutrient);
    void showFit(Nutrient nutrient);
    // The boxes of the rows' files, then `more` (lines ending in a line break).
    void showMessages(const QString& more = {});

    Messages& messages_;
    Questions& questions_;
    FileDialogs& dialogs_;
    ReportOutput reportOutput_;
    std::function<void(const std::string&)> openRowFile_;
    std::optional<BasinAnalysis> analysis_;
    QString fileName_;

    QLabel* fileLabel_ = nullptr;
    QTabWidget* tabs_ = nullptr;
    std::array<NutrientPage, 2> pages_;
    QPlainTextEdit* messagesView_ = nullptr;
    QPushButton* applyButton_ = nullptr;
    QList<QAction*> basinActions_;  // need a basin: recompute, save, report
};

}  // namespace nutrient
