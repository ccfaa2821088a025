#pragma once
// "Неопределенность": how sure the load is.  A table of the numeric parameters takes a range of
// each (the ends as numbers or signed percentages, a uniform or a triangular distribution), the
// number of draws, the seed and a target per nutrient; the draws are computed off the window's
// thread with a progress bar, and any change starts them anew.  The page shows per nutrient the
// mean and the 5th, 50th and 95th percentiles, the failed draws by reason, the share of draws
// at most the target and a histogram of L.  The ranges are opened and saved as a CSV file.

#include "model/uncertainty.h"
#include "ui/analysis_page.h"

#include <array>
#include <vector>

class QComboBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QTableWidget;

namespace nutrient {

class FileDialogs;
class HistogramChart;
class Messages;
class UncertaintyRunner;

class UncertaintyPage : public AnalysisPage {
    Q_OBJECT
public:
    UncertaintyPage(Messages& messages, FileDialogs& dialogs, QWidget* parent = nullptr);
    ~UncertaintyPage() override;

    QString title() const override;
    void setBaseline(const Computation& baseline) override;
    std::vector<ReportPage> reportPages() const override;
    void stopWork() override;

    // The ranges the table holds: its rows with a distribution, in file order.
    std::vector<UncertaintyRange> ranges() const;

    void openRanges();
    void saveRanges();

private:
    QWidget* makeSettings();
    QWidget* makeRangesTable();
    QWidget* makeResults();
    void fillRanges(const std::vector<UncertaintyRange>& ranges);
    QComboBox* distributionBox(int row) const;
    void rangeEdited(int row, int column);

    // Stops the draws going on and starts them on the inputs as they stand, or shows why not.
    void restart();
    void showRefusal(const std::string& failure);
    void showOutcome();
    void clearResults();

    Messages& messages_;
    FileDialogs& dialogs_;
    Computation baseline_;
    UncertaintyRunner* runner_;
    bool filling_ = false;  // the table is being filled: no restart per cell
    bool shown_ = false;    // the results shown are those of the inputs as they stand

    QLineEdit* draws_ = nullptr;
    QLineEdit* seed_ = nullptr;
    std::array<QLineEdit*, 2> targets_{};
    QTableWidget* rangesTable_ = nullptr;
    QProgressBar* progress_ = nullptr;
    QLabel* refusal_ = nullptr;
    QTableWidget* statistics_ = nullptr;
    QLabel* notes_ = nullptr;
    std::array<HistogramChart*, 2> histograms_{};
};

}  // namespace nutrient
