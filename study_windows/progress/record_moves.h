#pragma once

#include <QObject>
#include <atomic>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <thread>
#include <vector>

namespace progress {

// The number of moves that records' headers give, as the preview reads them, read on a thread of
// its own so that the window never waits for the files: it is handed the folder and the names and
// hands back the numbers. One reading at a time; a new one drops the one under way.
class RecordMoves : public QObject {
    Q_OBJECT

  public:
    // The number of moves of each record named, 0 where its header gives none.
    using Moves = std::map<std::string, int>;

    explicit RecordMoves(QObject* parent = nullptr);
    // Stops the reading under way at its next file.
    ~RecordMoves() override;
    RecordMoves(const RecordMoves&) = delete;
    RecordMoves& operator=(const RecordMoves&) = delete;

    // Reads the records `names` of the folder `folder`; `done` gets their numbers on the
    // user-interface thread, unless another reading was asked for meanwhile.
    void Read(const std::string& folder, std::vector<std::string> names,
              std::function<void(Moves moves)> done);
    // Drops the reading under way.
    void Stop();

  private:
    std::shared_ptr<std::atomic<bool>> stopped_;
    std::thread thread_;
};

}  // namespace progress
