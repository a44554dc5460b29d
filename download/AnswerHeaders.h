// What the header lines of one HTTP answer say about the body that follows: its status, where a
// partial (206) body starts, and the validator that names the version of the file it belongs to.
// A transfer that resumes a file sends that validator back in If-Range, so a server whose file has
// changed answers with the whole new file instead of the rest of a different one.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

struct AnswerHeaders {
    long status = 0;
    std::int64_t rangeStart = -1;  // first byte of the body from Content-Range; -1 when absent or unreadable
    std::string etag;
    std::string lastModified;

    // Takes one header line as libcurl hands it over (line end included). A status line starts a
    // new answer and forgets the previous one (an interim 1xx, say). True when the line is the blank
    // line that ends the headers of a final (non-1xx) answer.
    bool Take(std::string_view line);

    // A strong ETag, else Last-Modified, else empty. A weak ETag never matches If-Range, so sending it
    // would turn every resume into a whole new transfer.
    std::string Validator() const;
};
