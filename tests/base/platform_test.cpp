#include "base/platform.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>

#include "base/latin1.h"
#include "e2e/e2e_support.h"

namespace torvelin {
namespace {

// A Latin-1 name reaches the file system as its characters (UTF-8 on POSIX, UTF-16 on Windows),
// and failures come back as the C runtime's error numbers.
TEST(PlatformFiles, LatinOneNamesAndErrorNumbers) {
    testing::TempFolder folder;
    const Platform native = nativePlatform();
    std::string scratch = folder.file("Épée.tmp"_l1);
    std::string page = folder.file("Épée.html"_l1);

    std::FILE* file = nullptr;
    ASSERT_EQ(native.createNewFile(scratch, file), 0);
    std::fputs("a\nb", file);
    std::fclose(file);
    EXPECT_EQ(native.createNewFile(scratch, file), EEXIST);
    EXPECT_EQ(native.replaceFile(scratch, page), 0);
    EXPECT_EQ(native.replaceFile(scratch, page), ENOENT);

    std::filesystem::path systemPage = std::filesystem::path(folder.path()) / u8"Épée.html";
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
