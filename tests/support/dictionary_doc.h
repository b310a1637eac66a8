#pragma once
// A document whose dictionary talks to a scripted PDIC and a recording
// shell, with no waits between retries: the set-up the dictionary tests share.

#include <gtest/gtest.h>

#include "platform/settings.h"
#include "project/kelmio_doc.h"
#include "support/fake_panes.h"
#include "support/scripted_dde.h"
#include "support/scripted_prompter.h"

namespace kelmio::test {

class DictionaryDocTest : public ::testing::Test {
protected:
    DictionaryDocTest() {
        doc.AttachViews(nullptr, nullptr, &memo);
        DicPlatform platform;
        platform.pTransport = &dde;
        platform.pShell = &shell;
        platform.pRegistry = &registry;
        platform.sleep = [](int) {};
        doc.m_dic.SetPlatform(platform);
    }

    CMemorySettings settings;
    CScriptedPrompter prompter;
    FakeAppHost app;
    CKelmioDoc doc{settings, prompter, app};
    FakeMemoPane memo;
    CScriptedDde dde;
    CRecordingShell shell;
    CFixedRegistry registry;
};

}  // namespace kelmio::test
