#pragma once

#include <ctime>
#include <string>

#include "support/user_interface.h"

namespace outside {

// Every action of the program that reaches outside it and that a test wants to see rather than
// suffer: starting programs, opening files with the system, sounds, pauses, message boxes, and
// the log of why something failed, and the clock.
// The program acts through World(); tests install a recorder in its place.
class OutsideWorld {
  public:
    virtual ~OutsideWorld() = default;
    // Starts a command line that begins with the path of its program, `program`. A failure is
    // told in `error` as the platform layer words it: what could not be started, ": ", why.
    virtual bool StartCommandLine(const std::string& program, const std::string& commandLine,
                                  std::string* error) = 0;
    virtual bool OpenWithSystem(const std::string& path, std::string* error) = 0;
    virtual void PlayWaveFile(const std::string& path) = 0;
    virtual void SleepMilliseconds(int milliseconds) = 0;
    virtual void ShowMessage(const std::string& text) = 0;
    // Writes the system's reason for a failure that a message has told the user of, for whoever
    // reads the program's log (a terminal, a debugger); the message stays as it is.
    virtual void LogWarning(const std::string& text) = 0;
    // The time now, as the system's clock gives it.
    virtual std::time_t Now() = 0;
};

// The real system. Messages and warnings go to the installed message box, or to standard error
// until a window installs one.
class RealWorld : public OutsideWorld {
  public:
    bool StartCommandLine(const std::string& program, const std::string& commandLine,
                          std::string* error) override;
    bool OpenWithSystem(const std::string& path, std::string* error) override;
    void PlayWaveFile(const std::string& path) override;
    void SleepMilliseconds(int milliseconds) override;
    void ShowMessage(const std::string& text) override;
    void LogWarning(const std::string& text) override;
    std::time_t Now() override;
};

// The world the program acts on: a RealWorld unless another has been installed.
OutsideWorld& World();

// Installs `world` (not owned) in place of the real one; nullptr restores the real one.
void InstallWorld(OutsideWorld* world);

// The message box that RealWorld::ShowMessage uses (not owned); nullptr restores standard error.
void InstallMessageService(MessageService* service);

}  // namespace outside
