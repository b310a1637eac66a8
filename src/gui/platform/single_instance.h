#pragma once
// One Kelmio per user. The first start takes a lock (flock on a file in a
// folder only the user can reach) and then listens on a Unix-domain socket
// beside it; a later start finds the lock taken and hands its request
// ([open("path")]) over the socket, then ends. A start that can do neither
// (the folder was planted by another user, the running Kelmio does not
// answer) is told so by Claim(), and does not run (see app/single_start.h).

#include <functional>
#include <memory>
#include <string>

#include "app/single_start.h"

namespace kelmio {

class CInstanceLock;
class CRequestServer;

// The per-user folder of the lock and the socket ($XDG_RUNTIME_DIR, else
// /tmp/kelmio-<uid>), as a native path; made and checked by Claim().
std::string InstanceFolder();

class CSingleInstance {
public:
    // A request arrived (Shift-JIS, as sent), or an empty one when a second
    // start only wants the running Kelmio shown. Called on the UI thread.
    using RequestHandler = std::function<void(const std::string& request)>;

    explicit CSingleInstance(std::string folder = InstanceFolder());
    ~CSingleInstance();
    CSingleInstance(const CSingleInstance&) = delete;
    CSingleInstance& operator=(const CSingleInstance&) = delete;

    // Makes the folder private when missing (a folder that is not private
    // is never used) and takes the lock when it is free.
    InstanceClaim Claim();
    // Claim() found the lock held by another Kelmio of this user.
    bool IsAnotherRunning() { return Claim() == InstanceClaim::kElsewhere; }

    const std::string& Folder() const { return m_strFolder; }

    // Listens for requests; only while holding the lock. False when the
    // socket could not be opened (the program then runs without it).
    bool Serve(RequestHandler handler);

    // Hands `request` to the running Kelmio; an empty request just shows
    // it. Waits a little for a Kelmio that has the lock but does not listen
    // yet. False when it cannot be reached.
    bool Send(const std::string& request) const;

    std::string SocketPath() const;

private:
    std::string m_strFolder;
    std::unique_ptr<CInstanceLock> m_pLock;
    bool m_bFolderChecked = false;
    bool m_bFolderPrivate = false;
    std::unique_ptr<CRequestServer> m_pServer;
};

}  // namespace kelmio
