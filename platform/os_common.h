#pragma once

// What the operating-system helpers of both systems share (os_posix.h, os_win32.h). Private to
// the platform layer.

#include <string>
#include <string_view>
#include <utility>

namespace platform {

// Every failure text of the layer has one shape: what could not be done, naming the file or
// program, then ": " and why, in the system's own words where the system gave the reason
// ("cannot write /home/q/Quillmere.ini: Permission denied"). Without a `what`, the text is the
// reason alone: that of a listing, which the program shows above the pattern it names itself.
inline std::string FailureText(std::string_view what, std::string_view why) {
    std::string text;
    if (!what.empty()) {
        text.reserve(what.size() + 2 + why.size());
        text += what;
        text += ": ";
    }
    text += why;
    return text;
}

// The `what` of a failure: "cannot " and what was being done, then what it was done to, when
// anything: Cannot("write", file).
inline std::string Cannot(std::string_view doing, std::string_view object = {}) {
    std::string what = "cannot ";
    what += doing;
    if (!object.empty()) {
        what += ' ';
        what += object;
    }
    return what;
}

// Stores FailureText(what, why) in `error`, when the caller asked for a text, and gives the
// empty answer (false, or no names for `Fail<std::vector<std::string>>`), so that a failing
// step reads `return Fail(error, Cannot("write", file), ErrorText(errno))`.
template <typename Answer = bool>
Answer Fail(std::string* error, std::string_view what, std::string_view why) {
    if (error != nullptr) *error = FailureText(what, why);
    return Answer{};
}

// Owns one system handle (a file descriptor, a folder stream, a file or search handle) and
// closes it when it goes. `Traits` gives the handle's type, the value that means none, and how
// to close one:
//
//   struct Traits {
//       using Handle = ...;
//       static Handle Invalid();
//       static bool Close(Handle handle);  // true when closed without error
//   };
template <typename Traits>
class ScopedHandle {
  public:
    using Handle = typename Traits::Handle;

    ScopedHandle() = default;
    explicit ScopedHandle(Handle handle) : handle_(handle) {}
    ScopedHandle(ScopedHandle&& other) noexcept : handle_(other.Release()) {}
    ScopedHandle& operator=(ScopedHandle&& other) noexcept {
        if (this != &other) {
            Close();
            handle_ = other.Release();
        }
        return *this;
    }
    ScopedHandle(const ScopedHandle&) = delete;
    ScopedHandle& operator=(const ScopedHandle&) = delete;
    ~ScopedHandle() { Close(); }

    Handle get() const { return handle_; }
    bool valid() const { return handle_ != Traits::Invalid(); }

    // Gives the handle up to the caller, who closes it.
    Handle Release() { return std::exchange(handle_, Traits::Invalid()); }

    // Closes the handle now. False when closing failed (the system's error code says why), which
    // for a written file can be the first sign of a full disk; true when there was none.
    bool Close() {
        if (!valid()) return true;
        return Traits::Close(Release());
    }

  private:
    Handle handle_ = Traits::Invalid();
};

}  // namespace platform
