#pragma once
// One Kelmio per user. The first start takes a lock (flock on a file in a
// folder only the user can reach) and then listens on a Unix-domain socket
// beside it; a later start finds the lock taken and hands its request
// ([open("path")]) over the socket, then ends. Without such a folder every
// start runs on its own.

#include <functional>
#include <memory>
#include <string>

namespace kelmio {

class CInstanceLock;
class CRequestServer;

// The per-user folder of the lock and the socket ($XDG_RUNTIME_DIR, else
// /tmp/kelmio-<uid>, created private), as a native path; empty when no
// such folder can be had safely.
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

    // Takes the lock when it is free; true when another Kelmio of this
    // user holds it.
    bool IsAnotherRunning();

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
    std::unique_ptr<CRequestServer> m_pServer;
};

}  // namespace kelmio
