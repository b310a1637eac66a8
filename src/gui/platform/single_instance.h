#pragma once
// One Kelmio per user. The first start holds a lock and listens on a
// Unix-domain socket in a folder only the user can reach; a later start
// hands its request ([open("path")]) to it there and ends. Without such a
// folder every start runs on its own.

#include <functional>
#include <memory>
#include <string>

class wxServerBase;
class wxSingleInstanceChecker;

namespace kelmio {

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

    // True when another Kelmio of this user holds the lock.
    bool IsAnotherRunning();

    // Listens for requests; call only while holding the lock. False when the
    // socket could not be opened (the program then runs without it).
    bool Serve(RequestHandler handler);

    // Hands `request` to the running Kelmio; an empty request just shows
    // it. False when it cannot be reached.
    bool Send(const std::string& request) const;

    std::string SocketPath() const;

private:
    std::string m_strFolder;
    std::unique_ptr<wxSingleInstanceChecker> m_pChecker;
    std::unique_ptr<wxServerBase> m_pServer;
};

}  // namespace kelmio
