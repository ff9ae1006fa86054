#include "study_windows/results/results_window_set.h"

ResultsWindowSet::ResultsWindowSet(quill::StudySession& session, ResultsWindow::SelectRecord select)
    : session_(session), select_(std::move(select)) {}

ResultsWindowSet::~ResultsWindowSet() = default;

void ResultsWindowSet::Show(const std::string& book, const std::string& bookFolder) {
    std::unique_ptr<ResultsWindow>& window = windows_[book];
    if (!window) {
        window = std::make_unique<ResultsWindow>(session_, book, bookFolder, select_);
        window->SetShowProgress(showProgress_);
    }
    window->SetBookFolder(bookFolder);
    window->Refresh();
    window->show();
    window->raise();
    window->activateWindow();
}

ResultsWindow* ResultsWindowSet::WindowOf(const std::string& book) const {
    const auto found = windows_.find(book);
    return found != windows_.end() ? found->second.get() : nullptr;
}
