#include "platform/settings.h"

#include <gtest/gtest.h>

namespace kelmio {
namespace {

TEST(CMemorySettings, DefaultsUntilWrittenThenPerSectionValues) {
    CMemorySettings settings;
    EXPECT_EQ(settings.GetInt("System", "InitFile", 1), 1);
    EXPECT_EQ(settings.GetString("System", "NewFolder", "dflt"), "dflt");
    EXPECT_FALSE(settings.Has("System", "InitFile"));

    settings.WriteInt("System", "InitFile", 0);
    settings.WriteString("View", "InitFile", "text");
    EXPECT_EQ(settings.GetInt("System", "InitFile", 1), 0);
    EXPECT_EQ(settings.GetString("View", "InitFile", ""), "text");
    EXPECT_EQ(settings.GetInt("View", "InitFile", 7), 7);  // another section, another value
    EXPECT_TRUE(settings.Has("System", "InitFile"));
}

}  // namespace
}  // namespace kelmio
