#pragma once
// What a lookup needs from the system: the conversation transport, the
// shell that starts programs, the registry answers about installed
// programs, and a way to wait between connection tries. Any of them may be
// missing; a lookup then fails as it would with nothing installed.

#include <functional>

namespace kelmio {

class CDdeTransport;
class CShell;
class CSystemRegistry;

struct DicPlatform {
    CDdeTransport* pTransport = nullptr;
    CShell* pShell = nullptr;
    const CSystemRegistry* pRegistry = nullptr;
    std::function<void(int milliseconds)> sleep;  // empty: the thread sleeps
};

}  // namespace kelmio
