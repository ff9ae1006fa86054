// Feeds arbitrary bytes to the record reader. Besides crashes and hangs it checks that every
// answer is either a position that one shogi set can make or a one-line reason, and that the
// title and author come out as valid UTF-8 of one line.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "support/record_reader.h"
#include "support/utf8_text.h"

namespace {

bool IsOneLineOfText(const std::string& text) {
    if (text.find('\n') != std::string::npos) return false;
    // Valid UTF-8 comes back unchanged through the decoder.
    return utf8::ToUtf8(utf8::FromUtf8(text)) == text;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const record::Summary summary = record::ReadRecord(input);
    if (summary.position.has_value() == !summary.problem.empty()) std::abort();
    if (!IsOneLineOfText(summary.problem) || !IsOneLineOfText(summary.title) ||
        !IsOneLineOfText(summary.author)) {
        std::abort();
    }
    if (summary.moves < 0) std::abort();
    if (summary.position) {
        int kings = 0;
        for (const auto& rank : summary.position->board) {
            for (const shogi::Square& square : rank) kings += square.piece == shogi::Piece::kKing;
        }
        for (const shogi::Hand& hand : summary.position->hands) {
            for (int kind = 1; kind < shogi::kHandKinds; ++kind) {
                if (hand[kind] < 0 ||
                    hand[kind] > shogi::PiecesInASet(static_cast<shogi::Piece>(kind))) {
                    std::abort();
                }
            }
        }
        if (kings > 2) std::abort();
    }
    return 0;
}
