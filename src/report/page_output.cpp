#include "report/page_output.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <charconv>
#include <cstdarg>
#include <cstdint>
#include <random>

#include "base/console.h"
#include "base/platform.h"

namespace torvelin {
namespace {

// The temporary file of a page: the page's name, ".tmp" and six random letters or digits.
constexpr std::string_view temporarySuffix = ".tmp";
constexpr std::string_view randomAlphabet = "abcdefghijklmnopqrstuvwxyz0123456789";
constexpr std::size_t randomLetters = 6;

// Creates the temporary file of the page `page` (in the system's form); `name` receives its name.
// Random letters make a name that no other run is likely to take, so that a file left by a
// stopped run, or one that a run beside this one writes, never stands in the way.
int createTemporaryFile(const std::string& page, std::string& name, std::FILE*& file) {
    static std::mt19937_64 random(std::random_device{}() ^
                                  static_cast<std::uint64_t>(platform().clockMs()) *
                                      0x9E3779B97F4A7C15u);
    std::uniform_int_distribution<std::size_t> letter(0, randomAlphabet.size() - 1);
    int error = EEXIST;
    for (int attempt = 0; attempt < 100 && error == EEXIST; ++attempt) {
        name = page;
        name += temporarySuffix;
        for (std::size_t i = 0; i < randomLetters; ++i)
            name.push_back(randomAlphabet[letter(random)]);
        error = platform().createNewFile(name, file);
    }
    return error;
}

// The page being written, for the message of a failed write.
std::FILE* outInProgress = nullptr;
std::string nameInProgress;
// Its text not yet handed to its file: one write of about `pendingLimit` bytes costs much less
// than the thousands of small ones a page is made of.
std::string pending;
constexpr std::size_t pendingLimit = std::size_t{1} << 16;

[[noreturn]] void failedPage(const std::string& name, int error) {
    fatalError("impossible d'ecrire le fichier " + name + " : " +
               systemErrorText(error != 0 ? error : EIO));
}

void checkWrite(std::FILE* out, bool written) {
    if (!written && out == outInProgress)
        failedPage(nameInProgress, errno);
}

void writePending() {
    bool written = std::fwrite(pending.data(), 1, pending.size(), outInProgress) == pending.size();
    pending.clear();
    checkWrite(outInProgress, written);
}

// Takes the page's text; true when it went to the page in progress. A text as large as the
// pieces goes to the file as it is, after the text held before it.
bool heldForPage(std::FILE* out, std::string_view text) {
    if (out != outInProgress || out == nullptr)
        return false;
    if (text.size() >= pendingLimit) {
        writePending();
        checkWrite(out, std::fwrite(text.data(), 1, text.size(), out) == text.size());
        return true;
    }
    pending.append(text);
    if (pending.size() >= pendingLimit)
        writePending();
    return true;
}

// Hands `take` the pieces of `text` made safe for a page: the runs of plain bytes and the
// entities of & < > ".
template <typename Take>
void forEachEscapedPiece(std::string_view text, Take take) {
    static constexpr std::array<bool, 256> special = [] {
        std::array<bool, 256> table{};
        for (unsigned char c : {'&', '<', '>', '"'})
            table[c] = true;
        return table;
    }();
    std::size_t from = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (!special[static_cast<unsigned char>(text[i])])
            continue;
        take(text.substr(from, i - from));
        switch (text[i]) {
            case '&':
                take("&amp;");
                break;
            case '<':
                take("&lt;");
                break;
            case '>':
                take("&gt;");
                break;
            default:
                take("&quot;");
        }
        from = i + 1;
    }
    take(text.substr(from));
}

}  // namespace

std::string pageHead(std::string_view title, std::string_view logFileName,
                     const PageSetting& setting, std::string_view extraHead) {
    std::string head = "<html><head><title>";
    head += title;
    head += " du fichier ";
    appendEscaped(head, logFileName);
    head += "</title><meta http-equiv=\"Content-Type\" content=\"text/html; charset=iso-8859-1\">";
    if (setting.refreshSeconds > 0)
        head += "<meta http-equiv=\"refresh\" content=\"" + std::to_string(setting.refreshSeconds) +
                "\">";
    head += extraHead;
    head +=
        "</head><body bgcolor=\"#EFEFEF\" text=\"#074385\" vlink=\"#0066FF\"><p><font "
        "size=\"2\">";
    return head;
}

PageFile openPage(const FileName& folder, std::string_view fileName) {
    PageFile page;
    page.name = fileInFolder(folder, fileName);
    // A temporary name left by a stopped run, or used by another run, is not touched.
    if (int error = createTemporaryFile(page.name.system, page.temporaryName, page.out); error != 0)
        failedPage(page.name.shown, error);
    setScratchFile(page.temporaryName, page.out);
    outInProgress = page.out;
    nameInProgress = page.name.shown;
    pending.clear();
    pending.reserve(pendingLimit + 4096);
    return page;
}

void closePage(PageFile& page) {
    if (page.out == outInProgress)
        writePending();
    errno = 0;
    if (std::fflush(page.out) != 0)
        failedPage(page.name.shown, errno);
    if (std::ferror(page.out) != 0)
        failedPage(page.name.shown, errno);
    std::FILE* out = page.out;
    page.out = nullptr;
    outInProgress = nullptr;
    setScratchFile(page.temporaryName);  // closed now, whatever the result
    if (std::fclose(out) != 0)
        failedPage(page.name.shown, errno);
    if (int error = platform().replaceFile(page.temporaryName, page.name.system); error != 0)
        failedPage(page.name.shown, error);
    setScratchFile("");
}

namespace {

// Whether `entry` is a temporary file of the page `page` (both in the system's form): the page's
// name, ".tmp", then nothing, digits (the names of earlier versions) or the random part.
bool isTemporaryOf(std::string_view entry, std::string_view page) {
    if (entry.size() < page.size() + temporarySuffix.size() ||
        entry.substr(0, page.size()) != page ||
        entry.substr(page.size(), temporarySuffix.size()) != temporarySuffix)
        return false;
    std::string_view rest = entry.substr(page.size() + temporarySuffix.size());
    auto digit = [](char c) { return c >= '0' && c <= '9'; };
    auto random = [](char c) { return randomAlphabet.find(c) != std::string_view::npos; };
    return std::all_of(rest.begin(), rest.end(), digit) ||
           (rest.size() == randomLetters && std::all_of(rest.begin(), rest.end(), random));
}

}  // namespace

void removeLeftovers(const FileName& folder, const std::vector<std::string>& names,
                     std::int64_t since) {
    std::vector<std::string> entries;
    if (platform().listFolder(folder.system.empty() ? "." : folder.system, entries) != 0)
        return;
    std::string inFolder = folder.system.empty() ? "" : folder.system + "/";
    for (const std::string& name : names) {
        std::string page = systemName(name);
        for (const std::string& entry : entries) {
            if (!isTemporaryOf(entry, page))
                continue;
            std::string path = inFolder + entry;
            FileFacts facts;
            if (platform().factsOfName(path, facts) == 0 && facts.kind == FileKind::regular &&
                facts.modified < since)
                platform().removeFile(path);
        }
    }
}

void removePage(const FileName& folder, std::string_view name) {
    platform().removeFile(fileInFolder(folder, name).system);
}

void put(std::FILE* out, std::string_view text) {
    if (!heldForPage(out, text))
        checkWrite(out, std::fwrite(text.data(), 1, text.size(), out) == text.size());
}

void putf(std::FILE* out, const char* format, ...) {
    std::va_list args;
    va_start(args, format);
    std::array<char, 512> text;
    int size = std::vsnprintf(text.data(), text.size(), format, args);
    va_end(args);
    if (size < 0) {
        checkWrite(out, false);
        return;
    }
    if (static_cast<std::size_t>(size) < text.size()) {
        put(out, std::string_view(text.data(), static_cast<std::size_t>(size)));
        return;
    }
    std::string longer(static_cast<std::size_t>(size) + 1, '\0');
    va_start(args, format);
    std::vsnprintf(longer.data(), longer.size(), format, args);
    va_end(args);
    longer.pop_back();
    put(out, longer);
}

void putNumber(std::FILE* out, std::int64_t value) {
    std::array<char, 24> digits;
    auto end = std::to_chars(digits.data(), digits.data() + digits.size(), value).ptr;
    put(out, std::string_view(digits.data(), static_cast<std::size_t>(end - digits.data())));
}

void putEscaped(std::FILE* out, std::string_view text) {
    forEachEscapedPiece(text, [out](std::string_view piece) { put(out, piece); });
}

void appendEscaped(std::string& to, std::string_view text) {
    forEachEscapedPiece(text, [&to](std::string_view piece) { to += piece; });
}

std::string htmlEscape(std::string_view text) {
    std::string escaped;
    escaped.reserve(text.size());
    appendEscaped(escaped, text);
    return escaped;
}

}  // namespace torvelin
