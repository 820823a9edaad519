#include "report/page_output.h"

#include <gtest/gtest.h>

#include <string>

#include "e2e/e2e_support.h"
#include "test_support.h"

namespace torvelin {
namespace {

using testing::readFile;
using testing::TempFolder;

// A page is gathered and handed to its file in large pieces, and a text as large as a piece goes
// as it is: every piece arrives, in order.
TEST(PageOutput, APageOfManySmallAndLargeTextsReachesItsFileWhole) {
    TempFolder folder;
    PageFile page = openPage(givenFileName(folder.path()), "page.html");
    std::string expected;
    for (int i = 0; i < 20000; ++i) {
        if (i == 7000 || i == 7001) {
            std::string large(100000, static_cast<char>('a' + i % 2));
            put(page.out, large);
            expected += large;
        }
        put(page.out, "<td>");
        putNumber(page.out, -i);
        putf(page.out, "|%d|", i);
        putEscaped(page.out, "a&b");
        expected += "<td>" + std::to_string(-i) + "|" + std::to_string(i) + "|a&amp;b";
    }
    closePage(page);
    std::string written = readFile(folder.file("page.html"));
    EXPECT_EQ(written.size(), expected.size());
    EXPECT_TRUE(written == expected);
}

}  // namespace
}  // namespace torvelin
