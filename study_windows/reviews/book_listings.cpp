#include "study_windows/reviews/book_listings.h"

#include "study_windows/results/book_records.h"
#include "support/modFunc.h"
#include "support/user_interface.h"

namespace reviews {
namespace {

// The names a folder listing appends, kept.
class NameList : public outside::ListBox {
  public:
    void Clear() override { names.clear(); }
    void Append(const std::string& item) override { names.push_back(item); }

    std::vector<std::string> names;
};

}  // namespace

std::vector<reviewSchedule::BookListing> ListBooks(const std::string& bookRoot) {
    NameList books;
    modFunc::FillFolderList(bookRoot, books);
    std::vector<reviewSchedule::BookListing> listings;
    listings.reserve(books.names.size());
    for (std::string& book : books.names) {
        std::vector<std::string> records = results::BookRecords(modFunc::JoinPath(bookRoot, book));
        listings.push_back({std::move(book), std::move(records)});
    }
    return listings;
}

}  // namespace reviews
