#include "platform/ini_system_registry.h"

#include <gtest/gtest.h>

#include "support/sjis_literal.h"

namespace kelmio {
namespace {

TEST(IniSystemRegistryTest, WithoutEntriesPdicIsTheBridge) {
    const CIniSystemRegistry registry("", "/usr/bin/kelmio-dictbridge");
    EXPECT_EQ(registry.PdicProgramPath(false), "/usr/bin/kelmio-dictbridge");
    EXPECT_EQ(registry.PdicProgramPath(true), "/usr/bin/kelmio-dictbridge");
    EXPECT_EQ(registry.BookshelfProgramPath(), "");
}

TEST(IniSystemRegistryTest, EntriesNameTheProgramsWithoutRegardToCase) {
    const CIniSystemRegistry registry(
        "[HKEY_LOCAL_MACHINE\\SOFTWARE\\ReliefOffice\\CurrentVersion\\App Paths\\PDICW32.EXE]\n"
        "@ = /opt/pdic/pdic\n"
        "[hkey_current_user\\software\\reliefoffice\\pdic2\\common]\n"
        "path=/opt/pdicu\n"
        "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Microsoft Reference\\Bookshelf\\J]\n"
        "APP=/opt/bs/辞書\n"
        "broken line\n",
        "/bridge");
    EXPECT_EQ(registry.PdicProgramPath(false), "/opt/pdic/pdic");
    EXPECT_EQ(registry.PdicProgramPath(true), "/opt/pdicu/PDICU.EXE");
    EXPECT_EQ(registry.BookshelfProgramPath(), test::Sj("/opt/bs/辞書"));
}

}  // namespace
}  // namespace kelmio
