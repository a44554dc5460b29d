#include "download/TransferEngine.h"

#include <curl/curl.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <limits>
#include <system_error>

#include "download/StallWatch.h"
#include "service/ProxyOptions.h"
#include "service/ServerVerification.h"
#include "support/Clock.h"
#include "support/PathText.h"
#include "support/platform/FileSystemPath.h"

namespace {

// One value for the whole process: raising it aborts the writing transfer of every engine, and the
// end of any engine's run clears it.
std::atomic<std::int32_t> cancelFlag{0};

// How long a transfer waits for its sockets before it looks at Abort, Pause and the stall watch
// again, in clock time so that a sped-up clock keeps the watch as fine-grained; Abort and Resume
// also wake it at once.
constexpr std::uint32_t kPollMilliseconds = 1000;

int PollMilliseconds() {
    const auto real = std::chrono::duration_cast<std::chrono::milliseconds>(Clock::Scaled(kPollMilliseconds));
    return std::max(1, int(real.count()));
}

constexpr long kReceiveBufferBytes = 256 * 1024;

// A last component holding a "." followed by more text names a file ("setup.exe"); one without,
// or whose only "." is the last character ("v1."), names a folder.
bool NamesFile(const std::string& path, std::size_t lastSeparator) {
    const std::size_t dot = path.find('.', lastSeparator + 1);
    return dot != std::string::npos && dot + 1 < path.size();
}

std::int32_t Saturated(std::uintmax_t size) {
    constexpr auto kMax = std::uintmax_t(std::numeric_limits<std::int32_t>::max());
    return std::int32_t(std::min(size, kMax));
}

CURLcode FinishedResult(CURLM* multi) {
    int queued = 0;
    while (CURLMsg* message = curl_multi_info_read(multi, &queued)) {
        if (message->msg == CURLMSG_DONE) return message->data.result;
    }
    return CURLE_OK;
}

}  // namespace

struct TransferCallbacks {
    // Writes a received chunk to the destination. A short count makes libcurl fail the transfer
    // with CURLE_WRITE_ERROR: that is how the cancel flag and Abort stop a transfer.
    static std::size_t WriteChunk(char* data, std::size_t size, std::size_t count, void* context) {
        auto* engine = static_cast<TransferEngine*>(context);
        if (cancelFlag.load() == 1 || engine->abortRequested.load()) return 0;
        const std::size_t written = std::fwrite(data, 1, size * count, engine->destination);
        engine->bodyBytes += written;
        return written;
    }

    static std::size_t TakeHeader(char* line, std::size_t size, std::size_t count, void* context) {
        auto* engine = static_cast<TransferEngine*>(context);
        const std::size_t length = size * count;
        if (!engine->answer.Take(std::string_view(line, length))) return length;
        return engine->AcceptAnswer() ? length : 0;
    }

    // Records the bytes of the file so far; the total libcurl reports is not used, the HEAD request's is.
    static int RecordProgress(void* context, curl_off_t, curl_off_t, curl_off_t, curl_off_t) {
        auto* engine = static_cast<TransferEngine*>(context);
        std::lock_guard lock(engine->statusMutex);
        engine->status.received = double(engine->bodyOffset + engine->bodyBytes);
        return 0;
    }
};

TransferEngine::TransferEngine() : sampleTick(Clock::Ticks()) {
    curl_global_init(CURL_GLOBAL_ALL);
}

TransferEngine::~TransferEngine() {
    // No engine thread may outlive the engine it works on.
    Abort();
    if (engineThread.joinable()) engineThread.join();
    curl_global_cleanup();
}

bool TransferEngine::AddTask(TransferTask task) {
    // The task record keeps the URL and the path in fixed-size fields; text that does not fit is
    // refused, since a cut URL or path would fetch or write something else.
    if (task.url.size() >= kUrlCapacity || task.path.size() >= kPathCapacity) return false;
    std::string path = NativeSeparators(task.path);
    const std::size_t lastSeparator = path.rfind(kPathSeparator);
    if (lastSeparator == std::string::npos) return false;  // a bare name gives no folder to save into

    if (NamesFile(path, lastSeparator)) {
        if (!MakeDirectories(path.substr(0, lastSeparator + 1))) return false;
    } else {
        // Refused: a URL without a name (or with one too long for the record), and a name holding
        // "\", which would climb out of the folder on Windows.
        const std::string name = FileNameFromUrl(task.url);
        if (name.empty() || name.find('\\') != std::string::npos) return false;
        const std::string folder = path;
        if (path.back() != kPathSeparator) path += kPathSeparator;
        path += name;
        if (path.size() >= kPathCapacity)
            return false;  // the folder and the name must fit the record together
        if (!MakeDirectories(folder)) return false;
    }

    std::lock_guard lock(tasksMutex);
    tasks.push_back({std::move(task.url), std::move(path), std::move(task.validator)});
    return true;
}

std::int32_t TransferEngine::StartTransfers() {
    // A second engine thread would share this engine's handle and files, so a run under way refuses
    // the start while it prepares a task as well as while it transfers.
    if (runActive.exchange(true)) return -1;
    if (engineThread.joinable()) engineThread.join();  // the previous run has finished
    abortRequested = false;
    const std::int32_t previousState = state.load();
    SetState(kStateIdle);
    try {
        engineThread = std::thread(&TransferEngine::Run, this);
    } catch (const std::system_error&) {
        SetState(previousState);
        runActive = false;
        return -1;
    }
    return 0;
}

std::int32_t TransferEngine::GetStatus(TransferStatus& out) const {
    std::lock_guard lock(statusMutex);
    out = status;
    return 0;
}

std::int32_t TransferEngine::SetTimeout(std::int32_t seconds) {
    if (IsRunning()) return -1;
    timeoutSeconds = seconds;
    return 0;
}

void TransferEngine::Cancel() {
    std::lock_guard lock(handleMutex);
    if (handle != nullptr) cancelFlag = 1;
}

void TransferEngine::Pause() {
    std::lock_guard lock(handleMutex);
    if (handle == nullptr) return;
    pauseRequested = true;
    if (performing != nullptr) curl_multi_wakeup(performing);
}

void TransferEngine::Resume() {
    std::lock_guard lock(handleMutex);
    if (handle == nullptr) return;
    pauseRequested = false;
    if (performing != nullptr) curl_multi_wakeup(performing);
}

void TransferEngine::Abort() {
    abortRequested = true;
    std::lock_guard lock(handleMutex);
    if (performing != nullptr) curl_multi_wakeup(performing);
}

double TransferEngine::Percent() const {
    std::lock_guard lock(statusMutex);
    return status.total > 0 ? status.received / status.total * 100 : 0;
}

double TransferEngine::Speed() const {
    const std::uint64_t elapsed = Clock::Ticks() - sampleTick;
    std::lock_guard lock(statusMutex);
    return elapsed == 0 ? 0 : (status.received - sampleReceived) / double(elapsed);
}

bool TransferEngine::WaitForFinish(std::uint32_t milliseconds) {
    std::unique_lock lock(stateMutex);
    finished.wait_for(lock, Clock::Scaled(milliseconds), [this] { return IsFinished(); });
    return IsFinished();
}

void TransferEngine::SetFinishObserver(std::function<void()> observer) {
    finishObserver = std::move(observer);
}

std::int32_t TransferEngine::LocalFileSize(const std::string& path) {
    if (IsRunning()) return localSize;
    // Only a regular file counts: a folder at the path cannot be opened as a file on Windows either.
    std::error_code error;
    const std::filesystem::path file = PathFromUtf8(path);
    if (!std::filesystem::is_regular_file(file, error)) return 0;
    const std::uintmax_t size = std::filesystem::file_size(file, error);
    if (error) return 0;
    localSize = Saturated(size);
    return localSize;
}

double TransferEngine::QueryRemoteSize(const std::string& url) {
    CURL* probe = curl_easy_init();
    if (probe == nullptr) return -1.0;
    curl_easy_setopt(probe, CURLOPT_URL, url.c_str());
    curl_easy_setopt(probe, CURLOPT_NOBODY, 1L);
    // An error status carries the length of the error page, not of the file.
    curl_easy_setopt(probe, CURLOPT_FAILONERROR, 1L);
    // A server that never answers must not hold the run (and the owner waiting for it) for ever.
    curl_easy_setopt(probe, CURLOPT_TIMEOUT, long(timeoutSeconds.load()));
    curl_easy_setopt(probe, CURLOPT_NOSIGNAL, 1L);
    ApplyProxySettings(probe, url);
    // The GET that follows meets the same server and reports what fails; the size is only a guide.
    ServerVerification verification;
    verification.Apply(probe, url);
    double size = -1.0;
    if (verification.Finish(CURLcode(Perform(probe, false)), ServerVerification::FailureLog::Quiet) ==
        CURLE_OK) {
        curl_off_t length = -1;
        if (curl_easy_getinfo(probe, CURLINFO_CONTENT_LENGTH_DOWNLOAD_T, &length) == CURLE_OK && length >= 0)
            size = double(length);
    }
    curl_easy_cleanup(probe);
    return size;
}

bool TransferEngine::MakeDirectories(const std::string& path) {
    if (path.empty()) return false;
    std::string folders = NativeSeparators(path);
    if (folders.back() != kPathSeparator) folders += kPathSeparator;
    // A drive prefix ("D:\") is no folder to create. Elsewhere ":" is an ordinary character on POSIX.
    const std::size_t from = folders.size() > 2 && folders[1] == ':' ? 3 : 0;
    for (std::size_t at = folders.find(kPathSeparator, from); at != std::string::npos;
         at = folders.find(kPathSeparator, at + 1)) {
        const std::string prefix = folders.substr(0, at);
        if (prefix.empty()) {
            // A POSIX path starts at the root; on Windows "\…" (network paths among them) is not handled.
            if (kPathSeparator == '/') continue;
            return false;
        }
        std::error_code error;
        if (std::filesystem::exists(PathFromUtf8(prefix), error)) continue;
        std::filesystem::create_directory(PathFromUtf8(prefix), error);
        if (error) return false;
    }
    return true;
}

std::string TransferEngine::FileNameFromUrl(const std::string& url) {
    if (url.size() < 2) return {};
    const std::size_t slash = url.rfind('/', url.size() - 2);
    if (slash == std::string::npos) return {};
    const std::size_t end = url.find_first_of("?&", slash + 1);
    std::string name = url.substr(slash + 1, end == std::string::npos ? std::string::npos : end - slash - 1);
    // Longer names do not fit the task record: refused, never cut.
    if (name.size() >= kFileNameCapacity) return {};
    return name;
}

void TransferEngine::Run() {
    CURL* easy = curl_easy_init();
    {
        std::lock_guard lock(handleMutex);
        handle = easy;
    }
    if (easy == nullptr) lastError = CURLE_FAILED_INIT;
    // One easy handle serves every task of the run; options set for one task stay set for the next.
    for (std::size_t next = 0; easy != nullptr && !abortRequested; ++next) {
        TransferTask task;
        {
            std::lock_guard lock(tasksMutex);  // tasks may still be added while the run goes on
            if (next >= tasks.size()) break;
            task = tasks[next];
        }
        RunTask(easy, task);
    }
    {
        std::lock_guard lock(handleMutex);
        handle = nullptr;
    }
    curl_easy_cleanup(easy);
    cancelFlag = 0;
    runActive = false;
    SetState(kStateFinished);
    if (finishObserver) finishObserver();
}

void TransferEngine::RunTask(void* easy, const TransferTask& task) {
    const std::int32_t startSize = LocalFileSize(task.path);
    {
        std::lock_guard lock(statusMutex);
        status.url = task.url;
        status.path = task.path;
        status.startSize = startSize;
        status.total = -1;
        status.received = 0;
        status.resumedFrom = 0;
        status.validator.clear();
    }
    const double total = QueryRemoteSize(task.url);
    {
        std::lock_guard lock(statusMutex);
        status.total = total;
    }
    if (abortRequested) {
        lastError = CURLE_ABORTED_BY_CALLBACK;  // stopped during the HEAD request: the old file stays
        return;
    }

    // Without the validator of the answer that started the file there is no telling whether its
    // bytes belong to the server's current file, so it starts from the first byte. If the old file
    // cannot be removed, appending would mix old and new bytes, so the task is skipped like one
    // whose file cannot be opened.
    std::error_code error;
    const std::filesystem::path file = PathFromUtf8(task.path);
    std::uint64_t resumeFrom = 0;
    if (!task.validator.empty() && std::filesystem::is_regular_file(file, error))
        resumeFrom = std::filesystem::file_size(file, error);
    if (error) resumeFrom = 0;
    if (resumeFrom == 0 && std::filesystem::is_regular_file(file, error) &&
        !std::filesystem::remove(file, error))
        return;
    destination = OpenCFile(task.path, "ab+");
    if (destination == nullptr)
        return;  // skipped, lastError unchanged: the owner notices when it verifies the file
    destinationPath = task.path;

    SetState(kStateRunning);
    int result = Fetch(easy, task, resumeFrom);
    if (restartFromZero && !abortRequested) result = Fetch(easy, task, 0);
    if (result != CURLE_OK) lastError = result;
    SetState(kStateIdle);
    std::fclose(destination);
    destination = nullptr;
}

int TransferEngine::Fetch(void* easy, const TransferTask& task, std::uint64_t resumeFrom) {
    requestedFrom = resumeFrom;
    bodyOffset = resumeFrom;
    bodyBytes = 0;
    restartFromZero = false;
    answer = AnswerHeaders();
    {
        std::lock_guard lock(statusMutex);
        status.received = double(resumeFrom);
        status.resumedFrom = double(resumeFrom);
        status.validator = resumeFrom > 0 ? task.validator : std::string();
    }

    const std::string range = std::to_string(resumeFrom) + "-";
    curl_slist* ifRange = nullptr;
    if (resumeFrom > 0) ifRange = curl_slist_append(nullptr, ("If-Range: " + task.validator).c_str());
    curl_easy_setopt(easy, CURLOPT_RANGE, resumeFrom > 0 ? range.c_str() : nullptr);
    curl_easy_setopt(easy, CURLOPT_HTTPHEADER, ifRange);
    curl_easy_setopt(easy, CURLOPT_URL, task.url.c_str());
    curl_easy_setopt(easy, CURLOPT_NOSIGNAL, 1L);
    // An error page (404, 500, ...) is not the file: the transfer fails with CURLE_HTTP_RETURNED_ERROR.
    curl_easy_setopt(easy, CURLOPT_FAILONERROR, 1L);
    curl_easy_setopt(easy, CURLOPT_WRITEFUNCTION, &TransferCallbacks::WriteChunk);
    curl_easy_setopt(easy, CURLOPT_WRITEDATA, this);
    curl_easy_setopt(easy, CURLOPT_HEADERFUNCTION, &TransferCallbacks::TakeHeader);
    curl_easy_setopt(easy, CURLOPT_HEADERDATA, this);
    // Larger reads than libcurl's 16 KiB mean fewer calls and writes for files of many MiB.
    curl_easy_setopt(easy, CURLOPT_BUFFERSIZE, kReceiveBufferBytes);
    curl_easy_setopt(easy, CURLOPT_NOPROGRESS, 0L);
    curl_easy_setopt(easy, CURLOPT_XFERINFOFUNCTION, &TransferCallbacks::RecordProgress);
    curl_easy_setopt(easy, CURLOPT_XFERINFODATA, this);
    ApplyProxySettings(easy, task.url);
    ServerVerification verification;
    verification.Apply(easy, task.url);

    int result = Perform(easy, true);
    long status416 = 0;
    if (result == CURLE_HTTP_RETURNED_ERROR && resumeFrom > 0 &&
        curl_easy_getinfo(easy, CURLINFO_RESPONSE_CODE, &status416) == CURLE_OK && status416 == 416) {
        // The file already holds at least as many bytes as the server has: they cannot be trusted.
        restartFromZero = true;
    }
    if (restartFromZero) {
        std::error_code error;
        std::filesystem::resize_file(PathFromUtf8(destinationPath), 0, error);
        if (error) restartFromZero = false;  // the bytes cannot go: the failure stands
    }
    // A failure that asks again for the whole file, and a transfer stopped on request, are no
    // failures to report.
    const bool expected = restartFromZero || abortRequested || cancelFlag.load() == 1;
    result = verification.Finish(CURLcode(result), expected ? ServerVerification::FailureLog::Quiet
                                                            : ServerVerification::FailureLog::Write);
    curl_easy_setopt(easy, CURLOPT_HTTPHEADER, nullptr);
    curl_slist_free_all(ifRange);
    return result;
}

bool TransferEngine::AcceptAnswer() {
    if (answer.status == 206) {
        if (answer.rangeStart < 0 || std::uint64_t(answer.rangeStart) != requestedFrom) {
            restartFromZero = true;  // the body belongs elsewhere in the file: ask again for all of it
            return false;
        }
        return true;  // the rest of the same file: appended to the bytes already there
    }
    if (answer.status >= 300) return true;  // an error fails through FAILONERROR; nothing is touched
    // A whole file (the server ignores ranges, or its file changed): it replaces what is there.
    const std::string validator = answer.Validator();
    {
        std::lock_guard lock(statusMutex);
        status.validator = validator;
        status.received = 0;
        status.resumedFrom = 0;
    }
    if (bodyOffset == 0) return true;
    bodyOffset = 0;
    std::error_code error;
    std::filesystem::resize_file(PathFromUtf8(destinationPath), 0, error);
    return !error;
}

int TransferEngine::Perform(void* easy, bool watchStalls) {
    CURLM* multi = curl_multi_init();
    if (multi == nullptr) return CURLE_OUT_OF_MEMORY;
    curl_multi_add_handle(multi, easy);
    {
        std::lock_guard lock(handleMutex);
        performing = multi;
    }
    // curl_easy_perform's own loop, with wake-ups: Abort and Resume must not wait for the server.
    CURLcode result = CURLE_OK;
    // The handle may still be paused from a task that ended by time-out, so the state is set afresh.
    bool paused = pauseRequested;
    curl_easy_pause(easy, paused ? CURLPAUSE_RECV : CURLPAUSE_CONT);
    StallWatch stalls;
    stalls.Restart(bodyBytes, Clock::Ticks());
    for (;;) {
        if (abortRequested) {
            result = CURLE_ABORTED_BY_CALLBACK;
            break;
        }
        if (const bool pause = pauseRequested; pause != paused) {
            curl_easy_pause(easy, pause ? CURLPAUSE_RECV : CURLPAUSE_CONT);
            paused = pause;
        }
        int active = 0;
        if (curl_multi_perform(multi, &active) != CURLM_OK) {
            result = CURLE_OUT_OF_MEMORY;  // the multi interface fails only when it runs short of resources
            break;
        }
        if (active == 0) {
            result = FinishedResult(multi);
            break;
        }
        // A transfer held by Pause is not stalled: its period starts again when it resumes.
        if (paused || !watchStalls)
            stalls.Restart(bodyBytes, Clock::Ticks());
        else if (stalls.Stalled(bodyBytes, Clock::Ticks())) {
            result = CURLE_OPERATION_TIMEDOUT;
            break;
        }
        curl_multi_poll(multi, nullptr, 0, PollMilliseconds(), nullptr);
    }
    {
        std::lock_guard lock(handleMutex);
        performing = nullptr;
    }
    curl_multi_remove_handle(multi, easy);
    curl_multi_cleanup(multi);
    return result;
}

void TransferEngine::SetState(std::int32_t newState) {
    {
        std::lock_guard lock(stateMutex);
        state = newState;
    }
    if (newState == kStateFinished) finished.notify_all();
}
