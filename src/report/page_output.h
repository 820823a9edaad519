// Writing page text: the page files, plain and formatted output to an open page, and HTML
// escaping of every text that comes from the log.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "base/format_check.h"
#include "base/platform.h"

namespace torvelin {

// A page being written. Its text goes to a new temporary file beside it ("NAME.tmp" and six random
// letters or digits), which replaces the page only once complete, so that a page is never left
// half-written: a failed write, flush, close or rename ends the program ("impossible d'ecrire le
// fichier NAME : REASON") and the temporary file is removed, leaving the page of an earlier run as
// it was. A signal that stops the program removes it too (see Platform::handleSignals).
struct PageFile {
    std::FILE* out = nullptr;
    FileName name;
    std::string temporaryName;  // in the system's form
};

// Where and how the pages of a run are written.
struct PageSetting {
    FileName folder;         // the current folder when empty
    int refreshSeconds = 0;  // a page that a browser reloads this often; 0: none
    bool quiet = false;      // no console text while writing
};

// The start of a page up to its body's first font: "<html><head><title>TITLE du fichier LOG",
// the Latin-1 character set, the reload of a followed page, `extraHead` (markup of the head that
// a page adds), and the page's colours.
std::string pageHead(std::string_view title, std::string_view logFileName,
                     const PageSetting& setting, std::string_view extraHead = {});

// Starts the page `name` (a file name in the program's Latin-1 text) in `folder` (the current
// folder when empty).
PageFile openPage(const FileName& folder, std::string_view name);

// Completes the page: its file takes the page's name.
void closePage(PageFile& page);

// Removes the temporary files that stopped runs left beside the pages `names` of `folder`
// ("NAME.tmp" followed by nothing, by digits or by the six letters and digits of openPage) and that
// were last changed before `since` (in the platform's file clock): the file of a run writing beside
// this one is younger, and stays.
void removeLeftovers(const FileName& folder, const std::vector<std::string>& names,
                     std::int64_t since);

// Removes the page `name` of `folder`, if there.
void removePage(const FileName& folder, std::string_view name);

// Writes text as it is.
void put(std::FILE* out, std::string_view text);

// Writes formatted text; "%%" writes one percent sign.
void putf(std::FILE* out, const char* format, ...) TORVELIN_PRINTF_FORMAT(2, 3);

// Writes an integer as "%lld" writes it.
void putNumber(std::FILE* out, std::int64_t value);

// An integer as printf's "%lld" takes it.
inline long long printable(std::int64_t value) {
    return static_cast<long long>(value);
}

// A text from the log made safe for a page: & < > " become &amp; &lt; &gt; &quot;.
std::string htmlEscape(std::string_view text);

// Writes a text from the log made safe for a page, as htmlEscape makes it.
void putEscaped(std::FILE* out, std::string_view text);

// Appends a text from the log made safe for a page, as htmlEscape makes it.
void appendEscaped(std::string& to, std::string_view text);

}  // namespace torvelin
