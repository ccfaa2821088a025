#pragma once
// "Анализ нагрузки": the analyses of the parameters as they stand, each on a page of its own
// (a scenario and a reduction target, the sensitivity of the load, its uncertainty, a check
// against a measured load), and the report with their pages.  The parameters the user typed
// are never changed here; only "Сохранить вариант…" writes, to a new file the user names.

#include "model/computation.h"
#include "model/parameter_set.h"
#include "ui/lazy_dialog.h"
#include "ui/report_output.h"

#include <QString>

#include <functional>
#include <vector>

class QTabWidget;

namespace nutrient {

class AnalysisPage;
class FileDialogs;

class AnalysisWindow : public LazyDialog {
    Q_OBJECT
public:
    AnalysisWindow(const ParameterSet& parameters, Messages& messages, FileDialogs& dialogs, QWidget* parent = nullptr);
    ~AnalysisWindow() override;

    // Names the parameters file the parameters were last opened from or saved to while they
    // are unchanged: a variant is never saved over it.
    void setParametersFile(std::function<QString()> fileOfTexts);

    // Computes the parameters as they stand, after the show rule, and hands them to every page.
    void refresh() override;
    // The catchment's report with the pages of the analyses (Ctrl+P).
    void makeReport();

    const Computation& baseline() const { return baseline_; }
    const std::vector<AnalysisPage*>& pages() const { return pages_; }

protected:
    // The pages on their tabs and the window's menu.
    void build() override;

private:
    void addPage(AnalysisPage* page);

    const ParameterSet& parameters_;
    Messages& messages_;
    FileDialogs& dialogs_;
    std::function<QString()> parametersFile_;
    ReportOutput reportOutput_;
    Computation baseline_;
    QTabWidget* tabs_ = nullptr;
    std::vector<AnalysisPage*> pages_;
};

}  // namespace nutrient
