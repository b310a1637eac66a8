#pragma once
// What decides the one Kelmio of a user and reaches it: a lock file and a
// Unix-domain socket, both in the user's private folder (native paths).
// The first start takes the lock before it listens; a start that cannot
// take it knows another Kelmio runs and hands its request over the socket.

#include <chrono>
#include <string>

#include "platform/unique_fd.h"

namespace kelmio {

// An exclusive lock (flock) on a file; held until destroyed or the process
// ends, so a crashed Kelmio never keeps it.
class CInstanceLock {
public:
    // Tries once, without waiting. Afterwards exactly one of Held() and
    // HeldElsewhere() is true, or neither when the file cannot be opened.
    explicit CInstanceLock(const std::string& lockPath);

    bool Held() const { return m_fd.Valid(); }
    bool HeldElsewhere() const { return m_bHeldElsewhere; }

private:
    UniqueFd m_fd;
    bool m_bHeldElsewhere = false;
};

// Connects to the socket and sends `request` as one frame (nothing when it
// is empty: the connection alone asks the running Kelmio to show itself).
// The running Kelmio may still be starting: connecting is retried until
// `patience` has passed. False when it could not be reached.
bool SendToInstance(const std::string& socketPath, const std::string& request,
                    std::chrono::milliseconds patience);

}  // namespace kelmio
