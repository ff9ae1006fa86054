#include "main_window/results/results_windows.h"

ResultsWindows::ResultsWindows(studyLog::StudyLog& log, ResultsWindow::SelectRecord select)
    : log_(log), select_(std::move(select)) {}

ResultsWindows::~ResultsWindows() = default;

void ResultsWindows::Show(const std::string& book, const std::string& bookFolder) {
    std::unique_ptr<ResultsWindow>& window = windows_[book];
    if (!window) window = std::make_unique<ResultsWindow>(log_, book, bookFolder, select_);
    window->SetBookFolder(bookFolder);
    window->Refresh();
    window->show();
    window->raise();
    window->activateWindow();
}

void ResultsWindows::AttemptRecorded(const std::string& book) {
    ResultsWindow* window = WindowOf(book);
    if (window != nullptr && window->isVisible()) window->Refresh();
}

ResultsWindow* ResultsWindows::WindowOf(const std::string& book) const {
    const auto found = windows_.find(book);
    return found != windows_.end() ? found->second.get() : nullptr;
}
