#include "editor/editor_settings.h"

#include <gtest/gtest.h>

#include "platform/settings.h"

namespace kelmio {
namespace {

TEST(CEditorSettings, RoundTripAndDefaults) {
    CMemorySettings store;
    CEditorSettings loaded;
    loaded.Load(store);
    EXPECT_EQ(loaded, CEditorSettings());

    CEditorSettings changed;
    changed.m_strFontName = "IPAGothic";
    changed.m_nFontSize = 14;
    changed.m_nTabSize = 4;
    changed.m_bWordWrap = false;
    changed.m_bLineNumbers = true;
    changed.m_bShowWideSpaces = false;
    changed.Save(store);
    loaded.Load(store);
    EXPECT_EQ(loaded, changed);
}

TEST(CEditorSettings, OutOfRangeValuesComeBackIntoRange) {
    CMemorySettings store;
    store.WriteInt("EditX", "FontSize", 0);
    store.WriteInt("EditX", "TabSize", 1000);
    store.WriteString("EditX", "FontName", "");
    CEditorSettings loaded;
    loaded.Load(store);
    EXPECT_EQ(loaded.m_nFontSize, CEditorSettings::kMinFontSize);
    EXPECT_EQ(loaded.m_nTabSize, CEditorSettings::kMaxTabSize);
    EXPECT_EQ(loaded.m_strFontName, CEditorSettings().m_strFontName);
}

}  // namespace
}  // namespace kelmio
