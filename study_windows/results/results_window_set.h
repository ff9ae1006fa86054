#pragma once

#include <map>
#include <memory>
#include <string>

#include "study_windows/results/results_window.h"

// The results windows of the books, one per book, made when a book's results are first shown and
// kept (hidden when closed) until the main window goes.
class ResultsWindowSet {
  public:
    ResultsWindowSet(quill::StudySession& session, ResultsWindow::SelectRecord select);
    ~ResultsWindowSet();
    ResultsWindowSet(const ResultsWindowSet&) = delete;
    ResultsWindowSet& operator=(const ResultsWindowSet&) = delete;

    // What each window's "学習の推移" opens.
    void SetShowProgress(ResultsWindow::ShowProgress show) { showProgress_ = std::move(show); }
    // Shows the results of `book`, whose folder is `bookFolder`, read afresh: its window is made,
    // or shown again and raised.
    void Show(const std::string& book, const std::string& bookFolder);
    // The window of `book`, or nothing when its results were never shown.
    ResultsWindow* WindowOf(const std::string& book) const;

  private:
    quill::StudySession& session_;
    ResultsWindow::SelectRecord select_;
    ResultsWindow::ShowProgress showProgress_;
    std::map<std::string, std::unique_ptr<ResultsWindow>> windows_;
};
