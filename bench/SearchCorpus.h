// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The corpora of the search and conversion benchmarks; the same seed gives
// the same files.
//
// Generate: web pages and scripts, thousands of .asp, .html, .js, .php, .css
// and .inc files in a few folders, most with CR LF line ends, some with LF,
// some with CR only, some with Windows-1252 letters, a few with the UTF-8
// mark, and a known share with "conn." in some case.
//
// GenerateMixed: the same web pages, but half the files written in UTF-8
// (their Swedish letters as UTF-8, no mark) and half in Windows-1252, as a
// site looks that has been edited with old and new tools.
//
// GenerateVocabulary: pages of 40 KB made of a small vocabulary of ASP and
// HTML words, where every letter of "conn.Open" is common and the text itself
// is rare: the hard case for a search that looks for rare bytes first.
//
// GenerateLarge: a few large log files of tens of megabytes, with a line
// holding "conn.Open" now and then; they take many blocks each.
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

namespace benchcorpus {

struct Stats {
    int files = 0;
    std::uint64_t bytes = 0;
};

namespace detail {

// The UTF-8 form of a Latin-1 text.
inline std::string Latin1ToUtf8(const std::string& latin1)
{
    std::string out;
    for (const char c : latin1) {
        const auto b = static_cast<unsigned char>(c);
        if (b < 0x80) {
            out += c;
        } else {
            out += static_cast<char>(0xC0 | (b >> 6));
            out += static_cast<char>(0x80 | (b & 0x3F));
        }
    }
    return out;
}

}  // namespace detail

inline Stats Generate(const std::filesystem::path& root, int fileCount, std::uint32_t seed = 1, bool mixed = false)
{
    namespace fs = std::filesystem;
    std::mt19937 random(seed);
    auto pick = [&](const std::vector<std::string>& from) -> const std::string& {
        return from[random() % from.size()];
    };
    auto chance = [&](int percent) { return int(random() % 100) < percent; };

    const std::vector<std::string> folders = {"", "inc", "admin", "admin/rapporter", "js", "css", "kund/sidor"};
    const std::vector<std::string> words = {
        "kund", "order", "artikel", "pris", "antal", "datum", "namn", "adress", "status", "rad",
        "lista", "sida", "meny", "id", "typ", "summa", "moms", "lager", "user", "item",
        "value", "total", "page", "header", "footer", "content", "title", "link", "image", "form"};
    // Windows-1252 letters as a Swedish page holds them.
    const std::vector<std::string> swedish = {"F\xF6retag", "\xC5ter", "s\xF6k", "h\xE4mta", "\xE4ndra",
                                              "Kundtj\xE4nst", "Best\xE4ll", "\xD6versikt", "f\xE5lt"};
    std::vector<std::string> swedishUtf8;
    for (const std::string& word : swedish)
        swedishUtf8.push_back(detail::Latin1ToUtf8(word));
    const std::vector<std::string>* nordicWords = &swedish;
    auto ident = [&] { return pick(words) + pick(words) + std::to_string(random() % 100); };

    auto htmlLine = [&](int depth, bool nordic) {
        std::string indent(size_t(depth % 6) * 2, ' ');
        switch (random() % 8) {
        case 0: return indent + "<div class=\"" + ident() + "\" id=\"" + ident() + "\">";
        case 1: return indent + "</div>";
        case 2: return indent + "<a href=\"/" + pick(words) + "/" + ident() + ".asp?id=" + std::to_string(random() % 9999) + "\">" + (nordic ? pick(*nordicWords) : pick(words)) + "</a>";
        case 3: return indent + "<td align=\"right\">" + std::to_string(random() % 100000) + "</td>";
        case 4: return indent + "<p>" + (nordic ? pick(*nordicWords) + " " : "") + pick(words) + " " + pick(words) + " " + pick(words) + " och " + pick(words) + ".</p>";
        case 5: return indent + "<input type=\"text\" name=\"" + ident() + "\" value=\"<%=rs(\"" + pick(words) + "\")%>\">";
        case 6: return indent + "<img src=\"bilder/" + ident() + ".gif\" width=\"" + std::to_string(random() % 800) + "\" alt=\"\">";
        default: return std::string();
        }
    };
    auto aspLine = [&](int depth) {
        std::string indent(size_t(depth % 4), '\t');
        switch (random() % 7) {
        case 0: return indent + "Dim " + ident() + ", " + ident();
        case 1: return indent + "sql = \"SELECT * FROM " + pick(words) + " WHERE " + pick(words) + "_id = \" & Request(\"" + pick(words) + "\")";
        case 2: return indent + "If rs(\"" + pick(words) + "\") > " + std::to_string(random() % 100) + " Then";
        case 3: return indent + "Response.Write \"<tr><td>\" & rs(\"" + pick(words) + "\") & \"</td></tr>\"";
        case 4: return indent + "rs.MoveNext";
        case 5: return indent + "' " + pick(words) + " " + pick(words);
        default: return indent + "End If";
        }
    };
    auto jsLine = [&](int depth) {
        std::string indent(size_t(depth % 5) * 4, ' ');
        switch (random() % 6) {
        case 0: return indent + "function " + ident() + "(" + pick(words) + ", " + pick(words) + ") {";
        case 1: return indent + "var " + ident() + " = document.getElementById('" + ident() + "');";
        case 2: return indent + "if (" + pick(words) + ".length > " + std::to_string(random() % 50) + ") { return false; }";
        case 3: return indent + "}";
        case 4: return indent + "// " + pick(words) + " " + pick(words) + " " + pick(words);
        default: return indent + "$" + pick(words) + "['" + pick(words) + "'] = " + std::to_string(random() % 1000) + ";";
        }
    };
    auto cssLine = [&] {
        switch (random() % 4) {
        case 0: { std::string rule = "."; rule += ident(); return rule + " {"; }
        case 1: return "  color: #" + std::to_string(100000 + random() % 899999) + ";";
        case 2: return "  margin: " + std::to_string(random() % 20) + "px " + std::to_string(random() % 20) + "px;";
        default: return std::string("}");
        }
    };
    const std::vector<std::string> hitLines = {"\tSet conn = Server.CreateObject(\"ADODB.Connection\")",
                                               "\tconn.Open \"DSN=" + std::string("kund") + "\"",
                                               "  Set rs = Conn.Execute(sql)", "\tCONN.Close",
                                               "<% conn.BeginTrans %>"};
    const std::vector<std::string> extensions = {".asp", ".asp", ".asp", ".html", ".js", ".php", ".css", ".inc"};

    Stats stats;
    for (const std::string& folder : folders)
        fs::create_directories(root / folder);
    for (int f = 0; f < fileCount; ++f) {
        const std::string& ext = pick(extensions);
        const std::string& folder = ext == ".js" ? folders[4] : ext == ".css" ? folders[5] : pick(folders);
        const fs::path path = root / folder / (ident() + "_" + std::to_string(f) + ext);
        // Sizes from a few hundred bytes to about 200 kB, most of them small.
        const int lineCount = 10 + int(random() % 120) * int(1 + random() % 8) + (chance(3) ? 3000 : 0);
        const int breakKind = int(random() % 100);
        const char* lineBreak = breakKind < 55 ? "\r\n" : breakKind < 93 ? "\n" : "\r";
        const bool nordic = mixed || chance(30);
        nordicWords = mixed && chance(50) ? &swedishUtf8 : &swedish;
        const bool hits = chance(6);
        std::string text = chance(4) ? "\xEF\xBB\xBF" : "";
        for (int i = 0; i < lineCount; ++i) {
            std::string line;
            if (hits && random() % std::uint32_t(lineCount) < 3)
                line = pick(hitLines);
            else if (ext == ".css")
                line = cssLine();
            else if (ext == ".js")
                line = jsLine(i);
            else if (ext == ".php")
                line = chance(50) ? jsLine(i) : htmlLine(i, nordic);
            else
                line = chance(40) ? aspLine(i) : htmlLine(i, nordic);
            text += line;
            if (i + 1 < lineCount || chance(80))
                text += lineBreak;
        }
        if (std::FILE* out = std::fopen(path.c_str(), "wb")) {
            std::fwrite(text.data(), 1, text.size(), out);
            std::fclose(out);
            ++stats.files;
            stats.bytes += text.size();
        }
    }
    return stats;
}

inline Stats GenerateMixed(const std::filesystem::path& root, int fileCount, std::uint32_t seed = 3)
{
    return Generate(root, fileCount, seed, true);
}

namespace detail {

inline bool WriteFile(const std::filesystem::path& path, const std::string& text, Stats& stats)
{
    std::FILE* out = std::fopen(path.c_str(), "wb");
    if (!out)
        return false;
    const bool written = std::fwrite(text.data(), 1, text.size(), out) == text.size();
    if (std::fclose(out) != 0 || !written)
        return false;
    ++stats.files;
    stats.bytes += text.size();
    return true;
}

}  // namespace detail

inline Stats GenerateVocabulary(const std::filesystem::path& root, int fileCount = 3000, std::uint32_t seed = 11)
{
    namespace fs = std::filesystem;
    std::mt19937 random(seed);
    const std::vector<std::string> words = {
        "<div class=item>", "Response.Write", "set", "rs", "=", "Server.CreateObject", "if", "then", "else",
        "end", "function", "sub", "dim", "var", "href", "src", "table", "td", "tr", "width", "height", "style",
        "color", "conn"};
    Stats stats;
    for (int f = 0; f < fileCount; ++f) {
        char name[32];
        std::snprintf(name, sizeof name, "d%02d", f % 30);
        const fs::path folder = root / name;
        fs::create_directories(folder);
        std::string text;
        while (text.size() < 40 * 1024) {
            const int count = 4 + int(random() % 11);
            for (int w = 0; w < count; ++w) {
                if (w > 0)
                    text += ' ';
                text += words[random() % words.size()];
            }
            if (random() % 2000 == 0)
                text += " conn.Open";
            text += "\r\n";
        }
        std::snprintf(name, sizeof name, "p%05d.asp", f);
        detail::WriteFile(folder / name, text, stats);
    }
    return stats;
}

inline Stats GenerateLarge(const std::filesystem::path& root, int fileCount = 4, int megabytes = 64,
                           std::uint32_t seed = 5)
{
    namespace fs = std::filesystem;
    std::mt19937 random(seed);
    const std::vector<std::string> levels = {"INFO ", "INFO ", "INFO ", "DEBUG", "WARN "};
    const std::vector<std::string> pages = {"kund/order.asp", "admin/lista.asp", "sok.asp", "default.asp",
                                            "rapporter/dag.asp", "inc/meny.inc"};
    const std::vector<std::string> actions = {"request", "response", "session open", "session close",
                                              "query", "cache hit", "cache miss"};
    fs::create_directories(root);
    Stats stats;
    for (int f = 0; f < fileCount; ++f) {
        std::string text;
        const std::size_t size = std::size_t(megabytes) << 20;
        text.reserve(size + 256);
        long long ms = 1700000000000LL + f * 86400000LL;
        char line[256];
        while (text.size() < size) {
            ms += random() % 900;
            const long long s = ms / 1000;
            const int n = std::snprintf(
                line, sizeof line, "2024-%02d-%02d %02lld:%02lld:%02lld.%03lld %s [worker-%u] %s /%s?id=%u took %u ms",
                1 + f % 12, 1 + int(s / 86400 % 28), s / 3600 % 24, s / 60 % 60, s % 60, ms % 1000,
                levels[random() % levels.size()].c_str(), unsigned(random() % 8),
                actions[random() % actions.size()].c_str(), pages[random() % pages.size()].c_str(),
                unsigned(random() % 100000), unsigned(random() % 500));
            text.append(line, std::size_t(n));
            if (random() % 200000 == 0)
                text += " ERROR conn.Open failed: timeout";
            text += "\r\n";
        }
        char name[32];
        std::snprintf(name, sizeof name, "server%d.log", f + 1);
        detail::WriteFile(root / name, text, stats);
    }
    return stats;
}

}  // namespace benchcorpus
