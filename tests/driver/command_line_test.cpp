#include "driver/command_line.h"

#include <gtest/gtest.h>

#include <cctype>
#include <sstream>

#include "test_support.h"

namespace torvelin {
namespace {

// Each option word of --help ("-o", "--sortie"...) stands in the manual page, whose hyphens are
// written "\-", and not only inside a longer word ("-h" in "--help").
TEST(CommandLine, EveryOptionOfTheHelpIsInTheManualPage) {
    std::string page = testing::readFile(TORVELIN_MANUAL_PAGE);
    ASSERT_FALSE(page.empty()) << "no manual page at " << TORVELIN_MANUAL_PAGE;
    for (std::size_t at = page.find("\\-"); at != std::string::npos; at = page.find("\\-", at))
        page.erase(at, 1);
    auto named = [&page](const std::string& option) {
        for (std::size_t at = page.find(option); at != std::string::npos;
             at = page.find(option, at + 1)) {
            auto after = static_cast<unsigned char>(page[at + option.size()]);
            if (after != '-' && !std::isalnum(after))
                return true;
        }
        return false;
    };
    std::istringstream help(usageText());
    int options = 0;
    for (std::string word; help >> word;) {
        if (word.size() < 2 || word[0] != '-')
            continue;
        if (word.back() == ',')
            word.pop_back();
        ++options;
        EXPECT_TRUE(named(word)) << word << " is missing from the manual page";
    }
    EXPECT_GT(options, 0) << "no option found in the usage text";
}

}  // namespace
}  // namespace torvelin
