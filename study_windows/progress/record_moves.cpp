#include "study_windows/progress/record_moves.h"

#include <QMetaObject>

#include "support/modConst.h"
#include "support/record_reader.h"

namespace progress {

RecordMoves::RecordMoves(QObject* parent) : QObject(parent) {}

RecordMoves::~RecordMoves() { Stop(); }

void RecordMoves::Stop() {
    if (stopped_) *stopped_ = true;
    if (thread_.joinable()) thread_.join();
    stopped_.reset();
}

void RecordMoves::Read(const std::string& folder, std::vector<std::string> names,
                       std::function<void(Moves moves)> done) {
    Stop();
    stopped_ = std::make_shared<std::atomic<bool>>(false);
    // Only plain data crosses: the names in, the numbers out, told through this object, which
    // outlives the thread (its end waits for it).
    thread_ = std::thread(
        [this, folder, names = std::move(names), done = std::move(done), stopped = stopped_] {
            Moves moves;
            for (const std::string& name : names) {
                if (*stopped) return;
                std::string path = folder;
                path.append(modConst::kSep).append(name);
                moves[name] = record::ReadRecordFile(path).moves;
            }
            QMetaObject::invokeMethod(
                this,
                [done, stopped, moves = std::move(moves)]() mutable {
                    if (!*stopped) done(std::move(moves));
                },
                Qt::QueuedConnection);
        });
}

}  // namespace progress
