#pragma once

#include <QString>

// The lock under which the catalogue is changed, so that two copies of the program (started
// twice, or by two people on one desktop) never interleave their read-modify-write of a file:
// a QLockFile, "catalogue.lock", in the catalogue folder.
//
// Each change to the catalogue's files takes it for the time of one command. Taken again while
// this process holds it (a command made of several changes), it is held at once. A lock left by
// a process that has ended is taken over. When another copy holds it, the taker waits a moment
// and then gives up: the catalogue is busy.
//
// Taking it also removes what killed saves left behind: a save writes aside, in a file named
// after the one it replaces and six more letters ("Length.ucr.AbCdEf"), which a save that never
// finished leaves in the folder. Those older than a day are deleted.
namespace catalogue {

class CatalogueLock {
public:
    // How long a taker waits for another copy to finish its change.
    static constexpr int kWaitMilliseconds = 1000;

    CatalogueLock();
    ~CatalogueLock();
    CatalogueLock(const CatalogueLock &) = delete;
    CatalogueLock &operator=(const CatalogueLock &) = delete;

    bool isHeld() const { return m_held; }
    // For a lock not taken: another copy holds it (true), or no lock file can be made in the
    // catalogue folder (false; nothing can be written there either).
    bool isBusy() const { return m_busy; }
    // What the user is told when the lock was not taken.
    QString refusalMessage() const;

private:
    bool m_held = false;
    bool m_busy = false;
};

// The lock file: "catalogue.lock" in the catalogue folder.
QString catalogueLockFile();

// Deletes the files that saves in folder wrote aside and never put in place, when they are
// older than a day; anything else stays. Called when the lock is taken.
void removeAbandonedSaves(const QString &folder);

} // namespace catalogue
