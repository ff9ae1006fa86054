// The profile file on POSIX systems: our own reader and writer with the rules of the Windows
// profile functions (see profile_format.h for the line grammar).
//
// Values are stored exactly as given, without quotes added. The format therefore cannot carry a
// value that starts or ends with blanks, or that is enclosed in a pair of quotes: a read drops
// those blanks and that pair, as the Windows functions do.

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "os_posix.h"
#include "profile.h"
#include "profile_format.h"

namespace platform {

namespace {

namespace fmt = profile_format;

constexpr std::size_t kChunkSize = 64 * 1024;

using posix::ErrorText;
using posix::FileDescriptor;

struct OpenedProfile {
    FileDescriptor fd;
    struct stat info {};
    int error = 0;  // 0 when opened
    bool isFolder = false;
    bool isSpecial = false;  // a FIFO, a device or a socket, never read
};

// Non-blocking, so that a FIFO at the path cannot hang us before we see what it is.
OpenedProfile OpenProfile(const std::string& path) {
    OpenedProfile opened;
    opened.fd = FileDescriptor(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
    if (!opened.fd.valid()) {
        opened.error = errno;
        return opened;
    }
    if (::fstat(opened.fd.get(), &opened.info) != 0) {
        opened.error = errno;
    } else if (S_ISDIR(opened.info.st_mode)) {
        opened.isFolder = true;
    } else if (!S_ISREG(opened.info.st_mode)) {
        opened.isSpecial = true;
    }
    return opened;
}

// Gives the file line by line, each with its '\n' when it has one, holding only one line at a time.
// A reader of no file (fd -1) gives no lines.
class LineReader {
  public:
    explicit LineReader(int fd) : fd_(fd), buffer_(kChunkSize) {}

    bool Next(std::string& line) {
        line.clear();
        if (fd_ < 0) return false;
        for (;;) {
            if (position_ == end_ && !Refill()) return !line.empty() && error_ == 0;
            const char* start = buffer_.data() + position_;
            const std::size_t available = end_ - position_;
            const void* newline = std::memchr(start, '\n', available);
            if (newline != nullptr) {
                const std::size_t length = static_cast<const char*>(newline) - start + 1;
                line.append(start, length);
                position_ += length;
                return true;
            }
            line.append(start, available);
            position_ = end_;
        }
    }

    int error() const { return error_; }

  private:
    bool Refill() {
        position_ = end_ = 0;
        for (;;) {
            const ssize_t count = ::read(fd_, buffer_.data(), buffer_.size());
            if (count > 0) {
                end_ = static_cast<std::size_t>(count);
                return true;
            }
            if (count == 0) return false;
            if (errno != EINTR) {
                error_ = errno;
                return false;
            }
        }
    }

    int fd_;
    std::vector<char> buffer_;
    std::size_t position_ = 0;
    std::size_t end_ = 0;
    int error_ = 0;
};

bool RemoveBom(std::string& firstLine) {
    if (firstLine.compare(0, fmt::kUtf8Bom.size(), fmt::kUtf8Bom) != 0) return false;
    firstLine.erase(0, fmt::kUtf8Bom.size());
    return true;
}

// Buffered writing that remembers the first failure and whether the output ends a line.
class OutputWriter {
  public:
    // With fd -1 the output is kept in memory, in kept().
    explicit OutputWriter(int fd) : fd_(fd) { buffer_.reserve(kChunkSize); }

    void Write(std::string_view data) {
        if (data.empty()) return;
        atLineStart_ = data.back() == '\n';
        endsWithCr_ = data.back() == '\r';
        if (buffer_.size() + data.size() > kChunkSize) Flush();
        if (data.size() >= kChunkSize) {
            WriteAll(data);
        } else {
            buffer_.append(data);
        }
    }
    // A byte-order mark opens no line: text after it still starts the first line.
    void WriteBom() {
        const bool atLineStart = atLineStart_;
        Write(fmt::kUtf8Bom);
        atLineStart_ = atLineStart;
    }
    // Writes a whole line, first ending an unfinished last line of the original. A last line
    // ending in a lone CR already reads as ended; a LF completes it, where a whole newline would
    // leave the CR inside its value.
    void WriteLine(std::string_view text, std::string_view newline) {
        if (!atLineStart_) Write(endsWithCr_ ? std::string_view("\n") : newline);
        Write(text);
        Write(newline);
    }
    void Flush() {
        WriteAll(buffer_);
        buffer_.clear();
    }
    int error() const { return error_; }
    const std::string& kept() const { return kept_; }

  private:
    void WriteAll(std::string_view data) {
        if (fd_ < 0) {
            kept_.append(data);
            return;
        }
        if (error_ == 0) error_ = posix::WriteAll(fd_, data);
    }

    int fd_;
    std::string buffer_;
    std::string kept_;
    bool atLineStart_ = true;
    bool endsWithCr_ = false;
    int error_ = 0;
};

// Copies the profile from `reader` to `out` with the key's value stored: the line of the first
// matching key of the first matching section is replaced in place (everything up to its '=' kept
// byte for byte); otherwise a "key=value" line goes after the section's last non-blank line, or a
// new section goes at the end of the file. Every other byte is copied unchanged.
void CopyWithValue(LineReader& reader, OutputWriter& out, std::string_view section,
                   std::string_view key, std::string_view value) {
    enum class Stage { kSeekingSection, kInSection, kStored };
    Stage stage = Stage::kSeekingSection;
    const std::string keyLine = std::string(key) + "=" + std::string(value);
    // New lines follow the file's own style, told by its first line.
    std::string newline = "\n";
    // Blank lines inside the section are held back so a new key lands above them.
    std::string heldBlankLines;
    bool lastLineBlank = true;

    std::string raw;
    bool firstLine = true;
    while (reader.Next(raw)) {
        if (firstLine) {
            if (raw.size() >= 2 && raw.compare(raw.size() - 2, 2, "\r\n") == 0) newline = "\r\n";
            if (RemoveBom(raw)) out.WriteBom();
            firstLine = false;
        }
        const std::string_view text = fmt::LineText(raw);
        const fmt::ParsedLine line = fmt::ParseLine(text);
        lastLineBlank = line.kind == fmt::LineKind::kBlank;

        if (stage == Stage::kInSection) {
            if (line.kind == fmt::LineKind::kBlank) {
                heldBlankLines += raw;
                continue;
            }
            if (line.kind == fmt::LineKind::kSection) {
                out.WriteLine(keyLine, newline);
                stage = Stage::kStored;
            }
            out.Write(heldBlankLines);
            heldBlankLines.clear();
            if (line.kind == fmt::LineKind::kKey && fmt::NamesEqual(line.name, key)) {
                const std::string_view rawView = raw;
                out.Write(rawView.substr(0, line.valueOffset));
                out.Write(value);
                out.Write(rawView.substr(text.size()));  // the line's own ending
                stage = Stage::kStored;
                continue;
            }
        } else if (stage == Stage::kSeekingSection && line.kind == fmt::LineKind::kSection &&
                   fmt::NamesEqual(line.name, section)) {
            stage = Stage::kInSection;
        }
        out.Write(raw);
    }
    if (reader.error() != 0) return;

    if (stage == Stage::kInSection) {
        out.WriteLine(keyLine, newline);
        out.Write(heldBlankLines);
    } else if (stage == Stage::kSeekingSection) {
        if (!lastLineBlank) out.WriteLine("", newline);
        out.WriteLine("[" + std::string(section) + "]", newline);
        out.WriteLine(keyLine, newline);
    }
}

// Writing through a symbolic link updates the file it points to and keeps the link, also when
// that file does not exist yet (a link that leads nowhere): the file is made where it leads.
// Gives the empty text for a chain of links that never ends.
std::string ResolvedTarget(const std::string& file) {
    std::string path = file;
    for (int hops = 0; hops < 40; ++hops) {
        struct stat info {};
        if (::lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) return path;
        std::string target(static_cast<std::size_t>(info.st_size > 0 ? info.st_size : 4096) + 1,
                           '\0');
        const ssize_t length = ::readlink(path.c_str(), target.data(), target.size());
        if (length < 0 || static_cast<std::size_t>(length) >= target.size()) return path;
        target.resize(static_cast<std::size_t>(length));
        if (!target.empty() && target[0] != '/') {
            const std::size_t slash = path.rfind('/');
            if (slash != std::string::npos) target = path.substr(0, slash + 1) + target;
        }
        path = target;
    }
    return {};
}

// The new content is made in memory from the file read through `originalFd`, then written over
// the file itself and the file cut to its length.
bool WriteInPlace(int originalFd, const std::string& target, const std::string& file,
                  std::string_view section, std::string_view key, std::string_view value,
                  std::string* error) {
    LineReader reader(originalFd);
    OutputWriter out(-1);
    CopyWithValue(reader, out, section, key, value);
    if (reader.error() != 0) {
        return Fail(error, Cannot("read", file), ErrorText(reader.error()));
    }
    out.Flush();
    FileDescriptor fd(::open(target.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
    if (!fd.valid()) return Fail(error, Cannot("write", file), ErrorText(errno));
    int writeError = posix::WriteAll(fd.get(), out.kept());
    if (writeError == 0 && ::ftruncate(fd.get(), static_cast<off_t>(out.kept().size())) != 0) {
        writeError = errno;
    }
    if (writeError == 0 && ::fsync(fd.get()) != 0) writeError = errno;
    if (!fd.Close() && writeError == 0) writeError = errno;
    if (writeError != 0) return Fail(error, Cannot("write", file), ErrorText(writeError));
    return true;
}

}  // namespace

std::string ReadProfileValue(const std::string& section, const std::string& key,
                             const std::string& defaultValue, const std::string& file) {
    const OpenedProfile opened = OpenProfile(file);
    if (opened.error != 0 || opened.isFolder || opened.isSpecial) return defaultValue;

    const std::string_view wantedSection = fmt::TrimBlanks(section);
    const std::string_view wantedKey = fmt::TrimBlanks(key);
    LineReader reader(opened.fd.get());
    std::string raw;
    bool firstLine = true;
    bool inSection = false;
    while (reader.Next(raw)) {
        if (firstLine) {
            RemoveBom(raw);
            firstLine = false;
        }
        const fmt::ParsedLine line = fmt::ParseLine(fmt::LineText(raw));
        if (line.kind == fmt::LineKind::kSection) {
            // Only the first section of the name counts, as with the Windows functions.
            if (inSection) break;
            inSection = fmt::NamesEqual(line.name, wantedSection);
        } else if (inSection && line.kind == fmt::LineKind::kKey &&
                   fmt::NamesEqual(line.name, wantedKey)) {
            return std::string(fmt::StoredValue(line.valueText));
        }
    }
    return defaultValue;
}

bool WriteProfileValue(const std::string& section, const std::string& key, const std::string& value,
                       const std::string& file, std::string* error) {
    const std::string_view wantedSection = fmt::TrimBlanks(section);
    const std::string_view wantedKey = fmt::TrimBlanks(key);
    if (const std::string problem = fmt::EntryProblem(wantedSection, wantedKey, value);
        !problem.empty()) {
        return Fail(error, Cannot("store the value in", file), problem);
    }

    const std::string target = ResolvedTarget(file);
    if (target.empty()) return Fail(error, Cannot("write", file), "its links lead in a circle");
    const std::size_t slash = target.rfind('/');
    const std::string folderPrefix = slash == std::string::npos ? "" : target.substr(0, slash + 1);
    const std::string baseName = target.substr(folderPrefix.size());
    if (baseName.empty()) return Fail(error, Cannot("write", file), "it names no file");

    const OpenedProfile original = OpenProfile(target);
    const bool originalExists = original.error == 0;
    if (original.error != 0 && original.error != ENOENT) {
        return Fail(error, Cannot("read", file), ErrorText(original.error));
    }
    if (original.isFolder) return Fail(error, Cannot("write", file), "it is a folder");
    if (original.isSpecial) return Fail(error, Cannot("write", file), "it is not a file");
    // A file marked read-only stays as it is, as on Windows, although the rename could replace it.
    if (originalExists && ::access(target.c_str(), W_OK) != 0 &&
        (errno == EACCES || errno == EROFS)) {
        return Fail(error, Cannot("write", file), "it is read-only");
    }

    int tempError = 0;
    posix::TemporaryFileBeside temp(target, tempError);
    if (!temp.valid()) {
        // A writable file in a folder that takes no new files is written in place, as the
        // system's own profile functions write it.
        if (originalExists && (tempError == EACCES || tempError == EPERM)) {
            return WriteInPlace(original.fd.get(), target, file, wantedSection, wantedKey, value,
                                error);
        }
        return Fail(error, Cannot("make a file beside", file), ErrorText(tempError));
    }

    OutputWriter out(temp.fd());
    LineReader reader(originalExists ? original.fd.get() : -1);
    CopyWithValue(reader, out, wantedSection, wantedKey, value);
    if (reader.error() != 0) {
        return Fail(error, Cannot("read", file), ErrorText(reader.error()));
    }
    out.Flush();

    int writeError = out.error();
    if (writeError == 0 && originalExists &&
        ::fchmod(temp.fd(), original.info.st_mode & 07777) != 0) {
        writeError = errno;
    }
    if (writeError == 0) writeError = temp.Finish();
    if (writeError == 0) writeError = temp.Replace(target);
    if (writeError != 0) return Fail(error, Cannot("write", file), ErrorText(writeError));
    return true;
}

}  // namespace platform
