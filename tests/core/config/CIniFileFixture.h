#pragma once
// A scratch config.ini and the CIniFile that loads it, for the tests of the
// INI engine on every system and of its POSIX-only cases.
#include <gtest/gtest.h>

#include <string>

#include "config/CIniFile.h"
#include "fakes/TempDir.h"

namespace tavix {

using test::ReadBytes;
using test::TempDir;
using test::WriteBytes;

class CIniFileTest : public ::testing::Test {
protected:
    // Writes `text` as config.ini and loads it into `ini`.
    void LoadText(const std::string& text) {
        WriteBytes(path, text);
        ini.SetFilePath(path);
        ASSERT_TRUE(ini.Load());
    }

    TempDir dir;
    std::string path = dir.File("config.ini");
    CIniFile ini;
};

}  // namespace tavix
