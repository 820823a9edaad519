#include "base/platform.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>

#include "base/latin1.h"
#include "e2e/e2e_support.h"

namespace torvelin {
namespace {

// A name of the program's Latin-1 text, and a name the user gave beyond Latin-1, reach the file
// system as their characters (UTF-8 on POSIX, UTF-16 on Windows), and failures come back as the C
// runtime's error numbers.
TEST(PlatformFiles, SystemNamesAndErrorNumbers) {
    testing::TempFolder folder;
    const Platform native = nativePlatform();
    std::string scratch = folder.file(systemName("Épée.tmp"_l1));
    std::string page = folder.file("s\xC5\x93ur.html");  // "sœur.html" in UTF-8

    std::FILE* file = nullptr;
    ASSERT_EQ(native.createNewFile(scratch, file), 0);
    std::fputs("a\nb", file);
    std::fclose(file);
    EXPECT_EQ(native.createNewFile(scratch, file), EEXIST);
    EXPECT_EQ(native.replaceFile(scratch, page), 0);
    EXPECT_EQ(native.replaceFile(scratch, page), ENOENT);

    std::filesystem::path systemPage = std::filesystem::path(folder.path()) / u8"sœur.html";
    EXPECT_EQ(shownName(page), folder.file("s?ur.html"));
    EXPECT_TRUE(std::filesystem::exists(systemPage));
    ASSERT_EQ(native.openForReading(page, file), 0);
    char bytes[8] = {};
    EXPECT_EQ(std::fread(bytes, 1, sizeof bytes, file), 3u);
    std::fclose(file);
    EXPECT_STREQ(bytes, "a\nb");

    native.removeFile(page);
    EXPECT_FALSE(std::filesystem::exists(systemPage));
    EXPECT_EQ(native.openForReading(page, file), ENOENT);
}

}  // namespace
}  // namespace torvelin
