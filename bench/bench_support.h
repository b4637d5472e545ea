// What the benchmarks share: a clock and the generated test document.
#pragma once

#include <chrono>
#include <string>

namespace quillon::bench {

using Clock = std::chrono::steady_clock;
inline double Seconds(Clock::time_point since) { return std::chrono::duration<double>(Clock::now() - since).count(); }

// HTML with Cyrillic and Latin text and CR LF lines, in Windows-1251.
inline std::string MakeHtml(size_t size) {
    const std::string lines[] = {
        "<p class=\"text\">The quick brown fox jumps over the lazy dog, again and again.</p>\r\n",
        "<p>\xd1\xfa\xe5\xf8\xfc \xe6\xe5 \xe5\xf9\xb8 \xfd\xf2\xe8\xf5 \xec\xff\xe3\xea\xe8\xf5 "
        "\xf4\xf0\xe0\xed\xf6\xf3\xe7\xf1\xea\xe8\xf5 \xe1\xf3\xeb\xee\xea.</p>\r\n",
        "<li><a href=\"page.html\">link</a> &mdash; \xf1\xf1\xfb\xeb\xea\xe0</li>\r\n",
    };
    std::string html = "<html>\r\n<body>\r\n";
    html.reserve(size + 256);
    for (size_t i = 0; html.size() < size; ++i) html += lines[i % 3];
    html += "</body>\r\n</html>\r\n";
    return html;
}

}  // namespace quillon::bench
