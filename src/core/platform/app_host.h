#pragma once
// What the project document needs from the application object.

namespace kelmio {

class CAppHost {
public:
    virtual ~CAppHost() = default;

    // True once after the program started with neither a project on the
    // command line nor a recent project to open; reading it clears it.
    virtual bool TakeStartupFlag() = 0;

    // Asks the main window to close, which ends the program.
    virtual void PostCloseRequest() = 0;

    // The document's title or the recent-project list changed, so the
    // window caption and the menu can follow.
    virtual void OnDocumentTitleChanged() {}
    virtual void OnRecentListChanged() {}

    // A project was created or opened and the panes show it.
    virtual void OnProjectShown() {}
    // The project was written to its file.
    virtual void OnProjectSaved() {}
};

}  // namespace kelmio
