#pragma once

#include <map>
#include <memory>
#include <string>

#include "main_window/results/results_window.h"

// The results windows of the books, one per book, made when a book's results are first shown and
// kept (hidden when closed) until the main window goes.
class ResultsWindows {
  public:
    ResultsWindows(studyLog::StudyLog& log, ResultsWindow::SelectRecord select);
    ~ResultsWindows();
    ResultsWindows(const ResultsWindows&) = delete;
    ResultsWindows& operator=(const ResultsWindows&) = delete;

    // Shows the results of `book`, whose folder is `bookFolder`, read afresh: its window is made,
    // or shown again and raised.
    void Show(const std::string& book, const std::string& bookFolder);
    // An attempt at a record of `book` was recorded: its window, when shown, shows it.
    void AttemptRecorded(const std::string& book);
    // The window of `book`, or nothing when its results were never shown.
    ResultsWindow* WindowOf(const std::string& book) const;

  private:
    studyLog::StudyLog& log_;
    ResultsWindow::SelectRecord select_;
    std::map<std::string, std::unique_ptr<ResultsWindow>> windows_;
};
