#pragma once

#include <string>
#include <vector>

#include "support/review_schedule/todays_reviews.h"

namespace reviews {

// The book folders below `bookRoot`, in the book list's order, each with its records in the
// problem list's order: listed by the routines that fill those two lists.
std::vector<reviewSchedule::BookListing> ListBooks(const std::string& bookRoot);

}  // namespace reviews
