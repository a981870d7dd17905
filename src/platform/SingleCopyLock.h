#pragma once

#include <QLockFile>

namespace platform {

// Takes a lock file that only a living copy of this program may keep. QLockFile counts a lock
// as stale only when it can read a process number from it, so a copy killed between creating the
// file and writing into it would lock every later start out; here a file that names no living
// copy of the program is taken over, whatever it holds.
class SingleCopyLock {
public:
    // Tries the lock once, taking over a file left by no living copy. LockFailedError means
    // that a living copy holds it; the other errors are QLockFile's own.
    static QLockFile::LockError take(QLockFile& lock);

    // How long a file that names no process may stay unread: the copy that created it may
    // still be writing its number.
    static constexpr int WritingTime = 1000; // milliseconds
};

} // namespace platform
