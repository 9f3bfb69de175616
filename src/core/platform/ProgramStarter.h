#pragma once

#include <QString>

#include <memory>

namespace platform {

// Starts another program in its own normal window and does not wait for it.
// Tests install a RecordingProgramStarter.
class ProgramStarter {
public:
    virtual ~ProgramStarter() = default;
    // Starts the program file at path, without arguments; false when it could not be started.
    virtual bool startDetached(const QString &path) = 0;
};

// The starter in use: a QtProgramStarter unless a test replaced it.
ProgramStarter &programStarter();
// Installs a starter and returns the one it replaces; nullptr puts a QtProgramStarter back.
std::unique_ptr<ProgramStarter> setProgramStarter(std::unique_ptr<ProgramStarter> starter);

// Starts programs with QProcess::startDetached.
class QtProgramStarter : public ProgramStarter {
public:
    bool startDetached(const QString &path) override;
};

} // namespace platform
