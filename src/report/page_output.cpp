#include "report/page_output.h"

#include <cerrno>
#include <cstdarg>

#include "base/console.h"
#include "base/platform.h"

namespace torvelin {
namespace {

// The page being written, for the message of a failed write.
std::FILE* outInProgress = nullptr;
std::string nameInProgress;

[[noreturn]] void failedPage(const std::string& name, int error) {
    fatalError("impossible d'ecrire le fichier " + name + " : " +
               systemErrorText(error != 0 ? error : EIO));
}

void checkWrite(std::FILE* out, bool written) {
    if (!written && out == outInProgress)
        failedPage(nameInProgress, errno);
}

}  // namespace

std::string refreshTag(const PageSetting& setting) {
    if (setting.refreshSeconds <= 0)
        return "";
    return "<meta http-equiv=\"refresh\" content=\"" + std::to_string(setting.refreshSeconds) +
           "\">";
}

PageFile openPage(const std::string& folder, const std::string& fileName) {
    PageFile page;
    std::string name = folder.empty() ? fileName : folder + "/" + fileName;
    page.name = name;
    int error = 0;
    // A temporary name left by a stopped run, or used by another run, is not touched.
    for (int attempt = 1; attempt <= 100; ++attempt) {
        page.temporaryName = name + ".tmp";
        if (attempt > 1)
            page.temporaryName += std::to_string(attempt);
        error = platform().createNewFile(page.temporaryName, page.out);
        if (error != EEXIST)
            break;
    }
    if (error != 0)
        failedPage(name, error);
    setScratchFile(page.temporaryName, page.out);
    outInProgress = page.out;
    nameInProgress = name;
    return page;
}

void closePage(PageFile& page) {
    errno = 0;
    if (std::fflush(page.out) != 0)
        failedPage(page.name, errno);
    if (std::ferror(page.out) != 0)
        failedPage(page.name, errno);
    std::FILE* out = page.out;
    page.out = nullptr;
    outInProgress = nullptr;
    setScratchFile(page.temporaryName);  // closed now, whatever the result
    if (std::fclose(out) != 0)
        failedPage(page.name, errno);
    if (int error = platform().replaceFile(page.temporaryName, page.name); error != 0)
        failedPage(page.name, error);
    setScratchFile("");
}

void put(std::FILE* out, std::string_view text) {
    checkWrite(out, std::fwrite(text.data(), 1, text.size(), out) == text.size());
}

void putf(std::FILE* out, const char* format, ...) {
    std::va_list args;
    va_start(args, format);
    int written = std::vfprintf(out, format, args);
    va_end(args);
    checkWrite(out, written >= 0);
}

std::string htmlEscape(std::string_view text) {
    std::string escaped;
    escaped.reserve(text.size());
    for (char c : text) {
        switch (c) {
            case '&':
                escaped += "&amp;";
                break;
            case '<':
                escaped += "&lt;";
                break;
            case '>':
                escaped += "&gt;";
                break;
            case '"':
                escaped += "&quot;";
                break;
            default:
                escaped.push_back(c);
        }
    }
    return escaped;
}

}  // namespace torvelin
